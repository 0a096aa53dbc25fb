// The engine-event dispatcher on SQLite and PostgreSQL: a PBX of 4 extensions, 2 lines, 2 entry phones and
// 2 relays (identifier 3) with a second PBX of 3, 2, 1 and 1 behind it (identifier 5); the own extension
// is 1. Each event code changes the tables it names and asks for the redraws it names; datagrams of
// other PBXs, short payloads and objects outside the tables change nothing.
#include "consoleredrawtarget.h"
#include "consoletestpbx.h"
#include "dbtest.h"
#include "engineeventdispatcher.h"
#include "joinbytes.h"
#include "mainsettings.h"
#include "pbxstateloader.h"
#include "udpeventlistener.h"

#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace {

constexpr int kFirstPbx = 3;
constexpr int kSecondPbx = 5;
constexpr int kOwnExtension = 1;
constexpr int kFirstExtensions = 4;
constexpr int kFirstLines = 2;
constexpr int kFirstEntryPhones = 2;

using Bytes = std::vector<std::uint8_t>;

class RecordingTarget : public ConsoleRedrawTarget {
public:
    void RedrawObject(PbxObjectType kind, int index) override { redraws.emplace_back(kind, index); }
    void RefreshOwnExtension() override { ++ownRefreshes; }
    void RefreshPopup() override { ++popupRefreshes; }

    bool Redrawn(PbxObjectType kind, int index) const
    {
        return std::find(redraws.begin(), redraws.end(), std::make_pair(kind, index)) != redraws.end();
    }
    bool Untouched() const { return redraws.empty() && ownRefreshes == 0 && popupRefreshes == 0; }

    std::vector<std::pair<PbxObjectType, int>> redraws;
    int ownRefreshes = 0;
    int popupRefreshes = 0;
};

// Every byte of the tables the dispatcher writes, to see that an event changed nothing.
QByteArray Snapshot(const OperatorConsoleState& state)
{
    QByteArray bytes;
    const auto add = [&bytes](const auto& table) {
        for (const auto& entry : table) {
            if constexpr (requires { entry.bytes; })
                bytes.append(reinterpret_cast<const char*>(entry.bytes.data()), qsizetype(entry.bytes.size()));
            else if constexpr (requires { entry.size(); })
                bytes.append(reinterpret_cast<const char*>(entry.data()), qsizetype(entry.size()));
            else
                bytes.append(static_cast<char>(entry));
        }
    };
    const PbxStateTables& t = state.tables;
    add(t.extensionStatus), add(t.extensionWakeUp), add(t.extensionProgramming), add(t.extensionAlarm);
    add(t.extensionUnread), add(t.extensionCallDirection), add(t.lineStatus), add(t.lineProgramming);
    add(t.entryPhoneStatus), add(t.entryPhoneProgramming), add(t.entryPhoneCallDirection), add(t.relayStatus);
    add(t.relayProgramming);
    bytes += state.lastNumber.toLatin1() + char(state.missedCalls) + char(state.unreadMessages);
    return bytes;
}

Bytes Datagram(int pbx, int code, const Bytes& payload)
{
    const std::uint8_t head[] = {static_cast<std::uint8_t>(pbx), 0x16, 0x16, static_cast<std::uint8_t>(code),
                                 static_cast<std::uint8_t>(payload.size())};
    return JoinBytes({head, payload});
}

Bytes WithText(Bytes head, const QByteArray& text)
{
    head.insert(head.end(), text.begin(), text.end());
    return head;
}

