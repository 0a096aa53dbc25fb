#pragma once

#include "oledate.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace lodgix {

// The night of a date: the date at midnight (first and last nights are stored so).
OleDate NightOf(const OleDate& date);
// The bound value of a date that may be missing: its ISO text, or NULL for an invalid date.
QVariant DateValueOrNull(const OleDate& date);

// A query of the rows of a per-hotel timeline table (bookings, periods, stays), built as a text with its
// bound values. The range form selects the visible rows whose [start, end] shares an instant with
// [from, to], both bounds included:
//   SELECT * FROM t WHERE (((S >= F AND S <= T) OR (E >= F AND E <= T) OR (S < F AND E > T)) AND IsVisible = 1
// then the conditions added, then ")".
class TimelineQuery {
public:
    // Every visible row.
    explicit TimelineQuery(const QString& table);
    // The visible rows of the range.
    TimelineQuery(const QString& table, const char* startColumn, const char* endColumn, const OleDate& from,
                  const OleDate& to);

    // False when a date of the range is invalid.
    bool IsValid() const { return m_valid; }
    // " AND condition", its values bound in order.
    void And(const QString& condition, const QVariantList& values = {});
    void AndRoom(int roomId);  // all rooms for 0xFFFF
    // The statement, its rows in the order of the key.
    QString Text(const char* keyColumn) const;
    const QVariantList& Values() const { return m_values; }

private:
    QString m_text;
    QVariantList m_values;
    bool m_valid = true;
};

}  // namespace lodgix
