#pragma once

#include <QString>
#include <QVariantList>

class CSqlDatabase;

// The figure of a "SELECT COUNT(*) AS Total ..." query on the catalog; -1 when it cannot be read.
int CatalogCount(CSqlDatabase& database, const QString& query, const QVariantList& values = {});
