#pragma once

#include <QString>
#include <QStringList>

// The engine's verbose installation log in the Shared folder.
QString EngineInstallLogPath();
// Properties whose values no log shows.
QStringList HiddenSetupProperties();
