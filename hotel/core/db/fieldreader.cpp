#include "fieldreader.h"

#include "dbconnection.h"
#include "engineerrorcode.h"

#include <cmath>

namespace lodgix {

bool FieldReader::Read(const QString& column, QString& text, double& number)
{
    text.clear();
    number = 0;
    if (m_result != kNoError)
        return false;
    if (m_connection.GetFieldValue(column, text, number) != kNoError) {
        m_result = kDbStatementFailed;
        return false;
    }
    return true;
}

QString FieldReader::Text(const QString& column)
{
    QString text;
    double number = 0;
    Read(column, text, number);
    return text;
}

int FieldReader::Int(const QString& column)
{
    if (m_result != kNoError)
        return 0;
    double number = 0;
    if (m_connection.GetFieldNumber(column, number) != kNoError) {
        m_result = kDbStatementFailed;
        return 0;
    }
    return static_cast<int>(std::llround(number));
}

Money FieldReader::Amount(const QString& column)
{
    QString text;
    double number = 0;
    Money money;
    // The amount is taken from its decimal text, never through a floating value.
    if (Read(column, text, number) && !text.isEmpty() && !Money::FromText(text, money))
        m_result = kDbStatementFailed;
    return money;
}

VatRate FieldReader::Rate(const QString& column)
{
    QString text;
    double number = 0;
    VatRate rate;
    if (Read(column, text, number) && !text.isEmpty() && !VatRate::FromText(text, rate))
        m_result = kDbStatementFailed;
    return rate;
}

OleDate FieldReader::Date(const QString& column)
{
    OleDate date = OleDate::Invalid();
    if (m_result != kNoError)
        return date;
    if (m_connection.GetFieldDate(column, date) != kNoError)
        m_result = kDbStatementFailed;
    return date;
}

QDate FieldReader::Day(const QString& column)
{
    const OleDate date = Date(column);
    return date.IsValid() ? date.Date() : QDate();
}

}  // namespace lodgix
