#include "cardimagelist.h"
#include "language.h"
#include "modalscript.h"
#include "numericedit.h"
#include "prefixgroupuse.h"
#include "ratinglist.h"
#include "ruleordering.h"
#include "valuxaview.h"
#include "viewtesting.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

RatingRule Rule(const QString& name, std::uint8_t kind, const QString& text, std::int16_t tariff)
{
    RatingRule rule;
    rule.name = name;
    rule.expressions = {{kind, text}};
    rule.tariffSlot = tariff;
    return rule;
}

class ViewItemsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLanguage(kLanguageItalian);
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Six small groups ("9" + index), rules on group 1 (kind 2), on "06" and on group 5 (kind 3), and a
    // call type on group 3.
    void UseSmallConfiguration()
    {
        PrefixGroupTable& groups = data.configuration.prefixGroups;
        groups.groups.clear();
        for (int i = 0; i < 6; ++i) {
            PrefixGroup group;
            group.name = QStringLiteral("Gruppo %1").arg(i);
            group.entries = {{QStringLiteral("9%1").arg(i), QStringLiteral("P%1").arg(i)}};
            groups.groups.push_back(group);
        }
        RuleTable& rules = data.configuration.rules;
        rules.rules = {Rule(QStringLiteral("Zero sei"), kBeginsWith, QStringLiteral("06"), 2),
                       Rule(QStringLiteral("Gruppo uno"), kInGroup, QStringLiteral("1"), 3),
                       Rule(QStringLiteral("Non cinque"), kNotInGroup, QStringLiteral("5"), 2)};
        callTypes.rules = {Rule(QStringLiteral("Cellulari"), kInGroup, QStringLiteral("3"), 0)};
        RedrawAll();
    }
    void RedrawAll()
    {
        data.rulePictures.Create(kRuleCardSize, kRuleCardSlots, PlainCardBackground(kRuleCardSize));
        for (int i = 0; i < data.configuration.rules.Count(); ++i)
            DrawRuleCard(data.rulePictures, i, data.configuration.rules.rules[i], data.configuration.prefixGroups,
                         data.configuration.tariffs);
    }
    std::unique_ptr<CValuxaView> MakeView(int modeCommand)
    {
        auto view = std::make_unique<CValuxaView>(data.configuration, data.pbxs, data.tariffPictures,
                                                  data.rulePictures, false);
        view->SetCallTypes(&callTypes);
        view->show();
        view->OnInitialUpdate();
        view->OnCommand(modeCommand);
        return view;
    }
    static void Press(CValuxaView& view, int id)
    {
        ASSERT_TRUE(Button(view, id)->isEnabled()) << id;
        Button(view, id)->click();
        QCoreApplication::processEvents();
    }
    static void ChooseItem(CValuxaView& view, int index)
    {
        Combo(view, 1005)->setCurrentIndex(index);
        emit Combo(view, 1005)->activated(index);
    }
    static void ClickRow(CValuxaView& view, int data)
    {
        const int row = view.List()->FindRow(data);
        view.List()->SelectRow(row);
        view.OnListClick(row);
    }
    // The picture the rule's card should show now.
    QImage ExpectedRuleCard(int rule) const
    {
        CardImageList fresh;
        fresh.Create(kRuleCardSize, kRuleCardSlots, PlainCardBackground(kRuleCardSize));
        DrawRuleCard(fresh, rule, data.configuration.rules.rules[rule], data.configuration.prefixGroups,
                     data.configuration.tariffs);
        return fresh.Image(rule);
    }

    ViewFixtureData data;
    CallTypeTable callTypes;
};

