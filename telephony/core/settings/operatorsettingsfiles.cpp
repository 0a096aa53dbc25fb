#include "operatorsettingsfiles.h"

#include "taggedrecordfile.h"

#include <QDir>

namespace {

QString PathIn(const QString& folder, const QString& name) { return QDir(folder).filePath(name); }

template <typename Settings>
bool LoadFile(const QString& folder, Settings& settings)
{
    return TaggedRecordFile::Load(PathIn(folder, Settings::kFileName), Settings::kTagBits, settings.Bytes());
}

template <typename Settings>
bool SaveFile(const QString& folder, const Settings& settings)
{
    return TaggedRecordFile::Save(PathIn(folder, Settings::kFileName), Settings::kTagBits, settings.Bytes());
}

}  // namespace

bool LoadMainSettingsFile(const QString& folder, MainSettings& settings) { return LoadFile(folder, settings); }
bool SaveMainSettingsFile(const QString& folder, const MainSettings& settings) { return SaveFile(folder, settings); }
bool LoadOfficePluginFile(const QString& folder, OfficePluginSettings& settings) { return LoadFile(folder, settings); }
bool SaveOfficePluginFile(const QString& folder, const OfficePluginSettings& settings) { return SaveFile(folder, settings); }
bool LoadService2PluginFile(const QString& folder, Service2PluginSettings& settings) { return LoadFile(folder, settings); }
bool SaveService2PluginFile(const QString& folder, const Service2PluginSettings& settings)
{
    return SaveFile(folder, settings);
}
bool LoadService3PluginFile(const QString& folder, Service3PluginSettings& settings) { return LoadFile(folder, settings); }
bool SaveService3PluginFile(const QString& folder, const Service3PluginSettings& settings)
{
    return SaveFile(folder, settings);
}
bool LoadToolbarFile(const QString& folder, ToolbarSettings& settings) { return LoadFile(folder, settings); }
bool SaveToolbarFile(const QString& folder, const ToolbarSettings& settings) { return SaveFile(folder, settings); }
