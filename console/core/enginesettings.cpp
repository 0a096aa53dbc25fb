#include "enginesettings.h"

#include "binaryrecord.h"

namespace {

constexpr qsizetype kHandlerOffset = 0;
constexpr qsizetype kSourceOffset = 1;
constexpr qsizetype kSkipSyncOffset = 2;
constexpr qsizetype kIntervalOffset = 3;
constexpr qsizetype kLastCheckOffset = 8;  // after 4 reserved bytes
constexpr qsizetype kStartConsoleOffset = 16;
constexpr qsizetype kRingOffOffset = 17;  // 6 reserved bytes follow

}  // namespace

EngineSettings::EngineSettings(const OleDate& createdAt) : lastUpdateCheck(createdAt) {}

QByteArray EngineSettings::Encode() const
{
    QByteArray record(kRecordSize, '\0');
    PutU8(record, kHandlerOffset, incomingCallHandler);
    PutU8(record, kSourceOffset, addressBookSource);
    PutU8(record, kSkipSyncOffset, skipAddressBookSync);
    PutU8(record, kIntervalOffset, updateIntervalDays);
    PutF64(record, kLastCheckOffset, lastUpdateCheck.Value());
    PutU8(record, kStartConsoleOffset, startOperatorConsole);
    PutU8(record, kRingOffOffset, ringSoundOff);
    return record;
}

EngineSettings EngineSettings::Decode(QByteArrayView record)
{
    EngineSettings settings(OleDate(GetF64(record, kLastCheckOffset)));
    settings.incomingCallHandler = GetU8(record, kHandlerOffset);
    settings.addressBookSource = GetU8(record, kSourceOffset);
    settings.skipAddressBookSync = GetU8(record, kSkipSyncOffset);
    settings.updateIntervalDays = GetU8(record, kIntervalOffset);
    settings.startOperatorConsole = GetU8(record, kStartConsoleOffset);
    settings.ringSoundOff = GetU8(record, kRingOffOffset);
    return settings;
}