class EngineEventDispatch : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_database = StartEngineDatabaseWithPbx(kFirstPbx, QStringLiteral("PBXA"));
        ASSERT_EQ(m_database->InsertEngineConfiguration(kSecondPbx, QStringLiteral("PBXB"), 1), kNoError);
        ASSERT_EQ(m_database->ConnectAndCreateSchema(kServer), kNoError);
        ASSERT_EQ(m_database->PrepareOperatorConsoleTables(), kNoError);
        WritePbx(*m_database, 0, kFirstExtensions, kFirstLines, kFirstEntryPhones, 2);
        WritePbx(*m_database, 1, 3, 2, 1, 1);
        ASSERT_EQ(LoadPbxState(*m_database, m_state, kFirstPbx, kOwnExtension, kSecondPbx), kNoError);
        ASSERT_TRUE(m_state.hasSecondPbx);
        // Every object starts ready and linked to nothing.
        for (auto& entry : m_state.tables.extensionStatus)
            entry.bytes[ExtensionEntry::kStateOffset] = kStateReady, entry.bytes[ExtensionEntry::kLinkTypeOffset] = 0;
        m_dispatcher = std::make_unique<EngineEventDispatcher>(m_state, *m_database, m_settings, m_target);
        m_dispatcher->SetClock([] { return OleDate(2026, 12, 10, 9, 30); });
    }

    void Send(int pbx, int code, const Bytes& payload) { m_dispatcher->Dispatch(Datagram(pbx, code, payload)); }
    void Send(int code, const Bytes& payload) { Send(kFirstPbx, code, payload); }
    ExtensionEntry& Extension(int i) { return m_state.tables.extensionStatus[std::size_t(i)]; }
    LineEntry& Line(int i) { return m_state.tables.lineStatus[std::size_t(i)]; }
    EntryPhoneEntry& EntryPhone(int i) { return m_state.tables.entryPhoneStatus[std::size_t(i)]; }

    std::unique_ptr<CSqlDatabase> m_database;
    OperatorConsoleState m_state;
    MainSettings m_settings;
    RecordingTarget m_target;
    std::unique_ptr<EngineEventDispatcher> m_dispatcher;
};

TEST_P(EngineEventDispatch, DatagramsThatChangeNothing)
{
    const QByteArray before = Snapshot(m_state);
    const std::vector<Bytes> ignored{
        Datagram(255, 65, {1, 0, 7}),                // the engine itself
        Datagram(9, 65, {1, 0, 7}),                  // no PBX of this console
        Datagram(kFirstPbx, 99, {1, 0, 7}),          // no event code
        {kFirstPbx, 0x16, 0x16},                     // no header
        {},
        Datagram(kFirstPbx, 13, {}),                 // short payloads
        Datagram(kFirstPbx, 35, Bytes(49, 1)),
        Datagram(kFirstPbx, 35, {2, 0, 1, 2, 3}),
        Datagram(kFirstPbx, 39, {0, 1, 2, 3}),
        Datagram(kFirstPbx, 51, {0, 1, 0}),
        Datagram(kFirstPbx, 60, {1, 0, 2}),
        Datagram(kFirstPbx, 65, {1, 0}),
        Datagram(kFirstPbx, 68, {1}),
        Datagram(kFirstPbx, 70, {}),
        Datagram(kFirstPbx, 71, {1, 0}),
        Datagram(kFirstPbx, 65, {1, kFirstExtensions, 7}),  // objects outside the first PBX
        Datagram(kFirstPbx, 65, {2, kFirstLines, 7}),
        Datagram(kFirstPbx, 39, {kFirstExtensions, 1, 6, 0, 0}),
        Datagram(kFirstPbx, 51, {0, 1, 2, kFirstLines}),   // a linked index outside its table
        Datagram(kFirstPbx, 51, {0, 1, 3, kFirstEntryPhones}),
        Datagram(kFirstPbx, 51, {0, 1, 1, kFirstExtensions}),
        Datagram(kFirstPbx, 60, {1, 0, 2, kFirstLines}),
        Datagram(kSecondPbx, 65, {1, 3, 7}),               // outside the second PBX
        Datagram(kSecondPbx, 71, {1, 0, 4}),               // alarms of the second PBX are not kept
        Datagram(kFirstPbx, 160, {0, 1, 2, kFirstPbx}),     // 9 and 11 bytes
        Datagram(kFirstPbx, 160, {1, 0, kOwnExtension, kFirstPbx, kFirstPbx, 0}),
    };
    for (const Bytes& datagram : ignored)
        m_dispatcher->Dispatch(datagram);
    EXPECT_EQ(Snapshot(m_state), before);
    EXPECT_TRUE(m_target.Untouched());
}

TEST_P(EngineEventDispatch, DialledDigitsStopAtFortyNineCharacters)
{
    Extension(0).SetDigits(QByteArray(48, '1'));
    Send(13, WithText({0}, "234"));
    EXPECT_EQ(Extension(0).Digits(), QByteArray(48, '1') + "2");
    Send(13, WithText({0}, "5"));
    EXPECT_EQ(Extension(0).Digits().size(), 49);
    EXPECT_TRUE(m_target.Redrawn(kObjectExtension, 0));
    EXPECT_EQ(m_target.ownRefreshes, 2);

    // A datagram of a whole slot: its text ends with the slot, nothing is read beyond it.
    Bytes full(CUdpEventListener::kSlotSize, '7');
    Extension(2).SetDigits({});
    full[0] = kFirstPbx, full[1] = full[2] = 0x16, full[3] = 13, full[4] = std::uint8_t(full.size() - 5), full[5] = 2;
    m_dispatcher->Dispatch(full);
    EXPECT_EQ(Extension(2).Digits(), QByteArray(49, '7'));
}

