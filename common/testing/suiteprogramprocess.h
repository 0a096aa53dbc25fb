#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A program of a suite tree run as a process of its own, offscreen. Its standard output is read line by
// line: the lines that begin with "<Program>: " are its reports (kept without that prefix), and the
// simulator it starts announces its control socket there ("Simulvex ready: ...; control <name>").
// Its errors (and the sanitizers' reports) go where the test's go. The destructor ends it by SIGTERM,
// on which every program of the suite ends in order.
class SuiteProgramProcess {
public:
    static constexpr int kStartTimeoutMs = 60000;
    static constexpr int kStopTimeoutMs = 30000;

    explicit SuiteProgramProcess(const QString& programName);
    ~SuiteProgramProcess();
    SuiteProgramProcess(const SuiteProgramProcess&) = delete;
    SuiteProgramProcess& operator=(const SuiteProgramProcess&) = delete;

    // Starts the program in its own folder; false when it did not start.
    bool Start(const QString& programPath, const QStringList& arguments = {});
    bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }

    // The first report that starts with the text, waiting for it; empty on time-out.
    QString WaitForLine(const QString& start, int timeoutMs = kStartTimeoutMs);
    // The first report that starts with one of the texts, waiting for it or for the program's end.
    QString WaitForAnyLine(const QStringList& starts, int timeoutMs = kStartTimeoutMs);
    QStringList Lines() const { return m_lines; }
    bool HasLine(const QString& start) const;

    // Asks the program to end (SIGTERM) and waits; its exit code, -1 when it did not end in order.
    int Terminate();
    // Sends the signal to the program; false when it does not run.
    bool Signal(int signal);
    // Waits for the program to end by itself; its exit code, -1 when it did not.
    int WaitForExit();

    // One control command to the simulator that the program started; its reply line, empty without one.
    QString SimulvexCommand(const QString& line);

private:
    void ReadOutput();

    QString m_prefix;
    QProcess m_process;
    QByteArray m_pending;
    QStringList m_lines;
    QString m_simulvexControl;
};
