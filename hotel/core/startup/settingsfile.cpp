#include "settingsfile.h"

#include "binaryrecord.h"
#include "datafolders.h"

#include <QFile>
#include <QSaveFile>

namespace lodgix {

namespace {

constexpr qsizetype kMagicSize = 4;
constexpr qsizetype kPrintOffset = kMagicSize;
constexpr qsizetype kHotelOffset = kPrintOffset + PrintSettings::kSize;

}  // namespace

QString SettingsFilePath() { return GetLocalDataFolder() + QLatin1String(kSettingsFileName); }

quint8 LoadSettings(const QString& path, PrintSettings& print, HotelSettings& hotel)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    // One byte more than the current size tells a longer file from a whole one.
    const QByteArray bytes = file.read(kSettingsFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() < kHotelOffset || GetU32(bytes, 0) != kSettingsMagic)
        return 0;
    const std::optional<PrintSettings> layout = PrintSettings::Decode(bytes, kPrintOffset);
    if (!layout)
        return 0;
    const qsizetype hotelBytes = bytes.size() - kHotelOffset;
    if (hotelBytes == HotelSettings::kSize) {
        print = *layout;
        hotel = HotelSettings::Decode(bytes, kHotelOffset);
        return 1;
    }
    if (hotelBytes != kOlderHotelSettingsSize)
        return 0;
    // The older block: its three hours, and the key-card part as a new file has it.
    HotelSettings upgraded;
    upgraded.earliestCheckInHour = GetU8(bytes, kHotelOffset);
    upgraded.latestNightCheckInHour = GetU8(bytes, kHotelOffset + 1);
    upgraded.latestCheckOutHour = GetU8(bytes, kHotelOffset + 2);
    print = *layout;
    hotel = upgraded;
    return SaveSettings(path, print, hotel) ? 1 : 0;
}

bool SaveSettings(const QString& path, const PrintSettings& print, const HotelSettings& hotel)
{
    QByteArray bytes(kSettingsFileSize, '\0');
    PutU32(bytes, 0, kSettingsMagic);
    print.Encode(bytes, kPrintOffset);
    bytes.replace(kHotelOffset, HotelSettings::kSize, hotel.Encode());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

bool LoadOrCreateSettings(const QString& path, PrintSettings& print, HotelSettings& hotel)
{
    if (LoadSettings(path, print, hotel) == 1)
        return true;
    SetDefaultPrintSettings(print);
    SetDefaultHotelSettings(hotel);
    return SaveSettings(path, print, hotel);
}

}  // namespace lodgix
