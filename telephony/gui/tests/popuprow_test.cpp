// The popup's row table (the merge from one refresh to the next, the 32-row bound), the button's message
// and the incoming-call filter's matching, without a PBX.
#include "incomingcallfilter.h"
#include "officepluginsettings.h"
#include "popuprow.h"
#include "popuprowbutton.h"

#include <gtest/gtest.h>

namespace {

PopupRow Row(PopupSource kind, int index, const QString& text, PopupAction action = PopupAction::None)
{
    PopupRow row;
    row.sourceKind = kind;
    row.sourceIndex = static_cast<std::uint8_t>(index);
    row.text = text;
    row.actions[0] = action;
    return row;
}

PopupRowTable Table(std::initializer_list<PopupRow> rows)
{
    PopupRowTable table;
    for (const PopupRow& row : rows)
        table.Append(row);
    return table;
}

QStringList Texts(const PopupRowTable& table)
{
    QStringList texts;
    for (const PopupRow& row : table.Rows())
        texts << row.text;
    return texts;
}

TEST(PopupRowTable, ARowKeepsItsPlaceAndTakesItsNewContentWhileNewRowsGoOnTop)
{
    PopupRowTable shown = Table({Row(PopupSource::Line, 3, QStringLiteral("line 3")),
                                 Row(PopupSource::Extension, 4, QStringLiteral("ext 4")),
                                 Row(PopupSource::Alarm, 4, QStringLiteral("alarm 4"))});
    // The line's row is gone, the extension's changed; two new rows, the alarm built last.
    const PopupRowTable built = Table({Row(PopupSource::Extension, 4, QStringLiteral("ext 4 held"), PopupAction::Resume),
                                       Row(PopupSource::Alarm, 4, QStringLiteral("alarm 4")),
                                       Row(PopupSource::MissedCalls, 0, QStringLiteral("missed")),
                                       Row(PopupSource::Alarm, 6, QStringLiteral("alarm 6"))});
    EXPECT_EQ(shown.Merge(built), 1);
    EXPECT_EQ(Texts(shown), (QStringList{QStringLiteral("alarm 6"), QStringLiteral("missed"),
                                         QStringLiteral("ext 4 held"), QStringLiteral("alarm 4")}));
    EXPECT_EQ(shown.At(2).actions[0], PopupAction::Resume);
    // The same kind and index is the same row; the same index of another kind is not.
    EXPECT_EQ(shown.Find(PopupSource::Alarm, 4), 3);
    EXPECT_EQ(shown.Find(PopupSource::Line, 4), PopupRowTable::kNoRow);
    // Nothing built: every row goes.
    EXPECT_EQ(shown.Merge(PopupRowTable()), 0);
    EXPECT_TRUE(shown.IsEmpty());
}

TEST(PopupRowTable, HoldsAtMost32RowsAndCutsItsTexts)
{
    PopupRowTable table;
    for (int index = 0; index < 40; ++index)
        EXPECT_EQ(table.Append(Row(PopupSource::Alarm, index, QString(300, u'x'))), index < PopupRowTable::kMaxRows);
    EXPECT_EQ(table.Count(), 32);
    EXPECT_EQ(table.LeftOut(), 8);
    EXPECT_EQ(table.At(0).text.size(), PopupRow::kMaxText);
    PopupRowTable shown;
    EXPECT_EQ(shown.Merge(table), 32);
    EXPECT_EQ(shown.Count(), 32);
    EXPECT_EQ(shown.At(0).sourceIndex, 31);  // the last built on top
}

TEST(PopupRowButton, ItsMessageCarriesTheRowsSourceAndAction)
{
    const CPopupRowButton::Click click{31, 2, PopupSource::Alarm, 254, PopupAction::ShowAlarm};
    const CPopupRowButton::Click read = CPopupRowButton::Decode(CPopupRowButton::EncodeWParam(click),
                                                                CPopupRowButton::EncodeLParam(click));
    EXPECT_EQ(read.row, 31);
    EXPECT_EQ(read.place, 2);
    EXPECT_EQ(read.kind, PopupSource::Alarm);
    EXPECT_EQ(read.index, 254);
    EXPECT_EQ(read.action, PopupAction::ShowAlarm);
}

OfficePluginSettings Rules(std::initializer_list<CallFilterRule> rules)
{
    OfficePluginSettings settings;
    int index = 0;
    for (const CallFilterRule& rule : rules)
        settings.SetRule(index++, rule.Write());
    settings.SetRuleCount(index);
    return settings;
}

CallFilterRule Rule(const QString& pattern, CallFilterRule::Action action, const QString& target)
{
    CallFilterRule rule;
    rule.pattern = pattern;
    rule.action = action;
    rule.argument = target;
    return rule;
}

TEST(IncomingCallFilter, TheFirstRuleThatMatchesActs)
{
    const OfficePluginSettings settings =
        Rules({Rule(QStringLiteral("02"), CallFilterRule::kReject, {}),
               Rule(QStringLiteral("*02"), CallFilterRule::kTransferToNumber, QStringLiteral("555")),
               Rule(QStringLiteral("*0039"), CallFilterRule::kTransferToExtension, QStringLiteral("3")),
               Rule(QStringLiteral("Abc"), CallFilterRule::kReject, {})});
    struct Case {
        const char* key;
        int action;  // -1: no rule
    };
    const Case cases[] = {
        {"02", CallFilterRule::kReject},  // the whole number: the first rule
        {"0212", CallFilterRule::kTransferToNumber},
        {"0039061234", CallFilterRule::kTransferToExtension},
        {"0", -1},        // shorter than the prefix
        {"1202", -1},     // 02 inside, not at the start
        {"abc", -1},      // case counts
        {"Abc", CallFilterRule::kReject},
        {"", -1},
    };
    for (const Case& c : cases) {
        const auto rule = MatchIncomingCallFilter(settings, QString::fromLatin1(c.key));
        EXPECT_EQ(rule ? rule->action : -1, c.action) << c.key;
    }
    EXPECT_FALSE(MatchIncomingCallFilter(OfficePluginSettings(), QStringLiteral("02")));
}

TEST(IncomingCallFilter, ATransferTargetMustBeAnExtensionOfThePbx)
{
    struct Case {
        const char* target;
        int extension;  // -1: none
    };
    const Case cases[] = {{"3", 3}, {"0", 0}, {"11", 11}, {"12", -1}, {"300", -1}, {"-1", -1},
                          {"", -1}, {"abc", -1}, {"3a", -1}, {" 4", 4}};
    for (const Case& c : cases) {
        const auto extension =
            FilterTargetExtension(Rule(QStringLiteral("*"), CallFilterRule::kTransferToExtension,
                                       QString::fromLatin1(c.target)),
                                  12);
        EXPECT_EQ(extension.value_or(-1), c.extension) << c.target;
    }
}

}  // namespace
