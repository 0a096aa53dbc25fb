#include "iconartwork.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <map>

namespace IconArtwork {
namespace {

constexpr int kStyles = 10;
// Bitmap ids by PBX, set and style.
constexpr std::array<std::array<std::array<int, kStyles>, 3>, 2> kExtensionIds{{
    {{{204, 333, 342, 345, 348, 351, 354, 374, 379, 376},
      {243, 335, 341, 344, 347, 350, 353, 356, 378, 381},
      {315, 334, 340, 343, 346, 349, 352, 355, 377, 380}}},
    {{{319, 338, 359, 361, 363, 366, 369, 375, 385, 382},
      {318, 337, 358, 360, 362, 365, 368, 371, 384, 387},
      {317, 336, 357, 373, 372, 364, 367, 370, 383, 386}}},
}};

const QColor kBusyGround(0xE0, 0x30, 0x30);
const QColor kFreeGround(Qt::white);
const QColor kHeldGround(0xF5, 0xD0, 0x20);
const QColor kInk(0x20, 0x20, 0x20);
const QColor kSecondPbxMark(0x20, 0x50, 0xD0);

QColor Ground(ExtensionSet set)
{
    switch (set) {
    case ExtensionSet::Busy: return kBusyGround;
    case ExtensionSet::Held: return kHeldGround;
    case ExtensionSet::Free: break;
    }
    return kFreeGround;
}

QImage Blank(QSize size, const QColor& ground)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    return image;
}

void Frame(QPainter& painter, QSize size)
{
    painter.setPen(kInk);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
}

void SecondPbxMark(QPainter& painter, QSize size)
{
    const QPointF corner[] = {{size.width() - 8.0, 0}, {double(size.width()), 0}, {double(size.width()), 8.0}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSecondPbxMark);
    painter.drawPolygon(corner, 3);
}

// A handset lying over a box: the desk telephone of style 0 and the base of most other styles.
void Telephone(QPainter& painter, const QRectF& area)
{
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(QColor(0x50, 0x50, 0x50));
    const QRectF body(area.left() + area.width() * 0.2, area.top() + area.height() * 0.45, area.width() * 0.6,
                      area.height() * 0.5);
    painter.drawRoundedRect(body, 2, 2);
    QPainterPath handset;
    handset.moveTo(area.left() + area.width() * 0.1, area.top() + area.height() * 0.4);
    handset.quadTo(area.center().x(), area.top() - area.height() * 0.1, area.right() - area.width() * 0.1,
                   area.top() + area.height() * 0.4);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(handset);
}

void Bed(QPainter& painter, const QRectF& area)
{
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(QColor(0x80, 0x60, 0x40));
    painter.drawRect(QRectF(area.left(), area.top() + area.height() * 0.5, area.width(), area.height() * 0.25));
    painter.drawRect(QRectF(area.left(), area.top() + area.height() * 0.15, area.width() * 0.12, area.height() * 0.85));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(area.left() + area.width() * 0.15, area.top() + area.height() * 0.3,
                               area.width() * 0.2, area.height() * 0.22));
}

// Styles 2-9: the telephone with a sign of its own beside it.
void StyledTelephone(QPainter& painter, const QRectF& area, int style)
{
    Telephone(painter, QRectF(area.left(), area.top(), area.width() * 0.6, area.height()));
    const QRectF sign(area.left() + area.width() * 0.68, area.top() + area.height() * 0.2, area.width() * 0.3,
                      area.height() * 0.6);
    static const std::array<QColor, kStyles> colours{
        QColor(), QColor(), QColor(0x20, 0x80, 0x20), QColor(0x20, 0x50, 0xD0), QColor(0x90, 0x20, 0x90),
        QColor(0xD0, 0x70, 0x10), QColor(0x10, 0x90, 0x90), QColor(0x60, 0x60, 0x60), QColor(0xB0, 0x10, 0x50),
        QColor(0x50, 0x30, 0x10)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours[style]);
    if (style % 2 == 0)
        painter.drawEllipse(sign);
    else
        painter.drawRect(sign);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(int(sign.height() * 0.8));
    painter.setFont(font);
    painter.drawText(sign, Qt::AlignCenter, QString::number(style));
}

QImage ExtensionPicture(int pbx, ExtensionSet set, int style)
{
    QImage image = Blank(kExtensionSize, Ground(set));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(14, 3, 29, 19);
    if (style == 0)
        Telephone(painter, area);
    else if (style == 1)
        Bed(painter, area);
    else
        StyledTelephone(painter, QRectF(10, 3, 37, 19), style);
    if (pbx == 1)
        SecondPbxMark(painter, kExtensionSize);
    Frame(painter, kExtensionSize);
    return image;
}

