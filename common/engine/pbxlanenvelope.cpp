#include "pbxlanenvelope.h"

#include "pbxframe.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t kAnnouncedPortSize = 2;

// The text of an announcement body: non-empty, its NUL as the last byte and nowhere before.
std::optional<std::string> TerminatedText(std::span<const std::uint8_t> body)
{
    if (body.size() < 2 || body.back() != 0)
        return std::nullopt;
    const auto text = body.first(body.size() - 1);
    if (std::find(text.begin(), text.end(), std::uint8_t{0}) != text.end())
        return std::nullopt;
    return std::string(text.begin(), text.end());
}

std::vector<std::uint8_t> TextWithNul(std::string_view text)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> BuildLanEnvelope(std::uint8_t kind, std::span<const std::uint8_t> payload)
{
    if (payload.size() > std::numeric_limits<std::uint16_t>::max())
        return {};
    std::vector<std::uint8_t> datagram;
    datagram.reserve(kLanEnvelopeHeaderSize + payload.size());
    datagram.push_back(kind);
    datagram.push_back(static_cast<std::uint8_t>(payload.size() >> 8));
    datagram.push_back(static_cast<std::uint8_t>(payload.size() & 0xFF));
    datagram.insert(datagram.end(), payload.begin(), payload.end());
    return datagram;
}

std::vector<std::uint8_t> BuildLanFrameDatagram(std::span<const std::uint8_t> frame)
{
    return BuildLanEnvelope(kLanFrameKind, frame);
}

std::vector<std::uint8_t> BuildEngineAnnouncement(std::uint16_t port, std::string_view dottedAddress)
{
    std::vector<std::uint8_t> payload{static_cast<std::uint8_t>(port & 0xFF), static_cast<std::uint8_t>(port >> 8)};
    const auto text = TextWithNul(dottedAddress);
    payload.insert(payload.end(), text.begin(), text.end());
    return BuildLanEnvelope(kLanAnnouncementKind, payload);
}

std::vector<std::uint8_t> BuildPbxAnnouncement(std::string_view dottedAddress)
{
    return BuildLanEnvelope(kLanAnnouncementKind, TextWithNul(dottedAddress));
}

std::optional<LanEnvelope> ParseLanEnvelope(std::span<const std::uint8_t> datagram)
{
    if (datagram.size() <= kLanEnvelopeHeaderSize)
        return std::nullopt;
    return LanEnvelope{datagram[kLanKindOffset], datagram.subspan(kLanEnvelopeHeaderSize)};
}

std::optional<std::span<const std::uint8_t>> ParseLanFrameDatagram(std::span<const std::uint8_t> datagram)
{
    const auto envelope = ParseLanEnvelope(datagram);
    if (!envelope || envelope->kind != kLanFrameKind)
        return std::nullopt;
    const auto frame = envelope->payload;
    if (frame.size() < kPbxFrameHeaderSize || frame[0] != kPbxSync || frame[1] != kPbxSync ||
        std::size_t{frame[kPbxPayloadLengthOffset]} + kPbxFrameHeaderSize != frame.size())
        return std::nullopt;
    return frame;
}

std::optional<EngineAnnouncement> ParseEngineAnnouncement(std::span<const std::uint8_t> datagram)
{
    const auto envelope = ParseLanEnvelope(datagram);
    if (!envelope || envelope->kind != kLanAnnouncementKind || envelope->payload.size() <= kAnnouncedPortSize)
        return std::nullopt;
    const auto payload = envelope->payload;
    auto text = TerminatedText(payload.subspan(kAnnouncedPortSize));
    if (!text)
        return std::nullopt;
    const auto port = static_cast<std::uint16_t>(payload[0] | (payload[1] << 8));
    return EngineAnnouncement{port, std::move(*text)};
}

std::optional<std::string> ParsePbxAnnouncement(std::span<const std::uint8_t> datagram)
{
    const auto envelope = ParseLanEnvelope(datagram);
    if (!envelope || envelope->kind != kLanAnnouncementKind)
        return std::nullopt;
    return TerminatedText(envelope->payload);
}
