#include "owncountrycode.h"

#include "registrykey.h"

namespace {

// The location assumed when the workstation names none.
const QString kDefaultCountryCode = QStringLiteral("39");

}  // namespace

QString OwnCountryCode(const QString& iniFile)
{
    const QString group = QStringLiteral("Telephony");
    const RegistryKey key = iniFile.isEmpty() ? RegistryKey(group) : RegistryKey(group, iniFile);
    const QString code = key.ReadString(QStringLiteral("CountryCode")).trimmed();
    return code.isEmpty() ? kDefaultCountryCode : code;
}
