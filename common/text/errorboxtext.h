#pragma once

#include <QString>

#include <cstdint>

// The error box of every program shows its text followed by the program's "error code" label, the code
// and the detail. The label is string 1010 unless the program keeps it under another id.
constexpr unsigned kErrorCodeLabelString = 1010;

// The text the box shows: text, "\n", the label string, " ", the code in decimal, "\n", detail.
QString ErrorBoxText(const QString& text, std::uint8_t code, const QString& detail,
                     unsigned labelStringId = kErrorCodeLabelString);
