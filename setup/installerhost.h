#pragma once

#include "installersession.h"

#include <QStringList>

#include <memory>

// Plays the installer for a custom action run as a program: "PACKAGE [NAME=VALUE]..." make the session;
// records go to standard error and each property set to standard output as NAME=VALUE.
class InstallerHost {
public:
    // Null, with the reason on standard error, when the arguments are no package and settings.
    static std::unique_ptr<InstallerSession> MakeSession(const QStringList& arguments);
    // The program's exit code for an action's result.
    static int ExitCode(unsigned result) { return result == 0 ? 0 : 1; }
};
