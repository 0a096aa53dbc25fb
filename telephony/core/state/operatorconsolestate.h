#pragma once

#include "pbxinitialization.h"
#include "pbxnumbering.h"
#include "pbxstatetables.h"
#include "pbxsystemconfiguration.h"

#include <QString>

#include <optional>

// What the operator console knows of its PBX (and of an optional second PBX) while it runs: the state
// tables in the combined numbering, each PBX's initialization and system configuration, and the own
// extension's texts and counters. One object per program; the console's free functions take it.
class OperatorConsoleState {
public:
    PbxStateTables tables;
    PbxInitialization firstInitialization;
    PbxSystemConfiguration firstConfiguration;
    PbxInitialization secondInitialization;
    PbxSystemConfiguration secondConfiguration;
    bool hasSecondPbx = false;
    int firstPbxIdentifier = 0;
    int secondPbxIdentifier = 255;  // 255: none

    // This workstation's extension (first PBX) and its two status texts (the state, or the display name
    // when ready, and the peer), the missed calls since the start, the own unread-message flag and the
    // last number dialled.
    int ownExtension = 0;
    QString ownExtensionStateText;
    QString ownExtensionPeerText;
    int missedCalls = 0;
    bool unreadMessages = false;
    QString lastNumber;

    // Object counts of each PBX by kind.
    PbxObjectCounts FirstCounts() const;
    PbxObjectCounts SecondCounts() const;

    // The PBX and local index of a combined index; none beyond both PBXs' objects.
    std::optional<CombinedObject> SplitExtension(int index) const;
    std::optional<CombinedObject> SplitLine(int index) const;
    std::optional<CombinedObject> SplitEntryPhone(int index) const;
    std::optional<CombinedObject> SplitRelay(int index) const;
    // The initialization record of a PBX of the combined numbering (0 first, 1 second).
    const PbxInitialization& Initialization(int pbx) const { return pbx == 0 ? firstInitialization : secondInitialization; }
    const PbxSystemConfiguration& Configuration(int pbx) const { return pbx == 0 ? firstConfiguration : secondConfiguration; }
};
