#include "catalogcount.h"

#include "engineerrorcode.h"
#include "sqldatabase.h"

int CatalogCount(CSqlDatabase& database, const QString& query, const QVariantList& values)
{
    QString text;
    double number = -1;
    const bool read = database.OpenRecordset(query, values) == kNoError &&
                      database.GetFieldValue(QStringLiteral("Total"), text, number) == kNoError;
    database.CloseRecordset();
    return read ? static_cast<int>(number) : -1;
}
