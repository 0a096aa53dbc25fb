#pragma once

#include "pbxeventbuilder.h"
#include "pbxmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// The telephony of the simulated PBX: hooks, dialling, rings, answers, hang-ups, wake-up calls. Each
// operation moves the model and returns the event frames the PBX sends for it, in order; an operation
// that does not fit the objects' states changes nothing and says why.
//
// Calls: an extension dialling "0", or a line's access code, seizes a line (state 14) and the digits that
// follow are the called number until the far end answers (Connect). Dialling another extension's
// number rings it. A connected call with a line ends in the PBX's call record and a call-log entry.
class PbxCallControl {
public:
    struct Outcome {
        QList<QByteArray> events;
        QString error;  // empty on success
        bool Ok() const { return error.isEmpty(); }
    };

    explicit PbxCallControl(PbxModel& model) : m_model(model) {}

    // Handset lifted: answers a ringing extension, gives an idle one the dial tone (state 16).
    Outcome OffHook(int extension);
    // Handset down, or the call given up: whatever the extension has ends.
    Outcome OnHook(int extension);
    // Digits dialled on the extension. Keypad digits are reported one digit event each; digits that the
    // engine sends are not (the engine notes them itself). An idle extension is taken off hook first.
    Outcome Dial(int extension, const QString& digits, bool fromKeypad);
    // The called party of a seized line, or the called extension, answers.
    Outcome Connect(int extension);
    // A whole outgoing call from an idle extension over an idle line, up to the answer.
    Outcome PlaceCall(int extension, int line, const QString& number);
    // An idle extension rings, called by a line (with an optional caller id in either message kind), an
    // entry phone or another idle extension.
    Outcome Ring(int extension, std::uint8_t fromType, int fromIndex, const QString& callerId,
                 CallerIdFormat format = CallerIdFormat::kParameters);
    // The wake-up call of an idle extension rings and ends with the answer result (1 answered).
    Outcome WakeUpCall(int extension, std::uint8_t answer);
    // Sets an object's state as the PBX reports it, without touching its links.
    Outcome SetState(std::uint8_t objectType, int index, std::uint8_t state);

private:
    void Release(Outcome& outcome, std::uint8_t objectType, int index);
    void LogLineCall(Outcome& outcome, int extension, int line);
    bool SeizeLineByDigits(Outcome& outcome, int extension, const QString& digits);
    void SeizeLine(Outcome& outcome, int extension, int line);
    void RingCalledExtension(Outcome& outcome, int caller, const QString& digits);
    void Link(Outcome& outcome, int extension, std::uint8_t partnerType, int partnerIndex);
    // Links an extension and its partner to each other, each in its own state.
    void Pair(int extension, std::uint8_t ownState, std::uint8_t partnerType, int partnerIndex,
              std::uint8_t partnerState);
    int FreeLine() const;
    bool IsIdle(std::uint8_t objectType, int index) const;
    static Outcome Refused(const QString& why) { return {{}, why}; }

    PbxModel& m_model;
};
