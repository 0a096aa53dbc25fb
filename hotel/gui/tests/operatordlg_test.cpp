// The password, operator and login dialogs of the hotel program, and the change of the logged-in
// operator's password on each backend.
#include "clippedtextcheck.h"
#include "hoteldbtest.h"
#include "language.h"
#include "lodgixstate.h"
#include "logindlg.h"
#include "operatordlg.h"
#include "operatorlogin.h"
#include "passworddlg.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

QLineEdit* Edit(QWidget& dialog, int id)
{
    return dialog.findChild<QLineEdit*>(QString::number(id));
}

void Type(QWidget& dialog, int id, const QString& text)
{
    Edit(dialog, id)->setText(text);
}

void Press(QWidget& dialog, int id)
{
    dialog.findChild<QPushButton*>(QString::number(id))->click();
}

// Shows the dialog at the size the program gives it, checks its texts and saves its picture.
void CheckShown(QDialog& dialog, const QString& name, int language)
{
    dialog.show();
    EXPECT_TRUE(HasNoClippedText(dialog)) << name.toStdString() << " " << language;
    SaveScreenshot(dialog, QStringLiteral("lodgix_%1_%2").arg(name, language == 2 ? "en" : "it"));
    dialog.hide();
}

TEST(HotelOperatorDialogs, TextsAndControlsInBothLanguages)
{
    struct TextCase {
        int language;
        QString loginTitle, newTitle, changeTitle, firstLabel, exit;
    };
    const TextCase cases[] = {
        {1, "Lodgix - Accesso", "Nuovo operatore", "Cambia password", "Vecchia password", "Esci"},
        {2, "Lodgix - Login", "New operator", "Change password", "Old password", "Exit"},
    };
    for (const TextCase& c : cases) {
        SetLanguage(c.language);
        CLoginDlg login(HotelLoginTexts());
        EXPECT_EQ(login.windowTitle(), c.loginTitle);
        EXPECT_EQ(login.findChild<QPushButton*>(QStringLiteral("1104"))->text(), c.exit);
        CheckShown(login, QStringLiteral("login"), c.language);

        COperatorDlg first(true);
        EXPECT_EQ(first.windowTitle(), c.newTitle);
        auto administrator = first.findChild<QCheckBox*>(QStringLiteral("1098"));
        EXPECT_TRUE(administrator->isChecked());
        EXPECT_FALSE(administrator->isEnabled()) << "the first operator is always an administrator";
        EXPECT_EQ(Edit(first, COperatorDlg::kFirstText)->echoMode(), QLineEdit::Normal);
        CheckShown(first, QStringLiteral("operator_new"), c.language);

        COperatorDlg change(COperatorDlg::OldPasswordCheck([](const QString&) { return true; }));
        EXPECT_EQ(change.windowTitle(), c.changeTitle);
        EXPECT_EQ(change.findChild<QLabel*>(QStringLiteral("1090"))->text(), c.firstLabel);
        EXPECT_EQ(Edit(change, COperatorDlg::kFirstText)->echoMode(), QLineEdit::Password);
        change.show();
        EXPECT_FALSE(change.findChild<QCheckBox*>(QStringLiteral("1098"))->isVisible());
        CheckShown(change, QStringLiteral("operator_change"), c.language);

        CPasswordDlg password;
        EXPECT_EQ(Edit(password, CPasswordDlg::kPassword)->echoMode(), QLineEdit::Password);
        CheckShown(password, QStringLiteral("password"), c.language);
    }
    SetLanguage(1);
}

TEST(HotelOperatorDialogs, NewOperatorCommitsOnlyWithNameAndTwiceTheSamePassword)
{
    struct CommitCase {
        const char* what;
        QString name, password, repeat;
        bool accepted;
    };
    const CommitCase cases[] = {
        {"empty name", "", "Segreta1", "Segreta1", false},
        {"empty password", "mario", "", "", false},
        {"repeat differs", "mario", "Segreta1", "segreta1", false},
        {"all given", "mario", "Segreta1", "Segreta1", true},
    };
    for (const CommitCase& c : cases) {
        COperatorDlg dialog(false);
        dialog.show();
        Type(dialog, COperatorDlg::kFirstText, c.name);
        Type(dialog, COperatorDlg::kPassword, c.password);
        Type(dialog, COperatorDlg::kRepeat, c.repeat);
        MessageBoxRecorder boxes;
        Press(dialog, COperatorDlg::kOk);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.what;
        EXPECT_EQ(dialog.isVisible(), !c.accepted) << c.what;
        if (!c.accepted) {
            ASSERT_EQ(boxes.Seen().size(), 1u) << c.what;
            EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Dati immessi non corretti"));
            EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Lodgix"));
            EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
            EXPECT_EQ(Edit(dialog, COperatorDlg::kFirstText)->text(), c.name) << "what was typed stays";
        } else {
            EXPECT_EQ(dialog.UserName(), c.name);
            EXPECT_EQ(dialog.Password(), c.password);
            EXPECT_FALSE(dialog.Administrator());
        }
    }
}

