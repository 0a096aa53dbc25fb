// The event listener's test of a datagram: a datagram it takes is the PBX index and one whole frame.
#include "pbxframe.h"
#include "udpeventlistener.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> datagram(data, size);
    if (CUdpEventListener::IsEventDatagram(datagram)) {
        const auto frame = datagram.subspan(1);
        if (frame.size() < kPbxFrameHeaderSize || frame[0] != kPbxSync || frame[1] != kPbxSync ||
            frame.size() != std::size_t{frame[kPbxPayloadLengthOffset]} + kPbxFrameHeaderSize)
            std::abort();
    }
    return 0;
}
