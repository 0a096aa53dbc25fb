#pragma once

#include "oledate.h"

#include <QString>
#include <QVariant>

// Date-times go to the database as ISO 'YYYY-MM-DD HH:MM:SS' text (it sorts as the dates do; a
// day/month/year text would not) and come back as stored values, never through locale text.

// The bound value of a date-time; an invalid date gives an empty text.
QString SqlDateText(const OleDate& date);

// A stored date-time: an ISO text (SQLite) or a timestamp (PostgreSQL). Anything else, NULL included,
// gives an invalid date.
OleDate DateFromStored(const QVariant& value);
