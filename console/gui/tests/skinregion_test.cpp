#include "skinregion.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A picture from rows of text: '.' is the key colour, '#' window, '~' a colour one step from the key.
QImage Picture(const std::vector<const char*>& rows)
{
    QImage image(static_cast<int>(std::strlen(rows[0])), static_cast<int>(rows.size()), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][x];
            image.setPixel(x, y, c == '.' ? qRgb(254, 2, 254) : c == '~' ? qRgb(254, 2, 253) : qRgb(20, 40, 60));
        }
    return image;
}

QRegion Rects(const std::vector<QRect>& rects)
{
    QRegion region;
    for (const QRect& rect : rects)
        region += rect;
    return region;
}

TEST(SkinRegion, RunsOfWindowPixelsNarrowedByTwoAtEachEnd)
{
    struct Case {
        const char* name;
        std::vector<const char*> rows;
        QRegion expected;
    };
    const Case cases[] = {
        {"only key colour", {"..........", ".........."}, QRegion()},
        {"whole rows", {"##########", "##########", "##########"}, QRegion(2, 0, 6, 3)},
        {"two runs in a row, the short one vanishes",
         {"..##########.###"}, Rects({QRect(4, 0, 6, 1)})},
        {"five pixels keep one, four keep none", {"#####.####"}, Rects({QRect(2, 0, 1, 1)})},
        {"a near-key colour is window", {"~~~~~~~.", "........"}, Rects({QRect(2, 0, 3, 1)})},
        {"rows differ",
         {"..########..", "############", "....######.."},
         Rects({QRect(4, 0, 4, 1), QRect(2, 1, 8, 1), QRect(6, 2, 2, 1)})},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const QRegion region = CreateRegionFromBitmap(Picture(test.rows));
        EXPECT_EQ(region, test.expected);
        EXPECT_EQ(region.isEmpty(), test.expected.isEmpty());
    }
}

TEST(SkinRegion, AlphaDoesNotHideTheKeyColour)
{
    QImage image(8, 1, QImage::Format_ARGB32);
    image.fill(qRgba(254, 2, 254, 0));
    for (int x = 1; x < 7; ++x)
        image.setPixel(x, 0, qRgba(10, 10, 10, 255));
    EXPECT_EQ(CreateRegionFromBitmap(image), QRegion(3, 0, 2, 1));
}

}  // namespace
