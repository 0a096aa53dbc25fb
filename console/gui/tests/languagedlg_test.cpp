#include "languagedlg.h"

#include "dialogtesting.h"
#include "language.h"
#include "languageicons.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(LanguageDlg, OffersItalianWithItsFlag)
{
    CLanguageDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Utensa language"));
    auto combo = dialog.findChild<QComboBox*>(QStringLiteral("1107"));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("ITALIANO"));
    EXPECT_FALSE(combo->itemIcon(0).isNull());
    ASSERT_EQ(dialog.ImageList().size(), 2u);
    EXPECT_EQ(combo->itemIcon(0).pixmap(16).toImage(), LanguageIcon(kItalianFlagIcon).pixmap(16).toImage());
    EXPECT_FALSE(LanguageIcon(kEnglishFlagIcon).isNull());
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("CLanguageDlg")));

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("1108")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SelectedIndex(), 0);
}

TEST(LanguageDlg, ClosingTheWindowGivesItalian)
{
    CLanguageDlg dialog;
    dialog.show();
    dialog.close();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    // The start-up stores index + 1.
    EXPECT_EQ(dialog.SelectedIndex() + 1, kLanguageItalian);
}

}  // namespace
