#pragma once

#include "hotelsettings.h"
#include "printsettings.h"

#include <QString>

namespace lodgix {

// LodgixSettings.cfg: a magic number, the hotel's page layout (PrintSettings) and the HotelSettings block.
// An older version held only the first 3 bytes of the block.
inline constexpr char kSettingsFileName[] = "LodgixSettings.cfg";
inline constexpr quint32 kSettingsMagic = 0x15439872;
inline constexpr qsizetype kSettingsFileSize = 4 + PrintSettings::kSize + HotelSettings::kSize;  // 1,048
inline constexpr qsizetype kOlderHotelSettingsSize = 3;

// The file in this workstation's local data folder.
QString SettingsFilePath();

// 1 when the file was read; 0 when it is missing or malformed (the records are then untouched). A file of
// the older version gets the key-card defaults and is written again at once; that write decides the result.
quint8 LoadSettings(const QString& path, PrintSettings& print, HotelSettings& hotel);
// Writes the whole file (a temporary file renamed over it); false on any file error.
bool SaveSettings(const QString& path, const PrintSettings& print, const HotelSettings& hotel);

// Start-up's step: the file's settings, or, when it cannot be read, the default page layout and settings,
// written at once. False when that write fails (the defaults are in use all the same).
bool LoadOrCreateSettings(const QString& path, PrintSettings& print, HotelSettings& hotel);

}  // namespace lodgix
