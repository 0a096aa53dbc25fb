#pragma once

#include "roomrecord.h"

#include <QtGlobal>

#include <span>
#include <vector>

namespace lodgix {

// The index of the room with that id, or -1.
int FindRoomRecord(int roomId, const std::vector<RoomRecord>& rooms);
// Removes the room with that id (the later ones move up); an id not there changes nothing.
void RemoveRoomRecord(std::vector<RoomRecord>& rooms, int roomId);
// Whether the service is one of the room's.
bool RoomHasService(int serviceId, const RoomRecord& room);

// Reverses the bytes in place (a dotted address typed by the user into network byte order); the number of
// swaps made.
int ReverseBytes(std::span<quint8> bytes);

}  // namespace lodgix