TEST(PrefixGroupUse, BothGroupKindsCountAndAreRenumbered)
{
    RuleTable table;
    table.rules = {Rule(QStringLiteral("a"), kBeginsWith, QStringLiteral("5"), 0),
                   Rule(QStringLiteral("b"), kNotInGroup, QStringLiteral("5"), 0),
                   Rule(QStringLiteral("c"), kInGroup, QStringLiteral("2"), 0),
                   Rule(QStringLiteral("d"), kInGroup, QStringLiteral("7"), 0)};
    EXPECT_EQ(FindPrefixGroupUse(table, 5), 1);  // the digits "5" of kind 0 name no group
    EXPECT_EQ(FindPrefixGroupUse(table, 2), 2);
    EXPECT_EQ(FindPrefixGroupUse(table, 3), -1);
    RenumberPrefixGroupsAfter(table, 3);
    EXPECT_EQ(table.rules[0].expressions[0].text, QStringLiteral("5"));
    EXPECT_EQ(table.rules[1].expressions[0].text, QStringLiteral("4"));
    EXPECT_EQ(table.rules[2].expressions[0].text, QStringLiteral("2"));
    EXPECT_EQ(table.rules[3].expressions[0].text, QStringLiteral("6"));
}

TEST_F(ViewItemsTest, DeletingRulesMovesTheSelectionBackAndAsksWithTheName)
{
    const RuleTable before = data.configuration.rules;
    auto view = MakeView(CValuxaView::kRulesCommand);
    QString question;
    {
        ModalScript script({Answer(question, QMessageBox::Yes)});
        Press(*view, 1008);
    }
    EXPECT_EQ(question, QStringLiteral("Sei sicuro di voler rimuovere la regola '") + before.rules[0].name + u'\'');
    EXPECT_EQ(view->m_selectedRule, 0);
    ASSERT_EQ(data.configuration.rules.Count(), before.Count() - 1);
    EXPECT_EQ(data.configuration.rules.rules[0], before.rules[1]);
    EXPECT_EQ(data.rulePictures.Image(0), ExpectedRuleCard(0));

    ChooseItem(*view, 5);
    {
        ModalScript script({Answer(question, QMessageBox::Yes)});
        Press(*view, 1008);
    }
    EXPECT_EQ(view->m_selectedRule, 4);
    EXPECT_EQ(Combo(*view, 1005)->currentIndex(), 4);
    EXPECT_EQ(Combo(*view, 1005)->count(), before.Count() - 2);
    {
        ModalScript script({Answer(question, QMessageBox::No)});
        Press(*view, 1008);
    }
    EXPECT_EQ(data.configuration.rules.Count(), before.Count() - 2);
}

TEST_F(ViewItemsTest, NewAndModifiedRulesAreInsertedInOrder)
{
    UseSmallConfiguration();
    auto view = MakeView(CValuxaView::kRulesCommand);
    // A rule for "061" belongs ahead of "06", which would catch its numbers.
    {
        // The expression dialog opens from within the first step.
        ModalScript script({[](QDialog* rule) {
                                SetEditText(rule, 1071, QStringLiteral("Zero sei uno"));
                                Find<QTableWidget>(rule, 1076)->selectRow(0);
                                Click(rule, 1077);
                                Click(rule, 1081);
                            },
                            [](QDialog* expression) {
                                SetEditText(expression, 1087, QStringLiteral("061"));
                                Click(expression, 1);
                            }});
        Press(*view, 1007);
    }
    ASSERT_EQ(data.configuration.rules.Count(), 4);
    EXPECT_EQ(data.configuration.rules.rules[0].name, QStringLiteral("Zero sei uno"));
    EXPECT_EQ(view->m_selectedRule, 0);
    EXPECT_EQ(data.rulePictures.Image(1), ExpectedRuleCard(1));

    // Modifying the last rule's tariff keeps its place.
    ChooseItem(*view, 3);
    ModalScript modify({[](QDialog* rule) {
        Find<QComboBox>(rule, 1079)->setCurrentIndex(4);
        Click(rule, 1081);
    }});
    Press(*view, 1006);
    EXPECT_EQ(data.configuration.rules.rules[3].tariffSlot, 4);
    EXPECT_EQ(view->m_selectedRule, 3);
}

