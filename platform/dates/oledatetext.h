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

// Reads a date as ParseOleDate does, or as the database's texts and lists show it: the locale's short
// date with a two-digit year (00-29 read as 2000-2029, 30-99 as 1930-1999), with or without the time
// "HH:mm:ss" or "HH:mm". An invalid date when the text is none of these.
OleDate ParseDisplayedOleDate(const QString& text, const QLocale& locale);
