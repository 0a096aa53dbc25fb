// Draws the suite's artwork and its ring sound into the assets folder: the button strips and list images
// that the programs compile in (bitmaps/<id>.png) and the skins, animations and sound installed into
// Shared (shared/*.psx). Run it again after changing a picture: `assets_generator <assets folder>`.
#include "gifwriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

// The colour a skin paints where the window must not be (red 254, green 2, blue 254).
const QColor kKey(254, 2, 254);
const QColor kNavy(0x1c, 0x2a, 0x48);
const QColor kNavyLight(0x35, 0x55, 0x88);
const QColor kCard(0xdd, 0xe7, 0xf1);
const QColor kPanel(0xf4, 0xf8, 0xfb);
const QColor kOk(0x2e, 0x9e, 0x5b);
const QColor kWarn(0xe8, 0xa3, 0x17);
const QColor kFault(0xc8, 0x3a, 0x32);
const QColor kIdle(0x9a, 0xa3, 0xad);

// The window of the status board: the view's controls sit on it at fixed places.
constexpr int kSkinWidth = 568;
constexpr int kSkinHeight = 424;
// The popup's picture decides the popup's size.
constexpr int kPopupWidth = 430;
constexpr int kPopupHeight = 250;
constexpr int kBalloonWidth = 320;
constexpr int kBalloonHeight = 120;
constexpr int kAnimationSize = 96;
constexpr int kAnimationFrames = 8;
constexpr int kFrameMs = 150;

QString g_folder;

