#include "framelayout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// A client area of 1000 x 700 with a border of 4 (e 8), a caption of 28 and a frame width of 4: the
// PC phone's column is 2 x (0 + 4) + 280 = 288 wide and 28 + 315 = 343 high, or 188 x 51 in its compact
// form. The lines need 60 pixels in any width.
FrameLayoutInput Input(bool compact, std::array<bool, kObjectWindowCount> open)
{
    FrameLayoutInput input;
    input.width = 1000;
    input.height = 700;
    input.frameBorder = 8;
    input.caption = 28;
    input.edgeWidth = 0;
    input.frameWidth = 4;
    input.compactPcPhone = compact;
    input.open = open;
    input.linesRequiredHeight = [](int) { return 60; };
    return input;
}

using Rect = std::optional<QRect>;
constexpr bool o = true;   // open
constexpr bool x = false;  // closed

struct Case {
    const char* name;
    bool compact;
    std::array<bool, kObjectWindowCount> open;  // extensions, lines, entry phones, relays, PC phone
    std::array<Rect, kObjectWindowCount> expected;
};

const Case kCases[] = {
    {"everything, PC phone at the right", false, {o, o, o, o, o},
     {QRect(0, 0, 712, 612), QRect(0, 612, 712, 88), QRect(712, 343, 288, 178), QRect(712, 521, 288, 179),
      QRect(712, 0, 288, 343)}},
    {"extensions alone take the whole area", false, {o, x, x, x, x},
     {QRect(0, 0, 1000, 700), Rect(), Rect(), Rect(), Rect()}},
    {"lines alone take the full height", false, {x, o, x, x, x},
     {Rect(), QRect(0, 0, 1000, 700), Rect(), Rect(), Rect()}},
    {"extensions and lines", false, {o, o, x, x, x},
     {QRect(0, 0, 1000, 612), QRect(0, 612, 1000, 88), Rect(), Rect(), Rect()}},
    {"entry phones alone span the width", false, {x, x, o, x, x},
     {Rect(), Rect(), QRect(0, 0, 1000, 700), Rect(), Rect()}},
    {"entry phones and relays share the width in halves", false, {x, x, o, o, x},
     {Rect(), Rect(), QRect(0, 0, 1000, 350), QRect(0, 350, 1000, 350), Rect()}},
    {"relays in the column from the top", false, {o, x, x, o, x},
     {QRect(0, 0, 712, 700), Rect(), Rect(), QRect(712, 0, 288, 700), Rect()}},
    {"PC phone at the right narrows the extensions", false, {o, x, x, x, o},
     {QRect(0, 0, 712, 700), Rect(), Rect(), Rect(), QRect(712, 0, 288, 343)}},
    {"compact PC phone spans the top", true, {o, o, o, x, o},
     {QRect(0, 51, 812, 561), QRect(0, 612, 812, 88), QRect(812, 51, 188, 649), Rect(), QRect(0, 0, 1000, 51)}},
    {"compact PC phone alone", true, {x, x, x, x, o}, {Rect(), Rect(), Rect(), Rect(), QRect(0, 0, 1000, 51)}},
    {"compact PC phone over the lines alone", true, {x, o, x, x, o},
     {Rect(), QRect(0, 51, 812, 649), Rect(), Rect(), QRect(0, 0, 1000, 51)}},
    {"nothing open", false, {x, x, x, x, x}, {}},
};

TEST(FrameLayout, EachWindowOpenOrClosedInBothPcPhoneForms)
{
    for (const Case& c : kCases) {
        const auto rects = ComputeFrameLayout(Input(c.compact, c.open));
        for (int window = 0; window < kObjectWindowCount; ++window) {
            const auto& got = rects[static_cast<std::size_t>(window)];
            const auto& want = c.expected[static_cast<std::size_t>(window)];
            EXPECT_EQ(got.has_value(), want.has_value()) << c.name << ", window " << window;
            if (got && want) {
                EXPECT_EQ(*got, *want) << c.name << ", window " << window << ": " << got->x() << ',' << got->y()
                                       << ' ' << got->width() << 'x' << got->height();
            }
        }
    }
}

}  // namespace
