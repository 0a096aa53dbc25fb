#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

// One piece of output: bytes that go out after a pause (ms after the previous piece went out). A raw
// piece is sent as it is; otherwise it is a frame, which a LAN port wraps in its envelope.
struct PortPiece {
    QByteArray bytes;
    int delayMs = 0;
    bool raw = false;
};

// A line on which the simulated PBX meets an engine: a serial line or a LAN port. Frames from the
// engine arrive as FrameReceived; output leaves strictly in the order it was queued, each piece after
// its pause, so that an answer held back or cut into pieces is never overtaken by what follows it.
class PbxPort : public QObject {
    Q_OBJECT
public:
    PbxPort();
    ~PbxPort() override;

    // "COM98", "LAN 61".
    virtual QString Name() const = 0;
    // A byte stream (serial) rather than datagrams: only a stream can carry a frame in pieces.
    virtual bool IsStream() const = 0;
    // Whether events can go out now (a LAN port needs to know its engine first).
    virtual bool HasPeer() const { return true; }

    void Transmit(const QList<PortPiece>& pieces);
    bool IsTransmitting() const { return !m_queue.isEmpty(); }

signals:
    void FrameReceived(const QByteArray& frame);

protected:
    virtual void Write(const PortPiece& piece) = 0;

private:
    void TransmitDue();

    QList<PortPiece> m_queue;
    QTimer m_pause;
};
