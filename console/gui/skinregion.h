#pragma once

#include <QRegion>
#include <QRgb>

class QImage;

// The colour that a skin picture paints where the window must not be.
constexpr QRgb kSkinKeyColour = 0xFE02FE;  // red 254, green 2, blue 254
// Each run of window pixels loses this many pixels at its left and at its right end, so that the
// anti-aliased border of the picture stays outside the window.
constexpr int kSkinRunInset = 2;

// The window's shape from a skin picture: every row's runs of pixels that are not the key colour,
// narrowed at both ends, united. Empty when the picture has no such run.
QRegion CreateRegionFromBitmap(const QImage& bitmap);
