#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// Writes every byte to a terminal (or any descriptor), going on after short writes and interruptions;
// false on failure.
bool WriteAllBytes(int descriptor, const QByteArray& bytes);

// A pseudo-terminal pair in raw mode: the master end is what a serial peer (the PBX simulator, a test)
// reads and writes; the slave device is what a serial channel opens as its port. The slave stays open
// here as well, so the master never reads end-of-file while no channel holds the port.
class PseudoTerminal {
public:
    static std::unique_ptr<PseudoTerminal> Open();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int MasterDescriptor() const { return m_master; }
    QString SlavePath() const { return m_slavePath; }

    // Makes linkPath a symbolic link to the slave device (replacing what was there); the link is removed
    // with this object.
    bool PublishAs(const QString& linkPath);

    // Writes all bytes to the master end; false on failure.
    bool Write(const QByteArray& bytes);
    // Reads what arrives on the master end within the time-out (at most maxBytes); empty on time-out.
    QByteArray Read(int timeoutMs, int maxBytes = 4096);

private:
    PseudoTerminal(int master, int slave, QString slavePath);

    int m_master;
    int m_slave;
    QString m_slavePath;
    QString m_publishedLink;
};
