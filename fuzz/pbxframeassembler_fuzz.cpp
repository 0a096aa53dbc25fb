// The serial receive state machine on any byte stream with any timing: every frame it completes is whole.
#include "pbxcommandclass.h"
#include "pbxframe.h"
#include "pbxframeassembler.h"

#include <chrono>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the reader (the engine's or the PBX's codes); then pairs of a gap in
    // milliseconds (up to 127, so that late bytes come too) and a byte.
    const CPbxFrameAssembler::CodeFilter accepts = data[0] & 1 ? IsPbxFrameCode : IsPbxRequestCode;
    CPbxFrameAssembler assembler(accepts);
    auto now = CPbxFrameAssembler::Clock::time_point{} + std::chrono::hours(1);
    std::size_t fed = 0;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        now += std::chrono::milliseconds(data[i] & 0x7F);
        ++fed;
        if (assembler.Feed(data[i + 1], now)) {
            const auto frame = assembler.Frame();
            if (frame.size() < kPbxFrameHeaderSize || frame.size() > kMaxPbxFrameSize || frame[0] != kPbxSync ||
                frame[1] != kPbxSync || !accepts(frame[kPbxCodeOffset]) ||
                frame.size() != std::size_t{frame[kPbxPayloadLengthOffset]} + kPbxFrameHeaderSize)
                std::abort();
        }
    }
    if (assembler.SkippedBytes() > fed)
        std::abort();
    return 0;
}
