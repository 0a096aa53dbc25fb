#include "accesspassworddlg.h"

#include "dialogtesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(AccessPasswordDlg, NinthCharacterCannotBeTyped)
{
    CAccessPasswordDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Password di accesso"));
    auto label = dialog.findChild<QLabel*>(QStringLiteral("1123"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Password di accesso"));
    auto edit = dialog.findChild<QLineEdit*>(QStringLiteral("1120"));
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("Tamp58301"));
    EXPECT_EQ(edit->text(), QStringLiteral("Tamp5830"));
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("CAccessPasswordDlg")));

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1121")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Password(), QStringLiteral("Tamp5830"));
}

TEST(AccessPasswordDlg, CancelAndClosingGiveNoPassword)
{
    for (const bool byButton : {true, false}) {
        CAccessPasswordDlg dialog;
        dialog.show();
        QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("1120")), QStringLiteral("abc"));
        if (byButton)
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1122")), Qt::LeftButton);
        else
            dialog.close();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(dialog.Password().isEmpty());
    }
}

}  // namespace
