#include "simulvexprocess.h"

#include "blockingsocket.h"
#include "socketaddress.h"

#include <QDir>
#include <QFile>

namespace {

constexpr int kWaitMs = 20000;
constexpr int kAttempts = 3;

}  // namespace

SimulvexProcess::SimulvexProcess() = default;

SimulvexProcess::~SimulvexProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    if (!m_process.waitForFinished(kWaitMs)) {
        m_process.kill();
        m_process.waitForFinished(kWaitMs);
    }
}

bool SimulvexProcess::Start(const TempSuite& suite) { return Start(suite.SuiteFolder()); }

bool SimulvexProcess::Start(const QString& suiteFolder)
{
    const QString folder = suiteFolder + QStringLiteral("Simulvex/");
    const QString program = folder + QStringLiteral("Simulvex");
    QDir().mkpath(folder);
    if (!QFile::exists(program) && !QFile::copy(QStringLiteral(SIMULVEX_PROGRAM), program)) {
        m_error = QStringLiteral("cannot copy the program");
        return false;
    }
    // The free port may be taken again before the program binds it: then it ends, and another is tried.
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        m_lanPort = FreeUdpPort();
        m_process.start(program, {QStringLiteral("--lan"), QString::number(m_lanPort), QStringLiteral("--lan-address"),
                                  QStringLiteral("127.0.0.1")});
        if (!m_process.waitForStarted(kWaitMs)) {
            m_error = m_process.errorString();
            return false;
        }
        const QString ready = ReadLine();
        if (ready.startsWith(QLatin1String("Simulvex ready")))
            return true;
        m_process.waitForFinished(kWaitMs);
        m_error = ready + QString::fromUtf8(m_process.readAllStandardError());
    }
    return false;
}

QString SimulvexProcess::Command(const QString& line)
{
    m_process.write((line + u'\n').toUtf8());
    return ReadLine();
}

void SimulvexProcess::Kill()
{
    m_process.kill();
    m_process.waitForFinished(kWaitMs);
}

QString SimulvexProcess::ReadLine()
{
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(kWaitMs))
            return {};
    }
    return QString::fromUtf8(m_process.readLine()).trimmed();
}
