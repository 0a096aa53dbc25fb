#include "extensionswitches.h"

#include "engineerrorcode.h"
#include "pbxframebuilders.h"
#include "pbxframe.h"
#include "pbxobjecttype.h"
#include "sqldatabase.h"

#include <algorithm>
#include <array>

namespace lodgix {
namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

int SwitchOutsideCalls(const CEngineClient& engine, CSqlDatabase& database, ExtensionTables& tables, int roomIndex,
                       bool enable)
{
    const ExtensionTables::Room room = tables.RoomAt(roomIndex);
    if (!room.valid)
        return kNoExtensionData;
    QByteArray programming;
    const int read = database.ReadDerivedProgrammation(room.pbx, room.extension, programming);
    if (read != kNoError)
        return read;
    const auto size = static_cast<qsizetype>(ProgrammingRecordSize(kObjectExtension));
    programming = programming.left(size);
    programming[kOutsideCallsByte] = static_cast<char>(enable ? 1 : 0);
    const auto pbx = static_cast<std::uint8_t>(room.pbx);
    const int written = engine.WriteProgrammation(pbx, Bytes(programming), kPbxRequestSeconds);
    if (written != kNoError)
        return written;
    database.SaveDerivedProgrammation(room.pbx, programming);
    tables.SetProgramming(roomIndex, programming);
    std::array<std::uint8_t, kPbxFrameHeaderSize + kMaxProgrammingRecordSize> frame{};
    const std::size_t length = BuildProgrammingFrame(frame.data(), Bytes(programming));
    engine.SendToClients(pbx, {frame.data(), length});
    return kNoError;
}

int SendWakeUp(const CEngineClient& engine, CSqlDatabase& database, ExtensionTables& tables, int roomIndex,
               const QByteArray& wakeUp)
{
    const ExtensionTables::Room room = tables.RoomAt(roomIndex);
    if (!room.valid)
        return kNoExtensionData;
    WakeUpBytes bytes{};
    // Byte by byte: gcc 12 at -O3 misreads a bounded copy_n into the record as an overflow.
    for (std::size_t i = 0; i < bytes.size() && i < static_cast<std::size_t>(wakeUp.size()); ++i)
        bytes[i] = static_cast<std::uint8_t>(wakeUp[static_cast<qsizetype>(i)]);
    const int sent = engine.SetWakeUp(static_cast<std::uint8_t>(room.pbx), bytes, kPbxRequestSeconds);
    if (sent != kNoError)
        return sent;
    const QByteArray kept(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    tables.SetState(roomIndex, kept);
    return database.UpdateWakeUp(room.pbx, kept);
}

}  // namespace lodgix
