#include "pbxframeassembler.h"

#include "pbxcommandclass.h"

#include "joinbytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes Frame(std::uint8_t code, const Bytes& payload = {})
{
    return JoinBytes({Bytes{kPbxSync, kPbxSync, code, static_cast<std::uint8_t>(payload.size())}, payload});
}

// A byte and the milliseconds of silence before it.
struct Arrival {
    int gapMs;
    std::uint8_t byte;
};

std::vector<Arrival> Burst(const Bytes& bytes, int firstGapMs = 0)
{
    std::vector<Arrival> arrivals;
    for (const std::uint8_t byte : bytes) {
        arrivals.push_back({firstGapMs, byte});
        firstGapMs = 0;
    }
    return arrivals;
}

std::vector<Arrival> operator+(std::vector<Arrival> first, const std::vector<Arrival>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct Assembled {
    std::vector<Bytes> frames;
    std::size_t skipped = 0;
};

Assembled Assemble(const std::vector<Arrival>& arrivals, CPbxFrameAssembler::CodeFilter filter = IsPbxFrameCode)
{
    CPbxFrameAssembler assembler(filter);
    auto now = CPbxFrameAssembler::Clock::now();
    Assembled result;
    for (const Arrival& arrival : arrivals) {
        now += std::chrono::milliseconds(arrival.gapMs);
        if (assembler.Feed(arrival.byte, now))
            result.frames.emplace_back(assembler.Frame().begin(), assembler.Frame().end());
    }
    result.skipped = assembler.SkippedBytes();
    return result;
}

TEST(PbxFrameAssembler, FramesComeOutOfTheByteStream)
{
    Bytes longest(255, 0x41);
    const struct {
        const char* what;
        std::vector<Arrival> arrivals;
        std::vector<Bytes> frames;
    } cases[] = {
        {"event frame without payload in one burst", Burst({0x16, 0x16, 0x3C, 0x00}), {Frame(60)}},
        {"late 0x16 after 60 ms completes the frame", Burst({0x16}) + Burst({0x16, 0x3C, 0x00}, 60), {Frame(60)}},
        {"late 0x16 after both sync bytes begins again", Burst({0x16, 0x16}) + Burst({0x16, 0x16, 0x3C, 0x00}, 60),
         {Frame(60)}},
        {"unknown code returns to hunting", Burst({0x16, 0x16, 0x11, 0x3C, 0x00}), {}},
        {"bytes 10 ms apart are one frame",
         {{0, 0x16}, {10, 0x16}, {10, 0x22}, {10, 0x02}, {10, 0x01}, {10, 0x05}}, {Frame(0x22, {1, 5})}},
        {"49 ms is still in time", Burst({0x16, 0x16, 0x3C}) + Burst({0x00}, 49), {Frame(60)}},
        {"a pause of 50 ms drops the partial frame", Burst({0x16, 0x16, 0x3C, 0x02, 0x01}) + Burst({0x05}, 50), {}},
        {"a late 0x16 inside a frame begins the next",
         Burst({0x16, 0x16, 0x3C, 0x02, 0x01}) + Burst({0x16, 0x16, 0x3D, 0x00}, 60), {Frame(61)}},
        {"garbage between frames is skipped",
         Burst({0xAA, 0x16, 0x16, 0x3C, 0x00, 0x55, 0x16, 0x77, 0x16, 0x16, 0x16, 0x3C, 0x01, 0x09, 0xFF}),
         {Frame(60), Frame(60, {9})}},
        {"the longest frame", Burst(Frame(0x22, longest)), {Frame(0x22, longest)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Assemble(c.arrivals).frames, c.frames) << c.what;
}

// Every byte that ends in no frame is counted once.
TEST(PbxFrameAssembler, CountsTheBytesItSkips)
{
    const struct {
        const char* what;
        std::vector<Arrival> arrivals;
        std::size_t frames;
        std::size_t skipped;
    } cases[] = {
        {"clean frames", Burst({0x16, 0x16, 0x3C, 0x00, 0x16, 0x16, 0x3D, 0x00}), 2, 0},
        {"noise ahead of a frame", Burst({0x00, 0x55, 0x16, 0x41, 0x16, 0x16, 0x11, 0xFF, 0x16, 0x16, 0x20, 0x00}), 1, 8},
        {"a third sync byte", Burst({0x16, 0x16, 0x16, 0x1E, 0x00}), 1, 1},
        {"a partial frame cut by a pause", Burst({0x16, 0x16, 0x25, 0x06}) + Burst({0x16, 0x16, 0x1E, 0x00}, 200), 1, 4},
        {"a late byte that starts nothing", Burst({0x16, 0x16, 0x25, 0x06}) + Burst({0x01}, 200), 0, 5},
    };
    for (const auto& c : cases) {
        const Assembled assembled = Assemble(c.arrivals);
        EXPECT_EQ(assembled.frames.size(), c.frames) << c.what;
        EXPECT_EQ(assembled.skipped, c.skipped) << c.what;
    }
}

// A PBX reads the engine's commands, key presses among them, and no events.
TEST(PbxFrameAssembler, TheReaderChoosesTheCodes)
{
    const Bytes keys = Frame(0x11, {0x40, 0x01});
    EXPECT_TRUE(Assemble(Burst(keys)).frames.empty());
    EXPECT_EQ(Assemble(Burst(keys), IsPbxCommandCode).frames, std::vector<Bytes>{keys});
    EXPECT_TRUE(Assemble(Burst(Frame(0x41, {0x01})), IsPbxCommandCode).frames.empty());
    EXPECT_EQ(Assemble(Burst(Frame(0x1E)), IsPbxCommandCode).frames, std::vector<Bytes>{Frame(0x1E)});
}

TEST(PbxFrameAssembler, StateFollowsTheFrame)
{
    CPbxFrameAssembler assembler;
    const auto now = CPbxFrameAssembler::Clock::now();
    const std::pair<std::uint8_t, CPbxFrameAssembler::State> steps[] = {
        {0x16, CPbxFrameAssembler::kOneSync}, {0x16, CPbxFrameAssembler::kTwoSync},
        {0x3C, CPbxFrameAssembler::kCodeSeen}, {0x01, CPbxFrameAssembler::kPayload},
        {0x07, CPbxFrameAssembler::kHunting},
    };
    for (const auto& [byte, state] : steps) {
        assembler.Feed(byte, now);
        EXPECT_EQ(assembler.CurrentState(), state) << int(byte);
    }
    EXPECT_EQ(Bytes(assembler.Frame().begin(), assembler.Frame().end()), Frame(60, {7}));
    assembler.Feed(0x16, now);
    assembler.Feed(0x16, now);
    assembler.Feed(0x11, now);
    EXPECT_EQ(assembler.CurrentState(), CPbxFrameAssembler::kHunting);
    EXPECT_TRUE(assembler.Frame().empty());
}

}  // namespace
