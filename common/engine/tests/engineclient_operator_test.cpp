// The operator console's requests against the scripted server: the frames they send and how they judge
// the answers. The same requests through the engine and the simulator are in the telephony tests.
#include "engineclient.h"

#include "engineerrorcodeprinter.h"
#include "joinbytes.h"
#include "scriptedengineserver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

CEngineClient ClientOf(const ScriptedEngineServer& server) { return CEngineClient("127.0.0.1", server.Port()); }

Bytes Frame(std::uint8_t code, const Bytes& payload)
{
    const std::uint8_t header[] = {0x16, 0x16, code, static_cast<std::uint8_t>(payload.size())};
    return JoinBytes({header, payload});
}

Bytes Ack(std::uint8_t command, std::uint8_t status) { return {0x16, 0x16, 32, 3, command, status, 0}; }

struct OperatorCase {
    const char* what;
    std::function<EngineErrorCode(const CEngineClient&)> call;
    Bytes answer;
    EngineErrorCode expected;
    Bytes expectedFrame;
};

TEST(EngineClientOperatorRequests, FramesAndAnswerTests)
{
    Bytes relay = {4, 2, 1};
    std::string number;
    PbxDirectory::InfoBlock info{};
    std::array<std::uint8_t, PbxDirectory::kEntrySize> entry{};
    const auto program = [&](const CEngineClient& c) { return c.WriteProgrammation(1, relay, 6); };
    const Bytes lineBlock = {2, 1, 5, 0, 0, 1, 1, 0, 0, 0, 0, 9};  // kind 2: 12 bytes
    const auto line = [&](const CEngineClient& c) { return c.WriteProgrammation(1, lineBlock, 6); };
    const auto wake = [&](const CEngineClient& c) { return c.SetWakeUp(1, {2, 1, 7, 15, 0}, 6); };
    const auto readPosition = [&](const CEngineClient& c) { return c.ReadDirectoryPosition(1, 4, number, 6); };
    const auto writePosition = [&](const CEngineClient& c) { return c.WriteDirectoryPosition(1, 4, "1203", 6); };
    const auto readInfo = [&](const CEngineClient& c) { return c.ReadDirectoryInfo(1, info, 6); };
    const auto readEntry = [&](const CEngineClient& c) { return c.ReadDirectoryEntry(1, 255, 258, entry, number, 6); };
    const auto writeEntry = [&](const CEngineClient& c) { return c.WriteDirectoryEntry(1, 7, 2, "", 6); };
    const auto record = [&](const CEngineClient& c) { return c.SendRecordRequest(1, 12, 1, 6); };

    const OperatorCase cases[] = {
        {"programming acknowledged", program, Ack(0x23, 0), kNoError, Frame(0x23, {4, 2, 1})},
        {"programming refused with status 2", program, Ack(0x23, 2), kAcknowledgeStatus2, Frame(0x23, {4, 2, 1})},
        {"programming acknowledged for another command", program, Ack(0x27, 0), kAnswerNotAcceptable,
         Frame(0x23, {4, 2, 1})},
        {"line programming: a 16-byte frame", line, Ack(0x23, 0), kNoError, Frame(0x23, lineBlock)},
        {"programming with status 9", line, Ack(0x23, 9), kAcknowledgeStatusOther, Frame(0x23, lineBlock)},
        {"wake-up", wake, Ack(0x27, 0), kNoError, Frame(0x27, {2, 1, 7, 15, 0})},
        {"wake-up status 1", wake, Ack(0x27, 1), kAcknowledgeStatus1, Frame(0x27, {2, 1, 7, 15, 0})},
        {"position", readPosition, Frame(0x2D, {3, 4, 1, 2, 10, 3, 0}), kNoError, Frame(0x2D, {3, 4})},
        {"position answer of 5 bytes", readPosition, Frame(0x2D, {3}), kAnswerNotAcceptable, Frame(0x2D, {3, 4})},
        {"position answered by an acknowledgement", readPosition, Ack(0x2D, 1), kAnswerNotAcceptable,
         Frame(0x2D, {3, 4})},
        {"position write", writePosition, Ack(0x2E, 0), kNoError, Frame(0x2E, {3, 4, 1, 2, 10, 3, 0})},
        {"information", readInfo, Frame(0x2D, {3, 0xF1, 0, 0, 32, 0, 16, 0}), kNoError, Frame(0x2D, {3, 0xF1})},
        {"information of 11 bytes", readInfo, Frame(0x2D, {3, 0xF1, 0, 0, 32, 0, 16}), kAnswerNotAcceptable,
         Frame(0x2D, {3, 0xF1})},
        {"entry", readEntry, Frame(0x2D, {3, 0xF0, 255, 2, 1, 5, 10, 0}), kNoError, Frame(0x2D, {3, 0xF0, 255, 2, 1})},
        {"entry of 8 bytes", readEntry, Frame(0x2D, {3, 0xF0, 255, 2}), kAnswerNotAcceptable,
         Frame(0x2D, {3, 0xF0, 255, 2, 1})},
        {"entry clear", writeEntry, Ack(0x2E, 0), kNoError, Frame(0x2E, {3, 0xF0, 7, 2, 0, 0})},
        {"record: the answer is not judged", record, Ack(0x11, 4), kNoError, Frame(0x2B, {12, 1})},
    };
    for (const OperatorCase& c : cases) {
        ScriptedEngineServer server([answer = c.answer](const ReceivedRequest& r) { return ScriptedReply::Answer(r, answer); });
        EXPECT_EQ(c.call(ClientOf(server)), c.expected) << c.what;
        const std::vector<ReceivedRequest> requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u) << c.what;
        EXPECT_EQ(requests[0].target, 1) << c.what;
        EXPECT_EQ(requests[0].body, c.expectedFrame) << c.what;
    }
}

