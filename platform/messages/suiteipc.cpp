#include "suiteipc.h"

#include "binaryrecord.h"
#include "suitelocation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

bool CanConnect(const QString& serverName)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    const bool connected = socket.waitForConnected(SuiteIpc::kConnectTimeoutMs);
    socket.abort();
    return connected;
}

}  // namespace

QString SuiteIpc::ServerName(Key key, const QString& name)
{
    const QString kind = key == Key::WindowClass ? QStringLiteral("class") : QStringLiteral("title");
    const QString scope = SuiteFolder() + QChar(0) + kind + QChar(0) + name;
    const QByteArray digest = QCryptographicHash::hash(scope.toUtf8(), QCryptographicHash::Sha1).toHex().left(24);
    return QStringLiteral("corvanti-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

std::unique_ptr<SuiteIpc::Registration> SuiteIpc::Register(Key key, const QString& name, MessageTarget& target)
{
    const QString serverName = ServerName(key, name);
    // Two programs starting at once must not both see the name free: the check and the listen run under
    // a lock file (a lock left by a dead process is taken over).
    QLockFile lock(QDir::tempPath() + u'/' + serverName + QStringLiteral(".lock"));
    if (!lock.tryLock(kConnectTimeoutMs * 10))
        return nullptr;
    if (CanConnect(serverName))
        return nullptr;
    // Nobody answers on the name: whatever is left there belongs to a program that died.
    QLocalServer::removeServer(serverName);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName))
        return nullptr;
    return std::make_unique<Registration>(server.release(), target);
}

bool SuiteIpc::Find(Key key, const QString& name) { return CanConnect(ServerName(key, name)); }

bool SuiteIpc::Post(Key key, const QString& name, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    QByteArray record(kRecordSize, '\0');
    PutU32(record, 0, message);
    PutU32(record, 4, static_cast<std::uint32_t>(wParam));
    PutU32(record, 8, static_cast<std::uint32_t>(wParam >> 32));
    PutU32(record, 12, static_cast<std::uint32_t>(lParam));
    PutU32(record, 16, static_cast<std::uint32_t>(static_cast<std::uint64_t>(lParam) >> 32));

    QLocalSocket socket;
    socket.connectToServer(ServerName(key, name));
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    const bool written = socket.write(record) == kRecordSize && socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return written;
}

SuiteIpc::Registration::Registration(QLocalServer* server, MessageTarget& target)
    : m_server(server), m_target(target)
{
    m_server->setParent(this);
    connect(m_server, &QLocalServer::newConnection, this, &Registration::AcceptConnections);
}

SuiteIpc::Registration::~Registration() { m_server->close(); }

void SuiteIpc::Registration::AcceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRecords(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            ReadRecords(socket);
            socket->deleteLater();
        });
        ReadRecords(socket);
    }
}

void SuiteIpc::Registration::ReadRecords(QLocalSocket* socket)
{
    while (socket->bytesAvailable() >= kRecordSize) {
        const QByteArray record = socket->read(kRecordSize);
        const std::uint64_t wParam = GetU32(record, 4) | static_cast<std::uint64_t>(GetU32(record, 8)) << 32;
        const std::uint64_t lParam = GetU32(record, 12) | static_cast<std::uint64_t>(GetU32(record, 16)) << 32;
        m_target.Post(GetU32(record, 0), wParam, static_cast<std::int64_t>(lParam));
    }
}
