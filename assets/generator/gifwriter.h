#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Writes an endless animated GIF89a from frames of one size, each shown for delayMs. Colours are reduced
// to a fixed 6 x 6 x 6 cube; the image data is coded in 9-bit LZW codes with a clear code before the table
// would grow past them, which every decoder reads.
QByteArray WriteAnimatedGif(const QList<QImage>& frames, int delayMs);
