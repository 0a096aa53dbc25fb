#include "defaultprefixgroups.h"
#include "defaulttariffs.h"
#include "clippedtextcheck.h"
#include "language.h"
#include "modalscript.h"
#include "numericedit.h"
#include "prefixdlgs.h"
#include "ruledlg.h"
#include "ruleexpressiondlg.h"
#include "tariffdlg.h"
#include "timebanddlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <map>

namespace {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(kLanguageItalian); }
};

void Choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// One band dialog step: the end typed, OK pressed.
ModalScript::Step Band(const QString& end, double shownValue = -1)
{
    return [end, shownValue](QDialog* dialog) {
        SetEditText(dialog, 1044, end);
        if (shownValue >= 0)
            Find<CNumericEdit>(dialog, 1045)->SetValue(shownValue);
        Click(dialog, 1);
    };
}

TariffRecord TimeTariff()
{
    TariffRecord tariff;
    InitEmptyTariff(tariff);
    tariff.name = QStringLiteral("Prova");
    for (int day = 0; day < TariffRecord::kDayCount; ++day)
        tariff.days[day].bands = {TariffBand{0, kSecondsPerDay, 0.0001 * (day + 1), kGreenBand}};
    return tariff;
}

TEST_F(EditorTest, BandEndsMustBeFourDigitsOfATimeUpToMidnight)
{
    struct Case {
        const char* text;
        std::optional<double> seconds;
    } const cases[] = {
        {"2400", 86400.0}, {"0000", 0.0},          {"0830", 30600.0},       {"0960", std::nullopt},
        {"2500", std::nullopt}, {"123", std::nullopt}, {"ab30", std::nullopt}, {"12345", std::nullopt},
        {" 830", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTimeBandDlg::ParseEnd(QLatin1StringView(c.text)), c.seconds) << c.text;
}

TEST_F(EditorTest, FirstBandEndingAt2400MakesOneBandDayAndBadEndsKeepTheBandDialogOpen)
{
    TariffRecord tariff = TimeTariff();
    tariff.days[0].bands = {TariffBand{0, 28800, 0.0002, kGreenBand}, TariffBand{28800, 86400, 0.0003, kRedBand}};
    CTariffDlg dialog(&tariff, nullptr, true, false);
    std::vector<QString> messages(4);
    bool stayedOpen = true;
    QString prefilledEnd;
    double prefilledValue = 0;
    ModalScript script({
        [&](QDialog* band) {
            prefilledEnd = Find<QLineEdit>(band, 1044)->text();
            prefilledValue = Find<CNumericEdit>(band, 1045)->GetValue();
            EXPECT_FALSE(Find<QLineEdit>(band, 1043)->isEnabled());
            SaveScreenshot(*band, QStringLiteral("rating_dialog_133"));
            for (const char* bad : {"0960", "2500", "123", "ab30"}) {
                SetEditText(band, 1044, QLatin1StringView(bad));
                Click(band, 1);
                stayedOpen = stayedOpen && band->isVisible();
            }
            Band(QStringLiteral("2400"), 1.5)(band);
        },
        Answer(messages[0]), Answer(messages[1]), Answer(messages[2]), Answer(messages[3]),
    });
    dialog.EditDayBands(0);
    EXPECT_EQ(prefilledEnd, QStringLiteral("0800"));  // the old first band's end and value (in cents)
    EXPECT_DOUBLE_EQ(prefilledValue, 0.02);
    EXPECT_TRUE(stayedOpen);
    for (const QString& message : messages)
        EXPECT_EQ(message, QStringLiteral("Errore nell'inserimento dei dati"));
    const std::vector<TariffBand>& bands = dialog.Tariff().days[0].bands;
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].start, 0.0);
    EXPECT_EQ(bands[0].end, 86400.0);
    EXPECT_DOUBLE_EQ(bands[0].value, 0.015);  // cents per second typed, euro per second kept
    EXPECT_EQ(bands[0].colour, kGreenBand);
    auto list = Find<QTableWidget>(&dialog, 1026);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("0:00 - 24:00"));
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("1.5000"));
}

