#pragma once

#include <QRect>

#include <array>
#include <functional>
#include <optional>

// The object windows of the operator console's frame, in the order of their document templates.
enum class ObjectWindow { Extensions, Lines, EntryPhones, Relays, PcPhone };
constexpr int kObjectWindowCount = 5;

// What the fixed layout of the frame's windows depends on.
struct FrameLayoutInput {
    int width = 0;   // the client area less the tool bar and the status bar
    int height = 0;
    int frameBorder = 0;  // e: twice the frame border height
    int caption = 0;      // c: caption height + two edges + e
    int edgeWidth = 0;
    int frameWidth = 0;
    bool compactPcPhone = false;
    std::array<bool, kObjectWindowCount> open{};
    // The height the lines window needs to show every line in a width.
    std::function<int(int width)> linesRequiredHeight;

    bool IsOpen(ObjectWindow window) const { return open[static_cast<std::size_t>(window)]; }
};

// Where each open window goes; nothing for a closed one. The PC phone sits in the top right corner, or
// spans the top in its compact form; extensions and lines share the left part (lines at the bottom, as
// high as they need), entry phones and relays the right column (halves when both are open).
std::array<std::optional<QRect>, kObjectWindowCount> ComputeFrameLayout(const FrameLayoutInput& input);
