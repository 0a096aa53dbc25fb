#pragma once

#include "mainsettings.h"
#include "officepluginsettings.h"
#include "service2pluginsettings.h"
#include "service3pluginsettings.h"
#include "toolbarsettings.h"

#include <QString>

// Loading and saving the operator console's five settings files in a folder (the program's folder in
// use). A load is true only for a file of the right tag and size; a file of another size is taken over
// as far as it reaches (false, and the caller's save writes it at the record's size); a missing file or
// another tag leaves the record as it was. Saves write the file whole, keeping the old one on failure.
bool LoadMainSettingsFile(const QString& folder, MainSettings& settings);
bool SaveMainSettingsFile(const QString& folder, const MainSettings& settings);
bool LoadOfficePluginFile(const QString& folder, OfficePluginSettings& settings);
bool SaveOfficePluginFile(const QString& folder, const OfficePluginSettings& settings);
bool LoadService2PluginFile(const QString& folder, Service2PluginSettings& settings);
bool SaveService2PluginFile(const QString& folder, const Service2PluginSettings& settings);
bool LoadService3PluginFile(const QString& folder, Service3PluginSettings& settings);
bool SaveService3PluginFile(const QString& folder, const Service3PluginSettings& settings);
bool LoadToolbarFile(const QString& folder, ToolbarSettings& settings);
bool SaveToolbarFile(const QString& folder, const ToolbarSettings& settings);
