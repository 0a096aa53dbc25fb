#include "actionimages.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace {

// Each picture: a rounded tile of its colour with a symbol the installed font draws.
struct ActionPicture {
    QRgb tile;
    char16_t symbol;
};
constexpr ActionPicture kPictures[] = {
    {0x808080, u'?'},       // 0
    {0x1F5FA8, u'\u2302'},  // 1 ⌂ hotel and rooms
    {0xC8A000, u'\u270E'},  // 2 ✎ bookings
    {0xC03030, u'\u2192'},  // 3 → check-in
    {0x3A7D3A, u'\u2630'},  // 4 ☰ lists and documents
    {0x2040C0, u'\u2298'},  // 5 ⊘ unavailable
    {0x7A4A9A, u'\u20AC'},  // 6 € bill, check-out
    {0x8A7A00, u'\u2709'},  // 7 ✉ messages
    {0xD07000, u'\u263C'},  // 8 ☼ wake-up call
    {0x2A7A8A, u'\u25AD'},  // 9 ▭ access card
};
constexpr int kCorner = 6;
constexpr int kSymbolPixels = 20;

}  // namespace

std::vector<QIcon> ActionImages()
{
    std::vector<QIcon> images;
    for (const ActionPicture& picture : kPictures) {
        QPixmap pixmap(kActionImageSide, kActionImageSide);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(picture.tile));
        painter.drawRoundedRect(QRectF(1, 1, kActionImageSide - 2, kActionImageSide - 2), kCorner, kCorner);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(kSymbolPixels);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QString(QChar(picture.symbol)));
        painter.end();
        images.emplace_back(pixmap);
    }
    return images;
}
