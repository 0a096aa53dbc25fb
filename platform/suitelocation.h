#pragma once

#include <QString>

// Where the running program lies in the suite tree: <suite>/<Program>/<Program>, beside <suite>/Shared/.
// Folders are returned with a trailing '/'.

QString ProgramFilePath();
// Places the running program at another path of a suite tree (tests, and tools run from the build tree).
// An empty path goes back to the real program file.
void SetProgramFilePath(const QString& path);

QString ProgramFolder();
QString SuiteFolder();
QString SharedFolder();
