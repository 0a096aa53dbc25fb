#include "engineclient.h"

#include "dialleddigitsrecorder.h"
#include "engineerrorcodeprinter.h"
#include "scriptedengineserver.h"

#include "joinbytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A client of the scripted server.
CEngineClient ClientOf(const ScriptedEngineServer& server)
{
    return CEngineClient("127.0.0.1", server.Port());
}

// A server that answers every request with the same data (status 0).
ScriptedEngineServer::Script AnswerWith(Bytes data)
{
    return [data](const ReceivedRequest& request) { return ScriptedReply::Answer(request, data); };
}

// --- Transact -------------------------------------------------------------------------------------

TEST(EngineClientTransact, SendsHeaderAndBodyAndReturnsTheData)
{
    ScriptedEngineServer server(AnswerWith({0x16, 0x16, 37, 6, 1, 2, 26, 3, 4, 5}));
    const Bytes body = {0x16, 0x16, 37, 0};
    EngineReply reply;
    EXPECT_EQ(ClientOf(server).Transact(2, body, reply, 3), kNoError);
    EXPECT_EQ(Bytes(reply.Bytes().begin(), reply.Bytes().end()), (Bytes{0x16, 0x16, 37, 6, 1, 2, 26, 3, 4, 5}));

    const std::vector<ReceivedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, 2);
    EXPECT_EQ(requests[0].length, 4);
    EXPECT_EQ(requests[0].body, body);
}

TEST(EngineClientTransact, BudgetSentForTheCallersSeconds)
{
    ScriptedEngineServer server(AnswerWith({}));
    const CEngineClient client = ClientOf(server);
    const Bytes body = {0x16, 0x16, 30, 0};
    EngineReply reply;
    for (int seconds : {3, 10})
        EXPECT_EQ(client.Transact(0, body, reply, seconds), kNoError);
    const std::vector<ReceivedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].budget, 5);
    EXPECT_EQ(requests[1].budget, 9);
}

TEST(EngineClientTransact, StatusOfAReplyWithoutData)
{
    ScriptedEngineServer server([](const ReceivedRequest& request) {
        return ScriptedReply::Answer(request, {}, kServerTimeout);
    });
    EngineReply reply;
    EXPECT_EQ(ClientOf(server).Transact(0, Bytes{0x16, 0x16, 30, 0}, reply, 6), kServerTimeout);
    EXPECT_EQ(reply.length, 0u);
}

TEST(EngineClientTransact, FailuresOfTheReply)
{
    struct Case {
        const char* what;
        ScriptedEngineServer::Script script;
        EngineErrorCode expected;
    };
    const Case cases[] = {
        {"closed without a reply", [](const ReceivedRequest&) { return ScriptedReply::Close(); }, kClientShortHeader},
        {"two header bytes, then closed",
         [](const ReceivedRequest& r) { return ScriptedReply::Raw({{4, r.budget}}); }, kClientShortHeader},
        {"another echo",
         [](const ReceivedRequest& r) { return ScriptedReply::Raw({{4, static_cast<std::uint8_t>(r.budget + 1), 0, 1, 2, 3, 4}}); },
         kClientEchoMismatch},
        {"body cut short",
         [](const ReceivedRequest& r) { return ScriptedReply::Raw({{10, r.budget, 0, 1, 2, 3, 4}}); }, kClientShortData},
    };
    for (const Case& c : cases) {
        ScriptedEngineServer server(c.script);
        EngineReply reply;
        EXPECT_EQ(ClientOf(server).Transact(0, Bytes{0x16, 0x16, 30, 0}, reply, 3), c.expected) << c.what;
        EXPECT_EQ(reply.length, 0u) << c.what;
    }
}

