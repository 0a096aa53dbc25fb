#include "viewstate.h"

#include "binaryrecord.h"
#include "recordfields.h"

namespace {
constexpr qsizetype kFirstRunFlag = 1;
constexpr qsizetype kFirstRunDouble = 8;
constexpr qsizetype kHistoryStart = 16;
constexpr qsizetype kStatisticsStart = 24;
constexpr qsizetype kAccountStart = 32;
constexpr qsizetype kHistoryExtension = 40;
constexpr qsizetype kAccountExtension = 41;
constexpr qsizetype kHistoryOptions = 42;
constexpr qsizetype kSelectedTariff = 44;
constexpr qsizetype kSelectedRule = 46;
constexpr qsizetype kSelectedPrefixGroup = 48;
constexpr qsizetype kStatisticsAnalysis = 50;
constexpr qsizetype kStatisticsExtension = 51;
constexpr qsizetype kHistoryPbx = 52;
constexpr qsizetype kAccountPbx = 53;
constexpr qsizetype kStatisticsPbx = 54;
constexpr qsizetype kStatisticsLine = 55;
constexpr qsizetype kStatisticsGroup = 56;
constexpr qsizetype kLineHistoryLine = 57;
constexpr qsizetype kLineHistoryOptions = 58;
constexpr qsizetype kLineHistoryPbx = 59;
constexpr qsizetype kLineHistoryStart = 64;

constexpr double kFirstRunDoubleValue = 5.0;
}  // namespace

ViewState ViewState::Decode(QByteArrayView record, qsizetype offset)
{
    if (offset < 0 || offset > record.size() - kSize)
        throw std::out_of_range("view state outside its record");
    ViewState state;
    state.bytes = record.sliced(offset, kSize).toByteArray();
    const QByteArrayView block = state.bytes;
    state.historyStart = OleDate(GetF64(block, kHistoryStart));
    state.statisticsStart = OleDate(GetF64(block, kStatisticsStart));
    state.accountStart = OleDate(GetF64(block, kAccountStart));
    state.historyExtension = GetU8(block, kHistoryExtension);
    state.accountExtension = GetU8(block, kAccountExtension);
    state.historyOptions = GetU8(block, kHistoryOptions);
    state.selectedTariff = GetU16(block, kSelectedTariff);
    state.selectedRule = GetU16(block, kSelectedRule);
    state.selectedPrefixGroup = GetU16(block, kSelectedPrefixGroup);
    state.statisticsAnalysis = GetU8(block, kStatisticsAnalysis);
    state.statisticsExtension = GetU8(block, kStatisticsExtension);
    state.historyPbx = GetU8(block, kHistoryPbx);
    state.accountPbx = GetU8(block, kAccountPbx);
    state.statisticsPbx = GetU8(block, kStatisticsPbx);
    state.statisticsLine = GetU8(block, kStatisticsLine);
    state.statisticsGroup = GetU8(block, kStatisticsGroup);
    state.lineHistoryLine = GetU8(block, kLineHistoryLine);
    state.lineHistoryOptions = GetU8(block, kLineHistoryOptions);
    state.lineHistoryPbx = GetU8(block, kLineHistoryPbx);
    state.lineHistoryStart = OleDate(GetF64(block, kLineHistoryStart));
    return state;
}

void ViewState::Encode(QByteArray& record, qsizetype offset) const
{
    QByteArray block = bytes;
    block.resize(kSize, '\0');
    PutF64(block, kHistoryStart, historyStart.Value());
    PutF64(block, kStatisticsStart, statisticsStart.Value());
    PutF64(block, kAccountStart, accountStart.Value());
    PutU8(block, kHistoryExtension, historyExtension);
    PutU8(block, kAccountExtension, accountExtension);
    PutU8(block, kHistoryOptions, historyOptions);
    PutU16(block, kSelectedTariff, selectedTariff);
    PutU16(block, kSelectedRule, selectedRule);
    PutU16(block, kSelectedPrefixGroup, selectedPrefixGroup);
    PutU8(block, kStatisticsAnalysis, statisticsAnalysis);
    PutU8(block, kStatisticsExtension, statisticsExtension);
    PutU8(block, kHistoryPbx, historyPbx);
    PutU8(block, kAccountPbx, accountPbx);
    PutU8(block, kStatisticsPbx, statisticsPbx);
    PutU8(block, kStatisticsLine, statisticsLine);
    PutU8(block, kStatisticsGroup, statisticsGroup);
    PutU8(block, kLineHistoryLine, lineHistoryLine);
    PutU8(block, kLineHistoryOptions, lineHistoryOptions);
    PutU8(block, kLineHistoryPbx, lineHistoryPbx);
    PutF64(block, kLineHistoryStart, lineHistoryStart.Value());
    ClearField(record, offset, kSize);  // checks the range before the copy
    record.replace(offset, kSize, block);
}

void InitViewState(ViewState& state, const OleDate& now)
{
    state = ViewState();
    PutU8(state.bytes, kFirstRunFlag, 1);
    PutF64(state.bytes, kFirstRunDouble, kFirstRunDoubleValue);
    const OleDate newYear(now.Year(), 1, 1);
    state.historyStart = newYear;
    state.statisticsStart = newYear;
    state.accountStart = newYear;
    state.lineHistoryStart = newYear;
}
