#include "wakeuptimedlg.h"

#include "dialogtestsupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class WakeUpTimeDlgTest : public ConsoleDialogTest {};

TEST_P(WakeUpTimeDlgTest, KindOpensOnItsEntry)
{
    const struct {
        std::uint8_t kind;
        int position;
    } cases[] = {{0, 0}, {1, 1}, {2, 0}};
    for (const auto& c : cases) {
        PbxStateTables::WakeUp record{4, c.kind, 6, 5, 0};
        CWakeUpTimeDlg dialog(record);
        auto kind = Find<QComboBox>(dialog, CWakeUpTimeDlg::kKind);
        EXPECT_EQ(kind->currentIndex(), c.position) << int(c.kind);
        EXPECT_EQ(kind->itemText(0), English() ? "Once" : "Singola");
        EXPECT_EQ(kind->itemText(1), English() ? "Daily" : "Giornaliera");
        EXPECT_EQ(Find<QLineEdit>(dialog, CWakeUpTimeDlg::kTime)->text(), "0605");
    }
}

TEST_P(WakeUpTimeDlgTest, TimeAndKindWrittenOnOk)
{
    const struct {
        const char* time;
        int position;
        std::uint8_t kind;
        std::uint8_t hour;
        std::uint8_t minute;
    } cases[] = {{"0730", 0, 2, 7, 30}, {"2359", 1, 1, 23, 59}, {"0000", 0, 2, 0, 0}};
    for (const auto& c : cases) {
        PbxStateTables::WakeUp record{4, 0, 6, 5, 9};
        CWakeUpTimeDlg dialog(record);
        dialog.show();
        Find<QLineEdit>(dialog, CWakeUpTimeDlg::kTime)->setText(QString::fromLatin1(c.time));
        Find<QComboBox>(dialog, CWakeUpTimeDlg::kKind)->setCurrentIndex(c.position);
        Find<QPushButton>(dialog, CWakeUpTimeDlg::kOk)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.time;
        EXPECT_EQ(record, (PbxStateTables::WakeUp{4, c.kind, c.hour, c.minute, 0})) << c.time;
    }
}

// "ab30" and "7:30" were read as 00:30 and 07:30 (a character that is no digit counted as 0).
TEST_P(WakeUpTimeDlgTest, TimeThatIsNotFourDigitsOfADayIsRefused)
{
    for (const char* time : {"2400", "1260", "730", "ab30", "7:30", "07300", "", " 730", "+730"}) {
        PbxStateTables::WakeUp record{4, 1, 6, 5, 0};
        const PbxStateTables::WakeUp before = record;
        CWakeUpTimeDlg dialog(record);
        dialog.show();
        Find<QLineEdit>(dialog, CWakeUpTimeDlg::kTime)->setText(QString::fromLatin1(time));
        MessageBoxRecorder boxes;
        Find<QPushButton>(dialog, CWakeUpTimeDlg::kOk)->click();
        ASSERT_EQ(boxes.Seen().size(), 1u) << time;
        EXPECT_EQ(boxes.Seen()[0].title, "Fonivra");
        EXPECT_EQ(boxes.Seen()[0].text, English() ? "The time entered is not valid" : "Orario inserito non valido");
        EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(dialog.isVisible()) << time;
        EXPECT_EQ(record, before) << time;
    }
}

TEST_P(WakeUpTimeDlgTest, BothFormsShowTheirFields)
{
    PbxStateTables::WakeUp record{4, 1, 7, 30, 0};
    CWakeUpTimeDlg wakeUp(record);
    ShowAndShoot(wakeUp, QStringLiteral("wakeuptimedlg_wakeup"));
    EXPECT_EQ(wakeUp.windowTitle(), English() ? "Enable wake-up call" : "Abilita sveglia");
    EXPECT_FALSE(wakeUp.windowIcon().isNull());
    EXPECT_FALSE(Find<QDateEdit>(wakeUp, CWakeUpTimeDlg::kDate)->isVisible());
    EXPECT_EQ(Find<QLabel>(wakeUp, CWakeUpTimeDlg::kModeLabel)->text(), English() ? "Wake-up mode" : "Modo sveglia");
    EXPECT_EQ(Find<QPushButton>(wakeUp, CWakeUpTimeDlg::kOk)->text(), English() ? "Done" : "Fatto");

    OleDate date(2026, 12, 11, 8, 45, 0);
    const OleDate before = date;
    CWakeUpTimeDlg filter(date);
    ShowAndShoot(filter, QStringLiteral("wakeuptimedlg_datefilter"));
    EXPECT_EQ(filter.windowTitle(), English() ? "Set date filter" : "Imposta filtro data");
    EXPECT_EQ(Find<QLineEdit>(filter, CWakeUpTimeDlg::kTime)->text(), "08:45");
    EXPECT_FALSE(Find<QComboBox>(filter, CWakeUpTimeDlg::kKind)->isVisible());
    EXPECT_EQ(Find<QDateEdit>(filter, CWakeUpTimeDlg::kDate)->date(), QDate(2026, 12, 11));
    EXPECT_EQ(Find<QLabel>(filter, CWakeUpTimeDlg::kModeLabel)->text(), English() ? "Date" : "Data");
    Find<QPushButton>(filter, CWakeUpTimeDlg::kOk)->click();
    EXPECT_EQ(filter.result(), QDialog::Accepted);
    EXPECT_EQ(date, before);
}

CONSOLE_DIALOG_TEST_LANGUAGES(WakeUpTimeDlgTest);

}  // namespace