bool Save(const QImage& image, const QString& relative, const char* format = "PNG")
{
    const QString path = g_folder + u'/' + relative;
    if (!image.save(path, format)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool SaveBytes(const QByteArray& bytes, const QString& relative)
{
    QFile file(g_folder + u'/' + relative);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage Blank(int width, int height, const QColor& fill = Qt::transparent)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

void Antialias(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing); }

QFont Font(int pixels, bool bold = true)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Three faces side by side: normal, mouse over, pressed.
QImage Strip(int width, int height, const std::function<void(QPainter&, int face)>& draw)
{
    QImage strip = Blank(3 * width, height);
    for (int face = 0; face < 3; ++face) {
        QPainter painter(&strip);
        Antialias(painter);
        painter.translate(face * width, 0);
        painter.setClipRect(0, 0, width, height);
        draw(painter, face);
    }
    return strip;
}

QColor FaceColour(const QColor& base, int face)
{
    return face == 1 ? base.lighter(125) : face == 2 ? base.darker(130) : base;
}

// --- The status board ---

void DrawPanel(QPainter& painter, const QRect& rect, const QColor& colour, int radius)
{
    painter.setPen(QPen(kNavyLight, 1));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

QImage Skin()
{
    QImage skin = Blank(kSkinWidth, kSkinHeight, kKey);
    QPainter painter(&skin);
    Antialias(painter);
    QLinearGradient body(0, 0, 0, kSkinHeight);
    body.setColorAt(0, kNavyLight);
    body.setColorAt(1, kNavy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(0, 0, kSkinWidth, kSkinHeight), 38, 38);
    // The card that holds the board, and the places of the lists (view positions less the edge).
    DrawPanel(painter, QRect(44, 86, 488, 294), kCard, 14);
    DrawPanel(painter, QRect(61, 120, 175, 242), kPanel, 6);
    for (int y : {115, 204, 294})
        DrawPanel(painter, QRect(243, y, 272, 76), kPanel, 6);
    painter.setPen(Qt::white);
    painter.setFont(Font(28));
    painter.drawText(QRect(44, 26, 300, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pultex"));
    // The subtitle below the name is the program's text in the user's language: the view draws it.
    return skin;
}

// The three round buttons of the board's corner: a glyph on a disc.
QImage RoundButton(const std::function<void(QPainter&)>& glyph)
{
    return Strip(20, 20, [&glyph](QPainter& painter, int face) {
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(FaceColour(QColor(0x2a, 0x6f, 0xb0), face));
        painter.drawEllipse(QRectF(1, 1, 18, 18));
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        glyph(painter);
    });
}

QImage WebButton()
{
    return Strip(200, 20, [](QPainter& painter, int face) {
        QFont font = Font(12, face == 1);
        font.setUnderline(face != 0);
        painter.setFont(font);
        painter.setPen(face == 2 ? kWarn : Qt::white);
        painter.drawText(QRect(0, 0, 200, 20), Qt::AlignCenter, QStringLiteral("www.utensa.example"));
    });
}

// --- The list images, 42 x 42 ---

enum class Symbol { Engine, Tapi, Pbx, Console, Rating, Hotel };

void DrawSymbol(QPainter& painter, Symbol symbol, const QColor& colour)
{
    painter.setPen(QPen(colour.darker(140), 2));
    painter.setBrush(colour);
    switch (symbol) {
    case Symbol::Engine: {
        for (int i = 0; i < 8; ++i) {
            painter.save();
            painter.translate(21, 21);
            painter.rotate(i * 45);
            painter.drawRect(QRectF(-3, -19, 6, 8));
            painter.restore();
        }
        painter.drawEllipse(QPointF(21, 21), 13, 13);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(21, 21), 5, 5);
        break;
    }
    case Symbol::Tapi: {
        QPainterPath handset;
        handset.moveTo(8, 14);
        handset.cubicTo(8, 6, 34, 6, 34, 14);
        handset.lineTo(28, 19);
        handset.lineTo(24, 14);
        handset.lineTo(18, 14);
        handset.lineTo(14, 19);
        handset.closeSubpath();
        painter.drawPath(handset);
        painter.drawRoundedRect(QRectF(9, 22, 24, 14), 4, 4);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(21, 29), 4, 4);
        break;
    }
    case Symbol::Pbx:
        painter.drawRoundedRect(QRectF(5, 9, 32, 26), 4, 4);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 4; ++column)
                painter.drawRect(QRectF(10 + column * 7, 15 + row * 9, 4, 5));
        break;
    case Symbol::Console:
        painter.drawRoundedRect(QRectF(6, 6, 30, 22), 3, 3);
        painter.drawRect(QRectF(16, 28, 10, 4));
        painter.drawRect(QRectF(10, 32, 22, 4));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(10, 10, 22, 14));
        break;
    case Symbol::Rating:
        painter.drawRoundedRect(QRectF(7, 5, 28, 32), 3, 3);
        painter.setPen(QPen(Qt::white, 3));
        for (int i = 0; i < 3; ++i)
            painter.drawLine(QPointF(13 + i * 8, 32), QPointF(13 + i * 8, 24 - i * 7));
        break;
    case Symbol::Hotel:
        painter.drawRect(QRectF(8, 8, 26, 29));
        painter.drawPolygon(QPolygonF({QPointF(5, 10), QPointF(21, 3), QPointF(37, 10)}));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                painter.drawRect(QRectF(12 + column * 7, 13 + row * 7, 4, 4));
        break;
    }
}

// A symbol, with a badge in the lower right corner: a status light or a letter.
QImage ListImage(Symbol symbol, const QColor& colour, const QColor& badge = QColor(), const QString& letter = {})
{
    QImage image = Blank(42, 42);
    QPainter painter(&image);
    Antialias(painter);
    DrawSymbol(painter, symbol, colour);
    if (badge.isValid()) {
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(badge);
        painter.drawEllipse(QPointF(33, 33), 8, 8);
        if (!letter.isEmpty()) {
            painter.setPen(Qt::white);
            painter.setFont(Font(11));
            painter.drawText(QRectF(25, 25, 16, 16), Qt::AlignCenter, letter);
        }
    }
    return image;
}

// --- The call windows ---

QImage CallButton(const QColor& colour, bool accept)
{
    return Strip(150, 35, [colour, accept](QPainter& painter, int face) {
        painter.setPen(QPen(colour.darker(150), 1));
        painter.setBrush(FaceColour(colour, face));
        painter.drawRoundedRect(QRectF(0.5, 0.5, 149, 34), 6, 6);
        painter.save();
        painter.translate(20, 17.5);
        painter.rotate(accept ? -20 : 135);
        painter.setPen(Qt::NoPen);
        painter.setBrush(accept ? QColor(0x1d, 0x6b, 0x3a) : QColor(0x8c, 0x1f, 0x1a));
        QPainterPath handset;
        handset.moveTo(-11, -2);
        handset.cubicTo(-11, -10, 11, -10, 11, -2);
        handset.lineTo(7, 3);
        handset.lineTo(4, -1);
        handset.lineTo(-4, -1);
        handset.lineTo(-7, 3);
        handset.closeSubpath();
        painter.drawPath(handset);
        painter.restore();
    });
}

QImage BalloonButton()
{
    return Strip(68, 23, [](QPainter& painter, int face) {
        QLinearGradient fill(0, 0, 0, 23);
        fill.setColorAt(0, FaceColour(QColor(0xf6, 0xfa, 0xff), face));
        fill.setColorAt(1, FaceColour(QColor(0xbf, 0xd5, 0xee), face));
        painter.setPen(QPen(kNavyLight, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(0.5, 0.5, 67, 22), 4, 4);
    });
}

QImage GradientPicture(int width, int height, const QColor& top, const QColor& bottom)
{
    QImage image = Blank(width, height, Qt::white);
    QPainter painter(&image);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.fillRect(image.rect(), fill);
    painter.setPen(QPen(kNavyLight, 2));
    painter.drawRect(QRectF(1, 1, width - 2, height - 2));
    return image;
}

QImage PopupBackground()
{
    QImage image = GradientPicture(kPopupWidth, kPopupHeight, QColor(0xfa, 0xfc, 0xff), kCard);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, kPopupWidth, 6), kNavyLight);
    painter.fillRect(QRect(12, 46, 270, 1), kNavyLight);
    // The frame of the animation, which plays on white at (316, 56).
    Antialias(painter);
    DrawPanel(painter, QRect(311, 51, 106, 106), Qt::white, 8);
    return image;
}

