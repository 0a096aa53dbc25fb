#pragma once

#include "money.h"
#include "oledate.h"
#include "vatrate.h"

#include <QDate>
#include <QString>

class CDbConnection;

namespace lodgix {

// Reads the columns of the current row by name. The first failure (a missing column, an amount that is no
// amount) is kept as the result, 44, and later reads give empty values.
class FieldReader {
public:
    explicit FieldReader(const CDbConnection& connection) : m_connection(connection) {}

    QString Text(const QString& column);
    int Int(const QString& column);  // NULL reads as 0
    Money Amount(const QString& column);
    VatRate Rate(const QString& column);
    OleDate Date(const QString& column);  // NULL reads as an invalid date
    QDate Day(const QString& column);     // the date part; NULL reads as a null date

    int Result() const { return m_result; }
    bool Ok() const { return m_result == 0; }

private:
    bool Read(const QString& column, QString& text, double& number);

    const CDbConnection& m_connection;
    int m_result = 0;
};

}  // namespace lodgix
