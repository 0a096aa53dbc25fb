#include "progressdlg.h"

#include "dialogtestsupport.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr unsigned kCaption = 1024;  // "Attendere prego..."

class ProgressDlgTest : public ConsoleDialogTest {};

TEST_P(ProgressDlgTest, PercentTextOfThePosition)
{
    QMainWindow owner;
    owner.show();
    CProgressDlg dialog(kCaption);
    ASSERT_TRUE(dialog.CreateModeless(&owner));
    EXPECT_EQ(dialog.windowTitle(), English() ? "Please wait..." : "Attendere prego...");
    EXPECT_EQ(dialog.PercentText(), " 0 %");
    const struct {
        int position;
        const char* percent;
        int previous;
    } cases[] = {{50, "50%", 0}, {100, "100%", 50}, {0, "0%", 100}, {99, "99%", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(dialog.SetProgress(c.position), c.previous) << c.position;
        EXPECT_EQ(dialog.PercentText(), c.percent) << c.position;
        EXPECT_EQ(Find<QProgressBar>(dialog, CProgressDlg::kBar)->value(), c.position);
    }
    dialog.SetStatusText(QStringLiteral("Registrazione 3 di 7"));
    dialog.SetProgress(50);
    EXPECT_EQ(Find<QLabel>(dialog, CProgressDlg::kStatus)->text(), "Registrazione 3 di 7");
    ShowAndShoot(dialog, QStringLiteral("progressdlg"));
}

TEST_P(ProgressDlgTest, SeveralCancelsAreReadOnceAndTheDialogStays)
{
    QMainWindow owner;
    owner.show();
    CProgressDlg dialog(kCaption);
    dialog.CreateModeless(&owner);
    QPushButton* cancel = Find<QPushButton>(dialog, CProgressDlg::kCancel);
    EXPECT_FALSE(dialog.TakeCancelRequest());
    cancel->click();
    cancel->click();
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.TakeCancelRequest());
    EXPECT_FALSE(dialog.TakeCancelRequest());
}

TEST_P(ProgressDlgTest, ClickPostedBeforeAStepIsHandledByTheStep)
{
    QMainWindow owner;
    owner.show();
    CProgressDlg dialog(kCaption);
    dialog.CreateModeless(&owner);
    // A click that waits in the queue, as one the user made during the caller's loop.
    QMetaObject::invokeMethod(Find<QPushButton>(dialog, CProgressDlg::kCancel), "click", Qt::QueuedConnection);
    dialog.SetProgress(10);
    EXPECT_TRUE(dialog.TakeCancelRequest());
}

TEST_P(ProgressDlgTest, OwnerIsDisabledWhileUpAndKeepsItsFormerState)
{
    for (const bool enabledBefore : {true, false}) {
        QMainWindow owner;
        owner.setEnabled(enabledBefore);
        owner.show();
        {
            CProgressDlg dialog(kCaption);
            dialog.CreateModeless(owner.centralWidget() ? owner.centralWidget() : &owner);
            EXPECT_FALSE(owner.isEnabled());
            EXPECT_TRUE(dialog.isEnabled()) << "the dialog itself takes clicks";
        }
        EXPECT_EQ(owner.isEnabled(), enabledBefore);
    }
}

CONSOLE_DIALOG_TEST_LANGUAGES(ProgressDlgTest);

}  // namespace