TEST(EngineClientOperatorRequests, ProgrammingOfAnUnknownKindIsNotSent)
{
    ScriptedEngineServer server([](const ReceivedRequest& r) { return ScriptedReply::Answer(r, Ack(0x23, 0)); });
    const Bytes block(50, 5);  // kind 5, long enough for any kind
    EXPECT_EQ(ClientOf(server).WriteProgrammation(1, block, 6), kClientSocketFailure);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(EngineClientOperatorRequests, ReadsFillWhatTheyRead)
{
    ScriptedEngineServer server([](const ReceivedRequest& r) {
        if (r.body.size() > 5 && r.body[5] == 0xF1)
            return ScriptedReply::Answer(r, Frame(0x2D, {3, 0xF1, 0, 1, 32, 0, 16, 0}));
        if (r.body.size() > 5 && r.body[5] == 0xF0)  // a number that runs to the end of the answer
            return ScriptedReply::Answer(r, Frame(0x2D, {3, 0xF0, 9, 1, 0, 4, 10, 4}));
        return ScriptedReply::Answer(r, Frame(0x2D, {3, 2, 1, 2, 10, 3, 0, 7, 7}));
    });
    const CEngineClient client = ClientOf(server);
    std::string number;
    ASSERT_EQ(client.ReadDirectoryPosition(0, 2, number, 6), kNoError);
    EXPECT_EQ(number, "1203");
    PbxDirectory::InfoBlock info{};
    ASSERT_EQ(client.ReadDirectoryInfo(0, info, 6), kNoError);
    EXPECT_EQ(PbxDirectory::CommonBookSize(info), 32);
    EXPECT_EQ(PbxDirectory::GlobalBookSize(info), 256 + 16);
    std::array<std::uint8_t, PbxDirectory::kEntrySize> entry{};
    ASSERT_EQ(client.ReadDirectoryEntry(0, 9, 1, entry, number, 6), kNoError);
    EXPECT_EQ(number, "404");
    EXPECT_EQ(Bytes(entry.begin(), entry.begin() + 9), (Bytes{3, 0xF0, 9, 1, 0, 4, 10, 4, 0}));
}

TEST(EngineClientOperatorRequests, PbxAddressComesAsTheDataOfTheAddressQuery)
{
    struct AddressCase {
        const char* what;
        Bytes data;
        std::uint8_t status;
        EngineErrorCode expected;
        std::string address;
    };
    const AddressCase cases[] = {
        {"a LAN PBX", {'1', '2', '7', '.', '0', '.', '0', '.', '5', 0}, 0, kNoError, "127.0.0.5"},
        {"no data", {}, 0, kAnswerNotAcceptable, ""},
        {"a PBX not on the LAN", {}, kServerUnknownTarget, kAnswerNotAcceptable, ""},
    };
    for (const AddressCase& c : cases) {
        ScriptedEngineServer server(
            [&c](const ReceivedRequest& r) { return ScriptedReply::Answer(r, c.data, c.status); });
        std::string address = "old";
        EXPECT_EQ(ClientOf(server).ReadPbxAddress(2, address), c.expected) << c.what;
        EXPECT_EQ(address, c.address) << c.what;
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(server.Requests()[0].target, 0xC2) << c.what;
        EXPECT_EQ(server.Requests()[0].body, Bytes{0}) << c.what;
    }
}

}  // namespace
