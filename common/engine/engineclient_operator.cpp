// CEngineClient: the requests of the operator console (programming and wake-up writes, the PBX's phone
// book, the recorder's address, conversation recording).
#include "engineclient.h"

#include "pbxacknowledgement.h"
#include "pbxcode.h"
#include "pbxframe.h"

#include <algorithm>

namespace {

// The shortest answers that carry what their reads want: a number after the position's echo, the whole
// information block, a number after the entry's echo.
constexpr std::size_t kMinPositionAnswer = 6;
constexpr std::size_t kMinInfoAnswer = kPbxFrameHeaderSize + PbxDirectory::kInfoBlockSize;
constexpr std::size_t kMinEntryAnswer = 9;

bool IsDirectoryAnswer(const EngineReply& reply, std::size_t minimum)
{
    return reply.length >= minimum && reply.data[kPbxCodeOffset] == PbxCode::kCallLogRead;
}

// The answer's payload from `offset` to the end of the answer.
std::span<const std::uint8_t> PayloadFrom(const EngineReply& reply, std::size_t offset)
{
    const std::size_t start = std::min(reply.length, kPbxPayloadOffset + offset);
    return {reply.data.data() + start, reply.length - start};
}

}  // namespace

using namespace PbxDirectory;

EngineErrorCode CEngineClient::WriteProgrammation(std::uint8_t pbx, std::span<const std::uint8_t> block,
                                                  int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + kMaxProgrammingRecordSize];
    return AcknowledgedRequest(pbx, {frame, BuildProgrammingFrame(frame, block)}, seconds);
}

EngineErrorCode CEngineClient::SetWakeUp(std::uint8_t pbx, const WakeUpBytes& wakeUp, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + std::tuple_size_v<WakeUpBytes>];
    return AcknowledgedRequest(pbx, {frame, BuildWakeUpFrame(frame, wakeUp)}, seconds);
}

EngineErrorCode CEngineClient::ReadDirectoryPosition(std::uint8_t pbx, std::uint8_t position, std::string& number,
                                                     int seconds) const
{
    number.clear();
    std::uint8_t frame[kPbxFrameHeaderSize + 2];
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, {frame, BuildDirectoryPositionReadFrame(frame, position)}, reply, seconds);
    if (result != kNoError)
        return result;
    if (!IsDirectoryAnswer(reply, kMinPositionAnswer))
        return kAnswerNotAcceptable;
    number = DecodeDigits(PayloadFrom(reply, kPositionNumberOffset));
    return kNoError;
}

EngineErrorCode CEngineClient::WriteDirectoryPosition(std::uint8_t pbx, std::uint8_t position, std::string_view number,
                                                      int seconds) const
{
    std::uint8_t frame[kMaxRequestFrameSize];
    const std::string coded = EncodeDigits(number);
    if (BuildDirectoryPositionWriteFrame(nullptr, position, coded) == 0)
        return kClientSocketFailure;
    return AcknowledgedRequest(pbx, {frame, BuildDirectoryPositionWriteFrame(frame, position, coded)}, seconds);
}

EngineErrorCode CEngineClient::ReadDirectoryInfo(std::uint8_t pbx, InfoBlock& block, int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 2];
    EngineReply reply;
    const EngineErrorCode result = Request(pbx, {frame, BuildDirectoryInfoReadFrame(frame)}, reply, seconds);
    if (result != kNoError)
        return result;
    if (!IsDirectoryAnswer(reply, kMinInfoAnswer))
        return kAnswerNotAcceptable;
    std::copy_n(reply.data.begin() + kPbxPayloadOffset, block.size(), block.begin());
    return kNoError;
}

EngineErrorCode CEngineClient::ReadDirectoryEntry(std::uint8_t pbx, std::uint8_t book, std::uint16_t position,
                                                  std::array<std::uint8_t, kEntrySize>& entry, std::string& number,
                                                  int seconds) const
{
    entry.fill(0);
    number.clear();
    std::uint8_t frame[kPbxFrameHeaderSize + 5];
    EngineReply reply;
    const EngineErrorCode result =
        Request(pbx, {frame, BuildDirectoryEntryReadFrame(frame, book, position)}, reply, seconds);
    if (result != kNoError)
        return result;
    if (!IsDirectoryAnswer(reply, kMinEntryAnswer))
        return kAnswerNotAcceptable;
    const std::span<const std::uint8_t> payload = PayloadFrom(reply, 0);
    std::copy_n(payload.begin(), std::min(payload.size(), kEntrySize - 1), entry.begin());
    number = DecodeDigits(PayloadFrom(reply, kEntryNumberOffset));
    return kNoError;
}

EngineErrorCode CEngineClient::WriteDirectoryEntry(std::uint8_t pbx, std::uint8_t book, std::uint16_t position,
                                                   std::string_view number, int seconds) const
{
    std::uint8_t frame[kMaxRequestFrameSize];
    const std::string coded = EncodeDigits(number);
    if (BuildDirectoryEntryWriteFrame(nullptr, book, position, coded) == 0)
        return kClientSocketFailure;
    return AcknowledgedRequest(pbx, {frame, BuildDirectoryEntryWriteFrame(frame, book, position, coded)}, seconds);
}

EngineErrorCode CEngineClient::ReadPbxAddress(std::uint8_t pbx, std::string& address) const
{
    address.clear();
    if (pbx > EngineRequestHeader::kMaxRelayPbx)
        return kServerUnknownTarget;
    constexpr std::uint8_t kBody[] = {0};
    EngineReply reply;
    const EngineErrorCode result =
        Transact(static_cast<std::uint8_t>(EngineRequestHeader::kAddressTargetBase + pbx), kBody, reply, 0);
    const bool transportFailed = result >= kClientSocketFailure && result <= kClientShortHeader;
    if (transportFailed)
        return result;
    if (result != kNoError || reply.length == 0)
        return kAnswerNotAcceptable;
    const auto bytes = reply.Bytes();
    address.assign(bytes.begin(), std::find(bytes.begin(), bytes.end(), std::uint8_t{0}));
    return kNoError;
}

EngineErrorCode CEngineClient::SendRecordRequest(std::uint8_t pbx, std::uint8_t extension, std::uint8_t value,
                                                 int seconds) const
{
    std::uint8_t frame[kPbxFrameHeaderSize + 2];
    EngineReply reply;
    return Request(pbx, {frame, BuildRecordFrame(frame, extension, value)}, reply, seconds);
}
