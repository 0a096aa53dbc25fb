#include "timelinequery.h"

#include "sqldate.h"

namespace lodgix {

namespace {

// A room filter of this value takes every room.
constexpr int kAllRooms = 0xFFFF;

}  // namespace

OleDate NightOf(const OleDate& date)
{
    return date.IsValid() ? OleDate(date.Year(), date.Month(), date.Day()) : date;
}

QVariant DateValueOrNull(const OleDate& date)
{
    return date.IsValid() ? QVariant(SqlDateText(date)) : QVariant(QMetaType::fromType<QString>());
}

TimelineQuery::TimelineQuery(const QString& table)
    : m_text(QStringLiteral("SELECT * FROM %1 WHERE (IsVisible = 1").arg(table))
{
}

TimelineQuery::TimelineQuery(const QString& table, const char* startColumn, const char* endColumn,
                             const OleDate& from, const OleDate& to)
{
    const QString start = QLatin1String(startColumn);
    const QString end = QLatin1String(endColumn);
    m_text = QStringLiteral("SELECT * FROM %1 WHERE (((%2 >= ? AND %2 <= ?) OR (%3 >= ? AND %3 <= ?) OR "
                            "(%2 < ? AND %3 > ?)) AND IsVisible = 1")
                 .arg(table, start, end);
    const QString first = SqlDateText(from);
    const QString last = SqlDateText(to);
    m_valid = !first.isEmpty() && !last.isEmpty();
    m_values = {first, last, first, last, first, last};
}

void TimelineQuery::And(const QString& condition, const QVariantList& values)
{
    m_text += QStringLiteral(" AND ") + condition;
    m_values += values;
}

void TimelineQuery::AndRoom(int roomId)
{
    if (roomId != kAllRooms)
        And(QStringLiteral("RoomID = ?"), {roomId});
}

QString TimelineQuery::Text(const char* keyColumn) const
{
    return m_text + QStringLiteral(") ORDER BY ") + QLatin1String(keyColumn);
}

}  // namespace lodgix
