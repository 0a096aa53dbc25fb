#include "mainsettings.h"

#include "binaryrecord.h"

#include <array>

namespace {

// Offsets within a section.
constexpr qsizetype kLabelsShown = 0;
constexpr qsizetype kOpenAtStart = 1;
constexpr qsizetype kLabelMinimum = 2;
constexpr qsizetype kScrolling = 3;
constexpr qsizetype kIconSpacingX = 4;
constexpr qsizetype kIconSpacingY = 8;
constexpr qsizetype kObjectFlags = 12;
constexpr qsizetype kFonts = 268;
constexpr qsizetype kColours = 448;
constexpr qsizetype kBackground = 460;
constexpr qsizetype kExtensionLabelSizes = 464;
// Offsets in the record.
constexpr qsizetype kCheckedIn = 2552;
constexpr qsizetype kCheckInTimes = 2808;
constexpr qsizetype kAlarmEnabled = 4856;
constexpr qsizetype kStartMinimised = 5112;
constexpr qsizetype kPcPhoneOption = 5113;
constexpr qsizetype kOpenPcPhone = 5114;
constexpr qsizetype kMissedCallReference = 5120;
constexpr qsizetype kPopupOption = 5128;
constexpr qsizetype kCheckInManagement = 5130;

// The fonts' defaults: "Courier New" bold; heights by section and slot (0: no font in that slot).
constexpr std::array<std::array<int, MainSettings::kFontSlots>, MainSettings::kSectionCount> kFontHeights = {{
    {-13, -11, -9},
    {-11, -9, 0},
    {-11, -9, 0},
    {-11, 0, 0},
}};
constexpr std::array<std::array<std::uint32_t, MainSettings::kColourSlots>, MainSettings::kSectionCount> kColourDefaults = {{
    {0x601400, 0x601400, 0xFF},
    {0x601400, 0xFF, 0},
    {0x601400, 0xFF, 0},
    {0x601400, 0, 0},
}};
constexpr std::uint32_t kBackgroundDefault = 0xFFECCC;
constexpr std::uint8_t kLayoutValueDefault = 8;
constexpr std::uint32_t kIconSpacingXDefault = 10;
constexpr std::uint32_t kIconSpacingYDefault = 5;
constexpr std::uint32_t kExtensionLabelSizeDefault = 11;

LogFont DefaultFont(int height)
{
    LogFont font;
    font.SetHeight(height);
    font.SetWeight(700);
    font.SetOutPrecision(3);
    font.SetClipPrecision(2);
    font.SetQuality(2);
    font.SetPitchAndFamily(0x31);
    font.SetFaceName(QStringLiteral("Courier New"));
    return font;
}

}  // namespace

MainSettings::MainSettings(const OleDate& now) : m_bytes(kSize, '\0')
{
    for (int s = 0; s < kSectionCount; ++s) {
        const auto section = static_cast<Section>(s);
        SetLabelsShown(section, 1);
        SetOpenAtStart(section, 1);
        SetLabelMinimumCharacters(section, kLayoutValueDefault);
        SetIconSpacingX(section, kIconSpacingXDefault);
        SetIconSpacingY(section, kIconSpacingYDefault);
        for (int object = 0; object < kObjects; ++object)
            SetObjectFlags(section, object, 1);
        for (int slot = 0; slot < kFontSlots; ++slot)
            if (const int height = kFontHeights[s][slot])
                SetFont(section, slot, DefaultFont(height));
        for (int slot = 0; slot < kColourSlots; ++slot)
            SetColour(section, slot, kColourDefaults[s][slot]);
        SetBackgroundColour(section, kBackgroundDefault);
    }
    SetExtensionLabelSize(0, kExtensionLabelSizeDefault);
    SetExtensionLabelSize(1, kExtensionLabelSizeDefault);
    for (int extension = 0; extension < kObjects; ++extension)
        SetAlarmEnabled(extension, 1);
    SetPcPhoneOption(1);
    SetOpenPcPhoneAtStart(1);
    SetMissedCallReference(now);
}

