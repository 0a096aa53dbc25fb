#include "suiteprogramprocess.h"

#include <csignal>

#include "waitfor.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QProcessEnvironment>

#include <algorithm>

namespace {

constexpr int kReplyTimeoutMs = 10000;
const QString kSimulvexReady = QStringLiteral("Simulvex ready: ");
const QString kControlMarker = QStringLiteral("; control ");

}  // namespace

SuiteProgramProcess::SuiteProgramProcess(const QString& programName) : m_prefix(programName + QStringLiteral(": "))
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

SuiteProgramProcess::~SuiteProgramProcess()
{
    if (IsRunning() && Terminate() < 0) {
        m_process.kill();
        m_process.waitForFinished(kStopTimeoutMs);
    }
}

bool SuiteProgramProcess::Start(const QString& programPath, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(QFileInfo(programPath).absolutePath());
    m_process.start(programPath, arguments);
    return m_process.waitForStarted(kStartTimeoutMs);
}

void SuiteProgramProcess::ReadOutput()
{
    m_pending += m_process.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(m_pending.left(end)).trimmed();
        m_pending.remove(0, end + 1);
        if (line.startsWith(m_prefix))
            m_lines << line.mid(m_prefix.size());
        else if (line.startsWith(kSimulvexReady) && line.contains(kControlMarker))
            m_simulvexControl = line.mid(line.indexOf(kControlMarker) + kControlMarker.size()).trimmed();
    }
}

bool SuiteProgramProcess::HasLine(const QString& start) const
{
    return std::any_of(m_lines.begin(), m_lines.end(), [&start](const QString& line) { return line.startsWith(start); });
}

QString SuiteProgramProcess::WaitForAnyLine(const QStringList& starts, int timeoutMs)
{
    QString found;
    WaitFor(
        [&] {
            ReadOutput();
            for (const QString& line : m_lines) {
                for (const QString& start : starts) {
                    if (line.startsWith(start)) {
                        found = line;
                        return true;
                    }
                }
            }
            return !IsRunning();
        },
        timeoutMs);
    return found;
}

QString SuiteProgramProcess::WaitForLine(const QString& start, int timeoutMs)
{
    QString found;
    WaitFor(
        [&] {
            ReadOutput();
            for (const QString& line : m_lines) {
                if (line.startsWith(start)) {
                    found = line;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

int SuiteProgramProcess::Terminate()
{
    if (!IsRunning())
        return WaitForExit();
    m_process.terminate();
    return WaitForExit();
}

bool SuiteProgramProcess::Signal(int signal)
{
    return IsRunning() && ::kill(static_cast<pid_t>(m_process.processId()), signal) == 0;
}

int SuiteProgramProcess::WaitForExit()
{
    const bool ended = WaitFor([this] { return !IsRunning(); }, kStopTimeoutMs);
    ReadOutput();
    if (!ended || m_process.exitStatus() != QProcess::NormalExit)
        return -1;
    return m_process.exitCode();
}

QString SuiteProgramProcess::SimulvexCommand(const QString& line)
{
    ReadOutput();
    if (m_simulvexControl.isEmpty())
        return {};
    QLocalSocket socket;
    socket.connectToServer(m_simulvexControl);
    if (!socket.waitForConnected(kReplyTimeoutMs))
        return {};
    socket.write((line + u'\n').toUtf8());
    if (!WaitFor([&socket] { return socket.canReadLine() || socket.waitForReadyRead(10); }, kReplyTimeoutMs))
        return {};
    return QString::fromUtf8(socket.readLine()).trimmed();
}
