#pragma once

#include <QString>

#include <cstdint>

// The error box of every program: error icon, no owner window; the text is followed by the program's
// "error code" label, the code and the detail. Returns when the user closes it.
void ShowErrorBox(const QString& caption, const QString& text, std::uint8_t code, const QString& detail);

// The text the box shows: text, "\n", string 1010, " ", the code in decimal, "\n", detail.
QString ErrorBoxText(const QString& text, std::uint8_t code, const QString& detail);

constexpr unsigned kErrorCodeLabelString = 1010;