TEST_F(ViewItemsTest, PrefixesChangeTheRuleOrderAndTheEmptyRowAdds)
{
    UseSmallConfiguration();
    SortRuleTable(data.configuration.rules, data.configuration.prefixGroups);
    ASSERT_EQ(data.configuration.rules.rules[0].name, QStringLiteral("Zero sei"));
    auto view = MakeView(CValuxaView::kPrefixesCommand);
    ChooseItem(*view, 1);
    ClickRow(*view, 0);
    QString shownNumber;
    ModalScript edit({[&](QDialog* prefix) {
        shownNumber = Find<QLineEdit>(prefix, 1091)->text();
        SetEditText(prefix, 1091, QStringLiteral("061"));
        Click(prefix, 1);
    }});
    Press(*view, 1006);
    EXPECT_EQ(shownNumber, QStringLiteral("91"));
    EXPECT_EQ(data.configuration.prefixGroups.groups[1].entries[0].number, QStringLiteral("061"));
    // Group 1 now holds numbers that "06" catches: its rule moves ahead.
    EXPECT_EQ(data.configuration.rules.rules[0].name, QStringLiteral("Gruppo uno"));
    EXPECT_EQ(data.rulePictures.Image(0), ExpectedRuleCard(0));
    EXPECT_EQ(view->m_selectedPrefixGroup, 1);

    ClickRow(*view, 1);  // the empty row: its data is the prefix count
    EXPECT_EQ(Button(*view, 1006)->text(), QStringLiteral("Nuovo prefisso"));
    ModalScript add({[](QDialog* prefix) {
        EXPECT_TRUE(Find<QLineEdit>(prefix, 1090)->text().isEmpty());
        SetEditText(prefix, 1090, QStringLiteral("Nuovo"));
        SetEditText(prefix, 1091, QStringLiteral("92"));
        Click(prefix, 1);
    }});
    Press(*view, 1006);
    ASSERT_EQ(data.configuration.prefixGroups.groups[1].Count(), 2);
    EXPECT_EQ(view->List()->RowCount(), 3);

    ClickRow(*view, 1);
    QString question;
    ModalScript remove({Answer(question, QMessageBox::Yes)});
    Press(*view, 1007);
    EXPECT_EQ(question, QStringLiteral("Sei sicuro di voler rimuovere il prefisso 'Nuovo'"));
    EXPECT_EQ(data.configuration.prefixGroups.groups[1].Count(), 1);
}

TEST_F(ViewItemsTest, GroupsInUseStayAndADeletionRenumbersBothGroupKindsAndTheCallTypes)
{
    UseSmallConfiguration();
    auto view = MakeView(CValuxaView::kPrefixesCommand);
    struct Refusal {
        int group;
        const char* name;
    } const refusals[] = {{5, "Non cinque"}, {1, "Gruppo uno"}, {3, "Statistiche Cellulari"}};
    for (const Refusal& refusal : refusals) {
        ChooseItem(*view, refusal.group);
        QString message;
        ModalScript script({Answer(message)});
        Press(*view, 1009);
        EXPECT_EQ(message, QStringLiteral("Impossibile rimuovere il gruppo prefissi in quanto utilizzato dalla regola "
                                          "di tariffazione '") +
                               QLatin1StringView(refusal.name) + u'\'');
        EXPECT_EQ(data.configuration.prefixGroups.Count(), 6);
    }
    ChooseItem(*view, 2);
    QString question;
    ModalScript script({Answer(question, QMessageBox::Yes)});
    Press(*view, 1009);
    EXPECT_EQ(question, QStringLiteral("Sei sicuro di voler rimuovere il gruppo prefissi 'Gruppo 2'"));
    ASSERT_EQ(data.configuration.prefixGroups.Count(), 5);
    EXPECT_EQ(data.configuration.rules.rules[2].expressions[0].text, QStringLiteral("4"));  // kind 3, was 5
    EXPECT_EQ(data.configuration.rules.rules[1].expressions[0].text, QStringLiteral("1"));
    EXPECT_EQ(callTypes.rules[0].expressions[0].text, QStringLiteral("2"));
    EXPECT_EQ(view->m_selectedPrefixGroup, 1);
    EXPECT_EQ(data.rulePictures.Image(2), ExpectedRuleCard(2));
}

