#include "viewstate.h"

#include "binaryrecord.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewState, FirstRunValues)
{
    ViewState state;
    state.historyPbx = 3;
    state.bytes[100] = 'x';
    InitViewState(state, OleDate(2031, 7, 9, 15, 30, 0));

    const OleDate newYear(2031, 1, 1);
    EXPECT_EQ(state.historyStart, newYear);
    EXPECT_EQ(state.statisticsStart, newYear);
    EXPECT_EQ(state.accountStart, newYear);
    EXPECT_EQ(state.lineHistoryStart, newYear);
    EXPECT_EQ(state.historyPbx, 0);

    QByteArray bytes(ViewState::kSize, '\x44');
    state.Encode(bytes, 0);
    EXPECT_EQ(GetU8(bytes, 0), 0);
    EXPECT_EQ(GetU8(bytes, 1), 1);
    EXPECT_EQ(bytes.mid(2, 6), QByteArray(6, '\0'));
    EXPECT_EQ(GetF64(bytes, 8), 5.0);
    EXPECT_EQ(GetF64(bytes, 16), newYear.Value());
    EXPECT_EQ(GetF64(bytes, 64), newYear.Value());
    EXPECT_EQ(bytes.mid(40, 24), QByteArray(24, '\0'));
    EXPECT_EQ(bytes.mid(72), QByteArray(2032, '\0'));
}

TEST(ViewState, FieldsLieAtTheirOffsetsAndReservedBytesSurvive)
{
    QByteArray stored(ViewState::kSize, '\0');
    for (qsizetype i = 0; i < stored.size(); ++i)
        stored[i] = static_cast<char>(i * 13 + 1);
    PutF64(stored, 16, 45000.5);
    PutF64(stored, 64, 0.0);

    ViewState state = ViewState::Decode(stored, 0);
    EXPECT_EQ(state.historyStart.Value(), 45000.5);
    EXPECT_EQ(state.lineHistoryStart.Value(), 0.0);
    EXPECT_EQ(state.selectedRule, GetU16(stored, 46));
    EXPECT_EQ(state.lineHistoryPbx, GetU8(stored, 59));

    QByteArray copy(ViewState::kSize, '\0');
    state.Encode(copy, 0);
    EXPECT_EQ(copy, stored);

    state.selectedTariff = 0x1234;
    state.statisticsGroup = 9;
    state.accountStart = OleDate(2024, 2, 29);
    state.Encode(copy, 0);
    EXPECT_EQ(GetU16(copy, 44), 0x1234);
    EXPECT_EQ(GetU8(copy, 56), 9);
    EXPECT_EQ(GetF64(copy, 32), OleDate(2024, 2, 29).Value());
    EXPECT_EQ(copy.mid(72), stored.mid(72));
    EXPECT_EQ(copy.left(16), stored.left(16));
}

}  // namespace
