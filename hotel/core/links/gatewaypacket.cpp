#include "gatewaypacket.h"

#include "binaryrecord.h"

namespace lodgix {

namespace {

constexpr qsizetype kLengthOffset = 0;
constexpr qsizetype kSumOffset = 2;
constexpr qsizetype kStatusOffset = 6;
// Payload offsets of the requests (the operation first) and of the reply.
constexpr qsizetype kOperationOffset = 0;
constexpr qsizetype kCodeOffset = 1;
constexpr qsizetype kFirstTextOffset = 17;
constexpr qsizetype kMinutesOffset = 209;
constexpr qsizetype kResultOffset = 17;

// The code as its field, or nothing when it is not 12 single-byte characters.
std::optional<QByteArray> CodeBytes(const QString& code)
{
    const QByteArray bytes = EncodeAnsi(code);
    if (code.size() != GatewayPacket::kCodeLength || bytes.size() != GatewayPacket::kCodeLength || bytes.contains('\0'))
        return std::nullopt;
    return bytes;
}

bool FitsTextField(const QString& text)
{
    const QByteArray bytes = EncodeAnsi(text);
    return bytes.size() < GatewayPacket::kTextFieldSize && !bytes.contains('\0');
}

void PutBytes(QByteArray& packet, qsizetype offset, const QByteArray& bytes)
{
    packet.replace(offset, bytes.size(), bytes);
}

// A packet of the payload's size with its operation and code; the header's sum is set by Seal.
QByteArray Packet(qsizetype payloadSize, std::uint8_t operation, const QByteArray& code)
{
    QByteArray packet(GatewayPacket::kHeaderSize + payloadSize, '\0');
    PutU16(packet, kLengthOffset, static_cast<std::uint16_t>(payloadSize));
    PutU8(packet, GatewayPacket::kHeaderSize + kOperationOffset, operation);
    PutBytes(packet, GatewayPacket::kHeaderSize + kCodeOffset, code);
    return packet;
}

QByteArray Seal(QByteArray packet)
{
    const auto* payload = reinterpret_cast<const std::uint8_t*>(packet.constData()) + GatewayPacket::kHeaderSize;
    PutU32(packet, kSumOffset, ByteSum(payload, static_cast<std::uint16_t>(packet.size() - GatewayPacket::kHeaderSize)));
    return packet;
}

}  // namespace

QByteArray GatewayPacket::BuildAddUser(const QString& code, const GuestTexts& texts, std::uint32_t minutes)
{
    const std::optional<QByteArray> codeBytes = CodeBytes(code);
    const QString fields[] = {texts.name, texts.birth, texts.document};
    if (!codeBytes)
        return {};
    for (const QString& text : fields) {
        if (!FitsTextField(text))
            return {};
    }
    QByteArray packet = Packet(kAddUserPayloadSize, kAddUser, *codeBytes);
    qsizetype offset = kHeaderSize + kFirstTextOffset;
    for (const QString& text : fields) {
        PutBytes(packet, offset, EncodeAnsi(text));
        offset += kTextFieldSize;
    }
    PutU32(packet, kHeaderSize + kMinutesOffset, minutes);
    return Seal(packet);
}

QByteArray GatewayPacket::BuildDeleteUser(const QString& code)
{
    const std::optional<QByteArray> codeBytes = CodeBytes(code);
    if (!codeBytes)
        return {};
    return Seal(Packet(kDeleteUserPayloadSize, kDeleteUser, *codeBytes));
}

bool GatewayPacket::IsWholeDatagram(QByteArrayView datagram)
{
    if (datagram.size() < kHeaderSize || datagram.size() > kMaxDatagramSize)
        return false;
    const std::uint16_t payloadSize = GetU16(datagram, kLengthOffset);
    if (datagram.size() < kHeaderSize + payloadSize)
        return false;
    const auto* payload = reinterpret_cast<const std::uint8_t*>(datagram.data()) + kHeaderSize;
    return GetU32(datagram, kSumOffset) == ByteSum(payload, payloadSize);
}

bool GatewayPacket::AcceptsRequest(QByteArrayView reply, QByteArrayView request)
{
    if (!IsWholeDatagram(reply) || request.size() < kHeaderSize + kCodeOffset + kCodeFieldSize)
        return false;
    const QByteArrayView sentCode = request.sliced(kHeaderSize + kCodeOffset, kCodeFieldSize);
    return GetU16(reply, kLengthOffset) == kReplyPayloadSize && GetU8(reply, kStatusOffset) == kDone &&
           GetU8(reply, kHeaderSize + kOperationOffset) == GetU8(request, kHeaderSize + kOperationOffset) &&
           reply.sliced(kHeaderSize + kCodeOffset, kCodeFieldSize) == sentCode &&
           GetU8(reply, kHeaderSize + kResultOffset) == kDone;
}

std::uint32_t ByteSum(const std::uint8_t* bytes, std::uint16_t length)
{
    std::uint32_t sum = 0;
    for (std::uint16_t i = 0; i < length; ++i)
        sum += bytes[i];
    return sum;
}

void ScrambleAccessCode(QString& code)
{
    for (qsizetype i = 0; i < code.size(); ++i) {
        const char16_t c = code.at(i).unicode();
        const auto shift = [i](char16_t first, char16_t value, int span) {
            return QChar(static_cast<char16_t>(first + (value - first + i) % span));
        };
        if (c >= u'0' && c <= u'9')
            code[i] = shift(u'0', c, 10);
        else if (c >= u'A' && c <= u'Z')
            code[i] = shift(u'A', c, 26);
        else if (c >= u'a' && c <= u'z')
            code[i] = shift(u'a', c, 26);
    }
}

}  // namespace lodgix