TEST_P(EngineEventDispatch, ProgrammingAndWakeUpRecords)
{
    Bytes extension(50);
    for (std::size_t i = 0; i < extension.size(); ++i)
        extension[i] = std::uint8_t(i + 1);
    extension[0] = 1, extension[1] = 3;
    Send(35, extension);
    EXPECT_TRUE(std::equal(extension.begin(), extension.end(), m_state.tables.extensionProgramming[3].begin()));
    Send(35, {2, 1, 7, 7, 7, 7, 7, 1, 7, 7, 7, 9});
    EXPECT_EQ(m_state.tables.lineProgramming[1][11], 9);
    Send(35, {3, 1});
    Send(35, {4, 0});
    Send(39, {2, 1, 6, 45, 10});
    EXPECT_EQ(m_state.tables.extensionWakeUp[2], (PbxStateTables::WakeUp{2, 1, 6, 45, 10}));
    EXPECT_EQ(m_target.redraws, (std::vector<std::pair<PbxObjectType, int>>{
                                    {kObjectExtension, 3}, {kObjectLine, 1}, {kObjectEntryPhone, 1}, {kObjectExtension, 2}}));
}

TEST_P(EngineEventDispatch, RingingAndConnection)
{
    Send(51, {0, 4, 0, 0});  // no peer: a wake-up call
    EXPECT_EQ(Extension(0).State(), kStateIncomingCall);
    EXPECT_EQ(Extension(0).RingType(), 4);
    Send(51, {1, 1, 2, 1});  // a line with no caller data
    EXPECT_EQ(Line(1).CallerNumber(), "**NOCID**");
    EXPECT_EQ(Extension(1).LinkType(), 2);
    Send(51, {2, 1, 3, 1});
    EXPECT_EQ(EntryPhone(1).State(), kStateDialling);
    EXPECT_EQ(EntryPhone(1).LinkType(), kObjectExtension);
    EXPECT_EQ(EntryPhone(1).LinkIndex(), 2);
    EXPECT_EQ(m_target.popupRefreshes, 0);

    // Extension 3 (dialled "0612") calls out on line 0, which has no caller data yet.
    Extension(3).SetDigits("0612");
    Send(60, {1, 3, 2, 0});
    EXPECT_EQ(Extension(3).State(), kStateConnected);
    EXPECT_EQ(Extension(3).LinkType(), kObjectLine);
    EXPECT_EQ(m_state.tables.extensionCallDirection[3], 2);
    EXPECT_EQ(Line(0).State(), kStateConnected);
    EXPECT_EQ(Line(0).LinkIndex(), 3);
    EXPECT_EQ(Line(0).CallerName(), "0612");
    // Two extensions: the first side 2, the second side 1; the own extension is refreshed.
    Send(60, {1, 0, 1, kOwnExtension});
    EXPECT_EQ(m_state.tables.extensionCallDirection[0], 2);
    EXPECT_EQ(m_state.tables.extensionCallDirection[kOwnExtension], 1);
    EXPECT_EQ(Extension(kOwnExtension).LinkIndex(), 0);
    EXPECT_EQ(m_target.popupRefreshes, 2);
    EXPECT_EQ(m_target.ownRefreshes, 2);  // the wake-up call's 51 and the own side of the second 60
}

