#include "framelayout.h"

#include <algorithm>

namespace {

// The PC phone's keypad and its compact display line.
constexpr int kPcPhoneWidth = 280;
constexpr int kPcPhoneHeight = 315;
constexpr int kCompactPcPhoneWidth = 180;
constexpr int kCompactPcPhoneHeight = 43;

}  // namespace

std::array<std::optional<QRect>, kObjectWindowCount> ComputeFrameLayout(const FrameLayoutInput& in)
{
    std::array<std::optional<QRect>, kObjectWindowCount> rects;
    const int W = in.width;
    const int H = in.height;
    const bool pcPhone = in.IsOpen(ObjectWindow::PcPhone);
    const bool extensions = in.IsOpen(ObjectWindow::Extensions);
    const bool lines = in.IsOpen(ObjectWindow::Lines);
    const bool entryPhones = in.IsOpen(ObjectWindow::EntryPhones);
    const bool relays = in.IsOpen(ObjectWindow::Relays);

    int P = 0;
    int Q = 0;
    if (in.compactPcPhone) {
        P = in.frameBorder + kCompactPcPhoneWidth;
        Q = in.frameBorder + kCompactPcPhoneHeight;
    } else {
        P = 2 * (in.edgeWidth + in.frameWidth) + kPcPhoneWidth;
        Q = in.caption + kPcPhoneHeight;
    }
    if (pcPhone)
        rects[static_cast<std::size_t>(ObjectWindow::PcPhone)] =
            in.compactPcPhone ? QRect(0, 0, W, Q) : QRect(W - P, 0, P, Q);

    const bool rightColumn = pcPhone || entryPhones || relays;
    const int leftWidth = rightColumn ? W - P : W;
    const int leftTop = pcPhone && in.compactPcPhone ? Q : 0;

    int linesTop = H;
    if (lines) {
        int linesHeight = H - leftTop;
        if (extensions) {
            const int required = in.linesRequiredHeight ? in.linesRequiredHeight(leftWidth) : 0;
            linesHeight = std::min(required + in.caption, H - leftTop);
        }
        linesTop = H - linesHeight;
        rects[static_cast<std::size_t>(ObjectWindow::Lines)] = QRect(0, linesTop, leftWidth, linesHeight);
    }
    if (extensions)
        rects[static_cast<std::size_t>(ObjectWindow::Extensions)] = QRect(0, leftTop, leftWidth, linesTop - leftTop);

    const bool inColumn = extensions || lines;
    const int columnX = inColumn ? W - P : 0;
    const int columnWidth = inColumn ? P : W;
    const int columnTop = pcPhone ? Q : 0;
    const int remaining = H - columnTop;
    if (entryPhones) {
        const int height = relays ? remaining / 2 : remaining;
        rects[static_cast<std::size_t>(ObjectWindow::EntryPhones)] = QRect(columnX, columnTop, columnWidth, height);
    }
    if (relays) {
        const int top = entryPhones ? columnTop + remaining / 2 : columnTop;
        rects[static_cast<std::size_t>(ObjectWindow::Relays)] = QRect(columnX, top, columnWidth, H - top);
    }
    return rects;
}