TEST(EngineClientTransact, ReplySplitOverSeveralSegmentsIsAccepted)
{
    ScriptedEngineServer server([](const ReceivedRequest& r) {
        return ScriptedReply::Raw({{7}, {r.budget, 0, 0x16}, {0x16, 32, 3}, {38, 0, 0}});
    });
    EngineReply reply;
    EXPECT_EQ(ClientOf(server).Transact(1, Bytes{0x16, 0x16, 38, 0}, reply, 3), kNoError);
    EXPECT_EQ(Bytes(reply.Bytes().begin(), reply.Bytes().end()), (Bytes{0x16, 0x16, 32, 3, 38, 0, 0}));
}

TEST(EngineClientTransact, SilentServerGivesSocketFailureWithinTheBudget)
{
    ScriptedEngineServer server([](const ReceivedRequest&) { return ScriptedReply::Silence(); });
    EngineReply reply;
    EXPECT_EQ(ClientOf(server).Transact(0, Bytes{0x16, 0x16, 30, 0}, reply, 3), kClientSocketFailure);
}

TEST(EngineClientTransact, NoServerGivesSocketFailure)
{
    std::uint16_t port = 0;
    {
        ScriptedEngineServer gone(AnswerWith({}));
        port = gone.Port();
    }
    EngineReply reply;
    EXPECT_EQ(CEngineClient("127.0.0.1", port).Transact(0, Bytes{0x16, 0x16, 30, 0}, reply, 3), kClientSocketFailure);
}

TEST(EngineClientTransact, BodyTooLongForTheHeaderIsNotSent)
{
    ScriptedEngineServer server(AnswerWith({}));
    EngineReply reply;
    EXPECT_EQ(ClientOf(server).Transact(0, Bytes(256, 0), reply, 3), kClientSocketFailure);
    EXPECT_EQ(ClientOf(server).Transact(0, Bytes(255, 0), reply, 3), kNoError);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].length, 255);
}

// --- Typed requests -------------------------------------------------------------------------------

// A typed request against a server that answers with `answer`: its result and the frame it sent.
struct TypedCase {
    const char* what;
    std::function<EngineErrorCode(const CEngineClient&)> call;
    Bytes answer;
    EngineErrorCode expected;
    Bytes expectedFrame;
};

Bytes Frame(std::uint8_t code, Bytes payload)
{
    return JoinBytes({Bytes{0x16, 0x16, code, static_cast<std::uint8_t>(payload.size())}, payload});
}

Bytes Ack(std::uint8_t command, std::uint8_t status)
{
    return {0x16, 0x16, 32, 3, command, status, 0};
}

