#include "skinregion.h"

#include <QImage>

QRegion CreateRegionFromBitmap(const QImage& bitmap)
{
    const QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto isKey = [row](int x) { return (row[x] & RGB_MASK) == kSkinKeyColour; };
        int x = 0;
        while (x < width) {
            while (x < width && isKey(x))
                ++x;
            const int start = x;
            while (x < width && !isKey(x))
                ++x;
            if (x == start)
                continue;
            const QRect run(QPoint(start + kSkinRunInset, y), QPoint(x - 1 - kSkinRunInset, y));
            if (run.isValid())
                region += run;
        }
    }
    return region;
}
