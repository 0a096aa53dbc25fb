#include "setuplog.h"

#include "suitelocation.h"

QString EngineInstallLogPath() { return SharedFolder() + QStringLiteral("MSDE2kLog.txt"); }

QStringList HiddenSetupProperties() { return {QStringLiteral("SAPWD"), QStringLiteral("UPGRADEPWD")}; }
