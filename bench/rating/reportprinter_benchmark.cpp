// PrintListReport counting and printing every page of a list to a PDF file, for 2,000 and for 20,000
// rows: pages per second of each and their ratio. Printing page n walks the list from its start, so the
// work grows faster than the pages; the ratio shows by how much.

#include "printsettings.h"
#include "ratinglist.h"
#include "reportprinter.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kSmallList = 2000;
constexpr int kLargeList = 20000;

void FillList(CRatingList& list, int rows)
{
    list.ShowReport(true, false);
    list.resize(700, 300);
    for (const char* heading : {"Data e Ora", "Durata", "Numero chiamato", "Importo"})
        list.AddColumn(QString::fromLatin1(heading), 170, false);
    for (int row = 0; row < rows; ++row)
        list.AddRow({QStringLiteral("03/12/2026 10:%1").arg(row % 60), QStringLiteral("00:01:05"),
                     QStringLiteral("0612345***"), QStringLiteral("1.25")},
                    row);
}

// Counts the pages, prints each; the pages printed and the seconds it took.
std::pair<int, double> PrintAll(const PrintSettings& settings, const CRatingList& list, const QString& path)
{
    const auto start = std::chrono::steady_clock::now();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QPainter painter(&printer);
    const int pages = PrintListReport(settings, painter, list, nullptr, nullptr, false, 0, 1);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        PrintListReport(settings, painter, list, nullptr, nullptr, true, pages, page);
    }
    painter.end();
    return {pages, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
}

void BM_PrintListReport(benchmark::State& state)
{
    PrintSettings settings;
    SetDefaultPrintSettings(settings);
    settings.title = QStringLiteral("STORICO INT. 201");
    CRatingList small;
    CRatingList large;
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
BENCHMARK(BM_PrintListReport)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
