// The LAN envelope readers on any datagram: what they return lies inside the datagram, and a frame taken
// out of one goes back into an envelope that reads the same.
#include "pbxframe.h"
#include "pbxlanenvelope.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> datagram(data, size);
    if (const auto envelope = ParseLanEnvelope(datagram)) {
        if (envelope->payload.data() != data + kLanEnvelopeHeaderSize ||
            envelope->payload.size() + kLanEnvelopeHeaderSize != size)
            std::abort();
    }
    if (const auto frame = ParseLanFrameDatagram(datagram)) {
        const auto again = BuildLanFrameDatagram(*frame);
        const auto reread = ParseLanFrameDatagram(again);
        if (!reread || !std::equal(reread->begin(), reread->end(), frame->begin(), frame->end()))
            std::abort();
    }
    if (const auto engine = ParseEngineAnnouncement(datagram)) {
        const auto again = ParseEngineAnnouncement(BuildEngineAnnouncement(engine->port, engine->address));
        if (!again || again->port != engine->port || again->address != engine->address)
            std::abort();
    }
    if (const auto pbx = ParsePbxAnnouncement(datagram)) {
        if (pbx->empty() || pbx->find('\0') != std::string::npos || ParsePbxAnnouncement(BuildPbxAnnouncement(*pbx)) != pbx)
            std::abort();
    }
    return 0;
}