TEST(EngineClientRequests, AnswerTests)
{
    PbxSystemConfiguration configuration;
    ProgrammingRecord programming{};
    PbxStatusBytes status{};
    PbxClockBytes clock{};
    WakeUpBytes wakeUp{};
    CallLogRecord record;
    const auto conf = [&](const CEngineClient& c) { return c.ReadSystemConfiguration(1, configuration, 6); };
    const auto prog = [&](std::uint8_t type) {
        return [&, type](const CEngineClient& c) { return c.ReadProgrammation(1, type, 4, programming, 6); };
    };
    const auto stat = [&](const CEngineClient& c) { return c.ReadStatus(1, kObjectLine, 2, status, 6); };
    const auto readClock = [&](const CEngineClient& c) { return c.ReadClock(1, clock, 6); };
    const auto setClock = [&](const CEngineClient& c) { return c.SetClock(1, {31, 12, 26, 23, 59, 58}, 6); };
    const auto callLog = [&](const CEngineClient& c) { return c.ReadCallLogRecord(1, 7, true, record, 65); };
    const auto clear = [&](const CEngineClient& c) { return c.ClearCallLog(1, kAllExtensions, 6); };
    const auto wake = [&](const CEngineClient& c) { return c.ReadWakeUp(1, 3, wakeUp, 6); };
    const auto states = [&](const CEngineClient& c) { return c.RequestStateEvents(1, 1, 6); };

    const TypedCase cases[] = {
        {"configuration", conf, Frame(31, Bytes(26, 1)), kNoError, Frame(31, {})},
        {"configuration of 29 bytes", conf, Frame(31, Bytes(25, 1)), kAnswerNotAcceptable, Frame(31, {})},
        {"configuration with another code", conf, Frame(30, Bytes(26, 1)), kAnswerNotAcceptable, Frame(31, {})},
        {"system programming", prog(kObjectSystem), Frame(33, {0, 1, 2}), kNoError, Frame(33, {0, 4})},
        {"extension programming of 53 bytes", prog(kObjectExtension), Frame(33, Bytes(49, 1)), kAnswerNotAcceptable,
         Frame(33, {1, 4})},
        {"extension programming", prog(kObjectExtension), Frame(33, Bytes(50, 1)), kNoError, Frame(33, {1, 4})},
        {"line programming", prog(kObjectLine), Frame(33, Bytes(12, 2)), kNoError, Frame(33, {2, 4})},
        {"line programming of 15 bytes", prog(kObjectLine), Frame(33, Bytes(11, 2)), kAnswerNotAcceptable,
         Frame(33, {2, 4})},
        {"entry-phone programming", prog(kObjectEntryPhone), Frame(33, Bytes(4, 3)), kNoError, Frame(33, {3, 4})},
        {"relay programming with another code", prog(kObjectRelay), Frame(34, Bytes(3, 4)), kAnswerNotAcceptable,
         Frame(33, {4, 4})},
        {"status", stat, Frame(34, Bytes(7, 9)), kNoError, Frame(34, {2, 2})},
        {"status of 12 bytes", stat, Frame(34, Bytes(8, 9)), kAnswerNotAcceptable, Frame(34, {2, 2})},
        {"clock", readClock, Frame(37, {1, 2, 26, 4, 5, 6}), kNoError, Frame(37, {})},
        {"clock of 11 bytes", readClock, Frame(37, {1, 2, 26, 4, 5, 6, 7}), kAnswerNotAcceptable, Frame(37, {})},
        {"set clock acknowledged", setClock, Ack(38, 0), kNoError, Frame(38, {31, 12, 26, 23, 59, 58})},
        {"set clock refused with status 2", setClock, Ack(38, 2), kAcknowledgeStatus2, Frame(38, {31, 12, 26, 23, 59, 58})},
        {"set clock status 4", setClock, Ack(38, 4), kAcknowledgeStatusOther, Frame(38, {31, 12, 26, 23, 59, 58})},
        {"set clock answered for command 37", setClock, Ack(37, 0), kAnswerNotAcceptable,
         Frame(38, {31, 12, 26, 23, 59, 58})},
        {"call-log record", callLog, Frame(45, {0, 1, 2}), kNoError, Frame(45, {5, 7, 1})},
        {"call-log answer of 5 bytes", callLog, Frame(45, {0}), kAnswerNotAcceptable, Frame(45, {5, 7, 1})},
        {"clear call log", clear, Ack(47, 1), kAcknowledgeStatus1, Frame(47, {5, 255})},
        {"wake-up", wake, Frame(41, {3, 1, 6, 30, 0, 0}), kNoError, Frame(41, {3})},
        {"wake-up of 9 bytes", wake, Frame(41, {3, 1, 6, 30, 0}), kAnswerNotAcceptable, Frame(41, {3})},
        {"wake-up with another code", wake, Frame(40, {3, 1, 6, 30, 0, 0}), kAnswerNotAcceptable, Frame(41, {3})},
        {"state reporting", states, Ack(60, 3), kAcknowledgeStatus3, Frame(60, {1})},
        {"state reporting answered with 8 bytes", states, {0x16, 0x16, 32, 4, 60, 0, 0, 0}, kAnswerNotAcceptable,
         Frame(60, {1})},
    };
    for (const TypedCase& c : cases) {
        ScriptedEngineServer server(AnswerWith(c.answer));
        EXPECT_EQ(c.call(ClientOf(server)), c.expected) << c.what;
        const std::vector<ReceivedRequest> requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u) << c.what;
        EXPECT_EQ(requests[0].target, 1) << c.what;
        EXPECT_EQ(requests[0].body, c.expectedFrame) << c.what;
    }
}

