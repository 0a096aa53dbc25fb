#include "pbxframebuilders.h"

#include "pbxdirectory.h"
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
        {"system programming", [](std::uint8_t* o) { return BuildProgrammingFrame(o, Bytes{0, 7, 8, 99}); },
         {0x16, 0x16, 0x23, 3, 0, 7, 8}},
        {"relay programming", [](std::uint8_t* o) { return BuildProgrammingFrame(o, Bytes{4, 1, 1}); },
         {0x16, 0x16, 0x23, 3, 4, 1, 1}},
        {"entry-phone programming", [](std::uint8_t* o) { return BuildProgrammingFrame(o, Bytes{3, 0, 5, 6}); },
         {0x16, 0x16, 0x23, 4, 3, 0, 5, 6}},
        {"wake-up write", [](std::uint8_t* o) { return BuildWakeUpFrame(o, std::array<std::uint8_t, 5>{2, 1, 6, 30, 0}); },
         {0x16, 0x16, 0x27, 5, 2, 1, 6, 30, 0}},
        {"record", [](std::uint8_t* o) { return BuildRecordFrame(o, 12, 1); }, {0x16, 0x16, 0x2B, 2, 12, 1}},
        {"directory position read", [](std::uint8_t* o) { return BuildDirectoryPositionReadFrame(o, 9); },
         {0x16, 0x16, 0x2D, 2, 3, 9}},
        {"directory information", [](std::uint8_t* o) { return BuildDirectoryInfoReadFrame(o); },
         {0x16, 0x16, 0x2D, 2, 3, 0xF1}},
        {"directory entry read", [](std::uint8_t* o) { return BuildDirectoryEntryReadFrame(o, 255, 0x0102); },
         {0x16, 0x16, 0x2D, 5, 3, 0xF0, 255, 2, 1}},
        {"directory position write", [](std::uint8_t* o) { return BuildDirectoryPositionWriteFrame(o, 4, "\x01\x0A"); },
         {0x16, 0x16, 0x2E, 5, 3, 4, 1, 10, 0}},
        {"directory position clear", [](std::uint8_t* o) { return BuildDirectoryPositionWriteFrame(o, 4, ""); },
         {0x16, 0x16, 0x2E, 3, 3, 4, 0}},
        {"directory entry write", [](std::uint8_t* o) { return BuildDirectoryEntryWriteFrame(o, 7, 300, "\x02"); },
         {0x16, 0x16, 0x2E, 7, 3, 0xF0, 7, 44, 1, 2, 0}},
        {"message notification", [](std::uint8_t* o) { return BuildMessageNotifyFrame(o, 1, 12, 5, 0, 2); },
         {0x16, 0x16, 0xA0, 5, 1, 12, 5, 0, 2}},
    };
    for (const BuilderCase& c : cases)
        EXPECT_EQ(Built(c.build), c.expected) << c.name;
}

TEST(PbxFrameBuilders, ProgrammingFrameNeedsAKnownTypeAndTheWholeRecord)
{
    EXPECT_EQ(BuildProgrammingFrame(nullptr, Bytes{5, 0, 0}), 0u);
    EXPECT_EQ(BuildProgrammingFrame(nullptr, Bytes{1, 0, 0}), 0u);  // an extension record is 50 bytes
    EXPECT_EQ(BuildProgrammingFrame(nullptr, Bytes{}), 0u);
    Bytes extension(50, 9);
    extension[0] = 1;
    EXPECT_EQ(BuildProgrammingFrame(nullptr, extension), 54u);
}

TEST(PbxDirectoryDigits, TravelCodedAndReadBackWithinTheirBytes)
{
    EXPECT_EQ(PbxDirectory::EncodeDigits("1203"), std::string("\x01\x02\x0A\x03"));
    const Bytes coded = {1, 2, 10, 3};
    EXPECT_EQ(PbxDirectory::DecodeDigits(coded), "1203");
    EXPECT_EQ(PbxDirectory::DecodeDigits(Bytes{9, 0, 1}), "9");  // the first zero ends the number
    EXPECT_EQ(PbxDirectory::DecodeDigits(Bytes(200, 5)), std::string(127, '5'));
    EXPECT_EQ(PbxDirectory::DecodeDigits(Bytes{}), "");
}

TEST(PbxDirectoryInfo, BookSizesFromTheBlock)
{
    const PbxDirectory::InfoBlock block = {3, 0xF1, 0, 1, 0x20, 0x01, 0x10, 0x02};
    EXPECT_EQ(PbxDirectory::GlobalBookSize(block), 256 + 0x10);
    EXPECT_EQ(PbxDirectory::CommonBookSize(block), 0x120);
    EXPECT_EQ(PbxDirectory::PersonalBookSize(block), 0x210);
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
