#include "pbxstateloader.h"

#include "engineerrorcode.h"
#include "operatorconsolequeries.h"
#include "sqldatabase.h"

namespace {

// The most objects of one kind the console's combined numbering takes (byte indexes).
constexpr int kMaxCombinedObjects = 256;
constexpr int kNoSecondPbx = 255;

int ReadComStatOf(CSqlDatabase& database, int pbxIdentifier)
{
    quint8 linkState = 0;
    const int result = database.ReadComStat(pbxIdentifier, linkState);
    return result != kNoError ? result : linkState;
}

int ReadHeader(CSqlDatabase& database, int pbx, PbxInitialization& initialization,
               PbxSystemConfiguration& configuration)
{
    QByteArray record;
    int result = database.ReadInitialization(pbx, record);
    if (result != kNoError)
        return result;
    initialization.bytes = PbxStateTables::FixedRecord<PbxInitialization::kSize>(record);
    result = database.ReadSystemConfiguration(pbx, record);
    if (result == kNoError)
        configuration.bytes = PbxStateTables::FixedRecord<PbxSystemConfiguration::kSize>(record);
    return result;
}

// Every object of one PBX, object by object, into freshly allocated tables; the unread counts are
// asked for with the combined index (`firstExtensions` objects ahead of this PBX's).
int ReadObjects(CSqlDatabase& database, int pbx, const PbxObjectCounts& counts, const StationMessages& station,
                int firstExtensions, PbxStateTables& tables)
{
    tables.Allocate(counts);
    QByteArray record;
    for (int i = 0; i < counts.extensions; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (int result = database.ReadDerivedStatus(pbx, i, record); result != kNoError)
            return result;
        tables.extensionStatus[at] = ExtensionEntry::FromRecord(record);
        if (int result = database.ReadWakeUp(pbx, i, record); result != kNoError)
            return result;
        tables.extensionWakeUp[at] = PbxStateTables::FixedRecord<PbxStateTables::kWakeUpSize>(record);
        if (int result = database.ReadDerivedProgrammation(pbx, i, record); result != kNoError)
            return result;
        tables.extensionProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kExtensionProgrammingSize>(record);
        int unread = 0;
        if (int result = database.CountUnreadMessagesFor(station, firstExtensions + i, unread); result != kNoError)
            return result;
        tables.extensionUnread[at] = static_cast<std::uint8_t>(std::clamp(unread, 0, 255));
    }
    for (int i = 0; i < counts.lines; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (int result = database.ReadLineStatus(pbx, i, record); result != kNoError)
            return result;
        tables.lineStatus[at] = LineEntry::FromRecord(record);
        if (int result = database.ReadLineProgrammation(pbx, i, record); result != kNoError)
            return result;
        tables.lineProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kLineProgrammingSize>(record);
    }
    for (int i = 0; i < counts.entryPhones; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (int result = database.ReadEntryPhoneStatus(pbx, i, record); result != kNoError)
            return result;
        tables.entryPhoneStatus[at] = EntryPhoneEntry::FromRecord(record);
        if (int result = database.ReadEntryPhoneProgrammation(pbx, i, record); result != kNoError)
            return result;
        tables.entryPhoneProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kEntryPhoneProgrammingSize>(record);
    }
    for (int i = 0; i < counts.relays; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (int result = database.ReadRelayStatus(pbx, i, record); result != kNoError)
            return result;
        tables.relayStatus[at] = record.isEmpty() ? 0 : static_cast<std::uint8_t>(record[0]);
        if (int result = database.ReadRelayProgrammation(pbx, i, record); result != kNoError)
            return result;
        tables.relayProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kRelayProgrammingSize>(record);
    }
    return kNoError;
}

PbxObjectCounts CountsOf(const PbxInitialization& initialization)
{
    return {initialization.ExtensionCount(), initialization.LineCount(), initialization.EntryPhoneCount(),
            initialization.RelayCount()};
}

bool FitsCombined(const PbxObjectCounts& first, const PbxObjectCounts& second)
{
    return first.extensions + second.extensions <= kMaxCombinedObjects
        && first.lines + second.lines <= kMaxCombinedObjects
        && first.entryPhones + second.entryPhones <= kMaxCombinedObjects
        && first.relays + second.relays <= kMaxCombinedObjects;
}

// The second PBX, all or nothing.
void LoadSecondPbx(CSqlDatabase& database, OperatorConsoleState& state, int associatedExtension,
                   int secondPbxIdentifier)
{
    const int pbx = PbxListPosition(database, secondPbxIdentifier);
    if (pbx < 0 || ReadComStatOf(database, secondPbxIdentifier) != kNoError)
        return;
    PbxInitialization initialization;
    PbxSystemConfiguration configuration;
    if (ReadHeader(database, pbx, initialization, configuration) != kNoError)
        return;
    const PbxObjectCounts first = state.FirstCounts();
    const PbxObjectCounts second = CountsOf(initialization);
    if (!FitsCombined(first, second))
        return;
    const StationMessages station{state.firstPbxIdentifier, associatedExtension, first.extensions, secondPbxIdentifier,
                                  second.extensions};
    PbxStateTables tables;
    if (ReadObjects(database, pbx, second, station, first.extensions, tables) != kNoError)
        return;
    state.tables.Append(tables);
    state.secondInitialization = initialization;
    state.secondConfiguration = configuration;
    state.secondPbxIdentifier = secondPbxIdentifier;
    state.hasSecondPbx = true;
}

}  // namespace

int PbxListPosition(const CSqlDatabase& database, int pbxIdentifier)
{
    for (int pbx = 0; pbx < database.PbxCount(); ++pbx)
        if (database.PbxComId(pbx) == pbxIdentifier)
            return pbx;
    return -1;
}

int LoadPbxState(CSqlDatabase& database, OperatorConsoleState& state, int pbxIdentifier, int associatedExtension,
                 int secondPbxIdentifier)
{
    state.hasSecondPbx = false;
    state.firstPbxIdentifier = pbxIdentifier;
    state.ownExtension = associatedExtension;
    state.secondPbxIdentifier = kNoSecondPbx;
    if (int result = ReadComStatOf(database, pbxIdentifier); result != kNoError)
        return result;
    const int pbx = PbxListPosition(database, pbxIdentifier);
    if (pbx < 0)
        return kDbRecordSelection;
    if (int result = ReadHeader(database, pbx, state.firstInitialization, state.firstConfiguration); result != kNoError)
        return result;
    const PbxObjectCounts counts = CountsOf(state.firstInitialization);
    const StationMessages station{pbxIdentifier, associatedExtension, counts.extensions, kNoSecondPbx, 0};
    if (int result = ReadObjects(database, pbx, counts, station, 0, state.tables); result != kNoError)
        return result;
    if (secondPbxIdentifier != kNoSecondPbx && secondPbxIdentifier != pbxIdentifier)
        LoadSecondPbx(database, state, associatedExtension, secondPbxIdentifier);
    return kNoError;
}
