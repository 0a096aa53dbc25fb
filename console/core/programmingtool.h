#pragma once

#include <QString>

// The PBX programming tool, installed beside the suite's programs in its own folder.
QString ProgrammingToolPath();  // <suite>/Programmatore 3.15/Programmatore Corvanti

// Starts it from its folder, with its own path as the argument. False when it could not be started.
bool StartProgrammingTool();
