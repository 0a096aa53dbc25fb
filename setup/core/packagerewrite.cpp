#include "packagerewrite.h"

#include "msipackage.h"

bool RewritePackage(const QString& packagePath, const QString& productCode, const QString& packageCode)
{
    const std::unique_ptr<MsiPackage> package = MsiPackage::Open(packagePath, MsiPackage::Mode::Transacted);
    if (!package)
        return false;
    if (!productCode.isEmpty() && !package->AssignProperty(QStringLiteral("ProductCode"), productCode))
        return false;
    if (!packageCode.isEmpty() && !package->SetRevisionNumber(packageCode))
        return false;
    return package->Commit();
}
