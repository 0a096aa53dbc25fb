#pragma once

#include "roomrecord.h"

#include <QByteArray>
#include <QString>

#include <mutex>
#include <vector>

class CSqlDatabase;

namespace lodgix {

// The engine records the hotel program keeps in memory: per PBX its initialization (77 bytes) and system
// configuration (26 bytes), per room its extension's programming (50 bytes) and wake-up state (5 bytes:
// extension index, mode, hour, minute, second), each with a flag telling that it was read. The reminder
// thread refreshes the states while the window reads them, so every access goes through the lock and
// hands out copies.
class ExtensionTables {
public:
    static constexpr int kNoCapacityLimit = 255;  // an initialization's extension capacity without limit
    static constexpr qsizetype kCapacityByte = 1;
    static constexpr int kMaxRooms = 1024;  // the most rooms a hotel may have without a PBX limit

    struct Pbx {
        QByteArray initialization;
        QByteArray systemConfiguration;
        bool valid = false;
    };
    struct Room {
        int pbx = 0;
        int extension = 0;
        QByteArray programming;
        QByteArray state;
        bool valid = false;
    };

    // Reads every PBX of the database's list; a PBX whose records cannot be read is marked not valid. Gives
    // the room count cut to the smallest extension capacity among the valid PBXs.
    int LoadPbxTables(CSqlDatabase& database, int roomCount);
    // The most rooms the hotel may have: kMaxRooms, or the smallest extension capacity of the valid PBXs
    // that the last LoadPbxTables read.
    int RoomLimit() const;
    // Reads each room's programming and state records (the first roomCount rooms).
    void LoadExtensionStates(CSqlDatabase& database, const std::vector<RoomRecord>& rooms, int roomCount);
    void LoadExtensionStates(CSqlDatabase& database, const std::vector<RoomRecord>& rooms)
    {
        LoadExtensionStates(database, rooms, static_cast<int>(rooms.size()));
    }
    // The reminder thread's step, on its own connection: reads the state of every valid room again and
    // keeps what changed. 1 when a state changed, else 0; a failed read is passed over.
    quint8 RefreshExtensionStates(CSqlDatabase& database);

    int PbxCount() const;
    Pbx PbxAt(int pbx) const;  // an empty, not valid entry for an index out of range
    int RoomCount() const;
    Room RoomAt(int index) const;
    // The stored copies after a write the PBX acknowledged; nothing for an index out of range.
    void SetProgramming(int index, const QByteArray& programming);
    void SetState(int index, const QByteArray& state);

    // Empties both tables (program exit).
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<Pbx> m_pbxs;
    std::vector<Room> m_rooms;
    int m_roomLimit = kMaxRooms;
};

// The name of a room's extension: its stored label, else "INT. " and its dialling number worked out from the
// records kept here (GetExtensionLabel, the suite's one rule).
QString GetExtensionDisplayName(CSqlDatabase& database, const ExtensionTables& tables, int roomIndex);

}  // namespace lodgix
