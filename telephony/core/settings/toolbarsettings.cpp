#include "toolbarsettings.h"

#include "binaryrecord.h"
#include "mainsettings.h"

namespace {
constexpr qsizetype kLabelField = 48;  // 47 characters and the terminator
constexpr qsizetype kFlags = 48;
constexpr qsizetype kNumbersOffset = 50;
}  // namespace

QString ToolbarSettings::Label(int row) const { return ReadAnsiField(m_bytes, row * kRowSize, kLabelField); }

void ToolbarSettings::SetLabel(int row, const QString& text)
{
    WriteAnsiField(m_bytes, row * kRowSize, kLabelField, text.left(kMaxLabelLength));
}

std::uint8_t ToolbarSettings::Flag(int row, int which) const { return GetU8(m_bytes, row * kRowSize + kFlags + which); }
void ToolbarSettings::SetFlag(int row, int which, std::uint8_t value) { PutU8(m_bytes, row * kRowSize + kFlags + which, value); }

QString ToolbarSettings::Number(int row, int which) const
{
    return ReadAnsiField(m_bytes, row * kRowSize + kNumbersOffset + which * kNumberSize, kNumberSize);
}

void ToolbarSettings::SetNumber(int row, int which, const QString& text)
{
    WriteAnsiField(m_bytes, row * kRowSize + kNumbersOffset + which * kNumberSize, kNumberSize, text);
}

void ToolbarSettings::FillFromMainSettings(const MainSettings& main)
{
    for (int row = 0; row < kRows; ++row) {
        SetLabel(row, main.ButtonLabel(row));
        for (int which = 0; which < kNumbers; ++which)
            SetNumber(row, which, main.ButtonNumber(row, which));
    }
}
