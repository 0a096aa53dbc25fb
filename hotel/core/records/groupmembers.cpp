#include "groupmembers.h"

#include <algorithm>

namespace lodgix {

namespace {

int UsedSlots(const GroupRecord& group) { return std::clamp(group.roomCount, 0, GroupRecord::kMaxRooms); }

}  // namespace

int FindRoomInGroup(int roomId, const GroupRecord& group)
{
    const auto end = group.rooms.begin() + UsedSlots(group);
    const auto found = std::find(group.rooms.begin(), end, roomId);
    return found == end ? -1 : static_cast<int>(found - group.rooms.begin());
}

void AddRoomToGroup(int roomId, GroupRecord& group)
{
    const int used = UsedSlots(group);
    if (used >= GroupRecord::kMaxRooms || FindRoomInGroup(roomId, group) >= 0)
        return;
    group.rooms[static_cast<std::size_t>(used)] = roomId;
    group.roomCount = used + 1;
}

void RemoveRoomFromGroup(int roomId, GroupRecord& group)
{
    const int index = FindRoomInGroup(roomId, group);
    if (index < 0)
        return;
    const int used = UsedSlots(group);
    std::copy(group.rooms.begin() + index + 1, group.rooms.begin() + used, group.rooms.begin() + index);
    group.rooms[static_cast<std::size_t>(used - 1)] = 0;
    group.roomCount = used - 1;
}

}  // namespace lodgix