std::uint8_t MainSettings::LabelsShown(Section s) const { return GetU8(m_bytes, SectionOffset(s) + kLabelsShown); }
void MainSettings::SetLabelsShown(Section s, std::uint8_t v) { PutU8(m_bytes, SectionOffset(s) + kLabelsShown, v); }
std::uint8_t MainSettings::OpenAtStart(Section s) const { return GetU8(m_bytes, SectionOffset(s) + kOpenAtStart); }
void MainSettings::SetOpenAtStart(Section s, std::uint8_t v) { PutU8(m_bytes, SectionOffset(s) + kOpenAtStart, v); }
std::uint8_t MainSettings::LabelMinimumCharacters(Section s) const
{
    return GetU8(m_bytes, SectionOffset(s) + kLabelMinimum);
}
void MainSettings::SetLabelMinimumCharacters(Section s, std::uint8_t v)
{
    PutU8(m_bytes, SectionOffset(s) + kLabelMinimum, v);
}
std::uint8_t MainSettings::Scrolling(Section s) const { return GetU8(m_bytes, SectionOffset(s) + kScrolling); }
void MainSettings::SetScrolling(Section s, std::uint8_t v) { PutU8(m_bytes, SectionOffset(s) + kScrolling, v); }
std::uint32_t MainSettings::IconSpacingX(Section s) const { return GetU32(m_bytes, SectionOffset(s) + kIconSpacingX); }
void MainSettings::SetIconSpacingX(Section s, std::uint32_t v) { PutU32(m_bytes, SectionOffset(s) + kIconSpacingX, v); }
std::uint32_t MainSettings::IconSpacingY(Section s) const { return GetU32(m_bytes, SectionOffset(s) + kIconSpacingY); }
void MainSettings::SetIconSpacingY(Section s, std::uint32_t v) { PutU32(m_bytes, SectionOffset(s) + kIconSpacingY, v); }
std::uint8_t MainSettings::ObjectFlags(Section s, int object) const
{
    return GetU8(m_bytes, SectionOffset(s) + kObjectFlags + object);
}
void MainSettings::SetObjectFlags(Section s, int object, std::uint8_t v)
{
    PutU8(m_bytes, SectionOffset(s) + kObjectFlags + object, v);
}
LogFont MainSettings::Font(Section s, int slot) const
{
    return LogFont::FromBytes(m_bytes, SectionOffset(s) + kFonts + slot * LogFont::kSize);
}
void MainSettings::SetFont(Section s, int slot, const LogFont& font)
{
    font.WriteTo(m_bytes, SectionOffset(s) + kFonts + slot * LogFont::kSize);
}
std::uint32_t MainSettings::Colour(Section s, int slot) const { return GetU32(m_bytes, SectionOffset(s) + kColours + slot * 4); }
void MainSettings::SetColour(Section s, int slot, std::uint32_t c) { PutU32(m_bytes, SectionOffset(s) + kColours + slot * 4, c); }
std::uint32_t MainSettings::BackgroundColour(Section s) const { return GetU32(m_bytes, SectionOffset(s) + kBackground); }
void MainSettings::SetBackgroundColour(Section s, std::uint32_t c) { PutU32(m_bytes, SectionOffset(s) + kBackground, c); }
std::uint32_t MainSettings::ExtensionLabelSize(int which) const { return GetU32(m_bytes, kExtensionLabelSizes + which * 4); }
void MainSettings::SetExtensionLabelSize(int which, std::uint32_t v) { PutU32(m_bytes, kExtensionLabelSizes + which * 4, v); }

QString MainSettings::ButtonLabel(int row) const
{
    return ReadAnsiField(m_bytes, kButtonRowsOffset + row * kButtonRowSize, kButtonLabelSize);
}
void MainSettings::SetButtonLabel(int row, const QString& text)
{
    WriteAnsiField(m_bytes, kButtonRowsOffset + row * kButtonRowSize, kButtonLabelSize, text);
}
QString MainSettings::ButtonNumber(int row, int which) const
{
    return ReadAnsiField(m_bytes, kButtonRowsOffset + row * kButtonRowSize + kButtonLabelSize + which * kButtonNumberSize,
                         kButtonNumberSize);
}
void MainSettings::SetButtonNumber(int row, int which, const QString& text)
{
    WriteAnsiField(m_bytes, kButtonRowsOffset + row * kButtonRowSize + kButtonLabelSize + which * kButtonNumberSize,
                   kButtonNumberSize, text);
}

std::uint8_t MainSettings::CheckedIn(int e) const { return GetU8(m_bytes, kCheckedIn + e); }
void MainSettings::SetCheckedIn(int e, std::uint8_t v) { PutU8(m_bytes, kCheckedIn + e, v); }
OleDate MainSettings::CheckInTime(int e) const { return OleDate(GetF64(m_bytes, kCheckInTimes + e * 8)); }
void MainSettings::SetCheckInTime(int e, const OleDate& t) { PutF64(m_bytes, kCheckInTimes + e * 8, t.Value()); }
std::uint8_t MainSettings::AlarmEnabled(int e) const { return GetU8(m_bytes, kAlarmEnabled + e); }
void MainSettings::SetAlarmEnabled(int e, std::uint8_t v) { PutU8(m_bytes, kAlarmEnabled + e, v); }

std::uint8_t MainSettings::StartMinimised() const { return GetU8(m_bytes, kStartMinimised); }
void MainSettings::SetStartMinimised(std::uint8_t v) { PutU8(m_bytes, kStartMinimised, v); }
std::uint8_t MainSettings::PcPhoneOption() const { return GetU8(m_bytes, kPcPhoneOption); }
void MainSettings::SetPcPhoneOption(std::uint8_t v) { PutU8(m_bytes, kPcPhoneOption, v); }
std::uint8_t MainSettings::OpenPcPhoneAtStart() const { return GetU8(m_bytes, kOpenPcPhone); }
void MainSettings::SetOpenPcPhoneAtStart(std::uint8_t v) { PutU8(m_bytes, kOpenPcPhone, v); }
OleDate MainSettings::MissedCallReference() const { return OleDate(GetF64(m_bytes, kMissedCallReference)); }
void MainSettings::SetMissedCallReference(const OleDate& t) { PutF64(m_bytes, kMissedCallReference, t.Value()); }
std::uint8_t MainSettings::PopupOption() const { return GetU8(m_bytes, kPopupOption); }
void MainSettings::SetPopupOption(std::uint8_t v) { PutU8(m_bytes, kPopupOption, v); }
std::uint8_t MainSettings::CheckInManagement() const { return GetU8(m_bytes, kCheckInManagement); }
void MainSettings::SetCheckInManagement(std::uint8_t v) { PutU8(m_bytes, kCheckInManagement, v); }
