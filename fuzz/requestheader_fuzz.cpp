// The request header as the server reads it, and the waits derived from its budget byte.
#include "enginerequestheader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < EngineRequestHeader::kSize)
        return 0;
    const EngineRequestHeader header = EngineRequestHeader::Decode(data);
    if (header.Encode() != std::array<std::uint8_t, EngineRequestHeader::kSize>{data[0], data[1], data[2]})
        std::abort();
    const int wait = EngineReplyWaitSeconds(header.budget);
    if (wait <= 0 || wait > 256)
        std::abort();
    // The budget a client asks for never exceeds what a byte holds, for any time it was given.
    const int seconds = static_cast<int>(data[0]) << 8 | data[1];
    (void)EngineBudget(seconds);
    (void)EngineBudget(-seconds);
    return 0;
}