TEST_P(EngineEventDispatch, StateChanges)
{
    // The own extension back to ready keeps its number and releases the entry phone it was ringing.
    Extension(kOwnExtension).SetDigits("0612");
    Send(51, {kOwnExtension, 1, 3, 1});
    Send(65, {1, kOwnExtension, kStateReady});
    EXPECT_EQ(m_state.lastNumber, "0612");
    EXPECT_EQ(EntryPhone(1).State(), kStateReady);
    QByteArray record;
    ASSERT_EQ(m_database->ReadEntryPhoneStatus(0, 1, record), kNoError);
    EXPECT_EQ(record[2], char(kStateReady));
    EXPECT_TRUE(m_target.Redrawn(kObjectEntryPhone, 1));

    Extension(2).SetDigits("55");
    Send(65, {1, 2, kStateExternalCall});
    Send(65, {1, 2, kStateDialling});
    EXPECT_EQ(Extension(2).Digits(), "");
    EXPECT_EQ(Extension(2).State(), kStateDialling);

    Line(1).bytes[LineEntry::kLinkTypeOffset] = kObjectExtension;
    Send(65, {2, 1, kStateConnected});
    EXPECT_EQ(Line(1).LinkType(), 255);
    EXPECT_EQ(Line(1).State(), kStateConnected);
    Send(65, {3, 0, 13});
    EXPECT_EQ(EntryPhone(0).State(), 13);
    Send(65, {4, 1, 1});
    EXPECT_EQ(m_state.tables.relayStatus[1], 1);
    EXPECT_TRUE(m_target.Redrawn(kObjectRelay, 1));
    EXPECT_EQ(m_target.popupRefreshes, 6);  // every 65
}

TEST_P(EngineEventDispatch, ProgrammingStoredIsReadAgain)
{
    ASSERT_EQ(m_database->SaveDerivedProgrammation(0, Record(50, {{0, 1}, {1, 2}, {2, 9}})), kNoError);
    ASSERT_EQ(m_database->SaveLineProgrammation(0, Record(12, {{0, 2}, {1, 1}, {5, 1}})), kNoError);
    ASSERT_EQ(m_database->SaveRelayProgrammation(1, Record(3, {{0, 4}, {1, 0}, {2, 0}})), kNoError);
    ASSERT_EQ(m_database->SaveSystemConfiguration(0, Record(26, {{0, 1}})), kNoError);
    Send(68, {1, 255});
    EXPECT_EQ(m_state.tables.extensionProgramming[2][2], 9);
    EXPECT_EQ(m_target.redraws.size(), std::size_t(kFirstExtensions));
    Send(68, {2, 1});
    EXPECT_EQ(m_state.tables.lineProgramming[1][5], 1);
    Send(68, {0, 0});
    EXPECT_EQ(m_state.firstConfiguration.bytes[0], 1);
    // The second PBX's relay, read with its own PBX and stored behind the first PBX's two.
    Send(kSecondPbx, 68, {4, 0});
    EXPECT_EQ(m_state.tables.relayProgramming[2][2], 0);
    EXPECT_TRUE(m_target.Redrawn(kObjectRelay, 2));
}

TEST_P(EngineEventDispatch, CallerIdAndAlarms)
{
    Send(70, WithText({1}, "0612345"));
    EXPECT_EQ(Line(1).CallerNumber(), "0612345");
    Send(70, WithText({1}, QByteArray(50, '9')));
    EXPECT_EQ(Line(1).CallerNumber(), "0612345");

    Send(71, {1, 2, 4});
    const AlarmEntry& alarm = m_state.tables.extensionAlarm[2];
    EXPECT_EQ(alarm.PendingFlag(), 1);
    EXPECT_EQ(alarm.Kind(), 4);
    EXPECT_EQ(OleDate(alarm.Time()).ToSeconds(), OleDate(2026, 12, 10, 9, 30).ToSeconds());
    Send(71, {1, 2, 255});
    EXPECT_EQ(alarm.PendingFlag(), 0);
    const int popups = m_target.popupRefreshes;

    m_settings.SetAlarmEnabled(3, 0);
    Send(71, {1, 3, 4});
    EXPECT_FALSE(m_state.tables.extensionAlarm[3].Pending());
    EXPECT_EQ(m_target.popupRefreshes, popups);
}

