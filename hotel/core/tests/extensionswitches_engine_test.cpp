// A room's outside calls and wake-up call switched through the real engine, Pultex in simulation with
// Simulvex as the PBX: what the PBX holds, what the database keeps and what the workstations receive.
#include "consolesuite.h"
#include "engineerrorcode.h"
#include "extensionswitches.h"
#include "hoteldatabase.h"
#include "messagetarget.h"
#include "pbxobjecttype.h"
#include "udpeventlistener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace lodgix {
namespace {

constexpr std::uint8_t kPbx = 0;
constexpr int kExtension = 1;
constexpr int kRoomIndex = 0;
constexpr std::uint8_t kProgrammingCode = 0x23;
constexpr qsizetype kOtherByte = 9;  // a programming byte another workstation changes

// The programming frames of the room's extension that the engine sends to this workstation.
class EventCatcher : public MessageTarget {
public:
    EventCatcher() : m_listener(this, 0x400, true) {}
    bool Start(std::uint16_t port) { return m_listener.Start(port); }

    void Post(std::uint32_t, std::uint64_t slot, std::int64_t) override
    {
        const std::vector<std::uint8_t> bytes = m_listener.CopySlot(static_cast<int>(slot));
        // PBX index, 0x16 0x16, code, length, then the block: object type and extension index first.
        if (bytes.size() < 7 || bytes[3] != kProgrammingCode || bytes[6] != kExtension)
            return;
        std::lock_guard lock(m_mutex);
        m_blocks.emplace_back(reinterpret_cast<const char*>(bytes.data()) + 5, static_cast<qsizetype>(bytes.size()) - 5);
        m_changed.notify_all();
    }

    // The next block received, empty when none came within 10 seconds.
    QByteArray Next()
    {
        std::unique_lock lock(m_mutex);
        if (!m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_taken < m_blocks.size(); }))
            return {};
        return m_blocks[m_taken++];
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<QByteArray> m_blocks;
    std::size_t m_taken = 0;
    CUdpEventListener m_listener;
};

class ExtensionSwitchesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_suite.IsValid());
        const QString failure = m_suite.StartInSimulation({QStringLiteral("set extensions 4")});
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
        ASSERT_TRUE(m_events.Start(m_suite.Ports().eventPort));
        m_database = std::make_unique<CHotelDatabase>(m_suite.CatalogParameters());
        ASSERT_EQ(m_database->Connect(QString()), kNoError);
        RoomRecord room;
        room.pbx = kPbx;
        room.extension = kExtension;
        m_tables.LoadPbxTables(*m_database, 1);
        m_tables.LoadExtensionStates(*m_database, {room});
        ASSERT_TRUE(m_tables.RoomAt(kRoomIndex).valid);
    }

    CEngineClient Engine() const { return CEngineClient("127.0.0.1", m_suite.Ports().requestPort); }

    QByteArray PbxProgramming()
    {
        ProgrammingRecord record{};
        EXPECT_EQ(Engine().ReadProgrammation(kPbx, kObjectExtension, kExtension, record, kPbxRequestSeconds), kNoError);
        return QByteArray(reinterpret_cast<const char*>(record.data()), 50);
    }
    QByteArray StoredProgramming()
    {
        QByteArray record;
        EXPECT_EQ(m_database->ReadDerivedProgrammation(kPbx, kExtension, record), kNoError);
        return record.left(50);
    }
    void Silence(bool on) { m_suite.SimulvexCommand(QStringLiteral("fault silence %1").arg(on ? "on" : "off")); }

    ConsoleSuite m_suite;
    EventCatcher m_events;
    std::unique_ptr<CHotelDatabase> m_database;
    ExtensionTables m_tables;
};

TEST_F(ExtensionSwitchesTest, OutsideCallsChangeOnlyTheirByteAndReachTheWorkstationsAfterThePbxTookThem)
{
    // Another workstation changed the extension's byte 9 after this one loaded its tables.
    QByteArray changed = StoredProgramming();
    changed[kOtherByte] = static_cast<char>(changed.at(kOtherByte) ^ 1);
    const auto block = [](const QByteArray& bytes) {
        return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 50);
    };
    ASSERT_EQ(Engine().WriteProgrammation(kPbx, block(changed), kPbxRequestSeconds), kNoError);
    ASSERT_EQ(m_database->SaveDerivedProgrammation(kPbx, changed), kNoError);

    ASSERT_EQ(SwitchOutsideCalls(Engine(), *m_database, m_tables, kRoomIndex, true), kNoError);
    QByteArray expected = changed;
    expected[kOutsideCallsByte] = 1;
    EXPECT_EQ(PbxProgramming(), expected);
    EXPECT_EQ(StoredProgramming(), expected);
    EXPECT_EQ(m_tables.RoomAt(kRoomIndex).programming, expected);
    EXPECT_EQ(m_events.Next(), expected);

    // The PBX silent: nothing stored, kept or distributed. The next frame the workstations get is the
    // one of the write the PBX took afterwards.
    Silence(true);
    EXPECT_EQ(SwitchOutsideCalls(Engine(), *m_database, m_tables, kRoomIndex, false), kChannelTimeout);
    Silence(false);
    EXPECT_EQ(StoredProgramming(), expected);
    EXPECT_EQ(m_tables.RoomAt(kRoomIndex).programming, expected);
    m_database->SaveDerivedProgrammation(kPbx, changed);  // byte 9 changes back, byte 5 is 0 in the row
    ASSERT_EQ(SwitchOutsideCalls(Engine(), *m_database, m_tables, kRoomIndex, true), kNoError);
    EXPECT_EQ(m_events.Next(), expected);
    EXPECT_EQ(PbxProgramming(), expected);
}

TEST_F(ExtensionSwitchesTest, AWakeUpIsKeptOnlyWhenThePbxTookIt)
{
    const QByteArray wakeUp("\x01\x02\x07\x1e\x00", 5);  // single, 07:30
    ASSERT_EQ(SendWakeUp(Engine(), *m_database, m_tables, kRoomIndex, wakeUp), kNoError);
    WakeUpBytes onPbx{};
    ASSERT_EQ(Engine().ReadWakeUp(kPbx, kExtension, onPbx, kPbxRequestSeconds), kNoError);
    EXPECT_EQ(onPbx, (WakeUpBytes{1, 2, 7, 30, 0}));
    QByteArray stored;
    ASSERT_EQ(m_database->ReadWakeUp(kPbx, kExtension, stored), kNoError);
    EXPECT_EQ(stored.left(4), wakeUp.left(4));
    EXPECT_EQ(m_tables.RoomAt(kRoomIndex).state, wakeUp);

    Silence(true);
    EXPECT_EQ(SendWakeUp(Engine(), *m_database, m_tables, kRoomIndex, QByteArray("\x01\x00\x08\x00\x00", 5)),
              kChannelTimeout);
    Silence(false);
    ASSERT_EQ(m_database->ReadWakeUp(kPbx, kExtension, stored), kNoError);
    EXPECT_EQ(stored.left(4), wakeUp.left(4));
    EXPECT_EQ(m_tables.RoomAt(kRoomIndex).state, wakeUp);
}

TEST_F(ExtensionSwitchesTest, ARoomWithoutExtensionDataIsLeftAlone)
{
    EXPECT_EQ(SwitchOutsideCalls(Engine(), *m_database, m_tables, 5, true), kNoExtensionData);
    EXPECT_EQ(SendWakeUp(Engine(), *m_database, m_tables, 5, QByteArray(5, '\0')), kNoExtensionData);
}

}  // namespace
}  // namespace lodgix
