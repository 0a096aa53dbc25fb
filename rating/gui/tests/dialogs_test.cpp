#include "clippedtextcheck.h"
#include "datetimedlg.h"
#include "language.h"
#include "localareacodedlg.h"
#include "valuxaaboutdlg.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

TEST(DateTimeDlg, DateFieldTakesTheLanguagesShortDateWithAFourDigitYear)
{
    const struct {
        const char* locale;
        const char* format;
    } cases[] = {{"it_IT", "dd/MM/yyyy"}, {"en_GB", "dd/MM/yyyy"}, {"en_US", "M/d/yyyy"}};
    for (const auto& c : cases)
        EXPECT_EQ(CDateTimeDlg::DateFormat(QLocale(QString::fromLatin1(c.locale))), QString::fromLatin1(c.format))
            << c.locale;
}

TEST(DateTimeDlg, ShowsItsWholeTitleAndTextsInBothLanguages)
{
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        for (std::uint8_t purpose = 0; purpose < 6; ++purpose) {
            CDateTimeDlg dialog(purpose);
            dialog.show();
            EXPECT_GE(dialog.width(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()))
                << dialog.windowTitle().toStdString();
            EXPECT_TRUE(HasNoClippedText(dialog)) << dialog.windowTitle().toStdString();
            const auto* date = dialog.findChild<QDateEdit*>(QStringLiteral("1007"));
            ASSERT_NE(date, nullptr);
            EXPECT_EQ(date->displayFormat(), CDateTimeDlg::DateFormat(QLocale()));
            if (purpose == 4)
                SaveScreenshot(dialog, language == kLanguageEnglish ? QStringLiteral("rating_datetime_en")
                                                                    : QStringLiteral("rating_datetime_it"));
        }
    }
    SetLanguage(kLanguageItalian);
}

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
