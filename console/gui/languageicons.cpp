#include "languageicons.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSize = 16;

QPixmap ItalianFlag()
{
    QPixmap flag(kSize, kSize);
    QPainter painter(&flag);
    const int stripe = kSize / 3;
    painter.fillRect(0, 0, stripe, kSize, QColor(0, 146, 70));
    painter.fillRect(stripe, 0, kSize - 2 * stripe, kSize, Qt::white);
    painter.fillRect(kSize - stripe, 0, stripe, kSize, QColor(206, 43, 55));
    return flag;
}

QPixmap EnglishFlag()
{
    QPixmap flag(kSize, kSize);
    flag.fill(QColor(1, 33, 105));
    QPainter painter(&flag);
    const QColor red(200, 16, 46);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(0, 0, kSize, kSize);
    painter.drawLine(0, kSize, kSize, 0);
    painter.setPen(QPen(red, 1));
    painter.drawLine(0, 0, kSize, kSize);
    painter.drawLine(0, kSize, kSize, 0);
    const int middle = kSize / 2;
    painter.fillRect(middle - 3, 0, 6, kSize, Qt::white);
    painter.fillRect(0, middle - 3, kSize, 6, Qt::white);
    painter.fillRect(middle - 2, 0, 4, kSize, red);
    painter.fillRect(0, middle - 2, kSize, 4, red);
    return flag;
}

}  // namespace

QIcon LanguageIcon(int iconId)
{
    if (iconId == kItalianFlagIcon)
        return QIcon(ItalianFlag());
    if (iconId == kEnglishFlagIcon)
        return QIcon(EnglishFlag());
    return QIcon();
}
