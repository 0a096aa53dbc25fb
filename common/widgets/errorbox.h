#pragma once

#include "errorboxtext.h"

#include <QString>

#include <cstdint>

// The error box of every program: error icon, no owner window, the text of ErrorBoxText. Returns when the
// user closes it.
void ShowErrorBox(const QString& caption, const QString& text, std::uint8_t code, const QString& detail,
                  unsigned labelStringId = kErrorCodeLabelString);