TEST_F(EditorTest, TheEighthBandEndsTheDayAndNewBandsTakeThePreviousValue)
{
    TariffRecord tariff = TimeTariff();
    CTariffDlg dialog(&tariff, nullptr, true, false);
    QString secondEnd;
    double secondValue = 0;
    std::vector<ModalScript::Step> steps;
    steps.push_back(Band(QStringLiteral("0100"), 2.0));
    steps.push_back([&](QDialog* band) {
        secondEnd = Find<QLineEdit>(band, 1044)->text();
        secondValue = Find<CNumericEdit>(band, 1045)->GetValue();
        Band(QStringLiteral("0200"))(band);
    });
    for (const char* end : {"0300", "0400", "0500", "0600", "0700", "2000"})
        steps.push_back(Band(QLatin1StringView(end)));
    ModalScript script(std::move(steps));
    dialog.EditDayBands(3);
    EXPECT_EQ(secondEnd, QStringLiteral("2400"));
    EXPECT_DOUBLE_EQ(secondValue, 2.0);
    const std::vector<TariffBand>& bands = dialog.Tariff().days[3].bands;
    ASSERT_EQ(bands.size(), 8u);
    EXPECT_EQ(bands[6].start, 6 * 3600.0);
    EXPECT_EQ(bands[7].start, 7 * 3600.0);
    EXPECT_EQ(bands[7].end, 86400.0);  // typed 20:00
    EXPECT_EQ(bands[1].colour, kRedBand);
    EXPECT_EQ(bands[2].colour, kGreenBand);
}

TEST_F(EditorTest, CancelInTheMiddleOfTheBandsKeepsTheDay)
{
    TariffRecord tariff = TimeTariff();
    CTariffDlg dialog(&tariff, nullptr, true, false);
    ModalScript script({Band(QStringLiteral("1200")), [](QDialog* band) { Click(band, 1050); }});
    dialog.EditDayBands(2);
    EXPECT_EQ(dialog.Tariff().days[2], tariff.days[2]);
}

TEST_F(EditorTest, TimeTariffSwitchedToPulsesStartsAtTenCentsAndKeepsBandValues)
{
    TariffRecord tariff = TimeTariff();
    CTariffDlg dialog(&tariff, nullptr, true, false);
    auto pulseCost = Find<CNumericEdit>(&dialog, 1018);
    EXPECT_FALSE(pulseCost->isEnabled());
    EXPECT_EQ(pulseCost->text(), QStringLiteral("0.0500"));  // 0 held at the range's minimum
    EXPECT_EQ(Find<QComboBox>(&dialog, 1017)->currentIndex(), 1);
    Choose(Find<QComboBox>(&dialog, 1017), 0);
    EXPECT_TRUE(pulseCost->isEnabled());
    EXPECT_EQ(pulseCost->text(), QStringLiteral("10.0000"));
    EXPECT_EQ(Find<QLabel>(&dialog, 1027)->text(), QStringLiteral("Lunedì - Durata scatto in secondi"));
    auto list = Find<QTableWidget>(&dialog, 1026);
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("Durata"));
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("0.0"));  // the same value, read as seconds
    EXPECT_EQ(Find<QComboBox>(&dialog, 1045)->itemText(0), QStringLiteral("Aumenta la durata dello scatto"));
    EXPECT_EQ(dialog.Tariff().days, tariff.days);
    // A committed pulse cost is kept in euro.
    pulseCost->setText(QStringLiteral("12.5"));
    QTest::keyClick(pulseCost, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(dialog.Tariff().pulseCost, 0.125);
    Click(&dialog, 1041);
    EXPECT_DOUBLE_EQ(dialog.Tariff().pulseCost, 0.125);
}

