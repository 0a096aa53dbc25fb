// Rows per second filled into the rating view's list (CRatingList, as a call history fills it: one
// AddCallRow per call) beside a plain QTreeWidget filled row by row with the same texts, both for a list
// of 20,000 calls. A fill that looks through the rows for each new one falls far behind the tree widget
// as the list grows.

#include "oledate.h"
#include "ratinglist.h"

#include <QStringList>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kRows = 20000;
constexpr int kColumnWidth = 90;
constexpr int kListWidth = 760;
constexpr int kListHeight = 400;

// The columns of an extension's history on a pulse-counting PBX, with the line shown.
const char* const kHeadings[] = {"Data e Ora", "Durata", "Scatti", "Linea", "Numero chiamato", "Tariffa",
                                 "Importo", "Fatt."};

struct CallRows {
    std::vector<QStringList> texts;
    std::vector<OleDate> starts;
};

const CallRows& Calls()
{
    static const CallRows rows = [] {
        CallRows made;
        const OleDate first(2026, 12, 1, 8, 0, 0);
        for (int row = 0; row < kRows; ++row) {
            const OleDate start = first.AddSeconds(row * 97);
            made.starts.push_back(start);
            made.texts.push_back({start.ToDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                                  QStringLiteral("00:%1:%2").arg(row % 60, 2, 10, QChar(u'0')).arg(row % 53, 2, 10, QChar(u'0')),
                                  QString::number(row % 40), QStringLiteral("EXT. %1").arg(row % 8 + 1),
                                  QStringLiteral("06123%1").arg(row, 5, 10, QChar(u'0')), QStringLiteral("Urbana"),
                                  QString::asprintf("%0.2f", (row % 400) * 0.05), QString()});
        }
        return made;
    }();
    return rows;
}

void BM_FillRatingList(benchmark::State& state)
{
    const CallRows& calls = Calls();
    CRatingList list;
    list.resize(kListWidth, kListHeight);
    list.show();
    list.ShowReport(true, false);
    for (const char* heading : kHeadings)
        list.AddColumn(QString::fromLatin1(heading), kColumnWidth, false);
    for (auto _ : state) {
        state.PauseTiming();
        list.Model()->removeRows(0, list.RowCount());
        state.ResumeTiming();
        for (int row = 0; row < kRows; ++row)
            list.AddCallRow(calls.texts[static_cast<std::size_t>(row)], calls.starts[static_cast<std::size_t>(row)]);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRows);
}
BENCHMARK(BM_FillRatingList)->Unit(benchmark::kMillisecond);

void BM_FillTreeWidget(benchmark::State& state)
{
    const CallRows& calls = Calls();
    QTreeWidget tree;
    tree.resize(kListWidth, kListHeight);
    tree.show();
    tree.setRootIsDecorated(false);
    QStringList headings;
    for (const char* heading : kHeadings)
        headings << QString::fromLatin1(heading);
    tree.setHeaderLabels(headings);
    for (auto _ : state) {
        state.PauseTiming();
        tree.clear();
        state.ResumeTiming();
        for (int row = 0; row < kRows; ++row)
            new QTreeWidgetItem(&tree, calls.texts[static_cast<std::size_t>(row)]);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRows);
}
BENCHMARK(BM_FillTreeWidget)->Unit(benchmark::kMillisecond);

}  // namespace
