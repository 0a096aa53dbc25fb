#pragma once

#include "oledate.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

// The console's own settings, apart from the installation settings: who handles incoming calls, the
// address-book synchronisation, the update check and the start of the operator console. Kept as a
// 24-byte record in "PxCnf.ers".
struct EngineSettings {
    static constexpr qsizetype kRecordSize = 24;

    static constexpr std::uint8_t kHandlerTapiDriver = 0;  // incoming calls go to Linexa
    static constexpr std::uint8_t kHandlerOtherProgram = 1;
    static constexpr std::uint8_t kSourceOutlook = 0;
    static constexpr std::uint8_t kSourceAddressBook = 1;
    static constexpr std::uint8_t kCheckAtEveryStart = 0;
    static constexpr std::uint8_t kCheckEveryWeek = 7;
    static constexpr std::uint8_t kCheckEveryTwoWeeks = 14;
    static constexpr std::uint8_t kCheckEveryMonth = 30;
    static constexpr std::uint8_t kCheckNever = 255;  // in practice: 255 days after the last check

    // The last check defaults to the time the settings are created (the program's start).
    explicit EngineSettings(const OleDate& createdAt = OleDate::Now());

    QByteArray Encode() const;
    // Reads a whole record (kRecordSize bytes); reserved bytes are not kept.
    static EngineSettings Decode(QByteArrayView record);

    std::uint8_t incomingCallHandler = kHandlerTapiDriver;
    std::uint8_t addressBookSource = kSourceOutlook;
    std::uint8_t skipAddressBookSync = 0;
    std::uint8_t updateIntervalDays = kCheckEveryWeek;
    OleDate lastUpdateCheck;
    std::uint8_t startOperatorConsole = 0;
    std::uint8_t ringSoundOff = 0;
};