// One animation: the handset with what happens around it, frame by frame.
QByteArray Animation(const std::function<void(QPainter&, int frame)>& draw)
{
    QList<QImage> frames;
    for (int frame = 0; frame < kAnimationFrames; ++frame) {
        QImage image = Blank(kAnimationSize, kAnimationSize, Qt::white);
        QPainter painter(&image);
        Antialias(painter);
        draw(painter, frame);
        frames << image;
    }
    return WriteAnimatedGif(frames, kFrameMs);
}

void DrawHandset(QPainter& painter, const QColor& colour, qreal angle)
{
    painter.save();
    painter.translate(48, 52);
    painter.rotate(angle);
    painter.setPen(QPen(colour.darker(140), 2));
    painter.setBrush(colour);
    QPainterPath handset;
    handset.moveTo(-30, -4);
    handset.cubicTo(-30, -26, 30, -26, 30, -4);
    handset.lineTo(19, 8);
    handset.lineTo(11, -2);
    handset.lineTo(-11, -2);
    handset.lineTo(-19, 8);
    handset.closeSubpath();
    painter.drawPath(handset);
    painter.restore();
}

QByteArray IncomingAnimation()
{
    return Animation([](QPainter& painter, int frame) {
        const qreal shake = (frame % 2 == 0) ? -6 : 6;
        DrawHandset(painter, kOk, shake);
        painter.setPen(QPen(kWarn, 3, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        for (int wave = 0; wave <= frame % 4; ++wave) {
            const qreal r = 36 + wave * 6;
            painter.drawArc(QRectF(48 - r, 44 - r, 2 * r, 2 * r), 30 * 16, 30 * 16);
            painter.drawArc(QRectF(48 - r, 44 - r, 2 * r, 2 * r), 120 * 16, 30 * 16);
        }
    });
}

QByteArray ConnectedAnimation()
{
    return Animation([](QPainter& painter, int frame) {
        DrawHandset(painter, kNavyLight, 0);
        painter.setPen(Qt::NoPen);
        for (int dot = 0; dot < 5; ++dot) {
            painter.setBrush(dot == frame % 5 ? kOk : kIdle);
            painter.drawEllipse(QPointF(24 + dot * 12, 80), 4, 4);
        }
    });
}

QByteArray EndedAnimation()
{
    return Animation([](QPainter& painter, int frame) {
        DrawHandset(painter, kIdle, 180);
        QColor cross = kFault;
        cross.setAlpha(frame < 4 ? 255 : 90);
        painter.setPen(QPen(cross, 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(62, 14), QPointF(82, 34));
        painter.drawLine(QPointF(82, 14), QPointF(62, 34));
    });
}

// The wait notice: a ring of dots, one bright dot running round it.
QByteArray WaitAnimation()
{
    return Animation([](QPainter& painter, int frame) {
        constexpr int kDots = 8;
        painter.setPen(Qt::NoPen);
        for (int dot = 0; dot < kDots; ++dot) {
            const qreal angle = 2 * M_PI * dot / kDots;
            painter.setBrush(dot == frame % kDots ? kNavyLight : kCard);
            painter.drawEllipse(QPointF(48 + 30 * std::cos(angle), 48 + 30 * std::sin(angle)), 7, 7);
        }
    });
}

// 8-bit mono samples at 11,025 a second as a WAV file.
constexpr int kSoundRate = 11025;

QByteArray WaveFile(const QByteArray& samples)
{
    QByteArray wav("RIFF");
    auto add32 = [&wav](quint32 v) { for (int b = 0; b < 4; ++b) wav += char((v >> (8 * b)) & 0xFF); };
    auto add16 = [&wav](quint16 v) { wav += char(v & 0xFF); wav += char(v >> 8); };
    add32(36 + samples.size());
    wav += "WAVEfmt ";
    add32(16);
    add16(1);  // PCM
    add16(1);  // mono
    add32(kSoundRate);
    add32(kSoundRate);
    add16(1);
    add16(8);
    wav += "data";
    add32(samples.size());
    wav += samples;
    return wav;
}

// A two-tone ring of a second, fading in and out.
QByteArray RingSound()
{
    constexpr int kSamples = kSoundRate;
    QByteArray samples(kSamples, char(128));
    for (int i = 0; i < kSamples; ++i) {
        const double t = double(i) / kSoundRate;
        const double gate = std::fmod(t, 0.25) < 0.18 ? 1.0 : 0.0;
        const double envelope = std::min({1.0, t * 20, (1.0 - t) * 20}) * gate;
        const double tone = 0.5 * std::sin(2 * M_PI * 425 * t) + 0.5 * std::sin(2 * M_PI * 850 * t);
        samples[i] = char(128 + int(100 * envelope * tone));
    }
    return WaveFile(samples);
}

// The alarm: a second of a tone sweeping up and down twice, which loops without a click (it starts and
// ends at the same low pitch and phase).
QByteArray AlarmSound()
{
    constexpr int kSamples = kSoundRate;
    QByteArray samples(kSamples, char(128));
    double phase = 0;
    for (int i = 0; i < kSamples; ++i) {
        const double t = double(i) / kSoundRate;
        const double sweep = 0.5 - 0.5 * std::cos(2 * M_PI * 2 * t);  // 0 -> 1 -> 0, twice
        phase += 2 * M_PI * (700 + 500 * sweep) / kSoundRate;
        samples[i] = char(128 + int(90 * std::sin(phase)));
    }
    return WaveFile(samples);
}


// --- The PC phone ---

constexpr int kPhoneKeySize = 34;
constexpr int kFunctionKeyWidth = 27;
constexpr int kFunctionKeyHeight = 22;
constexpr int kPhonePictureWidth = 276;
constexpr int kPhonePictureHeight = 286;

// A key of the keypad: its character on a rounded face.
QImage PhoneKey(const QString& label)
{
    return Strip(kPhoneKeySize, kPhoneKeySize, [&label](QPainter& painter, int face) {
        painter.setPen(QPen(kNavyLight, 1));
        painter.setBrush(FaceColour(kPanel, face));
        painter.drawRoundedRect(QRectF(0.5, 0.5, kPhoneKeySize - 1, kPhoneKeySize - 1), 5, 5);
        painter.setFont(Font(17));
        painter.setPen(kNavy);
        painter.drawText(QRect(0, 0, kPhoneKeySize, kPhoneKeySize), Qt::AlignCenter, label);
    });
}

// A function key: an oval of its colour with a handset (lifted or laid down) or a letter.
QImage FunctionKey(const QColor& colour, qreal handsetAngle, const QString& letter = {})
{
    return Strip(kFunctionKeyWidth, kFunctionKeyHeight, [&](QPainter& painter, int face) {
        painter.setPen(QPen(colour.darker(150), 1));
        painter.setBrush(FaceColour(colour, face));
        painter.drawEllipse(QRectF(0.5, 0.5, kFunctionKeyWidth - 1, kFunctionKeyHeight - 1));
        if (!letter.isEmpty()) {
            painter.setFont(Font(12));
            painter.setPen(Qt::white);
            painter.drawText(QRect(0, 0, kFunctionKeyWidth, kFunctionKeyHeight), Qt::AlignCenter, letter);
            return;
        }
        painter.translate(kFunctionKeyWidth / 2.0, kFunctionKeyHeight / 2.0 + 1);
        painter.scale(0.26, 0.26);
        painter.translate(-48, -52);
        DrawHandset(painter, Qt::white, handsetAngle);
    });
}

// The telephone behind the keypad layout: the body, the earpiece and the display's bezel; the keys and
// the display sit on it at the view's places (less the window's edge).
QImage PhonePicture()
{
    QImage picture = Blank(kPhonePictureWidth, kPhonePictureHeight, QColor(204, 236, 255));
    QPainter painter(&picture);
    Antialias(painter);
    QLinearGradient body(0, 0, 0, kPhonePictureHeight);
    body.setColorAt(0, kCard);
    body.setColorAt(1, kCard.darker(112));
    painter.setPen(QPen(kNavyLight, 2));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(28, 14, 192, 264), 24, 24);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavyLight);
    painter.drawRoundedRect(QRectF(94, 28, 60, 7), 3, 3);
    DrawPanel(painter, QRect(52, 47, 176, 47), kNavy, 6);
    DrawPanel(painter, QRect(74, 104, 132, 172), kPanel, 10);
    return picture;
}

}  // namespace