QImage LinePicture(const QColor& ground, bool second)
{
    QImage image = Blank(kLineSize, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(ground);
    painter.drawEllipse(QRectF(2, 2, kLineSize.width() - 4, kLineSize.height() - 4));
    Telephone(painter, QRectF(13, 6, 23, 16));
    if (second)
        SecondPbxMark(painter, kLineSize);
    return image;
}

QImage EntryPhonePicture(const QColor& ground, bool second)
{
    QImage image = Blank(kEntryPhoneSize, ground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
    painter.drawRoundedRect(QRectF(5, 3, 19, 35), 3, 3);
    painter.setBrush(kInk);
    for (int row = 0; row < 3; ++row)
        painter.drawEllipse(QRectF(12, 8 + row * 5, 5, 3));
    painter.setBrush(QColor(0x20, 0x50, 0xD0));
    painter.drawRect(QRectF(10, 26, 9, 7));
    if (second)
        SecondPbxMark(painter, kEntryPhoneSize);
    Frame(painter, kEntryPhoneSize);
    return image;
}

enum class RelayKind { LoadOn, LoadOff, Door };

QImage RelayPicture(RelayKind kind, bool second)
{
    QImage image = Blank(kRelaySize, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    if (kind == RelayKind::Door) {
        painter.setBrush(QColor(0x90, 0x60, 0x30));
        painter.drawRect(QRectF(6, 3, 24, 31));
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF({{18, 5}, {28, 8}, {28, 32}, {18, 32}}));
        painter.setBrush(kInk);
        painter.drawEllipse(QRectF(10, 10, 5, 5));
        painter.drawLine(QPointF(12.5, 15), QPointF(12.5, 26));
    } else {
        painter.setBrush(kind == RelayKind::LoadOn ? QColor(0xF5, 0xD0, 0x20) : QColor(0xA0, 0xA0, 0xA0));
        painter.drawEllipse(QRectF(2, 2, 32, 32));
        painter.setBrush(kInk);
        painter.drawPolygon(QPolygonF({{20, 6}, {11, 19}, {17, 19}, {14, 30}, {25, 15}, {19, 15}}));
    }
    if (second)
        SecondPbxMark(painter, kRelaySize);
    return image;
}

QImage Glyph(int id)
{
    QImage image = Blank(kGlyphSize, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1));
    switch (id) {
    case kWakeUpSetGlyph:
    case kWakeUpOtherGlyph:  // a bell
        painter.setBrush(id == kWakeUpSetGlyph ? QColor(0xF5, 0xD0, 0x20) : kBusyGround);
        painter.drawChord(QRectF(1, 1, 9, 14), 0, 180 * 16);
        painter.drawEllipse(QRectF(4, 8, 3, 3));
        break;
    case kLocalCallsBarredGlyph:  // a barred circle
        painter.setPen(QPen(kBusyGround, 1.5));
        painter.drawEllipse(QRectF(1, 1, 9, 9));
        painter.drawLine(QPointF(2.5, 2.5), QPointF(8.5, 8.5));
        break;
    case kFollowMeGlyph:  // an arrow
        painter.setPen(QPen(QColor(0x20, 0x50, 0xD0), 1.5));
        painter.drawLine(QPointF(1, 5.5), QPointF(9, 5.5));
        painter.drawLine(QPointF(6, 2.5), QPointF(9, 5.5));
        painter.drawLine(QPointF(6, 8.5), QPointF(9, 5.5));
        break;
    case kDoNotDisturbGlyph:  // no entry
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBusyGround);
        painter.drawEllipse(QRectF(0.5, 0.5, 10, 10));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(2.5, 4.5, 6, 2));
        break;
    case kUnreadMessagesGlyph:  // an envelope
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(0.5, 2.5, 10, 6));
        painter.drawLine(QPointF(0.5, 2.5), QPointF(5.5, 6));
        painter.drawLine(QPointF(10.5, 2.5), QPointF(5.5, 6));
        break;
    case kRecorderGlyph:  // a tape cassette
        painter.setBrush(QColor(0x60, 0x60, 0x60));
        painter.drawRect(QRectF(0.5, 2.5, 10, 6));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(2, 4, 2.5, 2.5));
        painter.drawEllipse(QRectF(6.5, 4, 2.5, 2.5));
        break;
    default: return {};
    }
    return image;
}

QImage Draw(int id)
{
    for (int pbx = 0; pbx < 2; ++pbx)
        for (int set = 0; set < 3; ++set)
            for (int style = 0; style < kStyles; ++style)
                if (kExtensionIds[pbx][set][style] == id)
                    return ExtensionPicture(pbx, static_cast<ExtensionSet>(set), style);
    switch (id) {
    case 247: return LinePicture(kFreeGround, false);
    case 246: return LinePicture(kBusyGround, false);
    case 314: return LinePicture(kHeldGround, false);
    case 321: return LinePicture(kFreeGround, true);
    case 322: return LinePicture(kBusyGround, true);
    case 320: return LinePicture(kHeldGround, true);
    case 213: return EntryPhonePicture(kFreeGround, false);
    case 212: return EntryPhonePicture(kBusyGround, false);
    case 323: return EntryPhonePicture(kFreeGround, true);
    case 324: return EntryPhonePicture(kBusyGround, true);
    case 310: return RelayPicture(RelayKind::LoadOn, false);
    case 211: return RelayPicture(RelayKind::LoadOff, false);
    case 308: return RelayPicture(RelayKind::Door, false);
    case 326: return RelayPicture(RelayKind::LoadOn, true);
    case 325: return RelayPicture(RelayKind::LoadOff, true);
    case 327: return RelayPicture(RelayKind::Door, true);
    default: return Glyph(id);
    }
}

}  // namespace

int ExtensionPictureId(int pbx, ExtensionSet set, int style)
{
    if (pbx < 0 || pbx > 1 || style < 0 || style >= kStyles)
        return 0;
    return kExtensionIds[pbx][static_cast<int>(set)][style];
}

const QImage& Picture(int id)
{
    // The pictures are drawn on the window thread only.
    static std::map<int, QImage> cache;
    auto found = cache.find(id);
    if (found == cache.end())
        found = cache.emplace(id, Draw(id)).first;
    return found->second;
}

}  // namespace IconArtwork