TEST_P(EngineEventDispatch, MessageNotifications)
{
    // This station wrote to extension 2 and to the second PBX's extension 0.
    ASSERT_EQ(m_database->InsertMessage(kFirstPbx, kFirstPbx, kOwnExtension, 2, QStringLiteral("a")), kNoError);
    ASSERT_EQ(m_database->InsertMessage(kFirstPbx, kSecondPbx, kOwnExtension, 0, QStringLiteral("b")), kNoError);
    Send(160, {0, kOwnExtension, 2, kFirstPbx, kFirstPbx});
    Send(160, {0, kOwnExtension, 0, kFirstPbx, kSecondPbx});
    EXPECT_EQ(m_state.tables.extensionUnread[2], 1);
    EXPECT_EQ(m_state.tables.extensionUnread[kFirstExtensions], 1);
    EXPECT_TRUE(m_target.Redrawn(kObjectExtension, kFirstExtensions));
    EXPECT_EQ(m_target.popupRefreshes, 0);

    // A message to this station, announced through the second PBX's engine too.
    ASSERT_EQ(m_database->InsertMessage(kFirstPbx, kFirstPbx, 0, kOwnExtension, QStringLiteral("c")), kNoError);
    Send(kSecondPbx, 160, {0, 0, kOwnExtension, kFirstPbx, kFirstPbx});
    EXPECT_TRUE(m_state.unreadMessages);
    EXPECT_EQ(m_target.popupRefreshes, 1);

    // Read at extension 2: its count drops.
    ASSERT_EQ(m_database->MarkMessagesRead(2, kFirstPbx), kNoError);
    Send(160, {1, 255, 2, 0, kFirstPbx});
    EXPECT_EQ(m_state.tables.extensionUnread[2], 0);
}

TEST_P(EngineEventDispatch, SecondPbxLandsBehindTheFirst)
{
    Send(kSecondPbx, 65, {1, 1, kStateIncomingCall});
    EXPECT_EQ(Extension(kFirstExtensions + 1).State(), kStateIncomingCall);
    EXPECT_EQ(Extension(1).State(), kStateReady);
    Send(kSecondPbx, 65, {2, 0, kStateConnected});
    EXPECT_EQ(Line(kFirstLines).State(), kStateConnected);
    Send(kSecondPbx, 60, {1, kOwnExtension, 3, 0});
    EXPECT_EQ(Extension(kFirstExtensions + kOwnExtension).LinkType(), kObjectEntryPhone);
    EXPECT_EQ(EntryPhone(kFirstEntryPhones).State(), kStateConnected);
    Send(kSecondPbx, 13, WithText({kOwnExtension}, "12"));
    EXPECT_EQ(Extension(kFirstExtensions + kOwnExtension).Digits(), "12");
    EXPECT_EQ(Extension(kOwnExtension).Digits(), "");
    EXPECT_EQ(m_target.ownRefreshes, 0);
    EXPECT_EQ(m_target.popupRefreshes, 0);
    EXPECT_TRUE(m_target.Redrawn(kObjectExtension, kFirstExtensions + 1));
}

TEST_P(EngineEventDispatch, PopupRequestsDataSide)
{
    QTemporaryDir folder;
    m_dispatcher->SetSettingsFolder(folder.path());
    const OleDate reference(2026, 12, 10, 8, 0);
    m_settings.SetMissedCallReference(reference);
    m_state.missedCalls = 3;
    EXPECT_EQ(m_dispatcher->AcknowledgeMissedCalls().ToSeconds(), reference.ToSeconds());
    EXPECT_EQ(m_state.missedCalls, 0);
    // No missed call in the log: the reference becomes now, and the file holds it.
    EXPECT_EQ(m_settings.MissedCallReference().ToSeconds(), OleDate(2026, 12, 10, 9, 30).ToSeconds());
    EXPECT_TRUE(QFile::exists(folder.filePath(MainSettings::kFileName)));

    // Without an engine the relays fail, after the database's part is done.
    ASSERT_EQ(m_database->InsertMessage(kFirstPbx, kFirstPbx, 0, kOwnExtension, QStringLiteral("c")), kNoError);
    EXPECT_EQ(m_dispatcher->AcknowledgeMessages(), kNoEngineClient);
    bool waiting = true;
    ASSERT_EQ(m_database->HasUnreadMessages(kFirstPbx, kOwnExtension, waiting), kNoError);
    EXPECT_FALSE(waiting);

    Send(71, {1, 2, 4});
    EXPECT_EQ(m_dispatcher->StoreAlarmAction(2, 0), kNoEngineClient);
    EXPECT_EQ(m_state.tables.extensionAlarm[2].PendingFlag(), 2);
    EXPECT_EQ(m_dispatcher->AlarmTime(2).ToSeconds(), OleDate(2026, 12, 10, 9, 30).ToSeconds());
    m_dispatcher->AlarmShown(2);
    EXPECT_EQ(m_state.tables.extensionAlarm[2].PendingFlag(), 0);
    EXPECT_FALSE(m_dispatcher->AlarmTime(kFirstExtensions).IsValid());
}

INSTANTIATE_DB_TEST(EngineEventDispatch);

}  // namespace