TEST_F(EditorTest, CopyingTuesdayToWeekdaysOverwritesMondayToFriday)
{
    TariffRecord tariff = TimeTariff();
    CTariffDlg dialog(&tariff, nullptr, true, false);
    Choose(Find<QComboBox>(&dialog, 1051), 1);
    auto targets = Find<QComboBox>(&dialog, 1052);
    ASSERT_EQ(targets->count(), 9);
    EXPECT_EQ(targets->findText(QStringLiteral("Martedì")), -1);
    EXPECT_EQ(targets->currentIndex(), 0);
    targets->setCurrentIndex(targets->findText(QStringLiteral("Feriali")));
    Click(&dialog, 1054);
    for (int day = 0; day < 5; ++day)
        EXPECT_EQ(dialog.Tariff().days[day], tariff.days[1]) << day;
    EXPECT_EQ(dialog.Tariff().days[5], tariff.days[5]);
    EXPECT_EQ(dialog.Tariff().days[6], tariff.days[6]);
    // One day past the source: "Giovedì" stands at index 2 of the list without "Martedì".
    targets->setCurrentIndex(2);
    Choose(Find<QComboBox>(&dialog, 1051), 5);
    targets->setCurrentIndex(targets->findText(QStringLiteral("Tutti")));
    Click(&dialog, 1054);
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(dialog.Tariff().days[day], tariff.days[5]) << day;
}

TEST_F(EditorTest, OkConvertsCentsCutsTheNameAndSignsTheVariation)
{
    TariffRecord tariff = TimeTariff();
    tariff.answerCharge = 0.12;
    tariff.coveredSeconds = 30;
    const double variation = -0.1;
    CTariffDlg dialog(&tariff, &variation, true, false);
    EXPECT_EQ(Find<QComboBox>(&dialog, 1045)->currentIndex(), 1);
    EXPECT_EQ(Find<CNumericEdit>(&dialog, 1057)->text(), QStringLiteral("10.00"));
    EXPECT_EQ(Find<CNumericEdit>(&dialog, 1023)->text(), QStringLiteral("12.0000"));
    SetEditText(&dialog, 1043, QString(70, u'x'));
    Find<CNumericEdit>(&dialog, 1023)->SetValue(25);
    Find<CNumericEdit>(&dialog, 1057)->SetValue(5);
    Find<QComboBox>(&dialog, 1045)->setCurrentIndex(0);
    Click(&dialog, 1041);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Tariff().name, QString(63, u'x'));
    EXPECT_DOUBLE_EQ(dialog.Tariff().answerCharge, 0.25);
    EXPECT_DOUBLE_EQ(dialog.Tariff().coveredSeconds, 30.0);
    EXPECT_EQ(dialog.Tariff().pulseCost, 0.0);
    EXPECT_DOUBLE_EQ(dialog.Variation(), 0.05);
}

TEST_F(EditorTest, NewTariffStartsEmptyAndFixedSlotsKeepNameAndType)
{
    CTariffDlg fresh(nullptr, nullptr, true, false);
    EXPECT_EQ(fresh.Tariff().name, QStringLiteral("Tariffa vuota"));
    EXPECT_EQ(fresh.Variation(), 0.0);
    EXPECT_TRUE(Find<QLineEdit>(&fresh, 1043)->isEnabled());

    CTariffDlg generic(nullptr, nullptr, false, false);
    EXPECT_FALSE(Find<QLineEdit>(&generic, 1043)->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(&generic, 1017)->isEnabled());
}

