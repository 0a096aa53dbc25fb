#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

namespace lodgix {

// The datagrams of the internet-access gateway: a 7-byte header (payload length u16, the payload's byte
// sum u32, status u8; little-endian) and the payload. Requests add or delete a guest user by its access
// code; every reply carries the operation, the code and a result.
namespace GatewayPacket {

constexpr qsizetype kHeaderSize = 7;
constexpr qsizetype kMaxDatagramSize = 512;
constexpr qsizetype kCodeLength = 12;     // characters of an access code
constexpr qsizetype kCodeFieldSize = 16;  // the code's NUL-padded field
constexpr qsizetype kTextFieldSize = 64;  // each guest text's NUL-padded field (at most 63 bytes)
constexpr qsizetype kAddUserPayloadSize = 213;
constexpr qsizetype kDeleteUserPayloadSize = 17;
constexpr qsizetype kReplyPayloadSize = 18;
constexpr std::uint8_t kAddUser = 0;
constexpr std::uint8_t kDeleteUser = 1;
constexpr std::uint8_t kDone = 0;  // the status and result of an accepted request

// The three guest texts of an add-user request: name, place and date of birth, identity document.
struct GuestTexts {
    QString name;
    QString birth;
    QString document;
};

// The request datagrams; none (an empty array) when the code is not 12 single-byte characters or a text
// needs 64 Windows-1252 bytes or more.
QByteArray BuildAddUser(const QString& code, const GuestTexts& texts, std::uint32_t minutes);
QByteArray BuildDeleteUser(const QString& code);

// A received datagram is whole when it holds its header, its stated payload and the payload's sum.
// Shorter than a header is refused before any field of it is read.
bool IsWholeDatagram(QByteArrayView datagram);

// Whether a whole reply accepts the request: payload of 18 bytes, status 0, the request's operation, the
// request's 16-byte code field byte for byte, result 0.
bool AcceptsRequest(QByteArrayView reply, QByteArrayView request);

}  // namespace GatewayPacket

// The arithmetic sum of the bytes, taken unsigned.
std::uint32_t ByteSum(const std::uint8_t* bytes, std::uint16_t length);

// Shifts each digit by its position (mod 10) and each letter by its position (mod 26, keeping its case);
// other characters stay.
void ScrambleAccessCode(QString& code);

}  // namespace lodgix
