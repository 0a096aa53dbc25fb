#include "printsettings.h"

#include "binaryrecord.h"
#include "folders.h"

namespace {

constexpr qsizetype kHeaderFonts = 0;
constexpr qsizetype kHeaderColours = 240;
constexpr qsizetype kLogoPath = 256;
constexpr qsizetype kHeaderLines = 516;
constexpr qsizetype kTitle = 772;
constexpr qsizetype kHeaderPosition = 836;
constexpr qsizetype kFlags = 837;
constexpr qsizetype kPadding = 838;
constexpr qsizetype kTitleFont = 840;
constexpr qsizetype kTextFont = 900;
constexpr qsizetype kFooterFont = 960;
constexpr qsizetype kBlockGap = 1020;
constexpr qsizetype kHeaderGap = 1022;
constexpr qsizetype kTopMargin = 1024;
constexpr qsizetype kLeftMargin = 1026;

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kBlue = 0xFF0000;  // COLORREF is 0x00BBGGRR

// Texts the programs write always end within their field; one that does not marks a damaged record.
bool HasTerminator(QByteArrayView record, qsizetype offset, qsizetype width)
{
    return record.sliced(offset, width).contains('\0');
}

LogFont DefaultFont(std::int32_t points, std::int32_t weight)
{
    LogFont font;
    font.SetHeight(points);
    font.SetWeight(weight);
    font.SetOutPrecision(3);     // OUT_STROKE_PRECIS
    font.SetClipPrecision(2);    // CLIP_STROKE_PRECIS
    font.SetQuality(1);          // DRAFT_QUALITY
    font.SetPitchAndFamily(0x22);  // VARIABLE_PITCH | FF_SWISS
    font.SetFaceName(QStringLiteral("Arial"));
    return font;
}

}  // namespace

std::optional<PrintSettings> PrintSettings::Decode(QByteArrayView bytes, qsizetype offset)
{
    if (offset < 0 || offset > bytes.size() - kSize)
        return std::nullopt;
    const QByteArrayView record = bytes.sliced(offset, kSize);
    if (!HasTerminator(record, kLogoPath, kLogoPathWidth) || !HasTerminator(record, kTitle, kTextLineWidth))
        return std::nullopt;
    for (int line = 0; line < kHeaderLineCount; ++line)
        if (!HasTerminator(record, kHeaderLines + line * kTextLineWidth, kTextLineWidth))
            return std::nullopt;

    PrintSettings settings;
    for (int line = 0; line < kHeaderLineCount; ++line) {
        settings.headerFonts[line] = LogFont::FromBytes(record, kHeaderFonts + line * LogFont::kSize);
        settings.headerColours[line] = GetU32(record, kHeaderColours + line * 4);
        settings.headerLines[line] = ReadAnsiField(record, kHeaderLines + line * kTextLineWidth, kTextLineWidth);
    }
    settings.logoPath = ReadAnsiField(record, kLogoPath, kLogoPathWidth);
    settings.title = ReadAnsiField(record, kTitle, kTextLineWidth);
    settings.headerPosition = GetU8(record, kHeaderPosition);
    settings.flags = GetU8(record, kFlags);
    settings.padding = {GetU8(record, kPadding), GetU8(record, kPadding + 1)};
    settings.titleFont = LogFont::FromBytes(record, kTitleFont);
    settings.textFont = LogFont::FromBytes(record, kTextFont);
    settings.footerFont = LogFont::FromBytes(record, kFooterFont);
    settings.blockGap = GetU16(record, kBlockGap);
    settings.headerGap = GetU16(record, kHeaderGap);
    settings.topMargin = GetU16(record, kTopMargin);
    settings.leftMargin = GetU16(record, kLeftMargin);
    return settings;
}

void PrintSettings::Encode(QByteArray& bytes, qsizetype offset) const
{
    for (int line = 0; line < kHeaderLineCount; ++line) {
        headerFonts[line].WriteTo(bytes, offset + kHeaderFonts + line * LogFont::kSize);
        PutU32(bytes, offset + kHeaderColours + line * 4, headerColours[line]);
        WriteAnsiField(bytes, offset + kHeaderLines + line * kTextLineWidth, kTextLineWidth, headerLines[line]);
    }
    WriteAnsiField(bytes, offset + kLogoPath, kLogoPathWidth, logoPath);
    WriteAnsiField(bytes, offset + kTitle, kTextLineWidth, title);
    PutU8(bytes, offset + kHeaderPosition, headerPosition);
    PutU8(bytes, offset + kFlags, flags);
    PutU8(bytes, offset + kPadding, padding[0]);
    PutU8(bytes, offset + kPadding + 1, padding[1]);
    titleFont.WriteTo(bytes, offset + kTitleFont);
    textFont.WriteTo(bytes, offset + kTextFont);
    footerFont.WriteTo(bytes, offset + kFooterFont);
    PutU16(bytes, offset + kBlockGap, blockGap);
    PutU16(bytes, offset + kHeaderGap, headerGap);
    PutU16(bytes, offset + kTopMargin, topMargin);
    PutU16(bytes, offset + kLeftMargin, leftMargin);
}

void SetDefaultPrintSettings(PrintSettings& settings)
{
    settings = PrintSettings();
    for (int line = 0; line < PrintSettings::kHeaderLineCount; ++line) {
        settings.headerFonts[line] = DefaultFont(10, 400);
        settings.headerColours[line] = kBlack;
    }
    settings.headerColours[3] = kBlue;
    settings.titleFont = DefaultFont(20, 800);
    settings.textFont = DefaultFont(10, 400);
    settings.footerFont = DefaultFont(12, 400);
    settings.logoPath = GetSharedFolder() + QStringLiteral("LogoPrint.bmp");
    settings.headerLines = {QStringLiteral("Corvanti S.r.l."), QStringLiteral("Via Roma 1"),
                            QStringLiteral("60100 Ancona - Italia"), QStringLiteral("www.corvanti.example")};
    settings.title = QStringLiteral("Prospetto chiamate");
    settings.headerPosition = PrintSettings::kTopLeft;
    settings.flags = PrintSettings::kPrintLogo | PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers;
    settings.blockGap = 20;
    settings.headerGap = 10;
    settings.topMargin = 20;
    settings.leftMargin = 20;
}
