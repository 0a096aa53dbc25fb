#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

// Little-endian field codecs for the fixed records of the suite's binary files and wire frames. Every
// access names its offset; an access past the end of the record throws std::out_of_range, so a short
// record can never be read or written past its end.

std::uint8_t GetU8(QByteArrayView record, qsizetype offset);
std::uint16_t GetU16(QByteArrayView record, qsizetype offset);
std::int16_t GetI16(QByteArrayView record, qsizetype offset);
std::uint32_t GetU32(QByteArrayView record, qsizetype offset);
std::int32_t GetI32(QByteArrayView record, qsizetype offset);
float GetF32(QByteArrayView record, qsizetype offset);
double GetF64(QByteArrayView record, qsizetype offset);

void PutU8(QByteArray& record, qsizetype offset, std::uint8_t value);
void PutU16(QByteArray& record, qsizetype offset, std::uint16_t value);
void PutI16(QByteArray& record, qsizetype offset, std::int16_t value);
void PutU32(QByteArray& record, qsizetype offset, std::uint32_t value);
void PutI32(QByteArray& record, qsizetype offset, std::int32_t value);
void PutF32(QByteArray& record, qsizetype offset, float value);
void PutF64(QByteArray& record, qsizetype offset, double value);

// Windows-1252 text ("€" is 0x80, "à" 0xE0). Characters outside the code page become '?'.
QByteArray EncodeAnsi(const QString& text);
QString DecodeAnsi(QByteArrayView bytes);
// Text of a file of our own or a user's: UTF-8, or Windows-1252 where the bytes are not UTF-8.
QString DecodeUtf8OrAnsi(QByteArrayView bytes);

// A fixed char[width] field: text up to the first NUL (or the whole width when there is none).
QString ReadAnsiField(QByteArrayView record, qsizetype offset, qsizetype width);
// Writes at most width - 1 characters and fills the rest of the field with NULs, so the field is always
// NUL-terminated.
void WriteAnsiField(QByteArray& record, qsizetype offset, qsizetype width, const QString& text);
