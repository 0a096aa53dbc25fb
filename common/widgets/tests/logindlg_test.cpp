#include "logindlg.h"

#include "clippedtextcheck.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

const CLoginDlg::Texts kTexts{QStringLiteral("Lodgix - Accesso"), QStringLiteral("Username"), QStringLiteral("Password"),
                              QStringLiteral("Esci"), QStringLiteral("Dati immessi non corretti"), QStringLiteral("Lodgix")};

struct LoginFixture {
    LoginFixture() { dialog.show(); }
    QLineEdit* Edit(int id) { return dialog.findChild<QLineEdit*>(QString::number(id)); }
    QPushButton* Button(int id) { return dialog.findChild<QPushButton*>(QString::number(id)); }

    CLoginDlg dialog{kTexts};
};

TEST(LoginDlg, BothFieldsAreNeeded)
{
    const struct {
        const char* user;
        const char* password;
        bool accepted;
    } cases[] = {{"", "", false}, {"mario", "", false}, {"", "segreta", false}, {"mario", "segreta", true}};
    for (const auto& c : cases) {
        LoginFixture f;
        f.Edit(CLoginDlg::kUserName)->setText(QString::fromLatin1(c.user));
        f.Edit(CLoginDlg::kPassword)->setText(QString::fromLatin1(c.password));
        MessageBoxRecorder boxes;
        f.Button(CLoginDlg::kOk)->click();
        EXPECT_EQ(f.dialog.isVisible(), !c.accepted) << c.user << "/" << c.password;
        EXPECT_EQ(boxes.Seen().size(), c.accepted ? 0u : 1u);
        if (!c.accepted) {
            EXPECT_EQ(boxes.Seen()[0].title, "Lodgix");
            EXPECT_EQ(boxes.Seen()[0].text, "Dati immessi non corretti");
        } else {
            EXPECT_EQ(f.dialog.UserName(), "mario");
            EXPECT_EQ(f.dialog.Password(), "segreta");
        }
    }
}

TEST(LoginDlg, EnterAndEscapeDoNotEndItButExitDoes)
{
    LoginFixture f;
    ASSERT_TRUE(WaitFor([&] { return f.dialog.windowHandle() && f.dialog.windowHandle()->isExposed(); }));
    EXPECT_TRUE(HasNoClippedText(f.dialog));
    SaveScreenshot(f.dialog, QStringLiteral("logindlg"));
    f.Edit(CLoginDlg::kUserName)->setText(QStringLiteral("mario"));
    f.Edit(CLoginDlg::kPassword)->setText(QStringLiteral("segreta"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(f.Edit(CLoginDlg::kPassword), key);
        EXPECT_TRUE(f.dialog.isVisible()) << key;
    }
    f.Button(CLoginDlg::kExit)->click();
    EXPECT_FALSE(f.dialog.isVisible());
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
}

TEST(LoginDlg, FieldsTakeAtMost63CharactersAndThePasswordIsMasked)
{
    LoginFixture f;
    for (const int id : {CLoginDlg::kUserName, CLoginDlg::kPassword}) {
        QTest::keyClicks(f.Edit(id), QString(64, u'a'));
        EXPECT_EQ(f.Edit(id)->text().size(), 63) << id;
    }
    EXPECT_EQ(f.Edit(CLoginDlg::kPassword)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(f.dialog.windowTitle(), "Lodgix - Accesso");
    EXPECT_EQ(f.Button(CLoginDlg::kExit)->text(), "Esci");
}

}  // namespace
