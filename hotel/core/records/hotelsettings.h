#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace lodgix {

// The hotel program's own settings of one workstation: check-in and check-out hours and the key-card
// system's switches and address. Stored as a 16-byte block; the key-card part starts at byte 4.
struct HotelSettings {
    static constexpr qsizetype kSize = 16;
    static constexpr qsizetype kKeyCardOffset = 4;
    static constexpr quint32 kLoopbackAddress = 0x7F000001;  // 127.0.0.1

    quint8 earliestCheckInHour = 12;
    quint8 latestNightCheckInHour = 3;  // of the night after the arrival day
    quint8 latestCheckOutHour = 11;     // also the hour from which the reminder thread counts a new day
    quint8 reserved3 = 0;
    quint8 keyCardSystemId = 1;         // the key-card terminal number
    quint8 keyCardEnabled = 0;          // the key-card integration
    quint8 keyCardBooking = 0;
    quint8 keyCardCheckIn = 0;
    quint8 keyCardCharging = 0;
    quint8 reserved9 = 0;
    quint8 reserved10 = 0;
    quint8 reserved11 = 0;
    quint32 keyCardServer = kLoopbackAddress;  // IPv4 address as a number (stored in network byte order)

    bool KeyCardChargingOn() const { return keyCardEnabled != 0 && keyCardCharging != 0; }
    bool KeyCardCheckInOn() const { return keyCardEnabled != 0 && keyCardCheckIn != 0; }

    QByteArray Encode() const;
    // Reads the 16 bytes at offset (the caller has checked that they are there).
    static HotelSettings Decode(QByteArrayView bytes, qsizetype offset = 0);

    friend bool operator==(const HotelSettings&, const HotelSettings&) = default;
};

// Every field to its default.
void SetDefaultHotelSettings(HotelSettings& settings);
// Only the key-card part (from byte 4) to its defaults; the hours stay.
void SetDefaultKeyCardSettings(HotelSettings& settings);

}  // namespace lodgix
