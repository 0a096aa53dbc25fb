#pragma once

#include "oledate.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

// What the rating program's main view remembers between runs: the period starts, extensions, PBXs and
// selections of its modes. Stored as 2,104 bytes of which only a few are used; the rest is kept as read.
struct ViewState {
    static constexpr qsizetype kSize = 2104;

    OleDate historyStart;     // mode 1
    OleDate statisticsStart;  // mode 5
    OleDate accountStart;     // mode 6
    std::uint8_t historyExtension = 0;
    std::uint8_t accountExtension = 0;
    std::uint8_t historyOptions = 0;  // bits 0 and 1
    std::uint16_t selectedTariff = 0;
    std::uint16_t selectedRule = 0;
    std::uint16_t selectedPrefixGroup = 0;
    std::uint8_t statisticsAnalysis = 0;
    std::uint8_t statisticsExtension = 0;
    std::uint8_t historyPbx = 0;
    std::uint8_t accountPbx = 0;
    std::uint8_t statisticsPbx = 0;
    std::uint8_t statisticsLine = 0;
    std::uint8_t statisticsGroup = 0;
    std::uint8_t lineHistoryLine = 0;
    std::uint8_t lineHistoryOptions = 0;  // as historyOptions
    std::uint8_t lineHistoryPbx = 0;
    OleDate lineHistoryStart;  // value 0: unset

    // The whole block as it was read (zero for a new one); the fields above are laid over it when stored,
    // so reserved bytes survive a load and save.
    QByteArray bytes = QByteArray(kSize, '\0');

    static ViewState Decode(QByteArrayView record, qsizetype offset);
    void Encode(QByteArray& record, qsizetype offset) const;
};

// First-run values: every byte zero but byte 1 (1) and the double at 8 (5.0), and the four period starts
// on 1 January of the current year at 00:00.
void InitViewState(ViewState& state, const OleDate& now = OleDate::Now());
