#pragma once

#include "messagetarget.h"

#include <cstdint>
#include <functional>

// What the PBX event handlers tell the rest of the console: the view's call handling about the bound
// extension and the lines' caller ids, and the main window about the answering board's full memory.
struct ConsoleNotifications {
    static constexpr std::uint64_t kPbxEventTag = 0x11110000;  // wParam: tag | n
    static constexpr std::int64_t kPbxEventParameter = 0x1111;
    static constexpr std::uint32_t kCallerIdBase = 0x80;      // n of a line's caller id: 0x80 + line
    static constexpr std::uint32_t kMemoryFullBalloonMessage = WM_USER + 106;

    // CEngineView::OnPbxEvent (wParam, lParam); may be empty.
    std::function<void(std::uint64_t wParam, std::int64_t lParam)> onPbxEvent;
    // The main window, and whether its notification-area icon is shown; either may be empty.
    MessageTarget* mainFrame = nullptr;
    std::function<bool()> iconShown;

    // n: 3 the bound extension rings, 7 it was connected, else its new state.
    void BoundExtension(std::uint32_t n) const;
    void LineCallerId(int line) const;
    // The balloon "answering board's memory full", when the icon is shown.
    void MemoryFull() const;
};
