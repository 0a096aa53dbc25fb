#pragma once

#include "linksilencecounters.h"
#include "messagetarget.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class BoundPbxRecords;
class CEngineClient;
class CPbxLink;
class CSqlDatabase;

// The console's heartbeat (the view's timer 1, every 10 seconds): watches the engine and every PBX link
// and restarts what is down.
//
// - Server, engine start failed (outcome 1-9): after six ticks the engine is started again.
// - Server: each PBX whose silence counter runs out (a serial PBX after a minute without frames, a LAN
//   PBX every sixth tick) is probed with an initialization request. A failure points a LAN link at the
//   broadcast address, stores the code as the link's status and ComStat and raises the fault balloon; a
//   later answer of the same model clears both and raises the restored balloon; a healthy link is asked
//   for its state events again and gets the PC's clock. A closed link is opened again.
// - Server: a channel that saw its peer gone (its line hung up, a request it could not write) is probed
//   at the next tick, whatever its counter. A serial link whose far end hung up is then closed, and opened
//   again at every tick while its device is missing (a restarted PBX is back within a tick).
// - Client (or no installation settings): the bound PBX's state as the server keeps it and a ping of
//   the server; a stopped server or a failed link is shown, and the engine started again.
//
// GUI thread only; each engine request blocks it up to 6 seconds.
class LinkSupervisor {
public:
    static constexpr std::uint32_t kFaultBalloonMessage = WM_USER + 104;
    static constexpr std::uint32_t kRestoredBalloonMessage = WM_USER + 105;
    static constexpr int kRequestSeconds = 6;
    static constexpr std::uint8_t kLinkNotStarted = 4;  // status of a client's link that is closed
    // A client whose server stopped answering: engine outcome 5 (TCP client) with detail 43.
    static constexpr std::uint8_t kServerLostOutcome = 5;
    static constexpr std::uint8_t kServerLostDetail = 43;
    static constexpr std::uint8_t kTapiNotStarted = 1;

    struct Services {
        // Installation mode server or simulation, with the installation settings loaded.
        std::function<bool()> serverMode;
        std::function<std::uint8_t()> engineOutcome;
        std::function<void(std::uint8_t outcome, std::uint8_t detail)> setEngineOutcome;
        std::function<std::uint8_t()> tapiOutcome;
        std::function<void(std::uint8_t outcome)> setTapiOutcome;
        std::function<std::uint8_t()> startEngine;
        // Opens (again) the PBX's link with its start-up reads: 0 or the failing code.
        std::function<std::uint8_t(int pbx)> openPbxLink;
        std::function<void(int pbx)> closeLink;
        std::function<std::uint8_t()> startTapiService;
        // The PBX's link (null when closed) and, on a client, whether the engine is reachable.
        std::function<std::shared_ptr<CPbxLink>(int pbx)> link;
        std::function<bool()> clientLinkOpen;
        std::function<std::uint8_t(int pbx)> linkStatus;
        std::function<void(int pbx, std::uint8_t status)> setLinkStatus;
        std::function<const CEngineClient*()> engineClient;
        CSqlDatabase* database = nullptr;
        LinkSilenceCounters* counters = nullptr;
        BoundPbxRecords* boundRecords = nullptr;
        std::function<int()> boundPbx;
        std::function<bool()> iconShown;
        MessageTarget* mainFrame = nullptr;
        std::function<void()> refreshBoard;
        std::string broadcastAddress = "255.255.255.255";
        std::uint16_t pbxPort = 61;
    };

    explicit LinkSupervisor(Services services);

    void Tick();

private:
    void RestartFailedEngine();
    void CheckServerLinks();
    void CheckServerLink(int pbx);
    void ReopenLink(int pbx);
    void CheckClientLink();
    void Restored();
    void Post(std::uint32_t message) const;
    void Refresh() const;
    bool TapiWaitsForLink() const;

    Services m_services;
    // PBXs whose link was closed because its far end hung up.
    std::array<bool, kMaxPbxLinks> m_reopenAtNextTick{};
};
