#include "localareacodedlg.h"
#include "valuxaaboutdlg.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

TEST(LocalAreaCodeDlg, ListsPlaceAndCodeInListOrderAndReturnsTheChoice)
{
    PrefixGroup areaCodes;
    areaCodes.entries = {{QStringLiteral("06"), QStringLiteral("Roma")}, {QStringLiteral("02"), QStringLiteral("Milano")},
                         {QStringLiteral("011"), QStringLiteral("Torino")}};
    CLocalAreaCodeDlg dialog(areaCodes);
    auto combo = dialog.findChild<QComboBox*>(QStringLiteral("1151"));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Milano (02)"));
    EXPECT_EQ(dialog.ChosenIndex(), 0);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1147"))->text(), QStringLiteral("Seleziona prefisso locale"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tarivo"));

    ModalAnswerer answerer([](QDialog* shown) {
        shown->findChild<QComboBox*>(QStringLiteral("1151"))->setCurrentIndex(2);
        SaveScreenshot(*shown, QStringLiteral("rating_dialog_145"));
        shown->accept();
    });
    EXPECT_EQ(CLocalAreaCodeDlg::Choose(areaCodes), 2);
}

TEST(ValuxaAboutDlg, ShowsNameVersionAndMaker)
{
    CValuxaAboutDlg dialog;
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1076"))->text(), QStringLiteral("Tarivo 1.0.0.25"));
    for (const char* id : {"1077", "1078", "1079", "1080", "1082"})
        EXPECT_FALSE(dialog.findChild<QLabel*>(QLatin1StringView(id))->text().isEmpty()) << id;
    dialog.show();
    SaveScreenshot(dialog, QStringLiteral("rating_about"));
}

}  // namespace
