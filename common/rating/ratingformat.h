#pragma once

#include <QString>
#include <QtGlobal>

// A duration in seconds as "h:mm:ss" (hours not limited to a day: 90000 seconds give "25:00:00").
// Fractions of a second are dropped; a negative or undefined duration shows as "0:00:00".
QString FormatDuration(double seconds);

// floor(x + 0.5): halves go up (2.5 gives 3, -2.5 gives -2). Values beyond the 64-bit range are clamped,
// an undefined one gives 0.
qint64 RoundToNearest(double x);
