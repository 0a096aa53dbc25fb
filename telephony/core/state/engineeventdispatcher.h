#pragma once

#include "engineerrorcode.h"
#include "oledate.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

class CEngineClient;
class CSqlDatabase;
class ConsoleRedrawTarget;
struct ExtensionEntry;
class MainSettings;
class OperatorConsoleState;

// Turns the engine's event datagrams into changes of the console's state, and tells the windows what to
// draw again through a ConsoleRedrawTarget. It also does the data side of the popup's three requests
// (missed calls, operator messages, alarms); the lists and error boxes belong to the main frame.
// Runs on the main thread.
class EngineEventDispatcher {
public:
    using Clock = std::function<OleDate()>;

    // Every reference must outlive the dispatcher. The settings hold the missed-call reference time and
    // the alarm switches.
    EngineEventDispatcher(OperatorConsoleState& state, CSqlDatabase& database, MainSettings& settings,
                          ConsoleRedrawTarget& target);

    // Relays to every workstation go through this client; without one a relay fails with kNoEngineClient.
    void SetEngineClient(const CEngineClient* client) { m_engine = client; }
    // The folder where FvCnf.fps is written when the missed-call reference moves (none: not written).
    void SetSettingsFolder(const QString& folder) { m_settingsFolder = folder; }
    // The current time (OleDate::Now by default).
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    // WM_USER+100: one datagram as the listener's CopySlot gives it. Datagrams of other PBXs, unknown
    // codes, short payloads and objects outside the tables change nothing.
    void Dispatch(std::span<const std::uint8_t> datagram);

    // WM_USER+104, before the missed-call list is shown: returns the reference time the list starts from,
    // then moves the reference to the latest missed call up to five minutes from now (now when none),
    // writes FvCnf.fps, clears the missed-call count and refreshes the popup.
    OleDate AcknowledgeMissedCalls();
    // WM_USER+105, after the message list was shown: marks the own extension's messages read and tells
    // every workstation. The code of a failed step (0 on success).
    int AcknowledgeMessages();
    // WM_USER+106. The time of the extension's alarm (the alarm list's reference date); invalid outside
    // the table.
    OleDate AlarmTime(int extension) const;
    // Action 2, after the alarm list was shown: the pending flag is cleared and the popup refreshed.
    void AlarmShown(int extension);
    // Any other action: the alarm event row is stored, action 0 marks the alarm answered (pending 2),
    // and the alarm is cleared on every workstation. The code of a failed relay (0 on success); the frame
    // shows the error box for it.
    int StoreAlarmAction(int extension, int action);

private:
    struct Event;

    void OnDialledDigits(const Event& event);
    void OnProgrammingRecord(const Event& event);
    void OnWakeUpSetting(const Event& event);
    void OnRinging(const Event& event);
    void OnConnection(const Event& event);
    // One object of an event: its kind, its index within its PBX and in the combined numbering.
    struct EventObject {
        std::uint8_t type;
        std::uint8_t local;
        int combined;
    };
    void ConnectSide(const Event& event, const EventObject& side, const EventObject& peer, std::uint8_t direction);
    void OnStateChange(const Event& event);
    void ExtensionStateChange(const Event& event, int index, std::uint8_t newState);
    void ReleaseEntryPhone(const Event& event, const ExtensionEntry& extension);
    void OnProgrammingStored(const Event& event);
    void RereadProgramming(const Event& event, std::uint8_t kind, int local);
    void OnCallerId(const Event& event);
    void OnAlarm(const Event& event);
    void OnMessageNotify(const Event& event);
    void RecountUnread(int pbxIdentifier, int extension);
    void RereadUnreadFlag();

    void Redraw(std::uint8_t kind, int index);
    // The own-extension and popup refreshes of the first PBX's events; the second PBX's never reach them.
    void RefreshOwnExtension(const Event& event);
    void RefreshPopup(const Event& event);
    void RebuildOwnExtensionStatus();
    bool IsOwnExtension(const Event& event, int combined) const;
    int Relay(std::span<const std::uint8_t> frame) const;

    OperatorConsoleState& m_state;
    CSqlDatabase& m_database;
    MainSettings& m_settings;
    ConsoleRedrawTarget& m_target;
    const CEngineClient* m_engine = nullptr;
    QString m_settingsFolder;
    Clock m_clock;
};
