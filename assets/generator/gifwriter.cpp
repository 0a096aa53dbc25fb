#include "gifwriter.h"

namespace {

constexpr int kLevels = 6;               // steps per colour channel of the palette
constexpr int kMinCodeSize = 8;          // 256 palette entries
constexpr int kClearCode = 256;
constexpr int kEndCode = 257;
constexpr int kCodeBits = 9;
constexpr int kLiteralsPerClear = 250;   // keeps the decoder's table below 512 entries, so codes stay 9 bits

void Add16(QByteArray& out, int value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

int PaletteIndex(QRgb colour)
{
    auto step = [](int v) { return (v * (kLevels - 1) + 127) / 255; };
    return step(qRed(colour)) * kLevels * kLevels + step(qGreen(colour)) * kLevels + step(qBlue(colour));
}

class BitWriter {
public:
    void Put(int code)
    {
        m_accumulator |= unsigned(code) << m_bits;
        m_bits += kCodeBits;
        while (m_bits >= 8) {
            m_bytes += char(m_accumulator & 0xFF);
            m_accumulator >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_bits > 0)
            m_bytes += char(m_accumulator & 0xFF);
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    unsigned m_accumulator = 0;
    int m_bits = 0;
};

QByteArray ImageData(const QImage& frame)
{
    const QImage image = frame.convertToFormat(QImage::Format_RGB32);
    BitWriter writer;
    int literals = kLiteralsPerClear;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (literals == kLiteralsPerClear) {
                writer.Put(kClearCode);
                literals = 0;
            }
            writer.Put(PaletteIndex(image.pixel(x, y)));
            ++literals;
        }
    writer.Put(kEndCode);
    const QByteArray codes = writer.Finish();
    QByteArray blocks;
    blocks += char(kMinCodeSize);
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        blocks += char(block.size());
        blocks += block;
    }
    blocks += char(0);
    return blocks;
}

}  // namespace

QByteArray WriteAnimatedGif(const QList<QImage>& frames, int delayMs)
{
    const QSize size = frames.first().size();
    QByteArray gif("GIF89a");
    Add16(gif, size.width());
    Add16(gif, size.height());
    gif += char(0xF7);  // global colour table of 256 entries
    gif += char(0);
    gif += char(0);
    for (int i = 0; i < 256; ++i) {
        const int r = i / (kLevels * kLevels), g = (i / kLevels) % kLevels, b = i % kLevels;
        const bool used = i < kLevels * kLevels * kLevels;
        gif += char(used ? r * 255 / (kLevels - 1) : 0);
        gif += char(used ? g * 255 / (kLevels - 1) : 0);
        gif += char(used ? b * 255 / (kLevels - 1) : 0);
    }
    gif += QByteArray("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);  // loop for ever
    for (const QImage& frame : frames) {
        gif += QByteArray("\x21\xf9\x04\x04", 4);  // graphic control: keep the frame
        Add16(gif, delayMs / 10);
        gif += char(0);
        gif += char(0);
        gif += char(0x2C);
        Add16(gif, 0);
        Add16(gif, 0);
        Add16(gif, size.width());
        Add16(gif, size.height());
        gif += char(0);
        gif += ImageData(frame);
    }
    gif += ';';
    return gif;
}
