#include "keypaddisplay.h"

#include "widgettesting.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

constexpr QSize kSize(150, 40);

TEST(KeypadDisplay, FontOfTheDisplay)
{
    CKeypadDisplay display;
    const QFont& font = display.TextFont();
    EXPECT_EQ(font.family(), "Times New Roman");
    EXPECT_EQ(font.pixelSize(), 10);
    EXPECT_EQ(font.weight(), QFont::ExtraLight);
}

TEST(KeypadDisplay, LinePositionsFromTheTextHeight)
{
    const struct {
        int width;
        int height;
    } cases[] = {{150, 40}, {151, 41}, {60, 20}};
    CKeypadDisplay display;
    const QFontMetrics metrics(display.TextFont());
    for (const auto& c : cases) {
        const CKeypadDisplay::LinePositions at = CKeypadDisplay::PositionsFor(c.width, c.height, metrics);
        const int top = (c.height - 2 * metrics.height() - 2 * metrics.leading()) / 2;
        EXPECT_EQ(at.first, QPoint(c.width / 2, top)) << c.width << "x" << c.height;
        EXPECT_EQ(at.second, QPoint(2, top + metrics.height() + metrics.leading()));
    }
}

TEST(KeypadDisplay, GreenGroundAndAFrameOnlyWhenFramed)
{
    for (const bool framed : {false, true}) {
        CKeypadDisplay display;
        display.resize(kSize);
        display.SetFramed(framed);
        display.SetFirstLine(QStringLiteral("PRONTO"));
        display.SetSecondLine(QStringLiteral("0512233"));
        const QImage image = display.grab().toImage();
        SaveScreenshot(image, framed ? QStringLiteral("keypaddisplay_framed") : QStringLiteral("keypaddisplay"));
        EXPECT_EQ(image.pixelColor(kSize.width() / 2, kSize.height() - 3), CKeypadDisplay::kGround);
        const QColor edge = image.pixelColor(0, kSize.height() / 2);
        EXPECT_EQ(edge == CKeypadDisplay::kGround, !framed);
        // Both lines are drawn: the first about the middle, the second from the left.
        const QFontMetrics metrics(display.TextFont());
        const CKeypadDisplay::LinePositions at = CKeypadDisplay::PositionsFor(kSize.width(), kSize.height(), metrics);
        const auto inked = [&](int left, int right, int top) {
            for (int y = top; y < top + metrics.height(); ++y)
                for (int x = left; x < right; ++x)
                    if (image.pixelColor(x, y) != CKeypadDisplay::kGround)
                        return true;
            return false;
        };
        EXPECT_TRUE(inked(at.first.x() - 10, at.first.x() + 10, at.first.y()));
        EXPECT_TRUE(inked(3, 20, at.second.y()));
        EXPECT_FALSE(inked(kSize.width() - 20, kSize.width() - 3, at.second.y()));
    }
}

}  // namespace
