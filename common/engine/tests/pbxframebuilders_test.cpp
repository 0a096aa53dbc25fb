#include "pbxframebuilders.h"

#include "pbxframe.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct BuilderCase {
    const char* name;
    std::function<std::size_t(std::uint8_t*)> build;
    Bytes expected;
};

Bytes Built(const std::function<std::size_t(std::uint8_t*)>& build)
{
    Bytes frame(build(nullptr), 0xEE);
    const std::size_t written = build(frame.data());
    EXPECT_EQ(written, frame.size());
    return frame;
}

TEST(PbxFrameBuilders, EveryBuilderMeasuresWhatItWrites)
{
    const std::uint8_t keys[] = {64, 1, 64, 0};
    const BuilderCase cases[] = {
        {"initialization", [](std::uint8_t* o) { return BuildInitializationRequestFrame(o); }, {0x16, 0x16, 0x1E, 0}},
        {"configuration", [](std::uint8_t* o) { return BuildConfigurationRequestFrame(o); }, {0x16, 0x16, 0x1F, 0}},
        {"programming", [](std::uint8_t* o) { return BuildProgrammingReadFrame(o, 2, 7); }, {0x16, 0x16, 0x21, 2, 2, 7}},
        {"status", [](std::uint8_t* o) { return BuildStatusReadFrame(o, 1, 12); }, {0x16, 0x16, 0x22, 2, 1, 12}},
        {"clock read", [](std::uint8_t* o) { return BuildClockReadFrame(o); }, {0x16, 0x16, 0x25, 0}},
        {"clock set", [](std::uint8_t* o) { return BuildClockSetFrame(o, {31, 12, 26, 23, 59, 58}); },
         {0x16, 0x16, 0x26, 6, 31, 12, 26, 23, 59, 58}},
        {"wake-up read", [](std::uint8_t* o) { return BuildWakeUpReadFrame(o, 9); }, {0x16, 0x16, 0x29, 1, 9}},
        {"call-log first", [](std::uint8_t* o) { return BuildCallLogReadFrame(o, 4, false); }, {0x16, 0x16, 0x2D, 3, 5, 4, 0}},
        {"call-log next", [](std::uint8_t* o) { return BuildCallLogReadFrame(o, 4, true); }, {0x16, 0x16, 0x2D, 3, 5, 4, 1}},
        {"call-log clear all", [](std::uint8_t* o) { return BuildCallLogClearFrame(o, kAllExtensions); },
         {0x16, 0x16, 0x2F, 2, 5, 0xFF}},
        {"state reporting", [](std::uint8_t* o) { return BuildStateReportingFrame(o, 1); }, {0x16, 0x16, 0x3C, 1, 1}},
        {"off-hook extension", [](std::uint8_t* o) { return BuildOffHookFrame(o, 3); }, {0x16, 0x16, 0x0E, 1, 3}},
        {"off-hook this station", [](std::uint8_t* o) { return BuildOffHookFrame(o, kThisStation); }, {0x16, 0x16, 0x0E, 0}},
        {"on-hook extension", [](std::uint8_t* o) { return BuildOnHookFrame(o, 0); }, {0x16, 0x16, 0x00, 1, 0}},
        {"on-hook this station", [](std::uint8_t* o) { return BuildOnHookFrame(o, kThisStation); }, {0x16, 0x16, 0x00, 0}},
        {"digits this station", [](std::uint8_t* o) { return BuildDigitsFrame(o, kThisStation, "12"); },
         {0x16, 0x16, 0x0D, 2, '1', '2'}},
        {"digits extension", [](std::uint8_t* o) { return BuildDigitsFrame(o, 3, "12"); }, {0x16, 0x16, 0x10, 3, 3, '1', '2'}},
        {"keys", [&keys](std::uint8_t* o) { return BuildKeysFrame(o, 5, keys); }, {0x16, 0x16, 0x11, 5, 5, 64, 1, 64, 0}},
    };
    for (const BuilderCase& c : cases)
        EXPECT_EQ(Built(c.build), c.expected) << c.name;
}

TEST(PbxFrameBuilders, TextFrameCarriesParameterTextAndNul)
{
    std::uint8_t frame[16] = {};
    EXPECT_EQ(BuildTextFrame(frame, 0x47, 5, "AB"), 8u);
    EXPECT_EQ(Bytes(frame, frame + 8), (Bytes{0x16, 0x16, 0x47, 4, 5, 'A', 'B', 0}));
}

TEST(PbxFrameBuilders, TextFrameHasNoSizeQuery)
{
    std::uint8_t frame[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(BuildTextFrame(nullptr, 0x47, 5, "AB"), 0u);
    EXPECT_EQ(BuildTextFrame(frame, 0x47, 5, ""), 0u);
    EXPECT_EQ(frame[0], 0xEE);
}

TEST(PbxFrameBuilders, FramesTooLongForARequestAreRefused)
{
    std::vector<std::uint8_t> buffer(512, 0xEE);
    // 251 digits on this station make a frame of exactly 255 bytes; one more does not fit.
    EXPECT_EQ(BuildDigitsFrame(nullptr, kThisStation, std::string(251, '1')), 255u);
    EXPECT_EQ(BuildDigitsFrame(nullptr, kThisStation, std::string(252, '1')), 0u);
    EXPECT_EQ(BuildDigitsFrame(nullptr, 3, std::string(251, '1')), 0u);
    EXPECT_EQ(BuildKeysFrame(buffer.data(), 3, std::vector<std::uint8_t>(251, 64)), 0u);
    EXPECT_EQ(BuildTextFrame(buffer.data(), 0x47, 1, std::string(250, 'x')), 0u);
    EXPECT_EQ(buffer[0], 0xEE);
    EXPECT_EQ(BuildTextFrame(buffer.data(), 0x47, 1, std::string(249, 'x')), 255u);
}

TEST(PbxFrameBuilders, RequestFramesOfTheEngineAreWellFormed)
{
    std::uint8_t frame[kMaxRequestFrameSize] = {};
    EXPECT_TRUE(IsWellFormedPbxFrame({frame, BuildInitializationRequestFrame(frame)}));
    EXPECT_TRUE(IsWellFormedPbxFrame({frame, BuildCallLogReadFrame(frame, 1, true)}));
    EXPECT_TRUE(IsWellFormedPbxFrame({frame, BuildStateReportingFrame(frame, 1)}));
    // Key presses are a command, not a code the PBX itself sends.
    EXPECT_FALSE(IsWellFormedPbxFrame({frame, BuildKeysFrame(frame, 1, {})}));
}

}  // namespace
