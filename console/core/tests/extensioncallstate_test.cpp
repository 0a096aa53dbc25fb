#include "extensioncallstate.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

ExtensionCallState ActiveCall(int extension)
{
    ExtensionCallState call;
    call.LinkType = 2;
    call.LinkIndex = 3;
    call.HandedFrom = static_cast<std::uint8_t>(extension);
    call.HandedTo = 9;
    call.Kind = ExtensionCallState::kConnected;
    call.Start = OleDate(2024, 5, 17, 10, 30, 0);
    call.SetNumber(QStringLiteral("0612345678"));
    return call;
}

// Every entry of every PBX in a call.
std::unique_ptr<ExtensionCallStateTable> BusyTable()
{
    auto table = std::make_unique<ExtensionCallStateTable>();
    for (auto& pbx : *table)
        for (std::size_t extension = 0; extension < pbx.size(); ++extension)
            pbx[extension] = ActiveCall(static_cast<int>(extension));
    return table;
}

int ResetCount(const ExtensionCallStateTable& table, std::size_t pbx)
{
    int count = 0;
    for (const ExtensionCallState& entry : table[pbx])
        count += entry == ExtensionCallState() ? 1 : 0;
    return count;
}

TEST(ExtensionCallState, ResetStateHasNoPartnerNoKindNoStartNoNumber)
{
    const ExtensionCallState reset;
    EXPECT_EQ(reset.LinkType, 255);
    EXPECT_EQ(reset.LinkIndex, 255);
    EXPECT_EQ(reset.HandedFrom, 255);
    EXPECT_EQ(reset.HandedTo, 255);
    EXPECT_EQ(reset.Kind, ExtensionCallState::kNoCall);
    EXPECT_EQ(reset.Start.Value(), 0.0);
    EXPECT_TRUE(reset.Number.isEmpty());
}

TEST(ExtensionCallState, NumberIsCutToFiftyCharacters)
{
    ExtensionCallState call;
    call.SetNumber(QString(60, u'7'));
    EXPECT_EQ(call.Number, QString(50, u'7'));
}

TEST(ExtensionCallState, ResetsOneExtensionOfOnePbx)
{
    auto table = BusyTable();
    ResetExtensionCallStates(*table, 1, 7);
    EXPECT_EQ((*table)[1][7], ExtensionCallState());
    EXPECT_EQ((*table)[1][8], ActiveCall(8));
    EXPECT_EQ((*table)[0][7], ActiveCall(7));
    EXPECT_EQ(ResetCount(*table, 1), 1);
}

TEST(ExtensionCallState, AllExtensionsResetsTheWholePbxOnly)
{
    auto table = BusyTable();
    ResetExtensionCallStates(*table, 4, kAllCallStates);
    EXPECT_EQ(ResetCount(*table, 4), kExtensionsPerPbx);
    EXPECT_EQ(ResetCount(*table, 3), 0);
}

TEST(ExtensionCallState, IndexesBeyondTheTableResetNothing)
{
    auto table = BusyTable();
    const unsigned cases[][2] = {{0, 256}, {0, 0xFFFE}, {0, 0x10000}, {5, 0}, {5, kAllCallStates}};
    for (const auto& indexes : cases)
        ResetExtensionCallStates(*table, indexes[0], indexes[1]);
    for (std::size_t pbx = 0; pbx < kMaxPbxLinks; ++pbx)
        EXPECT_EQ(ResetCount(*table, pbx), 0) << pbx;
}

}  // namespace
