#pragma once

#include "pbxinitialization.h"
#include "pbxobjecttype.h"
#include "pbxsystemconfiguration.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// What a status request reports of an extension, line or entry phone, and what the calls move.
struct PbxObjectStatus {
    static constexpr std::uint8_t kNone = 255;

    std::uint8_t state = 2;  // ExtensionState; 2 ready (idle)
    std::uint8_t linkType = kNone;
    std::uint8_t linkIndex = kNone;
    std::uint8_t followMe = kNone;
    std::uint8_t timeout = 0;
    std::uint8_t handset = 0;  // 1 off hook
};

// One call of an extension's call log, as the PBX keeps it.
struct PbxLoggedCall {
    QDateTime start;
    int durationSeconds = 0;
    std::uint8_t line = 0;
    std::uint32_t pulses = 0;
    std::uint32_t charge = 0;
    bool outgoing = true;
    QString number;  // digits only
};

// The simulated PBX: its counts and boards, model text, system configuration, a programming record and a
// status per object, a wake-up setting, dialled digits and a call log per extension, a caller id per
// line, and a clock that runs at the PC's pace from wherever it was set. Indexes are checked by the
// callers (HasObject); the tables always hold exactly the detected count of each kind.
class PbxModel {
public:
    static constexpr int kMaxObjects = 255;
    static constexpr int kMaxBoards = 100;
    static constexpr int kMaxModelText = 120;
    static constexpr int kMaxLoggedCalls = 255;
    static constexpr int kWakeUpSize = 5;
    static constexpr int kTimeBands = 4;

    PbxModel();

    // Object counts (types 1-4). Setting a count above the handled maximum raises the maximum; new
    // objects start idle with an empty programming record.
    int Count(std::uint8_t objectType) const;
    bool SetCount(std::uint8_t objectType, int count);
    bool HasObject(std::uint8_t objectType, int index) const;

    std::uint8_t OwnExtension() const { return m_ownExtension; }
    void SetOwnExtension(std::uint8_t extension) { m_ownExtension = extension; }
    int BoardCount() const { return static_cast<int>(m_boards.size()); }
    // Boards are of types 1, 2, 3... in order.
    bool SetBoardCount(int count);
    QString ModelText() const { return m_modelText; }
    bool SetModelText(const QString& text);

    std::uint8_t ConfigurationByte(int index) const { return m_configuration.bytes[index]; }
    void SetConfigurationByte(int index, std::uint8_t value) { m_configuration.bytes[index] = value; }

    // The payload of the initialization answer: 16 counts, the board types, the model text and its NUL.
    QByteArray InitializationPayload() const;
    // The records the engine builds from this PBX's answers, for the numbering plan.
    PbxInitialization Initialization() const;
    const PbxSystemConfiguration& Configuration() const { return m_configuration; }

    // The whole programming record of an object (type byte and index byte first); the system record
    // answers any index.
    QByteArray Programming(std::uint8_t objectType, int index) const;
    // A record of the object's type and size, whose first two bytes name that object.
    bool SetProgramming(std::uint8_t objectType, int index, const QByteArray& record);

    PbxObjectStatus& Status(std::uint8_t objectType, int index);
    const PbxObjectStatus& Status(std::uint8_t objectType, int index) const;
    // The 7 status bytes, as the engine stores them: object type, index, state, link type, link index,
    // follow-me, time-out. The handset is reported by its own event only.
    QByteArray StatusBytes(std::uint8_t objectType, int index) const;

    QString& Digits(int extension) { return m_extensions[extension].digits; }
    QDateTime& CallStart(int extension) { return m_extensions[extension].callStart; }
    // Whether the extension's current call was placed by it (its digits are then the called number).
    bool& CallOutgoing(int extension) { return m_extensions[extension].callOutgoing; }
    QString& CallerId(int line) { return m_lineCallerIds[line]; }

    // Extension, mode, hour, minute, second.
    std::array<std::uint8_t, kWakeUpSize> WakeUp(int extension) const { return m_extensions[extension].wakeUp; }
    void SetWakeUp(int extension, std::uint8_t mode, std::uint8_t hour, std::uint8_t minute, std::uint8_t second);

    // Call log: records are kept until cleared; reading walks them with a cursor per extension.
    bool AddLoggedCall(int extension, const PbxLoggedCall& call);
    // What the log records of a call in its pulses field: the seconds, when bit 3 of ExtensioneBitmap1
    // says the PBX times its calls, else a pulse per started minute; 0 for a call that came in.
    std::uint32_t LoggedPulses(int durationSeconds, bool outgoing) const;
    int LoggedCallCount(int extension) const;
    void ClearCallLog(int extension);
    // The 45-byte payload of the call-log answer: the first record (next = false) or the one after the
    // last read; kind 2 past the last record, kind 0 for an empty log.
    QByteArray ReadCallLog(int extension, bool next);

    QDateTime Now() const;
    void SetClock(const QDateTime& time);

    // Events are sent only while state reporting is on (the engine switches it on after its start-up
    // reads); off at start, so that nothing piles up on a line nobody reads.
    bool StateReporting() const { return m_stateReporting; }
    void SetStateReporting(bool on) { m_stateReporting = on; }

private:
    struct ObjectEntry {
        QByteArray programming;
        PbxObjectStatus status;
    };
    struct ExtensionData {
        std::array<std::uint8_t, kWakeUpSize> wakeUp{};
        QString digits;
        QDateTime callStart;
        bool callOutgoing = false;
        QList<QByteArray> callLog;
        int callLogCursor = 0;
    };

    std::vector<ObjectEntry>& Table(std::uint8_t objectType);
    const std::vector<ObjectEntry>& Table(std::uint8_t objectType) const;
    static int MaxOffset(std::uint8_t objectType);

    std::uint8_t m_ownExtension = 0;
    std::array<std::uint8_t, 5> m_maxima{};  // by object type; [0] unused
    QByteArray m_boards;
    QString m_modelText;
    PbxSystemConfiguration m_configuration;
    std::uint8_t m_systemVolume = 5;
    std::vector<ObjectEntry> m_tables[5];  // by object type; [0] unused
    std::vector<ExtensionData> m_extensions;
    std::vector<QString> m_lineCallerIds;
    qint64 m_clockOffsetMs = 0;
    bool m_stateReporting = false;
};
