#pragma once

#include <QImage>

// A bitmap that the programs compile in, by its number (a button strip or a list image); a null image
// for a number that has none.
QImage LoadBitmapResource(int id);
