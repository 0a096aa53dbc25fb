#pragma once

#include <QString>

#include <cstdint>

// The next frame of a label too wide for its cell: the text and three blanks, shown from the object's
// scroll position and followed by the whole padded text. The position moves one character per call
// and returns to 0 at the text's length.
QString ScrollLabelText(const QString& text, std::uint8_t& scrollPosition);

// Copies a built info tip into the caller's buffer of `size` characters only when the tip's length is
// at most size - 2 (room for the terminator and one spare); the buffer is left unchanged otherwise.
bool CopyInfoTip(const QString& tip, QString& buffer, int size);
