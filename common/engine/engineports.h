#pragma once

#include <QString>

#include <cstdint>
#include <string>

// The ports of the engine. Each has its usual number by default; Registry.ini [Network] may give another,
// so that several engines (tests, a demo beside a real installation) run side by side on one computer.
struct EnginePorts {
    static inline const QString kRequestPortName = QStringLiteral("EngineServerPort");
    static inline const QString kEventPortName = QStringLiteral("EventPort");
    static inline const QString kRelayPortName = QStringLiteral("EventRelayPort");
    static inline const QString kTapiCommandPortName = QStringLiteral("TapiCommandPort");
    static inline const QString kTapiReplyPortName = QStringLiteral("TapiReplyPort");
    static inline const QString kLanEnginePortName = QStringLiteral("LanEnginePort");
    static inline const QString kLanPbxPortName = QStringLiteral("LanPbxPort");
    static inline const QString kBroadcastAddressName = QStringLiteral("BroadcastAddress");

    std::uint16_t requestPort = 13443;     // TCP: the engine request server
    std::uint16_t eventPort = 13444;       // UDP: event datagrams to the workstations
    std::uint16_t relayPort = 13445;       // UDP: a client workstation relays the events here
    std::uint16_t tapiCommandPort = 2445;  // UDP on 127.0.0.1: the TAPI driver's commands
    std::uint16_t tapiReplyPort = 2446;    // UDP on 127.0.0.1: the texts for the TAPI driver
    std::uint16_t lanEnginePort = 13398;   // UDP: the engine's end of a LAN PBX link
    std::uint16_t lanPbxPort = 61;         // UDP: a LAN PBX
    // Where a LAN PBX link sends after a failed probe, so that the PBX is found again wherever it
    // answers from (tests give 127.0.0.1).
    std::string broadcastAddress = "255.255.255.255";

    // The defaults with the overrides of Registry.ini.
    static EnginePorts FromRegistry();
};
