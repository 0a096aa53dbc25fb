#pragma once

// The arguments of the operator console's queries and writers on CSqlDatabase. In every index, 255
// means "any" (the query sets no condition).

// Which operator messages a query reads. Read kinds: bit 0 alone read ones, bit 1 alone unread ones,
// otherwise all.
struct MessageFilter {
    int pbxIdentifier = 255;             // the sender's PBX
    int destinationPbxIdentifier = 255;  // the addressee's PBX
    int source = 255;                    // the sender's extension
    int destination = 255;               // the addressee's extension
    unsigned readKinds = 0;
};

// What the start-up counts of messages read: this workstation's PBX and extension, the PBX's extension
// count, and the second PBX shown after it (255 when none) with its extension count. Extensions are
// numbered in one sequence: this PBX's first, then the second PBX's.
struct StationMessages {
    int pbxIdentifier = 0;
    int associatedExtension = 0;
    int extensionCount = 0;
    int secondPbxIdentifier = 255;
    int secondExtensionCount = 0;
};

// The object of an alarm: its PbxObjectType, index and kind of alarm.
struct AlarmObject {
    int objectType = 0;
    int objectIndex = 0;
    int alarmType = 0;
};
inline constexpr int kAlarmOfExtension = 1;  // the only alarms that the console keeps

// What DeleteMessage found of the message before deleting it (found false: there was none).
struct DeletedMessage {
    bool found = false;
    int source = 0;
    int destination = 0;
    int pbxIdentifier = 0;
    int destinationPbxIdentifier = 0;
};
