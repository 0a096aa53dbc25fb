#pragma once

#include <QString>

// The suite's folders, each with a trailing '/': the running program's folder, its parent (the suite
// folder, where each program lives in <suite>/<Program>/<Program>), and the suite's Shared folder.
QString GetProgramFolder();
QString GetSuiteFolder();
QString GetSharedFolder();

// Whether a look-up of the path finds anything: a file, a folder, or a match of a pattern with '*' and
// '?' in its last component.
bool FileExists(const QString& path);
bool FolderExists(const QString& path);
