#include "hotelsettings.h"

#include "binaryrecord.h"

#include <QtEndian>

#include <iterator>

namespace lodgix {

namespace {

constexpr qsizetype kServerOffset = 12;

}  // namespace

QByteArray HotelSettings::Encode() const
{
    QByteArray bytes(kSize, '\0');
    const quint8 fields[] = {earliestCheckInHour, latestNightCheckInHour, latestCheckOutHour, reserved3,
                             keyCardSystemId,     keyCardEnabled,         keyCardBooking,     keyCardCheckIn,
                             keyCardCharging,     reserved9,              reserved10,         reserved11};
    for (qsizetype i = 0; i < qsizetype(std::size(fields)); ++i)
        PutU8(bytes, i, fields[i]);
    qToBigEndian(keyCardServer, bytes.data() + kServerOffset);
    return bytes;
}

HotelSettings HotelSettings::Decode(QByteArrayView bytes, qsizetype offset)
{
    HotelSettings s;
    quint8* fields[] = {&s.earliestCheckInHour, &s.latestNightCheckInHour, &s.latestCheckOutHour, &s.reserved3,
                        &s.keyCardSystemId,     &s.keyCardEnabled,         &s.keyCardBooking,     &s.keyCardCheckIn,
                        &s.keyCardCharging,     &s.reserved9,              &s.reserved10,         &s.reserved11};
    for (qsizetype i = 0; i < qsizetype(std::size(fields)); ++i)
        *fields[i] = GetU8(bytes, offset + i);
    // Network byte order: the address's first number is the first byte.
    s.keyCardServer = 0;
    for (qsizetype i = 0; i < 4; ++i)
        s.keyCardServer = (s.keyCardServer << 8) | GetU8(bytes, offset + kServerOffset + i);
    return s;
}

void SetDefaultHotelSettings(HotelSettings& settings) { settings = HotelSettings(); }

void SetDefaultKeyCardSettings(HotelSettings& settings)
{
    const HotelSettings defaults;
    settings.keyCardSystemId = defaults.keyCardSystemId;
    settings.keyCardEnabled = defaults.keyCardEnabled;
    settings.keyCardBooking = defaults.keyCardBooking;
    settings.keyCardCheckIn = defaults.keyCardCheckIn;
    settings.keyCardCharging = defaults.keyCardCharging;
    settings.reserved9 = settings.reserved10 = settings.reserved11 = 0;
    settings.keyCardServer = defaults.keyCardServer;
}

}  // namespace lodgix
