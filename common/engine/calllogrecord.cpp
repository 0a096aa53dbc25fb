#include "calllogrecord.h"

#include "binaryrecord.h"
#include "pbxcode.h"
#include "pbxframe.h"

#include <algorithm>

namespace {

constexpr std::size_t kMinimumAnswerSize = 6;
constexpr int kFirstYear = 2000;
constexpr std::uint8_t kEncodedZero = 10;

std::uint32_t BigEndian32(const std::uint8_t* bytes)
{
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           std::uint32_t{bytes[3]};
}

}  // namespace

QDate CallLogRecord::Date() const
{
    return QDate(kFirstYear + bytes[5], bytes[4], bytes[3]);
}

std::uint32_t CallLogRecord::Pulses() const
{
    return BigEndian32(bytes.data() + 16);
}

std::uint32_t CallLogRecord::Charge() const
{
    return BigEndian32(bytes.data() + 20);
}

QString CallLogRecord::DialledNumber() const
{
    return ReadAnsiField(QByteArrayView(bytes.data(), kSize), kNumberOffset, kNumberSize);
}

bool CallLogRecord::Decode(std::span<const std::uint8_t> answer)
{
    if (answer.size() < kMinimumAnswerSize || answer[kPbxCodeOffset] != PbxCode::kCallLogRead)
        return false;
    bytes.fill(0);
    const std::span<const std::uint8_t> payload = answer.subspan(kPbxPayloadOffset);
    std::copy_n(payload.begin(), std::min(payload.size(), kSize), bytes.begin());
    for (std::size_t i = kNumberOffset; i < kSize && bytes[i] != 0; ++i)
        bytes[i] = bytes[i] == kEncodedZero ? '0' : static_cast<std::uint8_t>('0' + bytes[i]);
    return true;
}
