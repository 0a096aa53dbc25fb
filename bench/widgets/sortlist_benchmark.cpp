// The sortable list on a date column of 20,000 rows: sorting by the cells' texts (each parsed in the
// user's locale) and by the values stored with the cells, against std::sort of the same dates parsed
// once. Milliseconds per sort are the times; the baseline pairs give the ratio.
#include "oledatetext.h"
#include "sortlistctrl.h"

#include <QLocale>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int kRows = 20000;
constexpr int kDateColumn = 1;
constexpr unsigned kSeed = 41;

// The same dates in a shuffled order, one a row, over about three years.
std::vector<OleDate> Dates()
{
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> seconds(0, 3 * 365 * 24 * 3600);
    std::vector<OleDate> dates;
    dates.reserve(kRows);
    for (int row = 0; row < kRows; ++row)
        dates.push_back(OleDate(2023, 1, 1).AddSeconds(seconds(random)));
    return dates;
}

void Fill(CSortListCtrl& list, const std::vector<OleDate>& dates, bool storeValues)
{
    list.DeleteAllItems();
    const QLocale locale;
    for (int row = 0; row < kRows; ++row) {
        const OleDate& date = dates[static_cast<std::size_t>(row)];
        list.InsertItem(row, QString::number(row), row);
        list.SetItemText(row, kDateColumn, FormatOleDate(date, locale));
        if (storeValues)
            list.SetSortValue(row, kDateColumn, date.Value());
    }
}

void SortList(benchmark::State& state, bool storeValues)
{
    const std::vector<OleDate> dates = Dates();
    CSortListCtrl list;
    list.InsertColumn(0, QStringLiteral("N."), CSortListCtrl::kNumber);
    list.InsertColumn(kDateColumn, QStringLiteral("Data"), CSortListCtrl::kDate);
    for (auto _ : state) {
        state.PauseTiming();
        Fill(list, dates, storeValues);  // the shuffled order again, first click descending
        state.ResumeTiming();
        list.SortByColumn(kDateColumn);
    }
    if (!list.IsDescending(kDateColumn))
        state.SkipWithError("the list did not sort descending");
}

void BM_SortListByDateText(benchmark::State& state)
{
    SortList(state, false);
}
BENCHMARK(BM_SortListByDateText)->Unit(benchmark::kMillisecond);

void BM_SortListByStoredDate(benchmark::State& state)
{
    SortList(state, true);
}
BENCHMARK(BM_SortListByStoredDate)->Unit(benchmark::kMillisecond);

// The baseline: the same texts parsed once each, then the values sorted descending.
void BM_StdSortParsedDates(benchmark::State& state)
{
    const std::vector<OleDate> dates = Dates();
    const QLocale locale;
    QStringList texts;
    for (const OleDate& date : dates)
        texts << FormatOleDate(date, locale);
    for (auto _ : state) {
        std::vector<double> values;
        values.reserve(kRows);
        for (const QString& text : texts)
            values.push_back(ParseOleDate(text, locale).Value());
        std::sort(values.begin(), values.end(), std::greater<>());
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(BM_StdSortParsedDates)->Unit(benchmark::kMillisecond);

}  // namespace
