#pragma once

#include "pbxcallcontrol.h"
#include "pbxmodel.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

// The code of every acknowledgement the simulated PBX sends: a request code that is no event code, so
// that every receive path delivers it as the answer in progress.
inline constexpr std::uint8_t kAcknowledgementCode = 32;
// Acknowledgement statuses: taken, or refused (a value the PBX cannot take).
inline constexpr std::uint8_t kAcknowledgeTaken = 0;
inline constexpr std::uint8_t kAcknowledgeRefused = 1;

// What the PBX does with one frame from the engine: its answer, if any, and the events that follow.
struct PbxRequestResult {
    bool answered = false;
    QByteArray answer;
    QList<QByteArray> events;
};

// Answers the engine's frames from the model. Reads answer with the layouts the engine's checks take;
// settings are acknowledged (status 1 for a value the PBX cannot take); the commands the PBX does not
// answer move the calls. A frame too short for its code is ignored, as a PBX ignores line noise; the
// request codes the engine never sends are refused with an acknowledgement so that nobody waits.
class PbxRequestHandler {
public:
    PbxRequestHandler(PbxModel& model, PbxCallControl& calls) : m_model(model), m_calls(calls) {}

    PbxRequestResult Handle(const QByteArray& frame);

private:
    int ExtensionOf(std::uint8_t byte) const;
    // The phone book (selector 3): global book 255 or the personal book of an extension the PBX has.
    bool IsBook(int book) const;
    PbxRequestResult ReadDirectory(std::uint8_t code, const QByteArray& payload);
    bool WriteDirectory(const QByteArray& payload);

    PbxModel& m_model;
    PbxCallControl& m_calls;
};

QByteArray BuildAcknowledgement(std::uint8_t command, std::uint8_t status);
