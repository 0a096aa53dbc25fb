#pragma once

#include "enginesettings.h"

#include <QString>

// "PxCnf.ers" in the console's program folder: the 8-byte version tag (the double 0.12321, written
// always, never checked) and the 24-byte engine settings record.
constexpr qsizetype kEngineSettingsFileSize = 32;
constexpr quint64 kEngineSettingsTagBits = 0x3FBF8AB0C88A47EDull;  // 0.12321

QString EngineSettingsPath();

// 1 when a whole 32-byte file was read. 0 otherwise, and what could be read still lands over the
// settings: a long file gives its first 24 record bytes, a short one as many bytes as it has, so that
// rewriting the file keeps them.
int LoadEngineSettings(EngineSettings& settings, const QString& path = EngineSettingsPath());
// 1 when the file was written whole, else 0 (and the old file stays as it was); then `problem`, when
// given, names the file and what went wrong.
int SaveEngineSettings(const EngineSettings& settings, const QString& path = EngineSettingsPath(),
                       QString* problem = nullptr);
