#include "serialpbxport.h"

#include "pseudoterminal.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kReadChunk = 512;

}  // namespace

std::unique_ptr<SerialPbxPort> SerialPbxPort::Open(const QString& name, const QString& linkPath, QString* error)
{
    std::unique_ptr<PseudoTerminal> terminal = PseudoTerminal::Open();
    if (!terminal) {
        if (error)
            *error = QStringLiteral("no pseudo-terminal for %1").arg(name);
        return nullptr;
    }
    if (!terminal->PublishAs(linkPath)) {
        if (error)
            *error = QStringLiteral("cannot publish %1 at %2").arg(name, linkPath);
        return nullptr;
    }
    const int master = terminal->MasterDescriptor();
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    return std::unique_ptr<SerialPbxPort>(new SerialPbxPort(name, linkPath, std::move(terminal)));
}

SerialPbxPort::SerialPbxPort(const QString& name, const QString& linkPath, std::unique_ptr<PseudoTerminal> terminal)
    : m_name(name), m_linkPath(linkPath), m_terminal(std::move(terminal)), m_assembler(IsPbxCommandCode)
{
    const int master = m_terminal->MasterDescriptor();
    m_readNotifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &SerialPbxPort::ReadAvailable);
    m_writeNotifier = new QSocketNotifier(master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &SerialPbxPort::Flush);
}

SerialPbxPort::~SerialPbxPort()
{
    // The notifiers go before the descriptor they watch.
    delete m_readNotifier;
    delete m_writeNotifier;
}

QString SerialPbxPort::DevicePath() const { return m_terminal->SlavePath(); }

void SerialPbxPort::ReadAvailable()
{
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t n = ::read(m_terminal->MasterDescriptor(), buffer, sizeof buffer);
        if (n <= 0)
            return;
        const auto now = CPbxFrameAssembler::Clock::now();
        for (ssize_t i = 0; i < n; ++i) {
            if (m_assembler.Feed(static_cast<std::uint8_t>(buffer[i]), now)) {
                const auto frame = m_assembler.Frame();
                emit FrameReceived(QByteArray(reinterpret_cast<const char*>(frame.data()),
                                              static_cast<qsizetype>(frame.size())));
            }
        }
    }
}

void SerialPbxPort::Write(const PortPiece& piece)
{
    if (m_pending.size() + piece.bytes.size() > kMaxPendingBytes) {
        ++m_droppedPieces;
        return;
    }
    m_pending += piece.bytes;
    Flush();
}

void SerialPbxPort::Flush()
{
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_terminal->MasterDescriptor(), m_pending.constData(), static_cast<size_t>(m_pending.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Full: go on when the engine has read some.
            m_writeNotifier->setEnabled(true);
            return;
        }
        if (n <= 0) {
            m_pending.clear();
            break;
        }
        m_pending.remove(0, n);
    }
    m_writeNotifier->setEnabled(false);
}