TEST(EngineClientRequests, AcceptedAnswersFillTheirRecords)
{
    ScriptedEngineServer server([](const ReceivedRequest& r) {
        switch (r.body[2]) {
        case 33: return ScriptedReply::Answer(r, Frame(33, {2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 99}));
        case 34: return ScriptedReply::Answer(r, Frame(34, {1, 2, 3, 4, 5, 6, 7}));
        case 37: return ScriptedReply::Answer(r, Frame(37, {24, 12, 26, 18, 30, 5}));
        default: return ScriptedReply::Answer(r, Frame(41, {3, 1, 6, 30, 0, 9}));
        }
    });
    const CEngineClient client = ClientOf(server);
    ProgrammingRecord programming;
    programming.fill(0xEE);
    ASSERT_EQ(client.ReadProgrammation(0, kObjectLine, 1, programming, 6), kNoError);
    EXPECT_EQ(Bytes(programming.begin(), programming.begin() + 13),
              (Bytes{2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0xEE}));  // 12 bytes kept, not the 13th
    PbxStatusBytes status{};
    ASSERT_EQ(client.ReadStatus(0, kObjectExtension, 1, status, 6), kNoError);
    EXPECT_EQ(status, (PbxStatusBytes{1, 2, 3, 4, 5, 6, 7}));
    PbxClockBytes clock{};
    ASSERT_EQ(client.ReadClock(0, clock, 6), kNoError);
    EXPECT_EQ(clock, (PbxClockBytes{24, 12, 26, 18, 30, 5}));
    WakeUpBytes wakeUp{};
    ASSERT_EQ(client.ReadWakeUp(0, 3, wakeUp, 6), kNoError);
    EXPECT_EQ(wakeUp, (WakeUpBytes{3, 1, 6, 30, 0}));
}

TEST(EngineClientRequests, ProgrammingOfAnUnknownTypeSendsNothing)
{
    ScriptedEngineServer server(AnswerWith({}));
    ProgrammingRecord programming;
    programming.fill(0xEE);
    EXPECT_EQ(ClientOf(server).ReadProgrammation(0, 5, 1, programming, 6), kNoError);
    EXPECT_EQ(programming[0], 0xEE);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(EngineClientRequests, InitializationLengthRule)
{
    // 16 counts with N boards, N board bytes, then the text and its NUL.
    const auto answer = [](std::uint8_t boards, std::string text) {
        Bytes payload = {1, 64, 24, 16, 8, 4, 2, 8, 4, 3, 0, 0, 0, 0, 0, boards};
        for (std::uint8_t b = 0; b < boards; ++b)
            payload.push_back(static_cast<std::uint8_t>(0xA0 + b));
        payload.insert(payload.end(), text.begin(), text.end());
        payload.push_back(0);
        return Frame(30, payload);
    };
    struct Case {
        const char* what;
        Bytes answer;
        EngineErrorCode expected;
    };
    const Bytes counts = {1, 64, 24, 16, 8, 4, 2, 8, 4, 3, 0, 0, 0, 0, 0};
    const auto withBoards = [&counts](Bytes rest) {
        Bytes payload = counts;
        payload.insert(payload.end(), rest.begin(), rest.end());
        return Frame(30, payload);
    };
    const Case cases[] = {
        {"no boards, no text", answer(0, ""), kNoError},
        {"one board and a version", answer(1, "NEXO28 v2.1"), kNoError},
        {"ten boards", answer(10, "X"), kNoError},
        {"eleven boards do not fit the record", answer(11, "X"), kAnswerNotAcceptable},
        {"20 bytes with one board", withBoards({1}), kAnswerNotAcceptable},
        {"21 bytes with two boards", withBoards({2, 0}), kAnswerNotAcceptable},
        {"22 bytes with two boards", withBoards({2, 7, 0}), kNoError},
        {"last byte not 0", withBoards({0, 'X'}), kAnswerNotAcceptable},
        {"19 bytes", Frame(30, Bytes(15, 0)), kAnswerNotAcceptable},
    };
    for (const Case& c : cases) {
        ScriptedEngineServer server(AnswerWith(c.answer));
        PbxInitialization initialization;
        EXPECT_EQ(ClientOf(server).ReadInitialization(0, initialization, 6), c.expected) << c.what;
        EXPECT_EQ(server.Requests().at(0).body, Frame(30, {})) << c.what;
    }
}

TEST(EngineClientRequests, PingAndRelayExpectNoData)
{
    ScriptedEngineServer empty(AnswerWith({}));
    EXPECT_EQ(ClientOf(empty).PingServer(), kNoError);
    const Bytes event = {0x16, 0x16, 13, 2, 4, '5'};
    EXPECT_EQ(ClientOf(empty).SendToClients(2, event), kNoError);
    const std::vector<ReceivedRequest> requests = empty.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, 255);
    EXPECT_EQ(requests[0].budget, 5);
    EXPECT_EQ(requests[0].body, Bytes{0});
    EXPECT_EQ(requests[1].target, 0x82);
    EXPECT_EQ(requests[1].body, event);

    ScriptedEngineServer talkative(AnswerWith({1, 2, 3}));
    EXPECT_EQ(ClientOf(talkative).PingServer(), kAnswerNotAcceptable);
    EXPECT_EQ(ClientOf(talkative).SendToClients(0, event), kAnswerNotAcceptable);
}

