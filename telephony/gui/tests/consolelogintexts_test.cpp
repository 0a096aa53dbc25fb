#include "consolelogintexts.h"

#include "dialogtestsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class ConsoleLoginTest : public ConsoleDialogTest {};

TEST_P(ConsoleLoginTest, ConsoleFormOfTheLoginDialog)
{
    CLoginDlg dialog(ConsoleLoginTexts());
    ShowAndShoot(dialog, QStringLiteral("consolelogindlg"));
    EXPECT_EQ(dialog.windowTitle(), English() ? "Login" : "Accesso");
    EXPECT_EQ(Find<QLabel>(dialog, CLoginDlg::kUserNameLabel)->text(), English() ? "User name" : "Nome utente");
    EXPECT_EQ(Find<QLabel>(dialog, CLoginDlg::kPasswordLabel)->text(), "Password");
    EXPECT_EQ(Find<QPushButton>(dialog, CLoginDlg::kExit)->text(), English() ? "Exit" : "Esci");

    Find<QLineEdit>(dialog, CLoginDlg::kUserName)->setText(QStringLiteral("operatore"));
    MessageBoxRecorder boxes;
    Find<QPushButton>(dialog, CLoginDlg::kOk)->click();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, "Fonivra");
    EXPECT_EQ(boxes.Seen()[0].text, English() ? "The data entered are not valid" : "Dati immessi non validi");
    EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialog.isVisible());
}

CONSOLE_DIALOG_TEST_LANGUAGES(ConsoleLoginTest);

}  // namespace