TEST_F(EditorTest, PulseCounterFormHidesBandsCopyAndVariationAndShrinks)
{
    TariffTable tariffs;
    TariffVariations variations;
    BuildDefaultTariffs(tariffs, variations);
    CTariffDlg full(&tariffs.tariffs[0], nullptr, false, false);
    CTariffDlg pulses(&tariffs.tariffs[0], nullptr, false, true);
    full.show();
    pulses.show();
    for (int id : {1026, 1038})
        EXPECT_FALSE(Find<QTableWidget>(&pulses, id)->isVisible()) << id;
    for (int id : {1053, 1059})
        EXPECT_FALSE(Find<QGroupBox>(&pulses, id)->isVisible()) << id;
    EXPECT_FALSE(Find<QLabel>(&pulses, 1040)->isVisible());
    EXPECT_FALSE(Find<QComboBox>(&pulses, 1017)->isEnabled());
    EXPECT_FALSE(Find<CNumericEdit>(&pulses, 1021)->isEnabled());
    EXPECT_TRUE(Find<CNumericEdit>(&pulses, 1023)->isEnabled());
    EXPECT_LT(pulses.height(), full.height() / 2);
    EXPECT_LT(pulses.width(), full.width() / 2);
    const int groupBottom = Find<QGroupBox>(&pulses, 1020)->geometry().bottom();
    EXPECT_GT(Find<QPushButton>(&pulses, 1041)->geometry().top(), groupBottom);
}

TEST_F(EditorTest, NewRuleNeedsANameAndAnExpression)
{
    TariffTable tariffs;
    TariffVariations variations;
    BuildDefaultTariffs(tariffs, variations);
    PrefixGroupTable groups;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), groups);
    CRuleDlg dialog(nullptr, tariffs, groups);
    dialog.show();
    auto list = Find<QTableWidget>(&dialog, 1076);
    EXPECT_EQ(list->rowCount(), 1);  // the empty row
    EXPECT_FALSE(Find<QPushButton>(&dialog, 1077)->isEnabled());
    Click(&dialog, 1081);
    EXPECT_TRUE(dialog.isVisible());
    SetEditText(&dialog, 1071, QString(70, u'r'));
    EXPECT_EQ(Find<QLineEdit>(&dialog, 1071)->text().size(), 63);
    Click(&dialog, 1081);
    EXPECT_TRUE(dialog.isVisible());

    list->selectRow(0);
    EXPECT_EQ(Find<QPushButton>(&dialog, 1077)->text(), QStringLiteral("Nuova"));
    EXPECT_TRUE(Find<QPushButton>(&dialog, 1077)->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&dialog, 1078)->isEnabled());
    ModalScript script({[](QDialog* expression) {
        SetEditText(expression, 1087, QStringLiteral("0039"));
        Click(expression, 1);
    }});
    Click(&dialog, 1077);
    ASSERT_EQ(dialog.Rule().expressions.size(), 1u);
    EXPECT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("Se"));
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("il numero inizia per 0039"));
    EXPECT_EQ(Find<QPushButton>(&dialog, 1077)->text(), QStringLiteral("Modifica"));
    Find<QComboBox>(&dialog, 1079)->setCurrentIndex(3);
    Click(&dialog, 1081);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Rule().name, QString(63, u'r'));
    EXPECT_EQ(dialog.Rule().tariffSlot, 3);
}

