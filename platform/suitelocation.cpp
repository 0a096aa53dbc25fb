#include "suitelocation.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <mutex>

namespace {

std::mutex g_mutex;
QString g_programFilePath;

// The folder part of a path, with its trailing '/': everything up to and including the last '/'.
QString CutAfterLastSlash(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

}  // namespace

QString ProgramFilePath()
{
    {
        std::lock_guard lock(g_mutex);
        if (!g_programFilePath.isEmpty())
            return g_programFilePath;
    }
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

void SetProgramFilePath(const QString& path)
{
    std::lock_guard lock(g_mutex);
    g_programFilePath = path;
}

QString ProgramFolder() { return CutAfterLastSlash(ProgramFilePath()); }

QString SuiteFolder()
{
    const QString programFolder = ProgramFolder();
    return CutAfterLastSlash(programFolder.left(programFolder.size() - 1));
}

QString SharedFolder() { return SuiteFolder() + QStringLiteral("Shared/"); }
