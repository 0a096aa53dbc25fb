#pragma once

#include "pbxport.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// The faults the simulated PBX can be told to make in its answers (events are never changed):
// - silence: no answer at all (announcements on the LAN included);
// - delayMs: each answer leaves that much later;
// - wrongCode: data answers carry code 32 instead of the request's, acknowledgements echo another command;
// - garbage: noise ahead of each answer (a junk datagram on the LAN);
// - splitGapMs: on a serial line the answer leaves in three pieces with this gap between them;
// - interleave: an event frame goes out between the request and its answer;
// - oversize: answers whose reader takes "at least" a length are padded to 120 bytes.
struct FaultSettings {
    static constexpr int kOversizeFrameSize = 120;

    bool silence = false;
    int delayMs = 0;
    bool wrongCode = false;
    bool garbage = false;
    int splitGapMs = 0;
    bool interleave = false;
    bool oversize = false;

    bool Any() const;
    // "silence delay=300 ..." or "none".
    QString Describe() const;
};

// The pieces in which an answer to the request code leaves a port under the faults; `event` is the frame
// sent first when interleaving. Nothing for silence.
QList<PortPiece> ShapeAnswer(const QByteArray& answer, std::uint8_t requestCode, const FaultSettings& faults,
                             bool stream, const QByteArray& event);

// The noise sent ahead of an answer: bytes that cannot start a frame, a lone sync byte and a sync pair
// with a code outside every list; it never ends in a sync byte, so the real frame still starts clean.
QByteArray GarbageBytes();
