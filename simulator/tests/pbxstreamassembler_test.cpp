#include "pbxstreamassembler.h"

#include "pbxcommandclass.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Bytes that arrive together at a time (ms).
struct Arrival {
    QByteArray bytes;
    qint64 atMs;
};

struct AssemblerCase {
    const char* name;
    bool engineSide;  // the engine's codes (requests and events), else the PBX's commands
    std::vector<Arrival> arrivals;
    QList<QByteArray> frames;
    int skipped;
};

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

TEST(SimulatorStreamAssemblerTest, CutsFramesOutOfTheStream)
{
    const AssemblerCase cases[] = {
        {"one frame", true, {{Hex("16163C00"), 0}}, {Hex("16163C00")}, 0},
        {"two frames in one read", true, {{Hex("16161E001616220102"), 0}}, {Hex("16161E00"), Hex("1616220102")}, 0},
        {"pieces within the gap", true, {{Hex("1616"), 0}, {Hex("2503"), 60}, {Hex("010203"), 120}}, {Hex("16162503010203")}, 0},
        {"noise before a frame", true, {{Hex("00 55 16 41 16 16 11 FF"), 0}, {Hex("16162000"), 0}}, {Hex("16162000")}, 8},
        {"a pause inside a frame drops it", true, {{Hex("161625"), 0}, {Hex("06"), 200}, {Hex("16161E00"), 200}}, {Hex("16161E00")}, 4},
        {"a third sync byte is noise", true, {{Hex("1616161E00"), 0}}, {Hex("16161E00")}, 1},
        {"keys are no engine code", true, {{Hex("161611024001 16161E00"), 0}}, {Hex("16161E00")}, 6},
        {"keys are a PBX command", false, {{Hex("161611024001"), 0}}, {Hex("161611024001")}, 0},
        {"events are no PBX command", false, {{Hex("16164101"), 0}}, {}, 4},
    };
    for (const AssemblerCase& test : cases) {
        PbxStreamAssembler assembler(test.engineSide ? IsPbxFrameCode : IsPbxCommandCode);
        QList<QByteArray> frames;
        for (const Arrival& arrival : test.arrivals)
            frames += assembler.Feed(arrival.bytes, arrival.atMs);
        EXPECT_EQ(frames, test.frames) << test.name;
        EXPECT_EQ(assembler.SkippedBytes(), test.skipped) << test.name;
    }
}

}  // namespace
