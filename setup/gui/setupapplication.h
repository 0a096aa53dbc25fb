#pragma once

#include <QCoreApplication>

#include <memory>

// The setup programs run hidden, often where no window system is: a widget application only when one is
// there (or a platform is named), otherwise a core one. Stop signals are watched from here on; the system's locale chooses Italian or
// English.
std::unique_ptr<QCoreApplication> MakeSetupApplication(int& argc, char** argv, const char* name);
