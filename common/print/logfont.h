#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

// A Windows LOGFONTA as the settings files hold it: 60 bytes kept as they are (so that a record written
// by one program reads back byte for byte in another), with named access to its fields. Turning it into
// a QFont is left to the code that draws with it.
class LogFont {
public:
    static constexpr qsizetype kSize = 60;
    static constexpr qsizetype kFaceNameWidth = 32;

    LogFont();  // all zero
    static LogFont FromBytes(QByteArrayView bytes, qsizetype offset);
    void WriteTo(QByteArray& record, qsizetype offset) const;
    const QByteArray& Bytes() const { return m_bytes; }

    std::int32_t Height() const;
    std::int32_t Width() const;
    std::int32_t Escapement() const;
    std::int32_t Orientation() const;
    std::int32_t Weight() const;
    std::uint8_t Italic() const;
    std::uint8_t Underline() const;
    std::uint8_t StrikeOut() const;
    std::uint8_t CharSet() const;
    std::uint8_t OutPrecision() const;
    std::uint8_t ClipPrecision() const;
    std::uint8_t Quality() const;
    std::uint8_t PitchAndFamily() const;
    QString FaceName() const;

    void SetHeight(std::int32_t value);
    void SetWidth(std::int32_t value);
    void SetEscapement(std::int32_t value);
    void SetOrientation(std::int32_t value);
    void SetWeight(std::int32_t value);
    void SetItalic(std::uint8_t value);
    void SetUnderline(std::uint8_t value);
    void SetStrikeOut(std::uint8_t value);
    void SetCharSet(std::uint8_t value);
    void SetOutPrecision(std::uint8_t value);
    void SetClipPrecision(std::uint8_t value);
    void SetQuality(std::uint8_t value);
    void SetPitchAndFamily(std::uint8_t value);
    void SetFaceName(const QString& name);  // at most 31 characters are kept

    friend bool operator==(const LogFont& a, const LogFont& b) { return a.m_bytes == b.m_bytes; }

private:
    QByteArray m_bytes;
};
