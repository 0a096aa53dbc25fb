#include "localftpserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Debian's interpreter, for which python3-pyftpdlib is installed (not whatever python3 comes first).
const QString kPython = QStringLiteral("/usr/bin/python3");
constexpr int kStartTimeoutMs = 15000;
constexpr int kProbeTimeoutMs = 200;
constexpr int kStopTimeoutMs = 5000;
// Another program may take the free port between asking and listening: try again a few times.
constexpr int kStartAttempts = 3;

bool Accepts(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
    const bool connected = socket.waitForConnected(kProbeTimeoutMs);
    socket.abort();
    return connected;
}

}  // namespace

int FreeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

LocalFtpServer::LocalFtpServer()
{
    for (int attempt = 0; attempt < kStartAttempts && !m_running; ++attempt)
        m_running = Start();
}

LocalFtpServer::LocalFtpServer(const QString& user, const QString& password, bool writable)
    : m_user(user), m_password(password), m_writable(writable)
{
    for (int attempt = 0; attempt < kStartAttempts && !m_running; ++attempt)
        m_running = Start();
}

LocalFtpServer::~LocalFtpServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(kStopTimeoutMs)) {
        m_process.kill();
        m_process.waitForFinished(kStopTimeoutMs);
    }
}

bool LocalFtpServer::Start()
{
    if (!m_root.isValid() || !m_logDir.isValid())
        return false;
    m_port = FreeLoopbackPort();
    if (m_port == 0)
        return false;
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(m_logDir.filePath(QStringLiteral("ftp.log")), QIODevice::Append);
    QStringList arguments{QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"), QStringLiteral("127.0.0.1"),
                          QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-u"), m_user,
                          QStringLiteral("-P"), m_password, QStringLiteral("-d"), m_root.path()};
    if (m_writable)
        arguments << QStringLiteral("-w");
    m_process.start(kPython, arguments);
    if (!m_process.waitForStarted(kStartTimeoutMs))
        return false;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        if (Accepts(m_port))
            return true;
        if (m_process.waitForFinished(kProbeTimeoutMs))
            return false;  // it ended: the port was taken, or the module is missing
    }
    m_process.kill();
    m_process.waitForFinished(kStopTimeoutMs);
    return false;
}

QString LocalFtpServer::Log() const
{
    QFile log(m_logDir.filePath(QStringLiteral("ftp.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

bool LocalFtpServer::WriteFile(const QString& relativePath, const QByteArray& content) const
{
    const QString path = m_root.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

bool LocalFtpServer::MakeFolder(const QString& relativePath) const { return QDir().mkpath(m_root.filePath(relativePath)); }
