#include "internetgateway.h"

#include "blockingsocket.h"
#include "socketaddress.h"

#include <QRandomGenerator>

#include <array>

namespace lodgix {

namespace {

constexpr int kCodeBytes = 6;

}  // namespace

CInternetGateway::CInternetGateway(GatewayLink link) : m_link(std::move(link)) {}

bool CInternetGateway::CreateUser(QString& code, const QString& name, const QString& birth, const QString& document,
                                  int minutes)
{
    for (int attempt = 0; attempt < kTries && !m_cancelled; ++attempt) {
        MakeAccessCode(code);
        if (SendAddUser(code, name, birth, document, minutes))
            return true;
    }
    return false;
}

std::uint8_t CInternetGateway::DeleteUser(const QString& code)
{
    for (int attempt = 0; attempt < kTries && !m_cancelled; ++attempt) {
        if (SendDeleteUser(code))
            return 1;
    }
    return 0;
}

bool CInternetGateway::SendAddUser(const QString& code, const QString& name, const QString& birth,
                                   const QString& document, int minutes)
{
    const QByteArray request =
        GatewayPacket::BuildAddUser(code, {name, birth, document}, static_cast<std::uint32_t>(minutes));
    QByteArray reply;
    return !request.isEmpty() && Transact(request, reply) && GatewayPacket::AcceptsRequest(reply, request);
}

bool CInternetGateway::SendDeleteUser(const QString& code)
{
    const QByteArray request = GatewayPacket::BuildDeleteUser(code);
    QByteArray reply;
    return !request.isEmpty() && Transact(request, reply) && GatewayPacket::AcceptsRequest(reply, request);
}

bool CInternetGateway::Transact(const QByteArray& request, QByteArray& reply)
{
    reply.clear();
    CBlockingSocket socket;
    {
        std::lock_guard lock(m_socketMutex);
        if (m_cancelled)
            return false;
        m_socket = &socket;
    }
    bool whole = false;
    try {
        socket.Create(CBlockingSocket::kDatagram);
        // Cancel may have come before the socket existed: Interrupt reaches only an open one.
        if (m_cancelled)
            socket.Interrupt();
        socket.Bind(AnySocketAddress(m_link.replyPort));
        socket.EnableBroadcast();
        const sockaddr_in to = MakeSocketAddress(m_link.address, m_link.port);
        const auto length = static_cast<std::size_t>(request.size());
        if (socket.SendDatagram(request.constData(), length, to, m_link.sendSeconds) == length) {
            std::array<char, GatewayPacket::kMaxDatagramSize> buffer{};
            const std::size_t received = socket.ReceiveDatagram(buffer.data(), buffer.size(), m_link.replySeconds);
            reply = QByteArray(buffer.data(), static_cast<qsizetype>(received));
            whole = GatewayPacket::IsWholeDatagram(reply);
        }
    } catch (const CBlockingSocketException&) {
        whole = false;
    }
    {
        std::lock_guard lock(m_socketMutex);
        m_socket = nullptr;
    }
    socket.CloseSilently();
    return whole;
}

void CInternetGateway::MakeAccessCode(QString& code)
{
    std::array<std::uint8_t, kCodeBytes> bytes{};
    QRandomGenerator* random = QRandomGenerator::system();
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(random->bounded(256));
    code.clear();
    for (std::uint8_t byte : bytes)
        code += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    ScrambleAccessCode(code);
}

void CInternetGateway::Cancel()
{
    std::lock_guard lock(m_socketMutex);
    m_cancelled = true;
    if (m_socket)
        m_socket->Interrupt();
}

}  // namespace lodgix
