#pragma once

#include "logfont.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The page layout of the rating program's printouts, stored byte for byte as a 1,028-byte block of its
// configuration file (the hotel program keeps the same record in its own settings file). Sizes are in
// points; fonts keep their LOGFONTA bytes and colours their COLORREF value (0x00BBGGRR).
struct PrintSettings {
    static constexpr qsizetype kSize = 1028;
    static constexpr int kHeaderLineCount = 4;
    static constexpr qsizetype kLogoPathWidth = 260;
    static constexpr qsizetype kTextLineWidth = 64;

    // Bits of `flags`.
    static constexpr std::uint8_t kPrintLogo = 1;
    static constexpr std::uint8_t kPrintHeader = 2;
    static constexpr std::uint8_t kPrintPageNumbers = 4;
    static constexpr std::uint8_t kPreprintedDocumentNumber = 8;

    // Values of `headerPosition`.
    static constexpr std::uint8_t kTopLeft = 0;
    static constexpr std::uint8_t kTopRight = 1;
    static constexpr std::uint8_t kBottomLeft = 2;
    static constexpr std::uint8_t kBottomRight = 3;

    std::array<LogFont, kHeaderLineCount> headerFonts;  // lfHeight holds the size in points
    std::array<std::uint32_t, kHeaderLineCount> headerColours{};
    QString logoPath;
    std::array<QString, kHeaderLineCount> headerLines;
    QString title;
    std::uint8_t headerPosition = kTopLeft;
    std::uint8_t flags = 0;
    std::array<std::uint8_t, 2> padding{};  // kept, so that a record reads back byte for byte
    LogFont titleFont;
    LogFont textFont;    // rows, headings and the footer line
    LogFont footerFont;  // kept in the record; the footer prints with the text font
    std::uint16_t blockGap = 0;
    std::uint16_t headerGap = 0;  // between the logo and the header lines
    std::uint16_t topMargin = 0;  // also the footer's distance from the bottom
    std::uint16_t leftMargin = 0; // also the right margin

    // Decodes the record at `offset`; nothing when one of its texts has no terminating NUL.
    static std::optional<PrintSettings> Decode(QByteArrayView bytes, qsizetype offset);
    void Encode(QByteArray& bytes, qsizetype offset) const;
};

// The layout of a first run: Arial fonts, black header lines with a blue fourth, the logo
// "LogoPrint.bmp" of the Shared folder, logo, header and page numbers printed.
void SetDefaultPrintSettings(PrintSettings& settings);
