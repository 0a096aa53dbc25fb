#include "toolbarimages.h"

#include "fonivraicon.h"
#include "iconartwork.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSide = 32;
// The first of the six programmable buttons' commands.
constexpr std::uint32_t kFirstToolButton = 32812;
constexpr std::uint32_t kLastToolButton = 32817;

QPixmap Blank()
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap Picture(int id)
{
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    const QImage& picture = IconArtwork::Picture(id);
    const QSize size = picture.size().scaled(kSide, kSide, Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint((kSide - size.width()) / 2, (kSide - size.height()) / 2), size), picture);
    return pixmap;
}

QPixmap Sign(const QColor& ground, const QString& text)
{
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(2.5, 2.5, kSide - 5, kSide - 5), 4, 4);
    QFont font = painter.font();
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, kSide, kSide), Qt::AlignCenter, text);
    return pixmap;
}

}  // namespace

QIcon ToolBarIcon(std::uint32_t command)
{
    const QColor lists(0x20, 0x80, 0x20);
    const QColor contacts(0x90, 0x20, 0x90);
    switch (command) {
    case 32785: return QIcon(Picture(243));
    case 32786: return QIcon(Picture(247));
    case 32787: return QIcon(Picture(213));
    case 32810: return QIcon(Picture(310));
    case 32788: return FonivraIcon();
    case 32795: return QIcon(Sign(lists, QStringLiteral("\u2199")));
    case 32796: return QIcon(Sign(lists, QStringLiteral("\u2197")));
    case 32803: return QIcon(Sign(QColor(0xC0, 0x30, 0x30), QStringLiteral("\u2199")));
    case 32797: return QIcon(Sign(lists, QStringLiteral("\u2261")));
    case 32799: return QIcon(Sign(contacts, QStringLiteral("@")));
    case 32800: return QIcon(Sign(contacts, QStringLiteral("\u260E")));
    case 32818: return QIcon(Sign(QColor(0x60, 0x60, 0x60), QStringLiteral("\u2699")));
    default: break;
    }
    if (command >= kFirstToolButton && command <= kLastToolButton)
        return QIcon(Sign(QColor(0x20, 0x50, 0xD0), QString::number(command - kFirstToolButton + 1)));
    return {};
}
