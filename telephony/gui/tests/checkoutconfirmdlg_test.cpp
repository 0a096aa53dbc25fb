#include "checkoutconfirmdlg.h"

#include "countingperioddlg.h"
#include "dialogtestsupport.h"
#include "oledatetext.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

namespace {

class CheckOutConfirmDlgTest : public ConsoleDialogTest {
protected:
    const OleDate checkIn{2026, 12, 9, 14, 30, 0};
};

TEST_P(CheckOutConfirmDlgTest, ShowsTheStayAndOnlyTheStartCanBeCorrected)
{
    CCheckOutConfirmDlg dialog(kLabelledExtension, checkIn, context);
    ShowAndShoot(dialog, QStringLiteral("checkoutconfirmdlg"));
    EXPECT_EQ(dialog.windowTitle(), (English() ? "Confirm check-out " : "Conferma check out ") + kLabel);
    EXPECT_EQ(Find<QPushButton>(dialog, CCheckOutConfirmDlg::kCheckIn)->text(), FormatOleDate(checkIn, QLocale()));
    auto checkOut = Find<QPushButton>(dialog, CCheckOutConfirmDlg::kCheckOut);
    EXPECT_EQ(checkOut->text(), FormatOleDate(dialog.CheckOut(), QLocale()));
    EXPECT_FALSE(checkOut->isEnabled());
    EXPECT_EQ(Find<QPushButton>(dialog, CCheckOutConfirmDlg::kOk)->text(), English() ? "Confirm" : "Conferma");
    EXPECT_EQ(Find<QPushButton>(dialog, CCheckOutConfirmDlg::kCancel)->text(), English() ? "Cancel" : "Annulla");
    EXPECT_LE(SecondsBetween(dialog.CheckOut(), OleDate::Now()), 5);
}

TEST_P(CheckOutConfirmDlgTest, PickedDateAndTimeOrTheCheckInKept)
{
    const struct {
        bool accepted;
        QDate date;
        QTime time;
        OleDate expected;
    } cases[] = {
        // The pickers set from different days: the start takes the date of one and the time of the other.
        {true, QDate(2026, 12, 8), QTime(23, 15, 40), OleDate(2026, 12, 8, 23, 15, 40)},
        {true, QDate(2026, 12, 10), QTime(0, 0, 5), OleDate(2026, 12, 10, 0, 0, 5)},
        {false, QDate(2026, 12, 1), QTime(8, 0, 0), OleDate(2026, 12, 9, 14, 30, 0)},
    };
    for (const auto& c : cases) {
        QString pickerTitle;
        QDate pickerDate;
        CCheckOutConfirmDlg dialog(0, checkIn, context, nullptr, [&](QDialog& picker) {
            pickerTitle = picker.windowTitle();
            pickerDate = Find<QDateEdit>(picker, CCountingPeriodDlg::kDate)->date();
            ShowAndShoot(picker, QStringLiteral("countingperioddlg"));
            Find<QDateEdit>(picker, CCountingPeriodDlg::kDate)->setDate(c.date);
            Find<QTimeEdit>(picker, CCountingPeriodDlg::kTime)->setTime(c.time);
            Find<QPushButton>(picker, c.accepted ? CCountingPeriodDlg::kOk : CCountingPeriodDlg::kCancel)->click();
            return picker.result();
        });
        auto button = Find<QPushButton>(dialog, CCheckOutConfirmDlg::kCheckIn);
        button->click();
        EXPECT_EQ(pickerTitle, English() ? "Counting start date/time" : "Data/Ora inizio conteggio");
        EXPECT_EQ(pickerDate, checkIn.Date());
        EXPECT_EQ(dialog.CheckIn(), c.expected) << c.accepted;
        EXPECT_EQ(button->text(), FormatOleDate(c.expected, QLocale()));
    }
}

TEST_P(CheckOutConfirmDlgTest, CountingPeriodTitlesByMode)
{
    const struct {
        int mode;
        const char* italian;
        const char* english;
    } cases[] = {{4, "Data/Ora inizio conteggio", "Counting start date/time"},
                 {5, "Data/Ora fine conteggio", "Counting end date/time"},
                 {3, "", ""}};
    for (const auto& c : cases) {
        CCountingPeriodDlg dialog(c.mode);
        EXPECT_EQ(dialog.windowTitle(), English() ? c.english : c.italian) << c.mode;
        EXPECT_EQ(Find<QLabel>(dialog, CCountingPeriodDlg::kDateLabel)->text(), English() ? "Set date" : "Imposta data");
        EXPECT_EQ(Find<QLabel>(dialog, CCountingPeriodDlg::kTimeLabel)->text(), English() ? "Set time" : "Imposta ora");
    }
}

CONSOLE_DIALOG_TEST_LANGUAGES(CheckOutConfirmDlgTest);

}  // namespace