TEST(EngineClientRequests, IndexesOutsideTheirTargetRangeAreNotSent)
{
    ScriptedEngineServer server(AnswerWith({}));
    const CEngineClient client = ClientOf(server);
    PbxClockBytes clock{};
    EXPECT_EQ(client.ReadClock(128, clock, 6), kServerUnknownTarget);  // would read as a relay target
    EXPECT_EQ(client.SendToClients(64, Bytes{0x16, 0x16, 13, 0}), kServerUnknownTarget);  // an address query
    EXPECT_EQ(client.SendDigits(0, 3, std::string(251, '1'), 6), kNoNumberToDial);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(EngineClientRequests, HookRequestsPressOrReleaseKey64)
{
    ScriptedEngineServer server(AnswerWith({}));
    const CEngineClient client = ClientOf(server);
    EXPECT_EQ(client.OffHook(0, 3, false, 10), kNoError);
    EXPECT_EQ(client.OnHook(0, kThisStation, false, 10), kNoError);
    EXPECT_EQ(client.OffHook(0, 3, true, 10), kNoError);
    EXPECT_EQ(client.PressKey64(0, 4, 10), kNoError);
    const std::vector<ReceivedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(requests[0].body, Frame(14, {3}));
    EXPECT_EQ(requests[0].budget, 9);
    EXPECT_EQ(requests[1].body, Frame(17, {3, 64, 1}));
    EXPECT_EQ(requests[1].budget, 5);  // the key press has 6 seconds of its own
    EXPECT_EQ(requests[2].body, Frame(0, {}));
    EXPECT_EQ(requests[3].body, Frame(17, {255, 64, 0}));
    EXPECT_EQ(requests[4].body, Frame(14, {3}));
    EXPECT_EQ(requests[5].body, Frame(17, {4, 64, 1}));
}

TEST(EngineClientRequests, FailedHookRequestPressesNoKey)
{
    ScriptedEngineServer server([](const ReceivedRequest& r) { return ScriptedReply::Answer(r, {}, kServerTimeout); });
    EXPECT_EQ(ClientOf(server).OffHook(0, 3, false, 6), kServerTimeout);
    EXPECT_EQ(server.Requests().size(), 1u);
}

// --- DialNumber -----------------------------------------------------------------------------------

class RecordingRecorder : public DialledDigitsRecorder {
public:
    void AppendDialledDigits(std::uint8_t pbx, std::uint8_t extension, const QString& digits) override
    {
        EXPECT_EQ(pbx, 1);
        EXPECT_EQ(extension, 6);
        text += digits;
    }
    QString text;
};

std::vector<int> PausesOfDialling(const std::string& number, std::string* sentDigits = nullptr)
{
    ScriptedEngineServer server(AnswerWith({}));
    CEngineClient client = ClientOf(server);
    std::vector<int> pauses;
    client.SetSleepFunction([&pauses](std::chrono::milliseconds pause) { pauses.push_back(int(pause.count())); });
    EXPECT_EQ(client.DialNumber(0, 6, number, false, nullptr, 6), kNoError);
    if (sentDigits) {
        for (const ReceivedRequest& request : server.Requests()) {
            EXPECT_EQ(request.body.size(), 6u);  // 16 [extension, one character]
            sentDigits->push_back(static_cast<char>(request.body.back()));
        }
    }
    return pauses;
}

TEST(EngineClientDialNumber, PausesAfterOutsideLinePrefixes)
{
    struct Case {
        std::string number;
        std::vector<int> pauses;
    };
    const Case cases[] = {
        {"0612", {2000, 250, 250, 250}},
        {"*12", {250, 2000, 2000}},
        {"612", {250, 2000, 2000}},
        {"8123", {250, 250, 2000, 2000}},
        {"1-2", {250, 100, 250}},
        {"0", {250}},
        {"12345", {250, 250, 250, 250, 250}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PausesOfDialling(c.number), c.pauses) << c.number;
}

TEST(EngineClientDialNumber, SendsEachDialCharacterAlone)
{
    std::string sent;
    EXPECT_EQ(PausesOfDialling("1-2 #*FPx9", &sent), (std::vector<int>{250, 100, 250, 100, 250, 250, 250, 250, 100, 250}));
    EXPECT_EQ(sent, "12#*FP9");
}

TEST(EngineClientDialNumber, RelaysEachDigitAndNotesIt)
{
    ScriptedEngineServer server(AnswerWith({}));
    CEngineClient client = ClientOf(server);
    client.SetSleepFunction([](std::chrono::milliseconds) {});
    RecordingRecorder recorder;
    EXPECT_EQ(client.DialNumber(1, 6, "0-5", true, &recorder, 6), kNoError);
    EXPECT_EQ(recorder.text, QStringLiteral("05"));
    const std::vector<ReceivedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].target, 1);
    EXPECT_EQ(requests[0].body, Frame(16, {6, '0'}));
    EXPECT_EQ(requests[1].target, 0x81);
    EXPECT_EQ(requests[1].body, Frame(13, {6, '0'}));
    EXPECT_EQ(requests[2].body, Frame(16, {6, '5'}));
    EXPECT_EQ(requests[3].body, Frame(13, {6, '5'}));
}

