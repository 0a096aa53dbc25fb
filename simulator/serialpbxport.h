#pragma once

#include "pbxframeassembler.h"
#include "pbxport.h"

#include <QString>

#include <memory>

class PseudoTerminal;
class QSocketNotifier;

// The PBX's serial line: the master end of a pseudo-terminal whose slave device is published as the
// link an engine opens as its COM port. Output that the engine does not read yet waits in a bounded
// buffer; beyond it whole pieces are dropped rather than the simulator blocking.
class SerialPbxPort : public PbxPort {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxPendingBytes = 64 * 1024;

    // Opens a pseudo-terminal and publishes it at linkPath; null with the reason in `error` on failure.
    static std::unique_ptr<SerialPbxPort> Open(const QString& name, const QString& linkPath, QString* error);
    ~SerialPbxPort() override;

    QString Name() const override { return m_name; }
    bool IsStream() const override { return true; }
    QString LinkPath() const { return m_linkPath; }
    QString DevicePath() const;
    int DroppedPieces() const { return m_droppedPieces; }

protected:
    void Write(const PortPiece& piece) override;

private:
    SerialPbxPort(const QString& name, const QString& linkPath, std::unique_ptr<PseudoTerminal> terminal);
    void ReadAvailable();
    void Flush();

    QString m_name;
    QString m_linkPath;
    std::unique_ptr<PseudoTerminal> m_terminal;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    CPbxFrameAssembler m_assembler;
    QByteArray m_pending;
    int m_droppedPieces = 0;
};
