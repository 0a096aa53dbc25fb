#include "pbxacknowledgement.h"

#include "pbxframe.h"

namespace {

constexpr std::uint16_t kFirstUnknownStatusWord = 4 << 8;

}  // namespace

EngineErrorCode CheckAcknowledgement(std::span<const std::uint8_t> answer, std::uint8_t command)
{
    if (answer.size() != kAcknowledgementFrameSize)
        return kAnswerNotAcceptable;
    const std::uint16_t word = static_cast<std::uint16_t>(answer[kAcknowledgedCommandOffset] |
                                                          (answer[kAcknowledgementStatusOffset] << 8));
    if ((word & 0xFF) != command)
        return kAnswerNotAcceptable;
    if (word >= kFirstUnknownStatusWord)
        return kAcknowledgeStatusOther;
    switch (word >> 8) {
    case 0: return kNoError;
    case 1: return kAcknowledgeStatus1;
    case 2: return kAcknowledgeStatus2;
    default: return kAcknowledgeStatus3;
    }
}

std::size_t BuildAcknowledgementFrame(std::uint8_t* out, std::uint8_t code, std::uint8_t command,
                                      std::uint8_t status)
{
    if (out) {
        out[0] = kPbxSync;
        out[1] = kPbxSync;
        out[kPbxCodeOffset] = code;
        out[kPbxPayloadLengthOffset] = kAcknowledgementFrameSize - kPbxFrameHeaderSize;
        out[kAcknowledgedCommandOffset] = command;
        out[kAcknowledgementStatusOffset] = status;
        out[6] = 0;
    }
    return kAcknowledgementFrameSize;
}
