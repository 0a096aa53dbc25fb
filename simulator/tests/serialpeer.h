#pragma once

#include "enginepeer.h"
#include "pbxframeassembler.h"

#include <QString>

// The engine's end of the simulator's pseudo-terminal: opens the published device raw, as a serial
// channel does, and cuts what arrives into frames with a channel's 50 ms rule.
class SerialPeer : public EnginePeer {
public:
    explicit SerialPeer(const QString& devicePath);
    ~SerialPeer() override;

    bool IsOpen() const { return m_descriptor >= 0; }
    int SkippedNoise() const override { return static_cast<int>(m_assembler.SkippedBytes()); }

protected:
    bool Send(const QByteArray& bytes) override;
    bool ReadSome(int timeoutMs) override;

private:

    int m_descriptor = -1;
    CPbxFrameAssembler m_assembler;
};
