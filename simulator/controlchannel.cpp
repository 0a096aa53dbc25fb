#include "controlchannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kStdin = 0;
constexpr int kReadChunk = 4096;
const char kTooLong[] = "ERROR line too long\n";

}  // namespace

ControlChannel::ControlChannel(Executor execute) : m_execute(std::move(execute)) {}

ControlChannel::~ControlChannel()
{
    delete m_stdinNotifier;
}

bool ControlChannel::Listen(const QString& name, QString* error)
{
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1: %2").arg(name, m_server->errorString());
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &ControlChannel::Accept);
    return true;
}

QString ControlChannel::FullServerName() const { return m_server ? m_server->fullServerName() : QString(); }

void ControlChannel::Accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        auto buffer = std::make_shared<QByteArray>();
        const auto answer = [this, socket, buffer] {
            *buffer += socket->readAll();
            AnswerLines(*buffer, [socket](const QByteArray& reply) {
                socket->write(reply);
                socket->flush();
            });
        };
        connect(socket, &QLocalSocket::readyRead, this, answer);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        answer();
    }
}

void ControlChannel::AnswerLines(QByteArray& buffer, const std::function<void(const QByteArray&)>& reply)
{
    for (;;) {
        const qsizetype end = buffer.indexOf('\n');
        if (end < 0) {
            if (buffer.size() > kMaxLineLength) {
                reply(kTooLong);
                buffer.clear();
            }
            return;
        }
        const QByteArray line = buffer.left(end);
        buffer.remove(0, end + 1);
        if (line.size() > kMaxLineLength) {
            reply(kTooLong);
            continue;
        }
        const QString command = QString::fromUtf8(line).trimmed();
        // Blank lines and comments get no reply, so that a script file reads the same here.
        if (command.isEmpty() || command.startsWith(u'#'))
            continue;
        reply(m_execute(command).toUtf8() + '\n');
    }
}

void ControlChannel::ReadStandardInput()
{
    m_stdinNotifier = new QSocketNotifier(kStdin, QSocketNotifier::Read);
    connect(m_stdinNotifier, &QSocketNotifier::activated, this, &ControlChannel::ReadStdin);
}

void ControlChannel::ReadStdin()
{
    char chunk[kReadChunk];
    const ssize_t n = ::read(kStdin, chunk, sizeof chunk);
    if (n <= 0) {
        // End of input (or a closed one): the socket still takes commands.
        m_stdinNotifier->setEnabled(false);
        return;
    }
    m_stdinBuffer.append(chunk, n);
    AnswerLines(m_stdinBuffer, [](const QByteArray& reply) {
        std::fwrite(reply.constData(), 1, static_cast<size_t>(reply.size()), stdout);
        std::fflush(stdout);
    });
}
