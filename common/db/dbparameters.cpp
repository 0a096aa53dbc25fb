#include "dbparameters.h"

#include "folders.h"

DbParameters DefaultDbParameters()
{
    DbParameters parameters;
    parameters.file = GetSuiteFolder() + QString::fromLatin1(kDefaultCatalogFile);
    return parameters;
}
