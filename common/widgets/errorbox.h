#pragma once

#include <QString>

#include <cstdint>

// The error box of every program: error icon, no owner window; the text is followed by the program's
// "error code" label, the code and the detail. Returns when the user closes it. The label is string 1010
// unless the program keeps it under another id.
constexpr unsigned kErrorCodeLabelString = 1010;

void ShowErrorBox(const QString& caption, const QString& text, std::uint8_t code, const QString& detail,
                  unsigned labelStringId = kErrorCodeLabelString);

// The text the box shows: text, "\n", the label string, " ", the code in decimal, "\n", detail.
QString ErrorBoxText(const QString& text, std::uint8_t code, const QString& detail,
                     unsigned labelStringId = kErrorCodeLabelString);