TEST_F(EditorTest, RuleListJoinsByCombinationAndKeepsSixExpressionsAtMost)
{
    TariffTable tariffs;
    TariffVariations variations;
    BuildDefaultTariffs(tariffs, variations);
    PrefixGroupTable groups;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), groups);
    RatingRule rule;
    rule.name = QStringLiteral("Sei");
    rule.combination = kAnyExpression;
    rule.expressions = {{kBeginsWith, QStringLiteral("1")}, {kInGroup, QStringLiteral("0")},
                        {kNotInGroup, QStringLiteral("99")}, {kDoesNotBeginWith, QStringLiteral("4")},
                        {kBeginsWith, QStringLiteral("5")}, {kBeginsWith, QStringLiteral("6")}};
    CRuleDlg dialog(&rule, tariffs, groups);
    auto list = Find<QTableWidget>(&dialog, 1076);
    EXPECT_EQ(list->rowCount(), 6);  // no empty row: no seventh expression
    EXPECT_EQ(list->item(1, 0)->text(), QStringLiteral("Oppure"));
    EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("appartiene al gruppo ") + groups.groups[0].name);
    EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("non appartiene al gruppo 99"));  // past the groups
    EXPECT_EQ(list->item(3, 1)->text(), QStringLiteral("il numero non inizia per 4"));
    Choose(Find<QComboBox>(&dialog, 1074), 0);
    EXPECT_EQ(list->item(1, 0)->text(), QStringLiteral("Anche"));
    EXPECT_EQ(dialog.Rule().combination, kAllExpressions);

    // The first of the remaining expressions becomes the "Se" row.
    rule.expressions.resize(3);
    CRuleDlg three(&rule, tariffs, groups);
    auto threeList = Find<QTableWidget>(&three, 1076);
    threeList->selectRow(0);
    EXPECT_TRUE(Find<QPushButton>(&three, 1078)->isEnabled());
    Click(&three, 1078);
    ASSERT_EQ(three.Rule().expressions.size(), 2u);
    EXPECT_EQ(threeList->rowCount(), 3);
    EXPECT_EQ(threeList->item(0, 0)->text(), QStringLiteral("Se"));
    EXPECT_EQ(threeList->item(0, 1)->text(), QStringLiteral("appartiene al gruppo ") + groups.groups[0].name);
    EXPECT_FALSE(Find<QPushButton>(&three, 1078)->isEnabled());
}

TEST_F(EditorTest, ExpressionDialogChecksItsTextAndLeavesOtherKindsAlone)
{
    PrefixGroupTable groups;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), groups);
    struct Case {
        QString text;
        bool accepted;
    } const cases[] = {{QString(), false}, {QString(32, u'1'), false}, {QString(31, u'1'), true}};
    for (const Case& c : cases) {
        CRuleExpressionDlg dialog(kBeginsWith, QStringLiteral("06"), groups);
        dialog.show();
        EXPECT_EQ(Find<QLineEdit>(&dialog, 1087)->text(), QStringLiteral("06"));
        EXPECT_FALSE(Find<QComboBox>(&dialog, 1084)->isVisible());
        SetEditText(&dialog, 1087, c.text);
        Click(&dialog, 1);
        EXPECT_EQ(dialog.isVisible(), !c.accepted) << c.text.size();
    }

    CRuleExpressionDlg group(kInGroup, QStringLiteral("1"), groups);
    group.show();
    EXPECT_EQ(Find<QComboBox>(&group, 1084)->currentIndex(), 1);
    EXPECT_FALSE(Find<QLineEdit>(&group, 1087)->isVisible());
    Find<QComboBox>(&group, 1084)->setCurrentIndex(2);
    Click(&group, 1);
    EXPECT_EQ(group.Kind(), kInGroup);
    EXPECT_EQ(group.Text(), QStringLiteral("2"));

    // Switching to the digits empties the edit.
    CRuleExpressionDlg switched(kInGroup, QStringLiteral("1"), groups);
    Choose(Find<QComboBox>(&switched, 1083), 0);
    EXPECT_TRUE(Find<QLineEdit>(&switched, 1087)->text().isEmpty());

    CRuleExpressionDlg other(kDoesNotBeginWith, QStringLiteral("800"), groups);
    other.show();
    EXPECT_EQ(Find<QComboBox>(&other, 1083)->currentIndex(), -1);
    Click(&other, 1);
    EXPECT_EQ(other.result(), QDialog::Accepted);
    EXPECT_EQ(other.Kind(), kDoesNotBeginWith);
    EXPECT_EQ(other.Text(), QStringLiteral("800"));
}

