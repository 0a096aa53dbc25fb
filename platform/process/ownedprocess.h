#pragma once

#include <QString>
#include <QStringList>

// A program started detached (it keeps running when this program ends first, and inherits its standard
// streams), whose end this program may ask for later. The process is held by a descriptor from its start,
// so that a later process given the same id is never signalled.
class OwnedProcess {
public:
    OwnedProcess() = default;
    ~OwnedProcess();  // lets the program run on
    OwnedProcess(const OwnedProcess&) = delete;
    OwnedProcess& operator=(const OwnedProcess&) = delete;

    // Starts the program in the folder (empty: the current one); a program held before is let go. False
    // when it could not start.
    bool Start(const QString& program, const QStringList& arguments = {}, const QString& folder = {});
    bool IsRunning() const;
    qint64 ProcessId() const { return m_processId; }
    // Asks the program to end (SIGTERM) and waits up to the time for its end; true when it ended (or was
    // not running). The program is let go either way.
    bool Terminate(int timeoutMs);

private:
    void Release();

    qint64 m_processId = 0;
    int m_descriptor = -1;
};
