#include "setuplog.h"

#include "folders.h"

QString EngineInstallLogPath() { return GetSharedFolder() + QStringLiteral("MSDE2kLog.txt"); }

QStringList HiddenSetupProperties() { return {QStringLiteral("SAPWD"), QStringLiteral("UPGRADEPWD")}; }
