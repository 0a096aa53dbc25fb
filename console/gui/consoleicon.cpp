#include "consoleicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSizes[] = {16, 32, 48};

// A blue disc with a white handset across it.
QPixmap DrawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(22, 78, 150));
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    QPainterPath handset;
    handset.moveTo(8, 20);
    handset.cubicTo(8, 10, 24, 10, 24, 20);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(handset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(5, 18, 7, 5), 2, 2);
    painter.drawRoundedRect(QRectF(20, 18, 7, 5), 2, 2);
    return pixmap;
}

}  // namespace

QIcon ConsoleIcon()
{
    QIcon icon;
    for (int size : kSizes)
        icon.addPixmap(DrawIcon(size));
    return icon;
}
