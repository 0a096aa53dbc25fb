#pragma once

#include "logfont.h"

#include <QColor>
#include <QFont>

#include <cstdint>

// The settings files keep fonts as LOGFONT bytes and colours as COLORREF values; these turn them into
// what the painter draws with.

// A LOGFONT's height is the character height in pixels when negative and the cell height when positive;
// 0 asks for the default size.
QFont FontFromLogFont(const LogFont& font);
// The reverse, for a font the user chose: the character height in pixels (negative), weight, italic,
// underline, strike-out and face; precision, quality and pitch as the console's own fonts have them.
LogFont LogFontFromFont(const QFont& font);
// 0x00BBGGRR.
QColor ColourFromColorRef(std::uint32_t colorRef);
std::uint32_t ColorRefFromColour(const QColor& colour);
