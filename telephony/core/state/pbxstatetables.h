#pragma once

#include "alarmentry.h"
#include "entryphoneentry.h"
#include "extensionentry.h"
#include "lineentry.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Object counts of one kind-by-kind table set (extensions, lines, entry phones, relays).
struct PbxObjectCounts {
    int extensions = 0;
    int lines = 0;
    int entryPhones = 0;
    int relays = 0;
};

// The console's in-memory copy of the PBX's objects, one vector per table. With a second PBX every
// table holds the first PBX's objects first and the second PBX's behind them.
class PbxStateTables {
public:
    static constexpr std::size_t kWakeUpSize = 5;
    static constexpr std::size_t kExtensionProgrammingSize = 50;
    static constexpr std::size_t kLineProgrammingSize = 12;
    static constexpr std::size_t kEntryPhoneProgrammingSize = 4;
    static constexpr std::size_t kRelayProgrammingSize = 3;
    static constexpr std::size_t kWorkBytes = 3;
    static constexpr qsizetype kMaxDisplayName = 49;  // a display name cache holds 49 characters
    // What a display-name cache holds until the name builders have filled it.
    static inline const QString kNotValidName = QStringLiteral("**NOTVALID**");

    using WakeUp = std::array<std::uint8_t, kWakeUpSize>;
    using WorkBytes = std::array<std::uint8_t, kWorkBytes>;

    // Sizes every table for the counts, each entry at its initial value.
    void Allocate(const PbxObjectCounts& counts);
    // Places another PBX's tables behind these, kind by kind.
    void Append(const PbxStateTables& other);
    PbxObjectCounts Counts() const;

    // A copy of the record's bytes into a fixed record, zero-filled or cut to its size.
    template <std::size_t N>
    static std::array<std::uint8_t, N> FixedRecord(const QByteArray& record)
    {
        std::array<std::uint8_t, N> bytes{};
        const auto length = std::min<std::size_t>(N, static_cast<std::size_t>(record.size()));
        std::copy_n(reinterpret_cast<const std::uint8_t*>(record.constData()), length, bytes.begin());
        return bytes;
    }
    // Stores a display name, cut to what the cache holds.
    static void StoreName(QString& cache, const QString& name) { cache = name.left(kMaxDisplayName); }

    // Extensions.
    std::vector<ExtensionEntry> extensionStatus;
    std::vector<WakeUp> extensionWakeUp;
    std::vector<std::array<std::uint8_t, kExtensionProgrammingSize>> extensionProgramming;
    std::vector<AlarmEntry> extensionAlarm;
    std::vector<std::uint8_t> extensionUnread;
    std::vector<std::uint8_t> extensionCallDirection;  // 2 first side of a connection, 1 second side
    std::vector<WorkBytes> extensionWork;
    std::vector<QString> extensionName;

    // Lines.
    std::vector<LineEntry> lineStatus;
    std::vector<std::array<std::uint8_t, kLineProgrammingSize>> lineProgramming;
    std::vector<WorkBytes> lineWork;
    std::vector<QString> lineName;

    // Entry phones.
    std::vector<EntryPhoneEntry> entryPhoneStatus;
    std::vector<std::array<std::uint8_t, kEntryPhoneProgrammingSize>> entryPhoneProgramming;
    std::vector<std::uint8_t> entryPhoneCallDirection;
    std::vector<WorkBytes> entryPhoneWork;
    std::vector<QString> entryPhoneName;

    // Relays.
    std::vector<std::uint8_t> relayStatus;
    std::vector<std::array<std::uint8_t, kRelayProgrammingSize>> relayProgramming;
    std::vector<WorkBytes> relayWork;
    std::vector<QString> relayName;
};
