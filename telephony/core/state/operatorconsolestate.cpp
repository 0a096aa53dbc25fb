#include "operatorconsolestate.h"

namespace {

std::optional<CombinedObject> Split(int index, int first, int second)
{
    if (index < 0)
        return std::nullopt;
    return SplitCombinedIndex(static_cast<unsigned>(index), static_cast<unsigned>(first),
                              static_cast<unsigned>(second));
}

}  // namespace

PbxObjectCounts OperatorConsoleState::FirstCounts() const
{
    return {firstInitialization.ExtensionCount(), firstInitialization.LineCount(),
            firstInitialization.EntryPhoneCount(), firstInitialization.RelayCount()};
}

PbxObjectCounts OperatorConsoleState::SecondCounts() const
{
    if (!hasSecondPbx)
        return {};
    return {secondInitialization.ExtensionCount(), secondInitialization.LineCount(),
            secondInitialization.EntryPhoneCount(), secondInitialization.RelayCount()};
}

std::optional<CombinedObject> OperatorConsoleState::SplitExtension(int index) const
{
    return Split(index, FirstCounts().extensions, SecondCounts().extensions);
}

std::optional<CombinedObject> OperatorConsoleState::SplitLine(int index) const
{
    return Split(index, FirstCounts().lines, SecondCounts().lines);
}

std::optional<CombinedObject> OperatorConsoleState::SplitEntryPhone(int index) const
{
    return Split(index, FirstCounts().entryPhones, SecondCounts().entryPhones);
}

std::optional<CombinedObject> OperatorConsoleState::SplitRelay(int index) const
{
    return Split(index, FirstCounts().relays, SecondCounts().relays);
}
