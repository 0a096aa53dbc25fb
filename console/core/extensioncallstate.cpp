#include "extensioncallstate.h"

#include "binaryrecord.h"
#include "pbxrecord.h"

void ResetExtensionCallStates(ExtensionCallStateTable& table, unsigned pbxIndex, unsigned extensionIndex)
{
    if (pbxIndex >= table.size())
        return;
    auto& entries = table[pbxIndex];
    if (extensionIndex == kAllCallStates)
        entries.fill(ExtensionCallState());
    else if (extensionIndex < entries.size())
        entries[extensionIndex] = ExtensionCallState();
}

QByteArray CallStateRecord(const ExtensionCallState& state)
{
    QByteArray record(PbxRecord::kCallStateSize, '\0');
    PutU8(record, PbxRecord::kCallStateLinkType, state.LinkType);
    PutU8(record, PbxRecord::kCallStateLinkIndex, state.LinkIndex);
    PutU8(record, PbxRecord::kCallStateHandedFrom, state.HandedFrom);
    PutU8(record, PbxRecord::kCallStateHandedFrom + 1, state.HandedTo);
    PutU8(record, PbxRecord::kCallStateKind, state.Kind);
    PutF64(record, PbxRecord::kCallStateStart, state.Start.Value());
    WriteAnsiField(record, PbxRecord::kCallStateNumber, PbxRecord::kCallStateNumberWidth, state.Number);
    return record;
}
