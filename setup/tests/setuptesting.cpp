#include "setuptesting.h"

#include "instanceslots.h"
#include "productregistry.h"

#include <QDir>
#include <QFile>

bool BuildInstancePackage(const QString& path)
{
    TestPackage package;
    const InstanceSlot& slot1 = InstanceSlotTable()[0];
    package.properties = {{QStringLiteral("ProductCode"), slot1.productCode},
                          {QStringLiteral("ProductName"), QStringLiteral("Engine instance")}};
    package.cabinets = {QStringLiteral("SqlRun.Cab")};
    package.packageCode = slot1.packageCode;
    return package.Build(path);
}

bool BuildSetupPackage(const QString& path, const QList<QPair<QString, QString>>& properties, const QString& cabinet,
                       const QString& instancePackage, const QString& helper)
{
    const QString suffix = QStringLiteral(".39438627_C68D_4d9f_9027_47DD3C239F98");
    TestPackage package;
    package.properties = properties;
    package.properties.prepend({QStringLiteral("ProductCode"), QStringLiteral("{5E7A0C61-0D3B-4C57-9E0A-1B2C3D4E5F60}")});
    if (!cabinet.isEmpty())
        package.streams << qMakePair(QStringLiteral("SVMSDE2000.SqlRunCab") + suffix, cabinet);
    if (!instancePackage.isEmpty())
        package.streams << qMakePair(QStringLiteral("SVMSDE2000.SqlRun01Msi") + suffix, instancePackage);
    if (!helper.isEmpty())
        package.streams << qMakePair(QStringLiteral("SVMSDE2000.HelperExe") + suffix, helper);
    return package.Build(path);
}

void TakeSlots(ProductRegistry& registry, int first, int last)
{
    for (int slot = first; slot <= last; ++slot) {
        const InstanceSlot& row = InstanceSlotTable()[static_cast<std::size_t>(slot - 1)];
        registry.RegisterProduct(row.productCode, row.packageCode, QStringLiteral("Slot%1").arg(slot));
        registry.AddInstance(QStringLiteral("Slot%1").arg(slot));
    }
}

bool WriteScript(const QString& path, const QString& body)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList WorkFoldersIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("SV*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void UseLeakSuppressions()
{
    if (!qEnvironmentVariableIsSet("LSAN_OPTIONS"))
        qputenv("LSAN_OPTIONS", QByteArray("suppressions=" LSAN_SUPPRESSIONS ":print_suppressions=0"));
}
