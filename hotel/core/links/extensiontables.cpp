#include "extensiontables.h"

#include "engineerrorcode.h"
#include "extensionlabel.h"
#include "sqldatabase.h"

#include <algorithm>

namespace lodgix {

int ExtensionTables::LoadPbxTables(CSqlDatabase& database, int roomCount)
{
    std::vector<Pbx> pbxs(static_cast<std::size_t>(std::max(database.PbxCount(), 0)));
    int capacity = kNoCapacityLimit;
    for (std::size_t i = 0; i < pbxs.size(); ++i) {
        Pbx& pbx = pbxs[i];
        const int pbxIndex = static_cast<int>(i);
        pbx.valid = database.ReadInitialization(pbxIndex, pbx.initialization) == kNoError &&
                    database.ReadSystemConfiguration(pbxIndex, pbx.systemConfiguration) == kNoError;
        if (!pbx.valid)
            continue;  // a PBX that cannot be read limits nothing
        const int pbxCapacity = static_cast<quint8>(pbx.initialization.at(kCapacityByte));
        if (pbxCapacity != kNoCapacityLimit)
            capacity = std::min(capacity, pbxCapacity);
    }
    {
        const std::lock_guard lock(m_mutex);
        m_pbxs = std::move(pbxs);
        m_roomLimit = capacity == kNoCapacityLimit ? kMaxRooms : std::min(capacity, kMaxRooms);
    }
    return capacity == kNoCapacityLimit ? roomCount : std::min(roomCount, capacity);
}

void ExtensionTables::LoadExtensionStates(CSqlDatabase& database, const std::vector<RoomRecord>& rooms, int roomCount)
{
    const std::size_t count = std::min(rooms.size(), static_cast<std::size_t>(std::max(roomCount, 0)));
    std::vector<Room> loaded(count);
    for (std::size_t i = 0; i < count; ++i) {
        Room& room = loaded[i];
        room.pbx = rooms[i].pbx;
        room.extension = rooms[i].extension;
        room.valid = database.ReadDerivedProgrammation(room.pbx, room.extension, room.programming) == kNoError &&
                     database.ReadWakeUp(room.pbx, room.extension, room.state) == kNoError;
    }
    const std::lock_guard lock(m_mutex);
    m_rooms = std::move(loaded);
}

quint8 ExtensionTables::RefreshExtensionStates(CSqlDatabase& database)
{
    std::vector<Room> rooms;
    {
        const std::lock_guard lock(m_mutex);
        rooms = m_rooms;
    }
    // The reads run without the lock, so that the window is never held up by the database.
    std::vector<std::pair<std::size_t, QByteArray>> changed;
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        if (!rooms[i].valid)
            continue;
        QByteArray state;
        if (database.ReadWakeUp(rooms[i].pbx, rooms[i].extension, state) == kNoError && state != rooms[i].state)
            changed.emplace_back(i, state);
    }
    quint8 result = 0;
    const std::lock_guard lock(m_mutex);
    for (auto& [index, state] : changed) {
        // The table may have been loaded again meanwhile: only the same room's entry takes the new state.
        if (index < m_rooms.size() && m_rooms[index].valid && m_rooms[index].pbx == rooms[index].pbx &&
            m_rooms[index].extension == rooms[index].extension && m_rooms[index].state != state) {
            m_rooms[index].state = std::move(state);
            result = 1;
        }
    }
    return result;
}

int ExtensionTables::RoomLimit() const
{
    const std::lock_guard lock(m_mutex);
    return m_roomLimit;
}

int ExtensionTables::PbxCount() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_pbxs.size());
}

ExtensionTables::Pbx ExtensionTables::PbxAt(int pbx) const
{
    const std::lock_guard lock(m_mutex);
    return pbx >= 0 && static_cast<std::size_t>(pbx) < m_pbxs.size() ? m_pbxs[static_cast<std::size_t>(pbx)] : Pbx();
}

int ExtensionTables::RoomCount() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_rooms.size());
}

ExtensionTables::Room ExtensionTables::RoomAt(int index) const
{
    const std::lock_guard lock(m_mutex);
    return index >= 0 && static_cast<std::size_t>(index) < m_rooms.size() ? m_rooms[static_cast<std::size_t>(index)]
                                                                           : Room();
}

void ExtensionTables::SetProgramming(int index, const QByteArray& programming)
{
    const std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_rooms.size())
        m_rooms[static_cast<std::size_t>(index)].programming = programming;
}

void ExtensionTables::SetState(int index, const QByteArray& state)
{
    const std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_rooms.size())
        m_rooms[static_cast<std::size_t>(index)].state = state;
}

void ExtensionTables::Clear()
{
    const std::lock_guard lock(m_mutex);
    m_pbxs.clear();
    m_rooms.clear();
    m_roomLimit = kMaxRooms;
}

QString GetExtensionDisplayName(CSqlDatabase& database, const ExtensionTables& tables, int roomIndex)
{
    const ExtensionTables::Room room = tables.RoomAt(roomIndex);
    const ExtensionTables::Pbx pbx = tables.PbxAt(room.pbx);
    return GetExtensionLabel(database, room.pbx, room.extension,
                             ExtensionDiallingNumber(room.extension, pbx.initialization, pbx.systemConfiguration,
                                                     room.programming));
}

}  // namespace lodgix
