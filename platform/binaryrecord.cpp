#include "binaryrecord.h"

#include <QStringDecoder>
#include <QtEndian>

#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

void CheckRange(qsizetype recordSize, qsizetype offset, qsizetype width)
{
    if (offset < 0 || width < 0 || offset > recordSize || width > recordSize - offset)
        throw std::out_of_range("record field at " + std::to_string(offset) + " (" + std::to_string(width) +
                                " bytes) lies outside a record of " + std::to_string(recordSize) + " bytes");
}

template <typename T>
T GetLittleEndian(QByteArrayView record, qsizetype offset)
{
    CheckRange(record.size(), offset, sizeof(T));
    return qFromLittleEndian<T>(record.data() + offset);
}

template <typename T>
void PutLittleEndian(QByteArray& record, qsizetype offset, T value)
{
    CheckRange(record.size(), offset, sizeof(T));
    qToLittleEndian<T>(value, record.data() + offset);
}

// Windows-1252 is Latin-1 but for 0x80-0x9F. The five bytes the code page leaves undefined keep their C1
// control characters, as Windows converts them.
constexpr char16_t kHighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char AnsiByteOf(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i)
        if (kHighControlRange[i] == unit)
            return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

std::uint8_t GetU8(QByteArrayView record, qsizetype offset) { return GetLittleEndian<std::uint8_t>(record, offset); }
std::uint16_t GetU16(QByteArrayView record, qsizetype offset) { return GetLittleEndian<std::uint16_t>(record, offset); }
std::int16_t GetI16(QByteArrayView record, qsizetype offset) { return GetLittleEndian<std::int16_t>(record, offset); }
std::uint32_t GetU32(QByteArrayView record, qsizetype offset) { return GetLittleEndian<std::uint32_t>(record, offset); }
std::int32_t GetI32(QByteArrayView record, qsizetype offset) { return GetLittleEndian<std::int32_t>(record, offset); }
float GetF32(QByteArrayView record, qsizetype offset)
{
    return std::bit_cast<float>(GetLittleEndian<std::uint32_t>(record, offset));
}
double GetF64(QByteArrayView record, qsizetype offset)
{
    return std::bit_cast<double>(GetLittleEndian<std::uint64_t>(record, offset));
}

void PutU8(QByteArray& record, qsizetype offset, std::uint8_t value) { PutLittleEndian(record, offset, value); }
void PutU16(QByteArray& record, qsizetype offset, std::uint16_t value) { PutLittleEndian(record, offset, value); }
void PutI16(QByteArray& record, qsizetype offset, std::int16_t value) { PutLittleEndian(record, offset, value); }
void PutU32(QByteArray& record, qsizetype offset, std::uint32_t value) { PutLittleEndian(record, offset, value); }
void PutI32(QByteArray& record, qsizetype offset, std::int32_t value) { PutLittleEndian(record, offset, value); }
void PutF32(QByteArray& record, qsizetype offset, float value)
{
    PutLittleEndian(record, offset, std::bit_cast<std::uint32_t>(value));
}
void PutF64(QByteArray& record, qsizetype offset, double value)
{
    PutLittleEndian(record, offset, std::bit_cast<std::uint64_t>(value));
}

QByteArray EncodeAnsi(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;  // one character outside the code page, one '?'
        bytes += AnsiByteOf(unit);
    }
    return bytes;
}

QString DecodeAnsi(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text += value >= 0x80 && value < 0xA0 ? QChar(kHighControlRange[value - 0x80]) : QChar(value);
    }
    return text;
}

QString DecodeUtf8OrAnsi(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? DecodeAnsi(bytes) : text;
}

QString ReadAnsiField(QByteArrayView record, qsizetype offset, qsizetype width)
{
    CheckRange(record.size(), offset, width);
    const QByteArrayView field = record.sliced(offset, width);
    const qsizetype end = field.indexOf('\0');
    return DecodeAnsi(end < 0 ? field : field.first(end));
}

void WriteAnsiField(QByteArray& record, qsizetype offset, qsizetype width, const QString& text)
{
    CheckRange(record.size(), offset, width);
    if (width == 0)
        return;
    QByteArray bytes = EncodeAnsi(text);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    // One byte per character, so cutting the bytes never splits a character.
    bytes.truncate(width - 1);
    std::memset(record.data() + offset, 0, static_cast<size_t>(width));
    std::memcpy(record.data() + offset, bytes.constData(), static_cast<size_t>(bytes.size()));
}
