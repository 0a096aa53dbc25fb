// The operator console's icons: building the extensions' image list for 512 extensions, and redrawing one
// extension's icon (the views redraw flashing icons every second) against drawing its picture alone.
// Microseconds per icon are the benchmarks' times; the ratio is the counter "vs_picture" of the redraw.
#include "iconartwork.h"
#include "mainsettings.h"
#include "objectimagelists.h"
#include "operatorconsolestate.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

// 512 extensions: two PBXs of 256.
constexpr int kExtensions = 512;

struct Fixture {
    Fixture()
    {
        // Two PBXs of 255 extensions each (a count is one byte); the last two icons have no PBX of their own.
        state.firstInitialization.bytes[PbxInitialization::kExtensionCountOffset] = 255;
        state.secondInitialization.bytes[PbxInitialization::kExtensionCountOffset] = 255;
        state.hasSecondPbx = true;
        state.tables.Allocate({kExtensions, 0, 0, 0});
        for (std::size_t i = 0; i < state.tables.extensionStatus.size(); ++i) {
            state.tables.extensionStatus[i].bytes[2] = i % 3 == 0 ? 7 : 2;
            state.tables.extensionWakeUp[i][1] = i % 5 == 0 ? 2 : 0;
            state.tables.extensionProgramming[i][5] = 1;
            state.tables.extensionProgramming[i][49] = 255;
            state.tables.extensionUnread[i] = i % 7 == 0 ? 1 : 0;
        }
        settings.SetLabelsShown(MainSettings::kExtensions, 1);
        settings.SetLabelMinimumCharacters(MainSettings::kExtensions, 10);
    }

    IconPictureChoosers Choosers()
    {
        IconPictureChoosers choosers;
        choosers.extension = [this](int index, QString& text) {
            const bool busy = state.tables.extensionStatus[static_cast<std::size_t>(index)].State() == 7;
            text = busy ? QStringLiteral("OCCUPATO") : QStringLiteral("LIBERO");
            return busy ? 204 : 243;
        };
        return choosers;
    }

    OperatorConsoleState state;
    MainSettings settings;
};

PbxLabelReader Labels()
{
    return [](PbxLabelKind, int, int index) { return QStringLiteral("Camera %1").arg(index); };
}

void BM_BuildExtensionImageList(benchmark::State& run)
{
    Fixture fixture;
    OperatorImageLists lists(fixture.state, fixture.settings, Labels(), fixture.Choosers());
    for (auto _ : run) {
        lists.BuildImageLists(1);
        benchmark::DoNotOptimize(lists.List(ObjectKind::Extensions).Count());
    }
    run.SetItemsProcessed(run.iterations() * kExtensions);
}
BENCHMARK(BM_BuildExtensionImageList)->Unit(benchmark::kMillisecond);

// The picture alone, drawn into a cell as the icon does it.
double PictureMicroseconds(QSize cell, int iterations)
{
    QImage image(cell, QImage::Format_RGB32);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < iterations; ++i) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.drawImage(0, 0, IconArtwork::Picture(243));
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / iterations;
}

void BM_DrawExtensionIcon(benchmark::State& run)
{
    Fixture fixture;
    OperatorImageLists lists(fixture.state, fixture.settings, Labels(), fixture.Choosers());
    lists.BuildImageLists(1);
    int index = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : run) {
        lists.DrawExtensionIcon(index);
        index = (index + 1) % kExtensions;
    }
    const double icon = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
                        static_cast<double>(std::max<benchmark::IterationCount>(1, run.iterations()));
    const double picture = PictureMicroseconds(lists.List(ObjectKind::Extensions).cellSize, 2000);
    run.counters["icon_us"] = icon;
    run.counters["picture_us"] = picture;
    run.counters["vs_picture"] = picture > 0 ? icon / picture : 0;
}
BENCHMARK(BM_DrawExtensionIcon)->Unit(benchmark::kMicrosecond);

void BM_DrawPictureAlone(benchmark::State& run)
{
    QImage image(QSize(70, 70), QImage::Format_RGB32);
    for (auto _ : run) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.drawImage(0, 0, IconArtwork::Picture(243));
    }
    run.SetItemsProcessed(run.iterations());
}
BENCHMARK(BM_DrawPictureAlone)->Unit(benchmark::kMicrosecond);

}  // namespace

// Fonts need a GUI application; without a display it runs offscreen.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
