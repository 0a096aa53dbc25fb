#include "lockkeys.h"

#include <QDir>
#include <QFile>

namespace {

bool IsLit(const QString& light)
{
    QFile brightness(light + QStringLiteral("/brightness"));
    if (!brightness.open(QIODevice::ReadOnly))
        return false;
    bool number = false;
    const int level = brightness.read(16).trimmed().toInt(&number);
    return number && level > 0;
}

}  // namespace

LockKeyStates ReadLockKeyStates(const QString& ledFolder)
{
    LockKeyStates states;
    const QDir folder(ledFolder);
    // The lights are symbolic links to their devices' folders.
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool* key = nullptr;
        if (name.endsWith(QStringLiteral("::capslock")))
            key = &states.capsLock;
        else if (name.endsWith(QStringLiteral("::numlock")))
            key = &states.numLock;
        else if (name.endsWith(QStringLiteral("::scrolllock")))
            key = &states.scrollLock;
        if (key != nullptr && !*key)
            *key = IsLit(folder.filePath(name));
    }
    return states;
}
