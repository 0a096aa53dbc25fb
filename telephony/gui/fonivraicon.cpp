#include "fonivraicon.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSizes[] = {16, 32, 48};

QPixmap Draw(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = side / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x50, 0xD0));
    painter.drawRoundedRect(QRectF(0, 0, side, side), 3 * unit, 3 * unit);
    painter.setPen(QPen(Qt::white, 1.6 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(3 * unit, 3 * unit, 10 * unit, 10 * unit), 0, 180 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(2 * unit, 7 * unit, 3 * unit, 5 * unit), unit, unit);
    painter.drawRoundedRect(QRectF(11 * unit, 7 * unit, 3 * unit, 5 * unit), unit, unit);
    return pixmap;
}

}  // namespace

QIcon FonivraIcon()
{
    QIcon icon;
    for (const int side : kSizes)
        icon.addPixmap(Draw(side));
    return icon;
}
