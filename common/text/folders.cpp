#include "folders.h"

#include "suitelocation.h"

#include <QDir>
#include <QFileInfo>

QString GetProgramFolder() { return ProgramFolder(); }
QString GetSuiteFolder() { return SuiteFolder(); }
QString GetSharedFolder() { return SharedFolder(); }

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!name.contains(u'*') && !name.contains(u'?'))
        return QFileInfo::exists(path);
    const QDir folder = info.dir();
    return !folder.entryList({name}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
}

bool FolderExists(const QString& path) { return FileExists(path); }
