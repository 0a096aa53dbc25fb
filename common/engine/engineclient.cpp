#include "engineclient.h"

#include "blockingsocket.h"
#include "dialleddigitsrecorder.h"
#include "enginereplyheader.h"
#include "pbxacknowledgement.h"
#include "pbxcode.h"
#include "pbxframe.h"
#include "socketaddress.h"

#include <algorithm>
#include <thread>

namespace {

constexpr int kSendSeconds = 2;
constexpr int kKeySeconds = 6;
constexpr std::size_t kStatusAnswerSize = 11;
constexpr std::size_t kClockAnswerSize = 10;
constexpr std::size_t kWakeUpAnswerSize = 10;
constexpr std::uint8_t kPingBody[] = {0};

constexpr std::chrono::milliseconds kDigitPause{250};
constexpr std::chrono::milliseconds kPrefixPause{2000};
constexpr std::chrono::milliseconds kSkipPause{100};

bool HasCode(const EngineReply& reply, std::uint8_t code)
{
    return reply.length > kPbxCodeOffset && reply.data[kPbxCodeOffset] == code;
}

bool IsDialCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '#' || c == '*' || c == 'F' || c == 'P';
}

// Copies `count` payload bytes of the reply into `out`.
template <std::size_t N>
void CopyPayload(const EngineReply& reply, std::size_t count, std::array<std::uint8_t, N>& out)
{
    std::copy_n(reply.data.begin() + kPbxPayloadOffset, count, out.begin());
}

}  // namespace

CEngineClient::CEngineClient(const std::string& serverAddress, std::uint16_t port)
    : m_address(MakeSocketAddress(serverAddress, port)),
      m_sleep([](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); })
{
}

EngineErrorCode CEngineClient::Transact(std::uint8_t target, std::span<const std::uint8_t> body,
                                        EngineReply& reply, int seconds) const
{
    reply.length = 0;
    if (body.size() > kMaxRequestFrameSize)
        return kClientSocketFailure;
    const EngineRequestHeader header{target, static_cast<std::uint8_t>(body.size()), EngineBudget(seconds)};
    const int wait = EngineReplyWaitSeconds(header.budget);

    // Header and body leave in one write, so that they do not wait on each other's acknowledgement.
    std::array<std::uint8_t, EngineRequestHeader::kSize + kMaxRequestFrameSize> request{};
    const auto encoded = header.Encode();
    std::copy(body.begin(), body.end(), std::copy(encoded.begin(), encoded.end(), request.begin()));

    CBlockingSocket socket;
    try {
        socket.Create(CBlockingSocket::kStream);
        socket.Connect(m_address);
        socket.SendFull(request.data(), EngineRequestHeader::kSize + body.size(), kSendSeconds);

        std::uint8_t replyBytes[EngineReplyHeader::kSize] = {};
        if (socket.ReceiveFull(replyBytes, sizeof replyBytes, wait) < sizeof replyBytes)
            return kClientShortHeader;
        const EngineReplyHeader replyHeader = EngineReplyHeader::Decode(replyBytes);
        if (replyHeader.echo != header.budget)
            return kClientEchoMismatch;
        if (replyHeader.length == 0)
            return static_cast<EngineErrorCode>(replyHeader.status);
        if (socket.ReceiveFull(reply.data.data(), replyHeader.length, wait) < replyHeader.length)
            return kClientShortData;
        reply.length = replyHeader.length;
        return kNoError;
    } catch (const CBlockingSocketException&) {
        return kClientSocketFailure;
    }
}

EngineErrorCode CEngineClient::Request(std::uint8_t pbx, std::span<const std::uint8_t> frame, EngineReply& reply,
                                       int seconds) const
{
    reply.length = 0;
    if (pbx > EngineRequestHeader::kMaxPbxTarget)
        return kServerUnknownTarget;
    if (frame.empty())
        return kClientSocketFailure;
    return Transact(pbx, frame, reply, seconds);
}

EngineErrorCode CEngineClient::AcknowledgedRequest(std::uint8_t pbx, std::span<const std::uint8_t> frame,
                                                   int seconds) const
{
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, frame, reply, seconds);
    if (result != kNoError)
        return result;
    return CheckAcknowledgement(reply.Bytes(), frame[kPbxCodeOffset]);
}

EngineErrorCode CEngineClient::RequestWithoutData(std::uint8_t target, std::span<const std::uint8_t> body) const
{
    EngineReply reply;
    const EngineErrorCode result = Transact(target, body, reply, 0);
    if (result != kNoError)
        return result;
    return reply.length == 0 ? kNoError : kAnswerNotAcceptable;
}