TEST_F(ViewItemsTest, NewGroupIsSelectedAndARenameReachesTheRulePictures)
{
    UseSmallConfiguration();
    auto view = MakeView(CValuxaView::kPrefixesCommand);
    ModalScript create({[](QDialog* group) {
        SetEditText(group, 1098, QStringLiteral("Numeri verdi"));
        SetEditText(group, 1099, QStringLiteral("Verde"));
        SetEditText(group, 1101, QStringLiteral("800"));
        Click(group, 1);
    }});
    Press(*view, 1008);
    ASSERT_EQ(data.configuration.prefixGroups.Count(), 7);
    EXPECT_EQ(data.configuration.prefixGroups.groups[6].entries[0].number, QStringLiteral("800"));
    EXPECT_EQ(view->m_selectedPrefixGroup, 6);
    EXPECT_EQ(view->Title()->text(), QStringLiteral("Numeri verdi"));

    ChooseItem(*view, 1);
    const QImage before = data.rulePictures.Image(1);
    QString shown;
    ModalScript rename({[&](QDialog* label) {
        shown = Find<QLineEdit>(label, 1106)->text();
        SetEditText(label, 1106, QStringLiteral("Rinominato"));
        Click(label, 1107);
    }});
    Press(*view, 1010);
    EXPECT_EQ(shown, QStringLiteral("Gruppo 1"));
    EXPECT_EQ(data.configuration.prefixGroups.groups[1].name, QStringLiteral("Rinominato"));
    EXPECT_EQ(Combo(*view, 1005)->itemText(1), QStringLiteral("Rinominato"));
    EXPECT_NE(data.rulePictures.Image(1), before);
    EXPECT_EQ(data.rulePictures.Image(1), ExpectedRuleCard(1));
}

TEST_F(ViewItemsTest, FixedTariffSlotsAreEditableButKeepNameTypeAndPlace)
{
    auto view = MakeView(CValuxaView::kTariffsCommand);
    struct Case {
        int slot;
        bool listsShown;
        const char* refusal;
    } const cases[] = {
        {0, false, "La tariffa centralino a scatti viene utilizzata nel caso il centralino sia configurato come "
                   "contascatti.\nNon è dunque possibile eliminarla."},
        {1, true, "La tariffa generica viene utilizzata nel caso non venga rilevata una regola di tariffazione "
                  "appropriata.\nNon è dunque possibile eliminarla."},
    };
    const int count = data.configuration.tariffs.Count();
    for (const Case& c : cases) {
        ChooseItem(*view, c.slot);
        bool nameOn = true;
        bool typeOn = true;
        bool listsShown = !c.listsShown;
        ModalScript modify({[&](QDialog* tariff) {
            nameOn = Find<QLineEdit>(tariff, 1043)->isEnabled();
            typeOn = Find<QComboBox>(tariff, 1017)->isEnabled();
            listsShown = Find<QTableWidget>(tariff, 1026)->isVisible();
            Find<CNumericEdit>(tariff, 1023)->SetValue(7);
            Click(tariff, 1041);
        }});
        Press(*view, 1006);
        EXPECT_FALSE(nameOn);
        EXPECT_FALSE(typeOn);
        EXPECT_EQ(listsShown, c.listsShown);
        EXPECT_DOUBLE_EQ(data.configuration.tariffs.tariffs[c.slot].answerCharge, 0.07);
        QString message;
        ModalScript remove({Answer(message)});
        Press(*view, 1009);
        EXPECT_EQ(message, QString::fromUtf8(c.refusal));
        EXPECT_EQ(data.configuration.tariffs.Count(), count);
    }
}

