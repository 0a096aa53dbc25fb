#pragma once

#include "callrating.h"
#include "loggedcall.h"
#include "oledate.h"

#include <QString>

// The call logger's output line: twelve fields, each padded with blanks to its width, 124 characters,
// then CR LF. A value that does not fit its field keeps the whole line out.

constexpr int kCallLoggerLineWidth = 124;

// The line of one call, priced and timed by `rating`; the end is the start plus the rated seconds. False
// when a field does not fit.
bool FormatCallLoggerLine(const LoggedCall& call, const CallRating& rating, bool logsDurations, QString& line);

// Each formats the value and pads it to `width`; false, with `text` unchanged, when it is longer. Dates
// take %d %m %Y %H %M %S (false also for an invalid date), the others printf formats.
bool FormatFixedDate(const OleDate& date, const QString& format, int width, QString& text);
bool FormatFixedText(const QString& value, int width, QString& text);
bool FormatFixedNumber(long long value, const char* format, int width, QString& text);
bool FormatFixedReal(double value, const char* format, int width, QString& text);

// Appends blanks up to the width; false, leaving the text unchanged, when it is already longer.
bool PadToFixedWidth(int width, QString& text);
