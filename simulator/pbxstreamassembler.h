#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <functional>

// Cuts a byte stream (a serial line) into PbxFrames: hunts for 0x16 0x16, takes a code the reader
// accepts, the payload length and the payload. Bytes that cannot start a frame are skipped, and a frame
// left unfinished for longer than the gap is dropped, so that a peer that broke off mid-frame does not
// swallow the next one. Which codes count is the reader's: the PBX takes the engine's commands, the
// engine side takes requests and events.
class PbxStreamAssembler {
public:
    using CodeFilter = std::function<bool(std::uint8_t code)>;
    static constexpr qint64 kDefaultGapMs = 100;

    explicit PbxStreamAssembler(CodeFilter acceptsCode, qint64 gapMs = kDefaultGapMs);

    // Feeds bytes that arrived at nowMs (any steadily rising clock); the frames they complete, in order.
    QList<QByteArray> Feed(const QByteArray& bytes, qint64 nowMs);
    bool IsInsideFrame() const { return !m_buffer.isEmpty(); }
    // Bytes skipped because they could not belong to a frame, and partial frames dropped, since creation.
    int SkippedBytes() const { return m_skipped; }

private:
    void Restart();

    CodeFilter m_acceptsCode;
    qint64 m_gapMs;
    QByteArray m_buffer;
    qint64 m_lastByteMs = 0;
    int m_skipped = 0;
};

// The codes a PBX takes from the engine: requests, the commands it does not answer, and key presses.
bool IsPbxCommandCode(std::uint8_t code);
