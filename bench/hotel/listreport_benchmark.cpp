// The hotel's PrintListReport counting and printing every page of a list to a PDF file, for 2,000 and for
// 20,000 rows: pages per second of each and their ratio. Printing page n walks the list from its start
// (only that page draws), so the work grows faster than the pages; the ratio shows by how much.

#include "listreportprinter.h"
#include "printsettings.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kSmallList = 2000;
constexpr int kLargeList = 20000;

void FillList(QTreeWidget& list, int rows)
{
    list.resize(900, 300);
    list.setHeaderLabels({QStringLiteral("Camera"), QStringLiteral("Data di arrivo"),
                          QStringLiteral("Data di partenza"), QStringLiteral("Cliente principale")});
    for (int column = 0; column < 4; ++column)
        list.setColumnWidth(column, 200);
    for (int row = 0; row < rows; ++row)
        list.addTopLevelItem(new QTreeWidgetItem({QString::number(100 + row % 80), QStringLiteral("03/12/2026 14:30:00"),
                                                  QStringLiteral("06/12/2026"),
                                                  QStringLiteral("Rossi Mario, Milano (MI)")}));
}

// Counts the pages, prints each; the pages printed and the seconds it took.
std::pair<int, double> PrintAll(const PrintSettings& settings, const QTreeWidget& list, const QString& path)
{
    const auto start = std::chrono::steady_clock::now();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(path);
    QPainter painter(&printer);
    const int pages = lodgix::PrintListReport(settings, painter, list, nullptr, nullptr, false, 0, 1);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        lodgix::PrintListReport(settings, painter, list, nullptr, nullptr, true, pages, page);
    }
    painter.end();
    return {pages, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
}

void BM_HotelPrintListReport(benchmark::State& state)
{
    PrintSettings settings;
    SetDefaultPrintSettings(settings);
    settings.title = QStringLiteral("Lista check in");
    QTreeWidget small;
    QTreeWidget large;
    FillList(small, kSmallList);
    FillList(large, kLargeList);
    QTemporaryDir folder;
    double smallRate = 0;
    double largeRate = 0;
    for (auto _ : state) {
        const auto [smallPages, smallSeconds] = PrintAll(settings, small, folder.filePath(QStringLiteral("small.pdf")));
        const auto [largePages, largeSeconds] = PrintAll(settings, large, folder.filePath(QStringLiteral("large.pdf")));
        smallRate = smallPages / smallSeconds;
        largeRate = largePages / largeSeconds;
        state.SetIterationTime(smallSeconds + largeSeconds);
        state.counters["pages_2000"] = smallPages;
        state.counters["pages_20000"] = largePages;
    }
    state.counters["pages_per_s_2000"] = smallRate;
    state.counters["pages_per_s_20000"] = largeRate;
    state.counters["ratio"] = largeRate > 0 ? smallRate / largeRate : 0;
}
BENCHMARK(BM_HotelPrintListReport)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
