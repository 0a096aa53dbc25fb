// The operator console's requests as they travel: CEngineClient -> the engine Pultex (in simulation, in a
// suite tree of its own) -> the simulated PBX Simulvex, and back.
#include "pultexsimulationtest.h"
#include "recorderftpclient.h"
#include "registrykey.h"

#include <QTcpServer>

namespace {

using pultexsimulation::kPbx;
using pultexsimulation::kSeconds;

class EngineRequestsTest : public pultexsimulation::PultexSimulationTest {};

TEST_F(EngineRequestsTest, ProgrammingAndWakeUpAreWrittenAndReadBack)
{
    ProgrammingRecord written{};
    written[0] = kObjectExtension;
    written[1] = 2;
    for (std::size_t i = 2; i < ProgrammingRecordSize(kObjectExtension); ++i)
        written[i] = static_cast<std::uint8_t>(i % 3);
    ASSERT_EQ(Client().WriteProgrammation(kPbx, std::span(written).first(50), kSeconds), kNoError);
    ProgrammingRecord read{};
    ASSERT_EQ(Client().ReadProgrammation(kPbx, kObjectExtension, 2, read, kSeconds), kNoError);
    EXPECT_EQ(read, written);

    ASSERT_EQ(Client().SetWakeUp(kPbx, {3, 1, 6, 45, 10}, kSeconds), kNoError);
    WakeUpBytes wakeUp{};
    ASSERT_EQ(Client().ReadWakeUp(kPbx, 3, wakeUp, kSeconds), kNoError);
    EXPECT_EQ(wakeUp, (WakeUpBytes{3, 1, 6, 45, 10}));
    // An hour the PBX cannot take is refused with status 1.
    EXPECT_EQ(Client().SetWakeUp(kPbx, {3, 1, 25, 0, 0}, kSeconds), kAcknowledgeStatus1);
}

TEST_F(EngineRequestsTest, PhoneBookPositionsAndEntries)
{
    PbxDirectory::InfoBlock info{};
    ASSERT_EQ(Client().ReadDirectoryInfo(kPbx, info, kSeconds), kNoError);
    EXPECT_EQ(PbxDirectory::CommonBookSize(info), 32);
    EXPECT_EQ(PbxDirectory::PersonalBookSize(info), 16);
    EXPECT_EQ(PbxDirectory::GlobalBookSize(info), 16);

    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    ASSERT_EQ(Client().WriteDirectoryPosition(kPbx, 5, "1203", kSeconds), kNoError);
    // The digits travel coded: "1203" as 1, 2, 10, 3 and a zero.
    EXPECT_TRUE(Simulvex(QStringLiteral("frames")).contains(QStringLiteral("16162e0703050102 0a0300").remove(u' '),
                                                            Qt::CaseInsensitive));
    std::string number;
    ASSERT_EQ(Client().ReadDirectoryPosition(kPbx, 5, number, kSeconds), kNoError);
    EXPECT_EQ(number, "1203");

    std::array<std::uint8_t, PbxDirectory::kEntrySize> entry{};
    ASSERT_EQ(Client().WriteDirectoryEntry(kPbx, PbxDirectory::kGlobalBook, 15, "0612", kSeconds), kNoError);
    ASSERT_EQ(Client().ReadDirectoryEntry(kPbx, PbxDirectory::kGlobalBook, 15, entry, number, kSeconds), kNoError);
    EXPECT_EQ(number, "0612");
    ASSERT_EQ(Client().WriteDirectoryEntry(kPbx, 3, 2, "55", kSeconds), kNoError);
    ASSERT_EQ(Client().ReadDirectoryEntry(kPbx, 3, 2, entry, number, kSeconds), kNoError);
    EXPECT_EQ(number, "55");
    // The personal book of another extension is its own.
    ASSERT_EQ(Client().ReadDirectoryEntry(kPbx, 1, 2, entry, number, kSeconds), kNoError);
    EXPECT_EQ(number, "");

    // An empty number clears.
    ASSERT_EQ(Client().WriteDirectoryPosition(kPbx, 5, "", kSeconds), kNoError);
    ASSERT_EQ(Client().ReadDirectoryPosition(kPbx, 5, number, kSeconds), kNoError);
    EXPECT_EQ(number, "");

    // Outside the books: writes refused, reads not accepted.
    EXPECT_EQ(Client().WriteDirectoryPosition(kPbx, 32, "1", kSeconds), kAcknowledgeStatus1);
    EXPECT_EQ(Client().ReadDirectoryPosition(kPbx, 32, number, kSeconds), kAnswerNotAcceptable);
    EXPECT_EQ(Client().ReadDirectoryEntry(kPbx, PbxDirectory::kGlobalBook, 16, entry, number, kSeconds),
              kAnswerNotAcceptable);
    EXPECT_EQ(Client().WriteDirectoryEntry(kPbx, 9, 0, "1", kSeconds), kAcknowledgeStatus1);  // no extension 9
}

TEST_F(EngineRequestsTest, PhoneBookSizesAreSetEmpty)
{
    ASSERT_EQ(Client().WriteDirectoryPosition(kPbx, 5, "1203", kSeconds), kNoError);
    ASSERT_EQ(Simulvex(QStringLiteral("set phonebook 300 0 2")), QStringLiteral("OK"));
    PbxDirectory::InfoBlock info{};
    ASSERT_EQ(Client().ReadDirectoryInfo(kPbx, info, kSeconds), kNoError);
    EXPECT_EQ(PbxDirectory::CommonBookSize(info), 300);
    EXPECT_EQ(PbxDirectory::PersonalBookSize(info), 0);
    EXPECT_EQ(PbxDirectory::GlobalBookSize(info), 512);
    std::string number;
    ASSERT_EQ(Client().ReadDirectoryPosition(kPbx, 5, number, kSeconds), kNoError);
    EXPECT_EQ(number, "");
    std::array<std::uint8_t, PbxDirectory::kEntrySize> entry{};
    ASSERT_EQ(Client().WriteDirectoryEntry(kPbx, PbxDirectory::kGlobalBook, 511, "7", kSeconds), kNoError);
    ASSERT_EQ(Client().ReadDirectoryEntry(kPbx, PbxDirectory::kGlobalBook, 511, entry, number, kSeconds), kNoError);
    EXPECT_EQ(number, "7");
    EXPECT_EQ(Client().WriteDirectoryEntry(kPbx, 1, 0, "1", kSeconds), kAcknowledgeStatus1);
    EXPECT_EQ(Simulvex(QStringLiteral("set phonebook 65536 1")),
              QStringLiteral("ERROR common positions must be a number from 0 to 65535: 65536"));
}

TEST_F(EngineRequestsTest, AWrongCodeIsNotAccepted)
{
    ASSERT_EQ(Simulvex(QStringLiteral("fault wrong-code on")).left(2), QStringLiteral("OK"));
    std::string number;
    EXPECT_EQ(Client().ReadDirectoryPosition(kPbx, 1, number, kSeconds), kAnswerNotAcceptable);
    EXPECT_EQ(Client().SetWakeUp(kPbx, {1, 1, 6, 0, 0}, kSeconds), kAnswerNotAcceptable);
}

TEST_F(EngineRequestsTest, APbxOnTheSerialLineHasNoAddress)
{
    std::string address = "old";
    EXPECT_EQ(Client().ReadPbxAddress(kPbx, address), kAnswerNotAcceptable);
    EXPECT_EQ(address, "");
}

TEST_F(EngineRequestsTest, TheRecordRequestReachesThePbx)
{
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    // The PBX never answers it: whatever the transport says is the result.
    Client().SendRecordRequest(kPbx, 2, 1, 1);
    EXPECT_TRUE(Simulvex(QStringLiteral("frames")).contains(QStringLiteral("16162b020201"), Qt::CaseInsensitive));
}

}  // namespace

namespace {

TEST_F(EngineRequestsTest, TheRecorderOfAPbxNotOnTheLanIsNeverReached)
{
    QTcpServer recorder;
    ASSERT_TRUE(recorder.listen(QHostAddress::LocalHost));
    ASSERT_TRUE(RegistryKey(QStringLiteral("Network"), s_tree->SharedFolder() + QStringLiteral("Registry.ini"))
                    .WriteInt(CRecorderFtpClient::kPortName, recorder.serverPort()));
    const CEngineClient engine = Client();
    CRecorderFtpClient client(engine, kPbx);
    EXPECT_TRUE(client.ListRecordings().empty());
    EXPECT_FALSE(recorder.waitForNewConnection(0));
}

}  // namespace
