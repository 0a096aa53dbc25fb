// Registry.ini of any bytes: the keys the programs read give a value or their default, never a crash.
#include "fuzzapplication.h"
#include "registrykey.h"

#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureFuzzApplication();
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Registry.ini"));
    if (!WriteFuzzInput(path, data, size))
        std::abort();
    for (const char* keyPath : {"SOFTWARE\\Utensa", "SOFTWARE/Utensa/Engine", "Network", "SerialPorts", "Telephony"}) {
        const RegistryKey key(QString::fromLatin1(keyPath), path);
        for (const char* name : {"CountryCode", "COM98", "EventPort", "Language", "Path", ""}) {
            const QString value = QString::fromLatin1(name);
            (void)key.HasValue(value);
            (void)key.ReadString(value, QStringLiteral("default"));
            (void)key.ReadInt(value, -7);
        }
    }
    return 0;
}
