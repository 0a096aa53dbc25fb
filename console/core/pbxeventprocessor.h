#pragma once

#include "consolenotifications.h"
#include "extensioncallstate.h"
#include "linecalltables.h"
#include "linksilencecounters.h"
#include "oledate.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class BoundPbxRecords;
class CEngineClient;
class CEventSender;
class CPbxLink;
class CSqlDatabase;

// Turns the PBX events that the engine's links receive into shared state: the PBX's tables of the engine
// database, the extensions' call states and the software call log, the bound PBX's record copies, the
// view's call handling; then relays the frame to the registered workstations. Runs on the window's thread,
// one frame at a time.
//
// A frame whose payload is shorter than its handler reads changes nothing and is not relayed.
class PbxEventProcessor {
public:
    // The engine's requests of event 68 wait at most this long each.
    static constexpr int kRequestSeconds = 6;
    // wParam of a channel's message: this high word, the slot in the low word.
    static constexpr std::uint64_t kSlotTag = 0xFFFF;

    struct Services {
        std::function<std::shared_ptr<CPbxLink>(int pbx)> link;
        CSqlDatabase* database = nullptr;
        // The local engine client (event 68) and the event sender (null on a client: nothing is relayed);
        // asked for each frame, as a restart of the engine replaces them.
        std::function<const CEngineClient*()> engineClient;
        std::function<CEventSender*()> eventSender;
        BoundPbxRecords* boundRecords = nullptr;
        std::function<int()> boundPbx;
        std::function<int()> boundExtension;
        ExtensionCallStateTable* callStates = nullptr;
        // "now" for the call states and the call log; taken once per frame.
        std::function<OleDate()> clock;
        ConsoleNotifications notifications;
    };

    explicit PbxEventProcessor(Services services);

    // The registered channel message: wParam = 0xFFFF << 16 | slot, lParam = PBX index. Always 0.
    std::int64_t StorePbxEvent(std::uint64_t wParam, std::int64_t lParam);
    // The work of one frame of the PBX, as StorePbxEvent does after reading it from its slot.
    void ProcessFrame(int pbx, std::span<const std::uint8_t> frame);

    LinkSilenceCounters& SilenceCounters() { return m_silence; }
    LineCallTables& Lines() { return m_lines; }

private:
    using Frame = std::span<const std::uint8_t>;
    struct Handler {
        std::uint8_t code;
        std::size_t minimumPayload;
        void (PbxEventProcessor::*handle)(int pbx, Frame frame);
    };
    static const Handler* FindHandler(std::uint8_t code);

    void OnDigits(int pbx, Frame frame);             // 13
    void OnHandsetOff(int pbx, Frame frame);         // 14
    void OnHandsetOn(int pbx, Frame frame);          // 15
    void OnWakeUpResult(int pbx, Frame frame);       // 42
    void OnRing(int pbx, Frame frame);               // 51
    void OnLink(int pbx, Frame frame);               // 60
    void OnStateChange(int pbx, Frame frame);        // 65
    void OnCallRecord(int pbx, Frame frame);         // 67
    void OnProgrammingChanged(int pbx, Frame frame); // 68
    void OnCallerId(int pbx, Frame frame);           // 70
    void OnAlarm(int pbx, Frame frame);              // 71

    // Event 60, steps 2 and 3: the extension's entry takes its partner.
    void LinkEntry(int pbx, int extension, int partnerType, int partnerIndex, std::uint8_t kindWithExtension);
    void ChangeExtensionState(int pbx, int extension, int state, QByteArray& digitFrame);
    void ChangeLineState(int pbx, int line, int state);
    void EndCall(int pbx, int extension, const QByteArray& status);
    void FillFromLine(int pbx, ExtensionCallState& entry);
    void Log(int pbx, int extension, const ExtensionCallState& entry);
    void RefreshProgramming(int pbx, int objectType, int index);
    void HandleCallerId(int pbx, int line, const QByteArray& number);

    void Relay(int pbx, Frame frame);
    bool IsBoundPbx(int pbx) const;
    bool IsBoundExtension(int pbx, int extension) const;
    ExtensionCallState* Entry(int pbx, int extension);
    QString LineCallerIdFromDatabase(int pbx, int line, std::uint8_t* state = nullptr);

    Services m_services;
    LineCallTables m_lines;
    LinkSilenceCounters m_silence;
    OleDate m_now;
};