EngineErrorCode CEngineClient::ReadInitialization(std::uint8_t pbx, PbxInitialization& initialization,
                                                  int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize];
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, {frame, BuildInitializationRequestFrame(frame)}, reply, seconds);
    if (result != kNoError)
        return result;
    return initialization.Decode(reply.Bytes()) ? kNoError : kAnswerNotAcceptable;
}

EngineErrorCode CEngineClient::ReadSystemConfiguration(std::uint8_t pbx, PbxSystemConfiguration& configuration,
                                                       int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize];
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, {frame, BuildConfigurationRequestFrame(frame)}, reply, seconds);
    if (result != kNoError)
        return result;
    return configuration.Decode(reply.Bytes()) ? kNoError : kAnswerNotAcceptable;
}

EngineErrorCode CEngineClient::RequestStateEvents(std::uint8_t pbx, std::uint8_t parameter, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 1];
    return AcknowledgedRequest(pbx, {frame, BuildStateReportingFrame(frame, parameter)}, seconds);
}

EngineErrorCode CEngineClient::ReadProgrammation(std::uint8_t pbx, std::uint8_t objectType, std::uint8_t index,
                                                 ProgrammingRecord& record, int seconds) const
{
    const std::size_t kept = ProgrammingRecordSize(objectType);
    if (kept == 0)
        return kNoError;
    std::uint8_t frame[kPbxFrameHeaderSize + 2];
    EngineReply reply;
    const EngineErrorCode result =
        Request(pbx, {frame, BuildProgrammingReadFrame(frame, objectType, index)}, reply, seconds);
    if (result != kNoError)
        return result;
    if (!HasCode(reply, PbxCode::kProgrammingRead) || reply.length < kept + kPbxFrameHeaderSize)
        return kAnswerNotAcceptable;
    CopyPayload(reply, kept, record);
    return kNoError;
}

EngineErrorCode CEngineClient::ReadStatus(std::uint8_t pbx, std::uint8_t objectType, std::uint8_t index,
                                          PbxStatusBytes& status, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 2];
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, {frame, BuildStatusReadFrame(frame, objectType, index)}, reply, seconds);
    if (result != kNoError)
        return result;
    if (reply.length != kStatusAnswerSize || !HasCode(reply, PbxCode::kStatusRead))
        return kAnswerNotAcceptable;
    CopyPayload(reply, status.size(), status);
    return kNoError;
}

EngineErrorCode CEngineClient::ReadClock(std::uint8_t pbx, PbxClockBytes& clock, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize];
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, {frame, BuildClockReadFrame(frame)}, reply, seconds);
    if (result != kNoError)
        return result;
    if (reply.length != kClockAnswerSize || !HasCode(reply, PbxCode::kClockRead))
        return kAnswerNotAcceptable;
    CopyPayload(reply, clock.size(), clock);
    return kNoError;
}

EngineErrorCode CEngineClient::SetClock(std::uint8_t pbx, const PbxClockBytes& clock, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 6];
    return AcknowledgedRequest(pbx, {frame, BuildClockSetFrame(frame, clock)}, seconds);
}

EngineErrorCode CEngineClient::ReadCallLogRecord(std::uint8_t pbx, std::uint8_t extension, bool next,
                                                 CallLogRecord& record, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 3];
    EngineReply reply;
    const EngineErrorCode result =
        Request(pbx, {frame, BuildCallLogReadFrame(frame, extension, next)}, reply, seconds);
    if (result != kNoError)
        return result;
    return record.Decode(reply.Bytes()) ? kNoError : kAnswerNotAcceptable;
}

EngineErrorCode CEngineClient::ClearCallLog(std::uint8_t pbx, std::uint8_t extension, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 2];
    return AcknowledgedRequest(pbx, {frame, BuildCallLogClearFrame(frame, extension)}, seconds);
}

EngineErrorCode CEngineClient::ReadWakeUp(std::uint8_t pbx, std::uint8_t extension, WakeUpBytes& wakeUp,
                                          int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 1];
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, {frame, BuildWakeUpReadFrame(frame, extension)}, reply, seconds);
    if (result != kNoError)
        return result;
    if (reply.length != kWakeUpAnswerSize || !HasCode(reply, PbxCode::kWakeUpRead))
        return kAnswerNotAcceptable;
    CopyPayload(reply, wakeUp.size(), wakeUp);
    return kNoError;
}

