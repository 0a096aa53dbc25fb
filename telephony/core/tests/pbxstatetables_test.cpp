// The console's PBX state tables: record codecs with their text limits, initial values, the second PBX
// placed behind the first, and the combined numbering.
#include "operatorconsolestate.h"
#include "pbxstatetables.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

TEST(PbxStateRecords, ExtensionEntryFieldsAndDigitsLimit)
{
    QByteArray record = Bytes({1, 7, 5, 2, 3, 0, 0, 0, 4}) + QByteArray(51, 'x');
    const ExtensionEntry entry = ExtensionEntry::FromRecord(record);
    EXPECT_EQ(entry.State(), 5);
    EXPECT_EQ(entry.LinkType(), 2);
    EXPECT_EQ(entry.LinkIndex(), 3);
    EXPECT_EQ(entry.RingType(), 4);
    EXPECT_EQ(entry.Digits(), QByteArray(49, 'x'));  // at most 49 characters and the zero
    EXPECT_EQ(entry.bytes[58], 0);

    ExtensionEntry edited;
    edited.SetDigits(QByteArray(80, '7'));
    EXPECT_EQ(edited.Digits(), QByteArray(49, '7'));
    edited.SetDigits("123");
    EXPECT_EQ(edited.Digits(), "123");
    EXPECT_EQ(ExtensionEntry::FromRecord(Bytes({1, 2})).State(), 0);  // short record zero-filled
}

TEST(PbxStateRecords, LineEntryKeepsNumberAndClearsName)
{
    QByteArray record = Bytes({9, 3, 1, 4, 0, 0}) + QByteArray("0612345") + QByteArray(44, '\0');
    ASSERT_EQ(record.size(), 57);
    record += QByteArray(51, 'n');  // a longer record's tail is no caller name
    const LineEntry entry = LineEntry::FromRecord(record);
    EXPECT_EQ(entry.bytes[0], 9);
    EXPECT_EQ(entry.State(), 3);
    EXPECT_EQ(entry.LinkType(), 1);
    EXPECT_EQ(entry.LinkIndex(), 4);
    EXPECT_EQ(entry.CallerNumber(), "0612345");
    EXPECT_EQ(entry.CallerName(), "");

    LineEntry edited = entry;
    edited.SetCallerName(QByteArray(60, 'a'));
    edited.SetCallerNumber(QByteArray(60, '1'));
    EXPECT_EQ(edited.CallerName(), QByteArray(49, 'a'));
    EXPECT_EQ(edited.CallerNumber(), QByteArray(49, '1'));
}

TEST(PbxStateRecords, EntryPhoneAndAlarm)
{
    const EntryPhoneEntry phone = EntryPhoneEntry::FromRecord(Bytes({3, 1, 6, 1, 12, 0, 0}));
    EXPECT_EQ(phone.State(), 6);
    EXPECT_EQ(phone.LinkType(), 1);
    EXPECT_EQ(phone.LinkIndex(), 12);

    AlarmEntry alarm;
    alarm.SetTime(45000.5);
    alarm.SetKind(AlarmEntry::kNotAnswered);
    alarm.SetPending(true);
    EXPECT_DOUBLE_EQ(alarm.Time(), 45000.5);
    EXPECT_EQ(alarm.Kind(), 2);
    EXPECT_TRUE(alarm.Pending());
    EXPECT_EQ(sizeof alarm.bytes, 16u);
}

TEST(PbxStateTables, AllocateGivesInitialValues)
{
    PbxStateTables tables;
    tables.Allocate({3, 2, 1, 4});
    EXPECT_EQ(tables.Counts().extensions, 3);
    EXPECT_EQ(tables.Counts().lines, 2);
    EXPECT_EQ(tables.Counts().entryPhones, 1);
    EXPECT_EQ(tables.Counts().relays, 4);
    EXPECT_EQ(tables.extensionName[2], "**NOTVALID**");
    EXPECT_EQ(tables.lineName[1], "**NOTVALID**");
    EXPECT_EQ(tables.entryPhoneName[0], "**NOTVALID**");
    EXPECT_EQ(tables.relayName[3], "**NOTVALID**");
    EXPECT_EQ(tables.extensionWork[0], (PbxStateTables::WorkBytes{0, 255, 255}));
    EXPECT_EQ(tables.lineWork[0], (PbxStateTables::WorkBytes{255, 255, 0}));
    EXPECT_EQ(tables.entryPhoneWork[0], (PbxStateTables::WorkBytes{0, 255, 255}));
    EXPECT_EQ(tables.relayWork[0][0], 255);
    EXPECT_EQ(tables.relayWork[0][1], 255);
    EXPECT_EQ(tables.extensionCallDirection[1], 0);
    EXPECT_FALSE(tables.extensionAlarm[1].Pending());

    QString name;
    PbxStateTables::StoreName(name, QString(60, QLatin1Char('n')));
    EXPECT_EQ(name.size(), 49);
}

TEST(PbxStateTables, SecondPbxLandsBehindTheFirst)
{
    OperatorConsoleState state;
    state.firstInitialization.bytes[PbxInitialization::kExtensionCountOffset] = 2;
    state.firstInitialization.bytes[PbxInitialization::kLineCountOffset] = 1;
    state.tables.Allocate(state.FirstCounts());
    state.tables.extensionStatus[1].SetDigits("first");

    state.secondInitialization.bytes[PbxInitialization::kExtensionCountOffset] = 3;
    state.secondInitialization.bytes[PbxInitialization::kRelayCountOffset] = 2;
    PbxStateTables second;
    second.Allocate({3, 0, 0, 2});
    second.extensionStatus[0].SetDigits("second");
    second.relayStatus[1] = 7;
    state.tables.Append(second);
    state.hasSecondPbx = true;

    EXPECT_EQ(state.tables.Counts().extensions, 5);
    EXPECT_EQ(state.tables.Counts().relays, 2);
    EXPECT_EQ(state.tables.extensionStatus[1].Digits(), "first");
    EXPECT_EQ(state.tables.extensionStatus[2].Digits(), "second");
    EXPECT_EQ(state.tables.relayStatus[1], 7);

    struct Case { int index; std::optional<std::pair<int, int>> expected; };
    const Case extensions[] = {{0, {{0, 0}}}, {1, {{0, 1}}}, {2, {{1, 0}}}, {4, {{1, 2}}}, {5, {}}, {-1, {}}};
    for (const Case& c : extensions) {
        const auto split = state.SplitExtension(c.index);
        ASSERT_EQ(split.has_value(), c.expected.has_value()) << c.index;
        if (split) {
            EXPECT_EQ(split->pbx, c.expected->first) << c.index;
            EXPECT_EQ(split->local, c.expected->second) << c.index;
        }
    }
    EXPECT_EQ(state.SplitRelay(1)->pbx, 1);
    EXPECT_FALSE(state.SplitLine(1).has_value());

    state.hasSecondPbx = false;  // without the second PBX only the first's objects count
    EXPECT_FALSE(state.SplitExtension(2).has_value());
}

}  // namespace
