#pragma once

#include "consolenotifications.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class BoundPbxRecords;
class CUdpEventListener;

// A client workstation's side of the PBX events: the server relays each frame as a datagram, which the
// client listener keeps in a slot and posts (WM_USER+100). Only the bound PBX's record copies change,
// and the view's call handling hears of the bound extension and the lines' caller ids. A message of the
// engine itself that the server stopped ends the program after telling the user.
class ClientDatagramHandler {
public:
    static constexpr std::uint32_t kCloseCommand = 57602;  // WM_COMMAND: the main window closes
    static constexpr std::uint8_t kServerStopped = 37;

    struct Services {
        // The client listener; asked for each datagram, as a restart of the engine replaces it.
        std::function<CUdpEventListener*()> listener;
        BoundPbxRecords* boundRecords = nullptr;
        std::function<int()> boundPbx;
        std::function<int()> boundExtension;
        // Shows the "server stopped" message box modally and returns when the user closed it.
        std::function<void()> showServerStopped;
        ConsoleNotifications notifications;
    };

    explicit ClientDatagramHandler(Services services);

    // WM_USER+100 with the listener's slot in wParam: always 0.
    std::int64_t OnClientDatagram(std::uint64_t wParam, std::int64_t lParam);
    // The work of one datagram: the PBX index, then the frame.
    void HandleDatagram(std::span<const std::uint8_t> datagram);

private:
    void OnBoundPbxEvent(std::uint8_t code, std::span<const std::uint8_t> payload);
    bool IsBoundExtension(int extension) const;

    Services m_services;
};
