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
// 0x00BBGGRR.
QColor ColourFromColorRef(std::uint32_t colorRef);