TEST(EngineClientDialNumber, FailedDigitEndsTheDialling)
{
    int count = 0;
    ScriptedEngineServer server([&count](const ReceivedRequest& r) {
        return ScriptedReply::Answer(r, {}, ++count == 2 ? kServerTimeout : kNoError);
    });
    CEngineClient client = ClientOf(server);
    std::vector<int> pauses;
    client.SetSleepFunction([&pauses](std::chrono::milliseconds pause) { pauses.push_back(int(pause.count())); });
    EXPECT_EQ(client.DialNumber(0, kThisStation, "123", false, nullptr, 6), kServerTimeout);
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(server.Requests()[0].body, Frame(13, {'1'}));
    EXPECT_EQ(pauses, std::vector<int>{250});
}

TEST(EngineClientDialNumber, FailedRelayBecomesTheResultButDiallingGoesOn)
{
    ScriptedEngineServer server([](const ReceivedRequest& r) {
        return r.target == 0x80 ? ScriptedReply::Answer(r, {1}) : ScriptedReply::Answer(r, {});
    });
    CEngineClient client = ClientOf(server);
    client.SetSleepFunction([](std::chrono::milliseconds) {});
    EXPECT_EQ(client.DialNumber(0, 2, "12", true, nullptr, 6), kAnswerNotAcceptable);
    EXPECT_EQ(server.Requests().size(), 4u);
}

}  // namespace
