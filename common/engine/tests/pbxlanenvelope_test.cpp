#include "pbxlanenvelope.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Span(const std::optional<std::span<const std::uint8_t>>& bytes)
{
    return bytes ? Bytes(bytes->begin(), bytes->end()) : Bytes{};
}

TEST(PbxLanEnvelope, FrameDatagramWrapsTheFrameWithItsLengthHighByteFirst)
{
    const Bytes frame = {0x16, 0x16, 0x1E, 0x00};
    EXPECT_EQ(BuildLanFrameDatagram(frame), (Bytes{0xB0, 0x00, 0x04, 0x16, 0x16, 0x1E, 0x00}));

    Bytes longFrame(4 + 255, 0x41);
    longFrame[0] = longFrame[1] = 0x16;
    longFrame[3] = 255;
    const Bytes datagram = BuildLanFrameDatagram(longFrame);
    ASSERT_EQ(datagram.size(), kMaxLanDatagramSize);
    EXPECT_EQ(datagram[1], 0x01);
    EXPECT_EQ(datagram[2], 0x03);
    EXPECT_EQ(Span(ParseLanFrameDatagram(datagram)), longFrame);
}

TEST(PbxLanEnvelope, AnnouncementsCarryTheirAddressWithItsNul)
{
    const Bytes engine = BuildEngineAnnouncement(13398, "10.0.0.7");
    EXPECT_EQ(engine, (Bytes{0xA0, 0x00, 0x0B, 0x56, 0x34, '1', '0', '.', '0', '.', '0', '.', '7', 0}));
    const auto parsedEngine = ParseEngineAnnouncement(engine);
    ASSERT_TRUE(parsedEngine);
    EXPECT_EQ(parsedEngine->port, 13398);
    EXPECT_EQ(parsedEngine->address, "10.0.0.7");

    const Bytes pbx = BuildPbxAnnouncement("127.0.0.1");
    EXPECT_EQ(pbx, (Bytes{0xA0, 0x00, 0x0A, '1', '2', '7', '.', '0', '.', '0', '.', '1', 0}));
    EXPECT_EQ(ParsePbxAnnouncement(pbx), "127.0.0.1");
    // Each kind of announcement is no frame datagram.
    EXPECT_FALSE(ParseLanFrameDatagram(pbx));
}

TEST(PbxLanEnvelope, PayloadIsWhatFollowsTheHeaderWhateverTheLengthField)
{
    EXPECT_FALSE(ParseLanEnvelope(Bytes{}));
    EXPECT_FALSE(ParseLanEnvelope(Bytes{0xB0, 0x00}));
    EXPECT_FALSE(ParseLanEnvelope(Bytes{0xB0, 0x00, 0x00}));  // header alone
    const struct {
        const char* what;
        Bytes datagram;
        Bytes payload;
    } cases[] = {
        {"field matches", {0x55, 0x00, 0x02, 7, 8}, {7, 8}},
        {"field larger", {0xB0, 0x00, 0x05, 1, 2, 3, 4}, {1, 2, 3, 4}},
        {"field smaller", {0xB0, 0x00, 0x01, 1, 2}, {1, 2}},
        {"field far too large", {0xB0, 0xFF, 0xFF, 1}, {1}},
    };
    for (const auto& c : cases) {
        const auto envelope = ParseLanEnvelope(c.datagram);
        ASSERT_TRUE(envelope) << c.what;
        EXPECT_EQ(envelope->kind, c.datagram[0]) << c.what;
        EXPECT_EQ(Bytes(envelope->payload.begin(), envelope->payload.end()), c.payload) << c.what;
    }
    // A frame in an envelope whose field disagrees is taken by its own length byte.
    EXPECT_EQ(Span(ParseLanFrameDatagram(Bytes{0xB0, 0x00, 0x09, 0x16, 0x16, 0x3C, 0x01, 0x07})),
              (Bytes{0x16, 0x16, 0x3C, 0x01, 0x07}));
}

TEST(PbxLanEnvelope, FrameDatagramsWithABadFrameAreRefused)
{
    struct Case {
        const char* what;
        Bytes datagram;
    };
    const Case cases[] = {
        {"announcement kind", {0xA0, 0x00, 0x04, 0x16, 0x16, 0x3C, 0x00}},
        {"shorter than a frame header", {0xB0, 0x00, 0x03, 0x16, 0x16, 0x3C}},
        {"no sync", {0xB0, 0x00, 0x04, 0x16, 0x15, 0x3C, 0x00}},
        {"inner length too large", {0xB0, 0x00, 0x05, 0x16, 0x16, 0x3C, 0x02, 0x01}},
        {"inner length too small", {0xB0, 0x00, 0x06, 0x16, 0x16, 0x3C, 0x01, 0x01, 0x02}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ParseLanFrameDatagram(c.datagram)) << c.what;
    // A frame without payload is whole.
    EXPECT_EQ(Span(ParseLanFrameDatagram(Bytes{0xB0, 0x00, 0x04, 0x16, 0x16, 0x3C, 0x00})),
              (Bytes{0x16, 0x16, 0x3C, 0x00}));
}

TEST(PbxLanEnvelope, AnnouncementsWithoutTheirNulOrTextAreRefused)
{
    EXPECT_FALSE(ParsePbxAnnouncement(Bytes{0xA0, 0x00, 0x03, '1', '.', '2'}));       // no NUL
    EXPECT_FALSE(ParsePbxAnnouncement(Bytes{0xA0, 0x00, 0x01, 0}));                  // no text
    EXPECT_FALSE(ParsePbxAnnouncement(Bytes{0xA0, 0x00, 0x04, '1', 0, '2', 0}));     // NUL inside
    EXPECT_FALSE(ParsePbxAnnouncement(BuildLanFrameDatagram(Bytes{0x16, 0x16, 0x3C, 0x00})));
    EXPECT_FALSE(ParseEngineAnnouncement(Bytes{0xA0, 0x00, 0x03, 0x56, 0x34, 0}));   // port only
    EXPECT_FALSE(ParseEngineAnnouncement(Bytes{0xA0, 0x00, 0x04, 0x56, 0x34, '1', '2'}));
}

}  // namespace