TEST(HotelOperatorDialogs, EnterAndEscapeCloseOnlyThePasswordRequest)
{
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        COperatorDlg operatorDialog(false);
        CLoginDlg login(HotelLoginTexts());
        for (QDialog* dialog : {static_cast<QDialog*>(&operatorDialog), static_cast<QDialog*>(&login)}) {
            dialog->show();
            QTest::keyClick(dialog, static_cast<Qt::Key>(key));
            EXPECT_TRUE(dialog->isVisible()) << dialog->objectName().toStdString() << " " << key;
        }
        CPasswordDlg password;
        password.show();
        Type(password, CPasswordDlg::kPassword, QStringLiteral("Tamp5830"));
        QTest::keyClick(Edit(password, CPasswordDlg::kPassword), static_cast<Qt::Key>(key));
        EXPECT_FALSE(password.isVisible()) << key;
        EXPECT_EQ(password.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}

class ChangePasswordTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_EQ(Db().EnsureGlobalTable(HotelTable::kOperators), kNoError);
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("Banco22"), false, m_operator.id), kNoError);
        m_operator.userName = QStringLiteral("mario");
    }

    bool LogsIn(const QString& password)
    {
        bool administrator = false;
        int id = 0;
        return Db().CheckOperatorLogin(m_operator.userName, password, administrator, id) && id == m_operator.id;
    }

    CurrentOperator m_operator;
};

TEST_P(ChangePasswordTest, TheOldPasswordIsCheckedExactlyAndTheNewOneStored)
{
    struct ChangeCase {
        const char* what;
        QString old, fresh, repeat;
        QStringList boxes;
        bool changed;
    };
    const ChangeCase cases[] = {
        {"old password in other case", "banco22", "Nuova33", "Nuova33", {"Dati immessi non corretti"}, false},
        {"repeat differs", "Banco22", "Nuova33", "Nuova34", {"Dati immessi non corretti"}, false},
        {"another operator's password", "Segreta1", "Nuova33", "Nuova33", {"Dati immessi non corretti"}, false},
        {"right", "Banco22", "Nuova33", "Nuova33", {"Password modificata con successo"}, true},
    };
    int other = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("admin"), QStringLiteral("Segreta1"), true, other), kNoError);
    for (const ChangeCase& c : cases) {
        QStringList seen;
        const auto answer = [&](QDialog* dialog) {
            if (auto box = qobject_cast<QMessageBox*>(dialog)) {
                seen << box->text();
                box->accept();
                return;
            }
            // A refusal's box opens while OK is pressed: the other answerer, whose timer is free, takes
            // it; the dialog still open afterwards is cancelled.
            Type(*dialog, COperatorDlg::kFirstText, c.old);
            Type(*dialog, COperatorDlg::kPassword, c.fresh);
            Type(*dialog, COperatorDlg::kRepeat, c.repeat);
            Press(*dialog, COperatorDlg::kOk);
        };
        ModalAnswerer first(answer);
        ModalAnswerer second(answer);
        EXPECT_EQ(ChangeOperatorPassword(Db(), m_operator, nullptr), c.changed) << c.what;
        EXPECT_EQ(seen, c.boxes) << c.what;
        EXPECT_EQ(LogsIn(QStringLiteral("Nuova33")), c.changed) << c.what;
        EXPECT_EQ(LogsIn(QStringLiteral("Banco22")), !c.changed) << c.what;
    }
}

INSTANTIATE_DB_TEST(ChangePasswordTest);

}  // namespace
}  // namespace lodgix
