// The extensions window's one-second tick with 256 extensions of which 32 blink (their icons drawn again
// and their items only), against drawing every icon and item again as a full repaint would; each
// iteration also paints what the window was asked to. Microseconds per tick are the benchmarks' times.
#include "derivedview.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// Two PBXs of 128 extensions: the window shows both.
constexpr int kPerPbx = 128;
constexpr int kExtensions = 2 * kPerPbx;
constexpr int kBlinkEvery = kExtensions / 32;

struct Fixture {
    Fixture()
    {
        state.firstInitialization.bytes[PbxInitialization::kExtensionCountOffset] = kPerPbx;
        state.secondInitialization.bytes[PbxInitialization::kExtensionCountOffset] = kPerPbx;
        state.hasSecondPbx = true;
        state.tables.Allocate({kExtensions, 0, 0, 0});
        for (std::size_t i = 0; i < state.tables.extensionStatus.size(); ++i) {
            const bool blinks = i % kBlinkEvery == 0;
            state.tables.extensionStatus[i].bytes[ExtensionEntry::kStateOffset] = blinks ? kStateIncomingCall : kStateReady;
            state.tables.extensionProgramming[i][49] = 255;
        }
        settings.main.SetLabelsShown(MainSettings::kExtensions, 1);
        IconPictureChoosers choosers;
        choosers.extension = [this](int index, QString& text) {
            const bool ringing = state.tables.extensionStatus[static_cast<std::size_t>(index)].State() == kStateIncomingCall;
            text = ringing ? QStringLiteral("SQUILLA") : QStringLiteral("LIBERO");
            return ringing && state.tables.extensionWork[static_cast<std::size_t>(index)][0] ? 204 : 243;
        };
        images = std::make_unique<OperatorImageLists>(
            state, settings.main, [](PbxLabelKind, int, int index) { return QStringLiteral("Camera %1").arg(index); },
            choosers);
        images->BuildImageLists(1);
        context.state = &state;
        context.settings = &settings;
        context.images = images.get();
        view = std::make_unique<CDerivedView>(context, CObjectListView::ShownObject());
        view->resize(1000, 700);
        view->show();
        QApplication::processEvents();
    }

    OperatorConsoleState state;
    OperatorSettingsRecords settings;
    std::unique_ptr<OperatorImageLists> images;
    ConsoleWindowContext context;
    std::unique_ptr<CDerivedView> view;
};

void BM_ExtensionsTick(benchmark::State& run)
{
    Fixture fixture;
    for (auto _ : run) {
        fixture.view->OnTimer();
        QApplication::processEvents();
    }
    run.counters["items"] = fixture.view->count();
}
BENCHMARK(BM_ExtensionsTick)->Unit(benchmark::kMicrosecond);

void BM_ExtensionsRepaintAll(benchmark::State& run)
{
    Fixture fixture;
    for (auto _ : run) {
        for (int extension = 0; extension < kExtensions; ++extension) {
            fixture.images->DrawIcon(ObjectKind::Extensions, extension);
            fixture.view->RedrawObjectItem(extension, 0);
        }
        QApplication::processEvents();
    }
    run.counters["items"] = fixture.view->count();
}
BENCHMARK(BM_ExtensionsRepaintAll)->Unit(benchmark::kMicrosecond);

}  // namespace
