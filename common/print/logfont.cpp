#include "logfont.h"

#include "binaryrecord.h"

#include <stdexcept>

namespace {

// Field offsets of LOGFONTA.
constexpr qsizetype kHeight = 0;
constexpr qsizetype kWidth = 4;
constexpr qsizetype kEscapement = 8;
constexpr qsizetype kOrientation = 12;
constexpr qsizetype kWeight = 16;
constexpr qsizetype kItalic = 20;
constexpr qsizetype kUnderline = 21;
constexpr qsizetype kStrikeOut = 22;
constexpr qsizetype kCharSet = 23;
constexpr qsizetype kOutPrecision = 24;
constexpr qsizetype kClipPrecision = 25;
constexpr qsizetype kQuality = 26;
constexpr qsizetype kPitchAndFamily = 27;
constexpr qsizetype kFaceName = 28;

}  // namespace

LogFont::LogFont() : m_bytes(kSize, '\0') {}

LogFont LogFont::FromBytes(QByteArrayView bytes, qsizetype offset)
{
    if (offset < 0 || offset > bytes.size() - kSize)
        throw std::out_of_range("font field outside its record");
    LogFont font;
    font.m_bytes = bytes.sliced(offset, kSize).toByteArray();
    return font;
}

void LogFont::WriteTo(QByteArray& record, qsizetype offset) const
{
    if (offset < 0 || offset > record.size() - kSize)
        throw std::out_of_range("font field outside its record");
    record.replace(offset, kSize, m_bytes);
}

std::int32_t LogFont::Height() const { return GetI32(m_bytes, kHeight); }
std::int32_t LogFont::Width() const { return GetI32(m_bytes, kWidth); }
std::int32_t LogFont::Escapement() const { return GetI32(m_bytes, kEscapement); }
std::int32_t LogFont::Orientation() const { return GetI32(m_bytes, kOrientation); }
std::int32_t LogFont::Weight() const { return GetI32(m_bytes, kWeight); }
std::uint8_t LogFont::Italic() const { return GetU8(m_bytes, kItalic); }
std::uint8_t LogFont::Underline() const { return GetU8(m_bytes, kUnderline); }
std::uint8_t LogFont::StrikeOut() const { return GetU8(m_bytes, kStrikeOut); }
std::uint8_t LogFont::CharSet() const { return GetU8(m_bytes, kCharSet); }
std::uint8_t LogFont::OutPrecision() const { return GetU8(m_bytes, kOutPrecision); }
std::uint8_t LogFont::ClipPrecision() const { return GetU8(m_bytes, kClipPrecision); }
std::uint8_t LogFont::Quality() const { return GetU8(m_bytes, kQuality); }
std::uint8_t LogFont::PitchAndFamily() const { return GetU8(m_bytes, kPitchAndFamily); }
QString LogFont::FaceName() const { return ReadAnsiField(m_bytes, kFaceName, kFaceNameWidth); }

void LogFont::SetHeight(std::int32_t value) { PutI32(m_bytes, kHeight, value); }
void LogFont::SetWidth(std::int32_t value) { PutI32(m_bytes, kWidth, value); }
void LogFont::SetEscapement(std::int32_t value) { PutI32(m_bytes, kEscapement, value); }
void LogFont::SetOrientation(std::int32_t value) { PutI32(m_bytes, kOrientation, value); }
void LogFont::SetWeight(std::int32_t value) { PutI32(m_bytes, kWeight, value); }
void LogFont::SetItalic(std::uint8_t value) { PutU8(m_bytes, kItalic, value); }
void LogFont::SetUnderline(std::uint8_t value) { PutU8(m_bytes, kUnderline, value); }
void LogFont::SetStrikeOut(std::uint8_t value) { PutU8(m_bytes, kStrikeOut, value); }
void LogFont::SetCharSet(std::uint8_t value) { PutU8(m_bytes, kCharSet, value); }
void LogFont::SetOutPrecision(std::uint8_t value) { PutU8(m_bytes, kOutPrecision, value); }
void LogFont::SetClipPrecision(std::uint8_t value) { PutU8(m_bytes, kClipPrecision, value); }
void LogFont::SetQuality(std::uint8_t value) { PutU8(m_bytes, kQuality, value); }
void LogFont::SetPitchAndFamily(std::uint8_t value) { PutU8(m_bytes, kPitchAndFamily, value); }
void LogFont::SetFaceName(const QString& name) { WriteAnsiField(m_bytes, kFaceName, kFaceNameWidth, name); }
