#include "suitelocationregistry.h"

#include "folders.h"
#include "registrykey.h"

bool RegisterSuiteLocation()
{
    QString folder = GetSuiteFolder();
    if (folder.endsWith(u'/'))
        folder.chop(1);
    return RegistryKey(kSuiteRegistryKey).WriteString(kInstallLocationValue, folder);
}
