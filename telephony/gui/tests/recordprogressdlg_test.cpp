#include "recordprogressdlg.h"

#include "dialogtestsupport.h"
#include "event.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

TEST(RecordProgressTime, MinutesAndSecondsOrHoursFromAnHourOn)
{
    const struct {
        std::uint16_t seconds;
        const char* text;
    } cases[] = {{0, "0.00"}, {45, "0.45"}, {59, "0.59"}, {60, "1.00"}, {123, "2.03"},
                 {3599, "59.59"}, {3600, "1.00.00"}, {3723, "1.02.03"}, {65535, "18.12.15"}};
    for (const auto& c : cases)
        EXPECT_EQ(CRecordProgressDlg::FormatTime(c.seconds), c.text) << c.seconds;
}

class RecordProgressDlgTest : public ConsoleDialogTest {};

TEST_P(RecordProgressDlgTest, BarFollowsTheElapsedTimeOfTheTotal)
{
    const struct {
        std::uint16_t total;
        std::uint16_t elapsed;
        int bar;
        const char* elapsedText;
    } cases[] = {{120, 60, 50, "1.00"}, {120, 120, 100, "2.00"}, {0, 59, 0, "0.59"}, {0, 3600, 0, "1.00.00"},
                 {60, 0, 0, "0.00"}};
    for (const auto& c : cases) {
        Event stop(Event::Reset::Manual);
        CRecordProgressDlg dialog(c.total, stop);
        dialog.SetElapsed(c.elapsed);
        EXPECT_EQ(Find<QProgressBar>(dialog, CRecordProgressDlg::kBar)->value(), c.bar) << c.total << " " << c.elapsed;
        EXPECT_EQ(Find<QLabel>(dialog, CRecordProgressDlg::kElapsedTime)->text(), c.elapsedText);
        EXPECT_EQ(Find<QLabel>(dialog, CRecordProgressDlg::kTotalTime)->text(), CRecordProgressDlg::FormatTime(c.total));
    }
}

TEST_P(RecordProgressDlgTest, StopSetsThePlayersEventAndTheDialogStays)
{
    Event stop(Event::Reset::Manual);
    CRecordProgressDlg dialog(3723, stop);
    dialog.SetElapsed(1800);
    ShowAndShoot(dialog, QStringLiteral("recordprogressdlg"));
    EXPECT_EQ(dialog.windowTitle(), English() ? "Playing..." : "Riproduzione in corso...");
    EXPECT_FALSE(Find<QPushButton>(dialog, CRecordProgressDlg::kHiddenButton)->isVisible());
    QPushButton* stopButton = Find<QPushButton>(dialog, CRecordProgressDlg::kStop);
    EXPECT_EQ(stopButton->text(), English() ? "Stop" : "Ferma");
    EXPECT_FALSE(stop.IsSignalled());
    stopButton->click();
    EXPECT_TRUE(stop.IsSignalled());
    EXPECT_TRUE(dialog.isVisible());
}

CONSOLE_DIALOG_TEST_LANGUAGES(RecordProgressDlgTest);

}  // namespace
