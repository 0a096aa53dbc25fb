#include "roomarray.h"

#include <algorithm>

namespace lodgix {

int FindRoomRecord(int roomId, const std::vector<RoomRecord>& rooms)
{
    const auto found = std::find_if(rooms.begin(), rooms.end(), [&](const RoomRecord& room) { return room.id == roomId; });
    return found == rooms.end() ? -1 : static_cast<int>(found - rooms.begin());
}

void RemoveRoomRecord(std::vector<RoomRecord>& rooms, int roomId)
{
    const int index = FindRoomRecord(roomId, rooms);
    if (index >= 0)
        rooms.erase(rooms.begin() + index);
}

bool RoomHasService(int serviceId, const RoomRecord& room)
{
    return std::find(room.services.begin(), room.services.end(), serviceId) != room.services.end();
}

int ReverseBytes(std::span<quint8> bytes)
{
    std::reverse(bytes.begin(), bytes.end());
    return static_cast<int>(bytes.size() / 2);
}

}  // namespace lodgix
