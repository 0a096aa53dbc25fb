#include "pbxeventdatagram.h"

#include <algorithm>

std::optional<PbxEventDatagram> BuildPbxEventDatagram(std::uint8_t pbx, std::span<const std::uint8_t> frame)
{
    if (frame.size() + 1 > PbxEventDatagram::kMaxSize)
        return std::nullopt;
    PbxEventDatagram datagram;
    datagram.bytes[0] = pbx;
    std::copy(frame.begin(), frame.end(), datagram.bytes.begin() + 1);
    datagram.length = frame.size() + 1;
    return datagram;
}
