#pragma once

// PBX rows for the console's tests, written with the engine's writers.
#include "sqldatabase.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <initializer_list>
#include <utility>

inline QByteArray Record(qsizetype size, std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray record(size, '\0');
    for (const auto& [offset, value] : bytes)
        record[offset] = static_cast<char>(value);
    return record;
}

// Writes a PBX of the given counts with the engine's writers; extension i is in state 2 + i.
inline void WritePbx(CSqlDatabase& database, int pbx, int extensions, int lines, int entryPhones, int relays)
{
    ASSERT_EQ(database.SaveInitialization(pbx, Record(77, {{2, extensions}, {4, lines}, {6, entryPhones}, {8, relays}})),
              kNoError);
    ASSERT_EQ(database.SaveSystemConfiguration(pbx, Record(26, {{11, 1}})), kNoError);
    for (int i = 0; i < extensions; ++i) {
        ASSERT_EQ(database.SaveDerivedProgrammation(pbx, Record(50, {{0, 1}, {1, i}, {2, 1}})), kNoError);
        ASSERT_EQ(database.SaveDerivedStatus(pbx, Record(7, {{0, 1}, {1, i}, {2, 2 + i}, {3, 2}, {4, 0}})), kNoError);
    }
    for (int i = 0; i < lines; ++i) {
        ASSERT_EQ(database.SaveLineProgrammation(pbx, Record(12, {{0, 2}, {1, i}})), kNoError);
        ASSERT_EQ(database.SaveLineStatus(pbx, Record(7, {{0, 2}, {1, i}, {2, 2}})), kNoError);
    }
    for (int i = 0; i < entryPhones; ++i) {
        ASSERT_EQ(database.SaveEntryPhoneProgrammation(pbx, Record(4, {{0, 3}, {1, i}})), kNoError);
        ASSERT_EQ(database.SaveEntryPhoneStatus(pbx, Record(7, {{0, 3}, {1, i}, {2, 1}})), kNoError);
    }
    for (int i = 0; i < relays; ++i) {
        ASSERT_EQ(database.SaveRelayProgrammation(pbx, Record(3, {{0, 4}, {1, i}, {2, 1}})), kNoError);
        ASSERT_EQ(database.SaveRelayStatus(pbx, Record(7, {{0, 4}, {1, i}, {2, 1}})), kNoError);
    }
}
