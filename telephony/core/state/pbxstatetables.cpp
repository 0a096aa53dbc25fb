#include "pbxstatetables.h"

namespace {

// Initial work bytes of each kind (the windows' own use of them starts from these).
constexpr PbxStateTables::WorkBytes kExtensionWork{0, 255, 255};
constexpr PbxStateTables::WorkBytes kLineWork{255, 255, 0};
constexpr PbxStateTables::WorkBytes kEntryPhoneWork{0, 255, 255};
constexpr PbxStateTables::WorkBytes kRelayWork{255, 255, 0};

template <typename T>
void Resize(std::vector<T>& table, int count, const T& initial)
{
    table.assign(static_cast<std::size_t>(std::max(count, 0)), initial);
}

template <typename T>
void AppendTable(std::vector<T>& table, const std::vector<T>& other)
{
    table.insert(table.end(), other.begin(), other.end());
}

}  // namespace

void PbxStateTables::Allocate(const PbxObjectCounts& counts)
{
    Resize(extensionStatus, counts.extensions, ExtensionEntry{});
    Resize(extensionWakeUp, counts.extensions, WakeUp{});
    Resize(extensionProgramming, counts.extensions, {});
    Resize(extensionAlarm, counts.extensions, AlarmEntry{});
    Resize(extensionUnread, counts.extensions, std::uint8_t{0});
    Resize(extensionCallDirection, counts.extensions, std::uint8_t{0});
    Resize(extensionWork, counts.extensions, kExtensionWork);
    Resize(extensionName, counts.extensions, kNotValidName);

    Resize(lineStatus, counts.lines, LineEntry{});
    Resize(lineProgramming, counts.lines, {});
    Resize(lineWork, counts.lines, kLineWork);
    Resize(lineName, counts.lines, kNotValidName);

    Resize(entryPhoneStatus, counts.entryPhones, EntryPhoneEntry{});
    Resize(entryPhoneProgramming, counts.entryPhones, {});
    Resize(entryPhoneCallDirection, counts.entryPhones, std::uint8_t{0});
    Resize(entryPhoneWork, counts.entryPhones, kEntryPhoneWork);
    Resize(entryPhoneName, counts.entryPhones, kNotValidName);

    Resize(relayStatus, counts.relays, std::uint8_t{0});
    Resize(relayProgramming, counts.relays, {});
    Resize(relayWork, counts.relays, kRelayWork);
    Resize(relayName, counts.relays, kNotValidName);
}

void PbxStateTables::Append(const PbxStateTables& other)
{
    AppendTable(extensionStatus, other.extensionStatus);
    AppendTable(extensionWakeUp, other.extensionWakeUp);
    AppendTable(extensionProgramming, other.extensionProgramming);
    AppendTable(extensionAlarm, other.extensionAlarm);
    AppendTable(extensionUnread, other.extensionUnread);
    AppendTable(extensionCallDirection, other.extensionCallDirection);
    AppendTable(extensionWork, other.extensionWork);
    AppendTable(extensionName, other.extensionName);

    AppendTable(lineStatus, other.lineStatus);
    AppendTable(lineProgramming, other.lineProgramming);
    AppendTable(lineWork, other.lineWork);
    AppendTable(lineName, other.lineName);

    AppendTable(entryPhoneStatus, other.entryPhoneStatus);
    AppendTable(entryPhoneProgramming, other.entryPhoneProgramming);
    AppendTable(entryPhoneCallDirection, other.entryPhoneCallDirection);
    AppendTable(entryPhoneWork, other.entryPhoneWork);
    AppendTable(entryPhoneName, other.entryPhoneName);

    AppendTable(relayStatus, other.relayStatus);
    AppendTable(relayProgramming, other.relayProgramming);
    AppendTable(relayWork, other.relayWork);
    AppendTable(relayName, other.relayName);
}

PbxObjectCounts PbxStateTables::Counts() const
{
    return {static_cast<int>(extensionStatus.size()), static_cast<int>(lineStatus.size()),
            static_cast<int>(entryPhoneStatus.size()), static_cast<int>(relayStatus.size())};
}
