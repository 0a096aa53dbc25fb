#pragma once

#include "blockingsocket.h"
#include "engineserver.h"
#include "pbxlink.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint32_t kLoopback = 0x7F000001;
inline constexpr int kPbxCount = 5;

// The bytes of a frame: sync bytes, code, payload length, payload.
Bytes MakeFrame(std::uint8_t code, const Bytes& payload = {});

// One request written as raw bytes from a socket bound to the source address (host order), as a
// workstation of that address sends it; every byte the server sends back until it closes. With
// `closeWrite` the client ends its side after the bytes, so that the server sees a request cut short.
Bytes RawRequest(std::uint32_t source, std::uint16_t serverPort, const Bytes& request, bool closeWrite = false);
// A ping from the source address: the reply's status, or -1 when no whole reply came.
int PingFrom(std::uint32_t source, std::uint16_t serverPort);

// The links of the engine's PBX list, set up before the server starts and only read afterwards.
struct LinkTable {
    std::array<std::shared_ptr<CPbxLink>, kPbxCount> links;
    CEngineServer::LinkLookup Lookup() const
    {
        return [this](int pbx) { return pbx < kPbxCount ? links[static_cast<std::size_t>(pbx)] : nullptr; };
    }
};

// A LAN PBX that never answers: a UDP port on 127.0.0.1 that tells which frames reached it.
class SilentPbx {
public:
    SilentPbx();
    std::uint16_t Port() const;
    // The frame of the next 0xB0 datagram; empty when none came within the seconds.
    Bytes NextFrame(int seconds = 5);
    // A LAN link on a free local port whose PBX is this one (the link's tag is `pbx`).
    std::shared_ptr<CPbxLink> OpenLink(int pbx) const;

private:
    CBlockingSocket m_socket;
};