TEST_F(EditorTest, PrefixDialogsCloseOnlyWhenEveryTextIsFilledAndKeepTheirLimits)
{
    CPrefixDlg prefix;
    prefix.show();
    Click(&prefix, 1);
    EXPECT_TRUE(prefix.isVisible());
    prefix.SetPrefix(QString(70, u'l'), QString(20, u'9'));
    EXPECT_EQ(prefix.Label().size(), 63);
    EXPECT_EQ(prefix.Number().size(), 15);
    Click(&prefix, 1);
    EXPECT_EQ(prefix.result(), QDialog::Accepted);

    CPrefixGroupDlg group;
    group.show();
    SetEditText(&group, 1098, QStringLiteral("Numeri verdi"));
    SetEditText(&group, 1099, QStringLiteral("Verde"));
    Click(&group, 1);
    EXPECT_TRUE(group.isVisible());  // a new group needs its first prefix
    SetEditText(&group, 1101, QStringLiteral("800"));
    Click(&group, 1);
    EXPECT_EQ(group.result(), QDialog::Accepted);
    EXPECT_EQ(group.PrefixNumber(), QStringLiteral("800"));

    CPrefixGroupLabelDlg label;
    label.show();
    Click(&label, 1107);
    EXPECT_TRUE(label.isVisible());
    label.SetGroupLabel(QStringLiteral("Nuovo nome"));
    Click(&label, 1107);
    EXPECT_EQ(label.result(), QDialog::Accepted);
}

// Every editor dialog, in both languages, at the size it opens with: titled in the language, every text
// whole (screenshots for a person to look at too).
TEST_F(EditorTest, EveryEditorShowsItsTextsWholeInBothLanguages)
{
    TariffTable tariffs;
    TariffVariations variations;
    BuildDefaultTariffs(tariffs, variations);
    PrefixGroupTable groups;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), groups);
    RatingRule rule;
    rule.name = QStringLiteral("Cellulari");
    rule.expressions = {{kBeginsWith, QStringLiteral("3")}, {kNotInGroup, QStringLiteral("0")}};
    std::map<QString, QString> italianTitles;
    std::map<QString, QString> englishTitles;
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("_en") : QStringLiteral("_it");
        std::map<QString, QString>& titles = language == kLanguageEnglish ? englishTitles : italianTitles;
        auto shoot = [&](QDialog& dialog, const QString& name) {
            dialog.show();
            SaveScreenshot(dialog, QStringLiteral("rating_dialog_") + name + suffix);
            EXPECT_FALSE(dialog.windowTitle().isEmpty()) << name.toStdString();
            EXPECT_TRUE(HasNoClippedText(dialog)) << (name + suffix).toStdString();
            titles[name] = dialog.windowTitle();
        };
        CTariffDlg tariff(&tariffs.tariffs[2], &variations.values[2], true, false);
        shoot(tariff, QStringLiteral("132"));
        CTariffDlg pulses(&tariffs.tariffs[0], &variations.values[0], false, true);
        shoot(pulses, QStringLiteral("132_pulse_counter"));
        CTimeBandDlg band(1 | CTimeBandDlg::kPulseTariffFlag, 28800);
        shoot(band, QStringLiteral("133"));
        CRuleDlg ruleDlg(&rule, tariffs, groups);
        shoot(ruleDlg, QStringLiteral("141"));
        CRuleExpressionDlg expression(kInGroup, QStringLiteral("1"), groups);
        shoot(expression, QStringLiteral("142"));
        CPrefixDlg prefix;
        prefix.SetPrefix(QStringLiteral("Roma"), QStringLiteral("06"));
        shoot(prefix, QStringLiteral("143"));
        EXPECT_EQ(prefix.Label(), QStringLiteral("Roma"));
        EXPECT_EQ(prefix.Number(), QStringLiteral("06"));
        CPrefixGroupDlg group;
        shoot(group, QStringLiteral("501"));
        CPrefixGroupLabelDlg label;
        label.SetGroupLabel(groups.groups[2].name);
        shoot(label, QStringLiteral("502"));
        EXPECT_EQ(label.GroupLabel(), groups.groups[2].name);
    }
    SetLanguage(kLanguageItalian);
    ASSERT_EQ(italianTitles.size(), englishTitles.size());
    int translated = 0;
    for (const auto& [name, title] : italianTitles)
        translated += englishTitles[name] != title ? 1 : 0;
    EXPECT_GT(translated, 0);  // the titles follow the language
}

}  // namespace