TEST_F(ViewItemsTest, ClonesAppendWithTheWordUnlessTheNameIsTooLong)
{
    data.configuration.tariffs.tariffs[2].name = QString(56, u'n');
    data.configuration.tariffs.tariffs[3].name = QStringLiteral("Breve");
    data.configuration.variations.values[3] = -0.2;
    const int count = data.configuration.tariffs.Count();
    auto view = MakeView(CValuxaView::kTariffsCommand);
    struct Case {
        int slot;
        QString expected;
    } const cases[] = {{2, QString(56, u'n')}, {3, QStringLiteral("Breve Clonata")}};
    int added = 0;
    for (const Case& c : cases) {
        ChooseItem(*view, c.slot);
        QString shown;
        ModalScript clone({[&](QDialog* tariff) {
            shown = Find<QLineEdit>(tariff, 1043)->text();
            EXPECT_TRUE(Find<QLineEdit>(tariff, 1043)->isEnabled());
            Click(tariff, 1041);
        }});
        Press(*view, 1007);
        ++added;
        EXPECT_EQ(shown, c.expected);
        ASSERT_EQ(data.configuration.tariffs.Count(), count + added);
        EXPECT_EQ(data.configuration.tariffs.tariffs.back().name, c.expected);
        EXPECT_EQ(data.configuration.variations.count, count + added);
        EXPECT_EQ(view->m_selectedTariff, c.slot);
        EXPECT_EQ(Combo(*view, 1005)->count(), count + added);
    }
    EXPECT_DOUBLE_EQ(data.configuration.variations.values[count + 1], -0.2);
    EXPECT_FALSE(data.tariffPictures.Image(count + 1).isNull());
}

TEST_F(ViewItemsTest, DeletingATariffShiftsLaterSlotsVariationsAndRuleIndexes)
{
    UseSmallConfiguration();
    TariffTable& tariffs = data.configuration.tariffs;
    const int count = tariffs.Count();
    ASSERT_GT(count, 6);
    data.configuration.rules.rules[1].tariffSlot = static_cast<std::int16_t>(count - 1);
    data.configuration.variations.values[5] = 0.05;
    const TariffRecord fifth = tariffs.tariffs[5];
    auto view = MakeView(CValuxaView::kTariffsCommand);

    ChooseItem(*view, 2);
    QString message;
    {
        ModalScript used({Answer(message)});
        Press(*view, 1009);
    }
    EXPECT_EQ(message, QStringLiteral("Impossibile rimuovere la tariffa in quanto utilizzata dalla regola di "
                                      "tariffazione 'Zero sei'"));
    ChooseItem(*view, 4);
    const QString name = tariffs.tariffs[4].name;
    {
        ModalScript remove({Answer(message, QMessageBox::Yes)});
        Press(*view, 1009);
    }
    EXPECT_EQ(message, QStringLiteral("Sei sicuro di voler rimuovere la tariffa '") + name + u'\'');
    ASSERT_EQ(tariffs.Count(), count - 1);
    EXPECT_EQ(tariffs.tariffs[4], fifth);
    EXPECT_DOUBLE_EQ(data.configuration.variations.values[4], 0.05);
    EXPECT_EQ(data.configuration.variations.count, count - 1);
    EXPECT_EQ(data.configuration.rules.rules[1].tariffSlot, count - 2);
    EXPECT_EQ(data.configuration.rules.rules[0].tariffSlot, 2);
    EXPECT_EQ(view->m_selectedTariff, 3);

    ModalScript create({[](QDialog* tariff) { Click(tariff, 1041); }});
    Press(*view, 1008);
    EXPECT_EQ(tariffs.Count(), count);
    EXPECT_EQ(tariffs.tariffs.back().name, QStringLiteral("Tariffa vuota"));
}

TEST_F(ViewItemsTest, FileNewOpensTheModesNewItemDialog)
{
    auto view = MakeView(CValuxaView::kRulesCommand);
    struct Case {
        int modeCommand;
        const char* dialog;
    } const cases[] = {{CValuxaView::kRulesCommand, "141"},
                       {CValuxaView::kPrefixesCommand, "501"},
                       {CValuxaView::kTariffsCommand, "132"}};
    for (const Case& c : cases) {
        view->OnCommand(c.modeCommand);
        EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFileNewCommand), true);
        QString opened;
        ModalScript script({[&](QDialog* dialog) {
            opened = dialog->objectName();
            dialog->reject();
        }});
        view->OnCommand(CValuxaView::kFileNewCommand);
        EXPECT_EQ(opened, QLatin1StringView(c.dialog));
    }
    view->OnCommand(CValuxaView::kHistoryCommand);
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFileNewCommand), false);
}

}  // namespace
