#include "productregistry.h"

#include "registrykey.h"

#include <QRegularExpression>

const QString ProductRegistry::kClassesRoot = QStringLiteral("HKEY_CLASSES_ROOT");
const QString ProductRegistry::kLocalMachine = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString ProductRegistry::kEngineKey = QStringLiteral("SOFTWARE\\Microsoft\\Microsoft SQL Server");
const QString ProductRegistry::kInstalledInstancesValue = QStringLiteral("InstalledInstances");
const QString ProductRegistry::kInstallerKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Installer");
const QString ProductRegistry::kInstallerLocationValue = QStringLiteral("InstallerLocation");

namespace {

const QString kProductsKey = QStringLiteral("Installer\\Products");
const QString kSourceListKey = QStringLiteral("\\SourceList");
const QString kPackageCodeValue = QStringLiteral("PackageCode");
// Not read by the engine's own tools: which instance the product installed, for its removal.
const QString kInstanceNameValue = QStringLiteral("InstanceName");

QString Reversed(const QString& text)
{
    QString result(text);
    std::reverse(result.begin(), result.end());
    return result;
}

}  // namespace

ProductRegistry::ProductRegistry() : ProductRegistry(RegistryKey::DefaultFile()) {}

ProductRegistry::ProductRegistry(const QString& iniFile) : m_iniFile(iniFile) {}

QString ProductRegistry::KeyPath(const QString& root, const QString& key) { return root + u'\\' + key; }

QString ProductRegistry::PackedCode(const QString& code)
{
    static const QRegularExpression kCodeForm(QStringLiteral(
        "^\\{([0-9A-Fa-f]{8})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{12})\\}$"));
    const QRegularExpressionMatch match = kCodeForm.match(code);
    if (!match.hasMatch())
        return {};
    QString packed = Reversed(match.captured(1)) + Reversed(match.captured(2)) + Reversed(match.captured(3));
    const QString bytes = match.captured(4) + match.captured(5);
    for (qsizetype i = 0; i < bytes.size(); i += 2)
        packed += QString(bytes[i + 1]) + bytes[i];
    return packed.toUpper();
}

QString ProductRegistry::ProductProbeKey(const QString& productCode)
{
    return kProductsKey + u'\\' + PackedCode(productCode) + kSourceListKey;
}

bool ProductRegistry::IsProductRegistered(const QString& productCode) const
{
    return !PackedCode(productCode).isEmpty()
        && RegistryKey(KeyPath(kClassesRoot, ProductProbeKey(productCode)), m_iniFile).Exists();
}

QString ProductRegistry::RegisteredPackageCode(const QString& productCode) const
{
    return RegistryKey(KeyPath(kClassesRoot, ProductProbeKey(productCode)), m_iniFile).ReadString(kPackageCodeValue);
}

QString ProductRegistry::RegisteredInstance(const QString& productCode) const
{
    return RegistryKey(KeyPath(kClassesRoot, ProductProbeKey(productCode)), m_iniFile).ReadString(kInstanceNameValue);
}

bool ProductRegistry::RegisterProduct(const QString& productCode, const QString& packageCode,
                                      const QString& instanceName)
{
    if (PackedCode(productCode).isEmpty())
        return false;
    const RegistryKey key(KeyPath(kClassesRoot, ProductProbeKey(productCode)), m_iniFile);
    return key.WriteString(kPackageCodeValue, packageCode) && key.WriteString(kInstanceNameValue, instanceName);
}

bool ProductRegistry::UnregisterProduct(const QString& productCode)
{
    if (PackedCode(productCode).isEmpty())
        return false;
    const QString productKey = kProductsKey + u'\\' + PackedCode(productCode);
    return RegistryKey(KeyPath(kClassesRoot, productKey), m_iniFile).Remove();
}

QString ProductRegistry::OtherProductWithInstance(const QString& instanceName, const QString& productCode) const
{
    const QString products = KeyPath(kClassesRoot, kProductsKey);
    const QString own = PackedCode(productCode);
    for (const QString& packed : RegistryKey(products, m_iniFile).SubkeyNames()) {
        if (packed.compare(own, Qt::CaseInsensitive) == 0)
            continue;
        const RegistryKey sourceList(products + u'\\' + packed + kSourceListKey, m_iniFile);
        if (sourceList.ReadString(kInstanceNameValue).compare(instanceName, Qt::CaseInsensitive) == 0)
            return packed;
    }
    return {};
}

QStringList ProductRegistry::InstalledInstances() const
{
    return RegistryKey(KeyPath(kLocalMachine, kEngineKey), m_iniFile).ReadStringList(kInstalledInstancesValue);
}

bool ProductRegistry::HasEngineKey() const { return RegistryKey(KeyPath(kLocalMachine, kEngineKey), m_iniFile).Exists(); }

bool ProductRegistry::AddInstance(const QString& name)
{
    QStringList instances = InstalledInstances();
    if (instances.contains(name, Qt::CaseInsensitive))
        return true;
    instances << name;
    return RegistryKey(KeyPath(kLocalMachine, kEngineKey), m_iniFile).WriteStringList(kInstalledInstancesValue, instances);
}

bool ProductRegistry::RemoveInstance(const QString& name)
{
    QStringList instances = InstalledInstances();
    instances.removeIf([&](const QString& listed) { return listed.compare(name, Qt::CaseInsensitive) == 0; });
    return RegistryKey(KeyPath(kLocalMachine, kEngineKey), m_iniFile).WriteStringList(kInstalledInstancesValue, instances);
}

QString ProductRegistry::InstallerLocation() const
{
    return RegistryKey(KeyPath(kLocalMachine, kInstallerKey), m_iniFile).ReadString(kInstallerLocationValue);
}

bool ProductRegistry::HasInstallerKey() const
{
    return RegistryKey(KeyPath(kLocalMachine, kInstallerKey), m_iniFile).Exists();
}

bool ProductRegistry::SetInstallerLocation(const QString& folder)
{
    return RegistryKey(KeyPath(kLocalMachine, kInstallerKey), m_iniFile).WriteString(kInstallerLocationValue, folder);
}
