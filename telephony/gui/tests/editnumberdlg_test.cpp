#include "editnumberdlg.h"

#include "dialogtestsupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class EditNumberDlgTest : public ConsoleDialogTest {};

TEST_P(EditNumberDlgTest, TwentyDigitsAndNoTwentyFirst)
{
    CEditNumberDlg dialog;
    dialog.SetNumber(QStringLiteral("0039051"));
    ShowAndShoot(dialog, QStringLiteral("editnumberdlg"));
    EXPECT_EQ(dialog.windowTitle(), English() ? "Edit number" : "Modifica numero");
    auto edit = Find<QLineEdit>(dialog, CEditNumberDlg::kNumber);
    edit->clear();
    QTest::keyClicks(edit, QString(CEditNumberDlg::kMaxLength + 1, u'7'));
    EXPECT_EQ(edit->text(), QString(CEditNumberDlg::kMaxLength, u'7'));
    Find<QPushButton>(dialog, CEditNumberDlg::kOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Number(), QString(CEditNumberDlg::kMaxLength, u'7'));
}

TEST_P(EditNumberDlgTest, CancelKeepsTheNumberGiven)
{
    CEditNumberDlg dialog;
    dialog.SetNumber(QStringLiteral("051"));
    dialog.show();
    Find<QLineEdit>(dialog, CEditNumberDlg::kNumber)->setText(QStringLiteral("052"));
    Find<QPushButton>(dialog, CEditNumberDlg::kCancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Number(), "051");
}

CONSOLE_DIALOG_TEST_LANGUAGES(EditNumberDlgTest);

}  // namespace
