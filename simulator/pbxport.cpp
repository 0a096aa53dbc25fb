#include "pbxport.h"

PbxPort::PbxPort()
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, [this] {
        // The pause of the piece in front is over.
        m_queue.front().delayMs = 0;
        TransmitDue();
    });
}

PbxPort::~PbxPort() = default;

void PbxPort::Transmit(const QList<PortPiece>& pieces)
{
    const bool idle = m_queue.isEmpty();
    m_queue += pieces;
    if (idle)
        TransmitDue();
}

void PbxPort::TransmitDue()
{
    while (!m_queue.isEmpty()) {
        if (m_queue.front().delayMs > 0) {
            m_pause.start(m_queue.front().delayMs);
            return;
        }
        const PortPiece piece = m_queue.takeFirst();
        Write(piece);
    }
}