// --- The hotel program's toolbar: six 16 x 16 pictures on magenta, which the bar shows through ---

QImage LodgixToolbar()
{
    constexpr int kSize = 16;
    constexpr int kPictures = 6;
    QImage strip = Blank(kPictures * kSize, kSize, QColor(0xFF, 0x00, 0xFF));
    QPainter p(&strip);
    const QColor ink(0x20, 0x30, 0x60);
    const QPen pen(ink, 1.2);
    // 0, 1: the check-in and check-out lists: a door with an arrow going in, then out.
    for (int face = 0; face < 2; ++face) {
        p.save();
        p.translate(face * kSize, 0);
        p.setPen(pen);
        p.setBrush(QColor(0xd8, 0xb0, 0x78));
        p.drawRect(QRectF(8.5, 1.5, 6, 13));
        p.setPen(QPen(face == 0 ? QColor(0x1a, 0x8a, 0x3a) : QColor(0xc0, 0x30, 0x20), 2));
        const qreal from = face == 0 ? 1 : 7;
        const qreal to = face == 0 ? 7 : 1;
        p.drawLine(QPointF(from, 8), QPointF(to, 8));
        p.drawLine(QPointF(to, 8), QPointF(to + (face == 0 ? -3 : 3), 5));
        p.drawLine(QPointF(to, 8), QPointF(to + (face == 0 ? -3 : 3), 11));
        p.restore();
    }
    // 2: the booking list: a calendar page.
    p.save();
    p.translate(2 * kSize, 0);
    p.setPen(pen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.fillRect(QRectF(2, 3, 12, 3), QColor(0xc0, 0x30, 0x20));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            p.fillRect(QRectF(3 + column * 4, 8 + row * 3, 2, 2), ink);
    p.restore();
    // 3: the guest list: a person.
    p.save();
    p.translate(3 * kSize, 0);
    p.setPen(pen);
    p.setBrush(QColor(0x50, 0x78, 0xc0));
    p.drawEllipse(QPointF(8, 5), 3, 3);
    p.drawChord(QRectF(2.5, 9, 11, 12), 0, 180 * 16);
    p.restore();
    // 4: print setup: a printer.
    p.save();
    p.translate(4 * kSize, 0);
    p.setPen(pen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(0xa0, 0xa8, 0xb8));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.restore();
    // 5: the about box: a question mark.
    p.save();
    p.translate(5 * kSize, 0);
    p.setPen(ink);
    p.setBrush(QColor(0xff, 0xf0, 0x90));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setFont(Font(11));
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
    p.restore();
    return strip;
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: assets_generator <assets folder>\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir(g_folder).mkpath(QStringLiteral("bitmaps"));
    QDir(g_folder).mkpath(QStringLiteral("shared"));

    bool ok = true;
    auto bitmap = [&ok](int id, const QImage& image) { ok &= Save(image, QStringLiteral("bitmaps/%1.png").arg(id)); };
    // The board's corner buttons: hide to the icon, minimise, about.
    bitmap(143, RoundButton([](QPainter& p) { p.drawLine(QPointF(6, 8), QPointF(10, 12)); p.drawLine(QPointF(10, 12), QPointF(14, 8)); }));
    bitmap(146, RoundButton([](QPainter& p) { p.drawLine(QPointF(6, 13), QPointF(14, 13)); }));
    bitmap(148, RoundButton([](QPainter& p) {
        p.setFont(Font(13));
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    }));
    bitmap(165, WebButton());
    // The list images, in the order of the image list's bitmaps.
    bitmap(167, ListImage(Symbol::Engine, kNavyLight, kFault));
    bitmap(168, ListImage(Symbol::Engine, kNavyLight, kOk));
    bitmap(169, ListImage(Symbol::Engine, kNavyLight, kWarn));
    bitmap(170, ListImage(Symbol::Tapi, kNavyLight, kOk));
    bitmap(171, ListImage(Symbol::Tapi, kNavyLight, kWarn));
    bitmap(172, ListImage(Symbol::Tapi, kNavyLight, kFault));
    bitmap(173, ListImage(Symbol::Console, kNavyLight));
    bitmap(174, ListImage(Symbol::Console, kIdle));
    bitmap(175, ListImage(Symbol::Console, kNavyLight, kWarn, QStringLiteral("S")));
    bitmap(176, ListImage(Symbol::Pbx, kNavyLight, kOk));
    bitmap(177, ListImage(Symbol::Pbx, kNavyLight, kFault));
    bitmap(178, CallButton(QColor(0xc9, 0xea, 0xd2), true));
    bitmap(179, CallButton(QColor(0xf3, 0xd0, 0xce), false));
    bitmap(181, ListImage(Symbol::Rating, kNavyLight));
    bitmap(182, ListImage(Symbol::Rating, kNavyLight, kWarn, QStringLiteral("S")));
    bitmap(183, ListImage(Symbol::Rating, kIdle));
    bitmap(184, BalloonButton());
    bitmap(185, ListImage(Symbol::Hotel, kNavyLight));
    bitmap(186, ListImage(Symbol::Hotel, kNavyLight, kWarn, QStringLiteral("S")));
    bitmap(187, ListImage(Symbol::Hotel, kIdle));

    ok &= Save(LodgixToolbar(), QStringLiteral("lodgix_toolbar.png"));
    // The PC phone's keys in the order of their bitmaps: 1-9, 0, #, *, hang up, call; then flash and redial.
    const QString keyLabels = QStringLiteral("1234567890#*");
    for (int key = 0; key < keyLabels.size(); ++key)
        bitmap(220 + key, PhoneKey(keyLabels.mid(key, 1)));
    bitmap(232, FunctionKey(kFault, 180));
    bitmap(233, FunctionKey(kOk, 0));
    bitmap(301, FunctionKey(kNavyLight, 0, QStringLiteral("R")));
    bitmap(302, FunctionKey(kNavyLight, 0, QStringLiteral("P")));

    ok &= Save(Skin(), QStringLiteral("shared/PxBkImg.psx"));
    ok &= Save(PhonePicture(), QStringLiteral("shared/PcPhBkImg.psx"));
    ok &= Save(GradientPicture(kBalloonWidth, kBalloonHeight, QColor(0xff, 0xfd, 0xe8), QColor(0xf5, 0xe9, 0xb8)),
               QStringLiteral("shared/BalBkImg.psx"));
    ok &= Save(PopupBackground(), QStringLiteral("shared/TapBkImg.psx"));
    ok &= SaveBytes(IncomingAnimation(), QStringLiteral("shared/TapIncImg.psx"));
    ok &= SaveBytes(ConnectedAnimation(), QStringLiteral("shared/TapConImg.psx"));
    ok &= SaveBytes(EndedAnimation(), QStringLiteral("shared/TapEndImg.psx"));
    ok &= SaveBytes(WaitAnimation(), QStringLiteral("shared/WConImg.psx"));
    ok &= SaveBytes(RingSound(), QStringLiteral("shared/TapRngSnd.psx"));
    ok &= SaveBytes(AlarmSound(), QStringLiteral("shared/AlarmSnd.psx"));
    return ok ? 0 : 1;
}
