#include "programmingtool.h"

#include "folders.h"
#include "process.h"

namespace {
QString ProgrammingToolFolder() { return GetSuiteFolder() + QStringLiteral("Programmatore 3.15/"); }
}  // namespace

QString ProgrammingToolPath() { return ProgrammingToolFolder() + QStringLiteral("Programmatore Corvanti"); }

bool StartProgrammingTool()
{
    const QString path = ProgrammingToolPath();
    return StartDetachedProcess(path, {path}, ProgrammingToolFolder());
}
