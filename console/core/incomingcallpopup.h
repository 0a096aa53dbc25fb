#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// The window that tells the person at this workstation about a call of the bound extension, with its
// small balloon. The call notifications create it on the first ring that needs it and feed it the call's
// states; its accept and reject buttons come back to the view as WM_USER+101 with lParam 0x2222.
class IncomingCallPopup {
public:
    virtual ~IncomingCallPopup() = default;

    // state: an ExtensionState code (3 incoming, 4/17 waiting, 5 on hold, 7 connected, 9 ended, 21 booked);
    // line2 and line1: the two caller lines.
    virtual void SetCallState(std::uint8_t state, const QString& line2, const QString& line1) = 0;
    // Lets the popup show itself for a new call.
    virtual void AllowPopup() = 0;
    // Hides the popup and its balloon and withdraws AllowPopup.
    virtual void HideAll() = 0;
    // Whether the popup's window exists.
    virtual bool HasWindow() const = 0;
    // Plays the ring sound again, unless ring muted is set.
    virtual void PlayRingSound() = 0;
};

// Makes a new popup; the view gives it (the popup is a window of the program's gui).
using IncomingCallPopupFactory = std::function<std::unique_ptr<IncomingCallPopup>()>;
