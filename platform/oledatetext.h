#pragma once

#include "oledate.h"

#include <QLocale>
#include <QString>

// Dates as text in a locale, as the class library's date writes and reads them: the locale's short
// date with a four-digit year and the time "HH:mm:ss"; the time is left out at midnight and the date on
// day 0. Programs pass such texts to each other (command lines), so both ends use these two.
QString FormatOleDate(const OleDate& date, const QLocale& locale);

// Reads a date and time, or a date alone, in that form; an invalid date when the text is neither.
OleDate ParseOleDate(const QString& text, const QLocale& locale);
