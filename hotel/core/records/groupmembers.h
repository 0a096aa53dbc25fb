#pragma once

#include "grouprecord.h"

namespace lodgix {

// The room lists of groups: only the first roomCount slots count.

// The index of the room in the group, or -1.
int FindRoomInGroup(int roomId, const GroupRecord& group);
// Appends the room unless it is there already; a full group (256 rooms) stays as it is.
void AddRoomToGroup(int roomId, GroupRecord& group);
// Removes the room (the later ones move up); a room not there changes nothing.
void RemoveRoomFromGroup(int roomId, GroupRecord& group);

}  // namespace lodgix