EngineErrorCode CEngineClient::PingServer() const
{
    return RequestWithoutData(EngineRequestHeader::kPingTarget, kPingBody);
}

EngineErrorCode CEngineClient::SendToClients(std::uint8_t pbx, std::span<const std::uint8_t> frame) const
{
    if (pbx > EngineRequestHeader::kMaxRelayPbx)
        return kServerUnknownTarget;
    return RequestWithoutData(static_cast<std::uint8_t>(EngineRequestHeader::kRelayTargetBase + pbx), frame);
}

EngineErrorCode CEngineClient::HookRequest(std::uint8_t pbx, std::span<const std::uint8_t> frame,
                                           std::uint8_t extension, std::uint8_t keyState, bool noKey,
                                           int seconds) const
{
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, frame, reply, seconds);
    if (result != kNoError || noKey)
        return result;
    const std::uint8_t keys[] = {kKey64, keyState};
    return SendKeys(pbx, extension, keys, kKeySeconds);
}

EngineErrorCode CEngineClient::OffHook(std::uint8_t pbx, std::uint8_t extension, bool noKey, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 1];
    return HookRequest(pbx, {frame, BuildOffHookFrame(frame, extension)}, extension, kKeyPressed, noKey, seconds);
}

EngineErrorCode CEngineClient::OnHook(std::uint8_t pbx, std::uint8_t extension, bool noKey, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 1];
    return HookRequest(pbx, {frame, BuildOnHookFrame(frame, extension)}, extension, kKeyReleased, noKey, seconds);
}

EngineErrorCode CEngineClient::PressKey64(std::uint8_t pbx, std::uint8_t extension, int seconds) const
{
    const std::uint8_t keys[] = {kKey64, kKeyPressed};
    return SendKeys(pbx, extension, keys, seconds);
}

EngineErrorCode CEngineClient::SendDigits(std::uint8_t pbx, std::uint8_t extension, std::string_view digits,
                                          int seconds) const
{
    std::uint8_t frame[kMaxRequestFrameSize];
    const std::size_t length = BuildDigitsFrame(frame, extension, digits);
    if (length == 0)
        return kNoNumberToDial;
    EngineReply reply;
    return Request(pbx, {frame, length}, reply, seconds);
}

EngineErrorCode CEngineClient::SendKeys(std::uint8_t pbx, std::uint8_t extension, std::span<const std::uint8_t> keys,
                                        int seconds) const
{
    std::uint8_t frame[kMaxRequestFrameSize];
    EngineReply reply;
    return Request(pbx, {frame, BuildKeysFrame(frame, extension, keys)}, reply, seconds);
}

EngineErrorCode CEngineClient::DialNumber(std::uint8_t pbx, std::uint8_t extension, std::string_view text,
                                          bool relay, DialledDigitsRecorder* recorder, int seconds) const
{
    EngineErrorCode result = kNoError;
    bool longPause = false;
    bool afterLinePrefix = false;      // '6', '*' or '8' first
    bool afterTwoDigitPrefix = false;  // '8' first: the prefix is one digit longer
    const char first = text.empty() ? '\0' : text.front();

    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.size() > 1) {
            if (i == 0) {
                longPause = first == '0';
                afterLinePrefix = first == '6' || first == '*' || first == '8';
            } else if (i == 1) {
                if (first == '8') {
                    afterLinePrefix = false;
                    afterTwoDigitPrefix = true;
                } else if (afterLinePrefix) {
                    longPause = true;
                }
            } else if (i == 2) {
                longPause = longPause || afterLinePrefix || afterTwoDigitPrefix;
            } else if (i == 3) {
                longPause = longPause || afterTwoDigitPrefix;
            }
        }

        const char digit = text[i];
        if (!IsDialCharacter(digit)) {
            m_sleep(kSkipPause);
            continue;
        }
        result = SendDigits(pbx, extension, std::string_view(&digit, 1), seconds);
        if (result != kNoError)
            return result;
        m_sleep(longPause ? kPrefixPause : kDigitPause);
        longPause = false;
        if (recorder)
            recorder->AppendDialledDigits(pbx, extension, QString(QLatin1Char(digit)));
        if (relay) {
            const std::uint8_t event[] = {kPbxSync, kPbxSync, PbxCode::kDialOnStation, 2, extension,
                                          static_cast<std::uint8_t>(digit)};
            result = SendToClients(pbx, event);
        }
    }
    return result;
}
