#include "engineeventdispatcher.h"

#include "consoleredrawtarget.h"
#include "engineclient.h"
#include "mainsettings.h"
#include "operatorconsolequeries.h"
#include "operatorconsolestate.h"
#include "operatorsettingsfiles.h"
#include "pbxframebuilders.h"
#include "pbxstateloader.h"
#include "sqldatabase.h"
#include "statustexts.h"

#include <algorithm>
#include <array>

namespace {

// The dispatcher's copy of a datagram: a listener slot's bytes and a terminating zero, so that a text at
// the end of the payload always ends.
constexpr std::size_t kDatagramSize = 128;
constexpr std::size_t kHeaderSize = 5;  // PBX identifier, 0x16 0x16, code, payload length
constexpr std::uint8_t kEngineItself = 255;

enum EventCode : std::uint8_t {
    kDialledDigits = 13,
    kProgrammingRecord = 35,
    kWakeUpSetting = 39,
    kRinging = 51,
    kConnection = 60,
    kStateChange = 65,
    kProgrammingStored = 68,
    kCallerId = 70,
    kAlarm = 71,
    kMessageNotify = 160,
};

// Payload bytes each event reads before it may touch a table.
constexpr std::size_t kDigitsPayload = 1;
constexpr std::size_t kExtensionProgrammingPayload = 50;  // 48 bytes and the 16-bit word
constexpr std::size_t kLineProgrammingPayload = 12;
constexpr std::size_t kTypeAndIndexPayload = 2;
constexpr std::size_t kWakeUpPayload = 5;
constexpr std::size_t kLinkPayload = 4;
constexpr std::size_t kStatePayload = 3;
constexpr std::size_t kAlarmPayload = 3;
constexpr std::size_t kCallerIdPayload = 1;
// A message notification is one byte longer than the frame that BuildMessageNotifyFrame builds: the PBX
// identifier in front.
constexpr std::size_t kMessageNotifyDatagram = 10;

constexpr std::uint8_t kNoLink = 0;
constexpr std::uint8_t kLinkCleared = 255;
constexpr std::uint8_t kFirstSide = 2;
constexpr std::uint8_t kSecondSide = 1;
constexpr std::uint8_t kAllObjects = 255;
constexpr std::uint8_t kAlarmCleared = 255;
constexpr std::uint8_t kAlarmPending = 1;
constexpr std::uint8_t kAlarmAnswered = 2;
constexpr int kAlarmShowAction = 2;
constexpr int kAlarmAnswerAction = 0;
constexpr std::uint8_t kAlarmClearFrameCode = 0x47;
constexpr unsigned kMissedCallKinds = 0x04;  // the direction bit of missed calls
constexpr qint64 kMissedCallsAheadSeconds = 5 * 60;  // as the missed-call count looks ahead
inline const QByteArray kNoCallerId = QByteArrayLiteral("**NOCID**");

QByteArray PayloadText(std::span<const std::uint8_t> text)
{
    return PbxTextField::Read(text);
}

}  // namespace

// One datagram's view: the PBX it came from, in the combined numbering.
struct EngineEventDispatcher::Event {
    std::array<std::uint8_t, kDatagramSize + 1> bytes{};
    std::size_t length = 0;
    bool secondPbx = false;
    int listPosition = 0;
    PbxObjectCounts offset;  // objects of the first PBX ahead of this PBX's
    PbxObjectCounts counts;  // this PBX's own counts

    std::uint8_t Code() const { return bytes[3]; }
    std::size_t PayloadSize() const { return length - kHeaderSize; }
    std::uint8_t P(std::size_t n) const { return bytes[kHeaderSize + n]; }
    std::span<const std::uint8_t> Payload() const
    {
        return std::span<const std::uint8_t>(bytes).subspan(kHeaderSize, PayloadSize() + 1);
    }
    // The combined index of an object of this PBX; -1 when it is outside the PBX's table of its kind.
    int Combined(std::uint8_t kind, std::uint8_t index) const
    {
        const auto pick = [kind](const PbxObjectCounts& c) {
            switch (kind) {
            case kObjectExtension: return c.extensions;
            case kObjectLine: return c.lines;
            case kObjectEntryPhone: return c.entryPhones;
            case kObjectRelay: return c.relays;
            default: return 0;
            }
        };
        return index < pick(counts) ? pick(offset) + index : -1;
    }
};

EngineEventDispatcher::EngineEventDispatcher(OperatorConsoleState& state, CSqlDatabase& database,
                                             MainSettings& settings, ConsoleRedrawTarget& target)
    : m_state(state), m_database(database), m_settings(settings), m_target(target), m_clock(&OleDate::Now)
{
}

void EngineEventDispatcher::Dispatch(std::span<const std::uint8_t> datagram)
{
    Event event;
    event.length = std::min(datagram.size(), kDatagramSize);
    std::copy_n(datagram.begin(), event.length, event.bytes.begin());
    event.bytes[event.length] = 0;
    if (event.length < kHeaderSize)
        return;
    const int pbx = event.bytes[0];
    if (pbx == kEngineItself)
        return;
    if (pbx == m_state.firstPbxIdentifier) {
        event.counts = m_state.FirstCounts();
    } else if (m_state.hasSecondPbx && pbx == m_state.secondPbxIdentifier && m_state.SecondCounts().extensions > 0) {
        event.secondPbx = true;
        event.offset = m_state.FirstCounts();
        event.counts = m_state.SecondCounts();
    } else {
        return;
    }
    event.listPosition = PbxListPosition(m_database, pbx);
    switch (event.Code()) {
    case kDialledDigits: OnDialledDigits(event); break;
    case kProgrammingRecord: OnProgrammingRecord(event); break;
    case kWakeUpSetting: OnWakeUpSetting(event); break;
    case kRinging: OnRinging(event); break;
    case kConnection: OnConnection(event); break;
    case kStateChange: OnStateChange(event); break;
    case kProgrammingStored: OnProgrammingStored(event); break;
    case kCallerId: OnCallerId(event); break;
    case kAlarm:
        if (!event.secondPbx)
            OnAlarm(event);
        break;
    case kMessageNotify: OnMessageNotify(event); break;
    default: break;
    }
}

void EngineEventDispatcher::Redraw(std::uint8_t kind, int index)
{
    m_target.RedrawObject(static_cast<PbxObjectType>(kind), index);
}

void EngineEventDispatcher::RefreshOwnExtension(const Event& event)
{
    if (event.secondPbx)
        return;
    RebuildOwnExtensionStatus();
    m_target.RefreshOwnExtension();
}

void EngineEventDispatcher::RefreshPopup(const Event& event)
{
    if (!event.secondPbx)
        m_target.RefreshPopup();
}

void EngineEventDispatcher::RebuildOwnExtensionStatus()
{
    FormatOwnExtensionStatus(m_state, m_database, m_state.ownExtensionStateText, m_state.ownExtensionPeerText);
}

bool EngineEventDispatcher::IsOwnExtension(const Event& event, int combined) const
{
    return !event.secondPbx && combined == m_state.ownExtension;
}

void EngineEventDispatcher::OnDialledDigits(const Event& event)
{
    if (event.PayloadSize() < kDigitsPayload)
        return;
    const int extension = event.Combined(kObjectExtension, event.P(0));
    if (extension < 0)
        return;
    ExtensionEntry& entry = m_state.tables.extensionStatus[static_cast<std::size_t>(extension)];
    const QByteArray text = entry.Digits();
    if (text.size() < static_cast<qsizetype>(ExtensionEntry::kDigitsWidth - 1))
        entry.SetDigits(text + PayloadText(event.Payload().subspan(1)));
    Redraw(kObjectExtension, extension);
    RefreshOwnExtension(event);
}

void EngineEventDispatcher::OnProgrammingRecord(const Event& event)
{
    if (event.PayloadSize() < kTypeAndIndexPayload)
        return;
    const std::uint8_t kind = event.P(0);
    const int index = event.Combined(kind, event.P(1));
    if (index < 0)
        return;
    const auto at = static_cast<std::size_t>(index);
    const auto payload = event.Payload();
    switch (kind) {
    case kObjectExtension:
        if (event.PayloadSize() < kExtensionProgrammingPayload)
            return;
        std::copy_n(payload.begin(), kExtensionProgrammingPayload, m_state.tables.extensionProgramming[at].begin());
        break;
    case kObjectLine:
        if (event.PayloadSize() < kLineProgrammingPayload)
            return;
        std::copy_n(payload.begin(), kLineProgrammingPayload, m_state.tables.lineProgramming[at].begin());
        break;
    case kObjectEntryPhone:
        break;
    default:
        return;
    }
    Redraw(kind, index);
}

void EngineEventDispatcher::OnWakeUpSetting(const Event& event)
{
    if (event.PayloadSize() < kWakeUpPayload)
        return;
    const int extension = event.Combined(kObjectExtension, event.P(0));
    if (extension < 0)
        return;
    std::copy_n(event.Payload().begin(), kWakeUpPayload,
                m_state.tables.extensionWakeUp[static_cast<std::size_t>(extension)].begin());
    Redraw(kObjectExtension, extension);
}

void EngineEventDispatcher::OnRinging(const Event& event)
{
    if (event.PayloadSize() < kLinkPayload)
        return;
    const int extension = event.Combined(kObjectExtension, event.P(0));
    if (extension < 0)
        return;
    const std::uint8_t linkType = event.P(2);
    int linked = event.P(3);
    if (linkType == kObjectExtension || linkType == kObjectLine || linkType == kObjectEntryPhone) {
        linked = event.Combined(linkType, event.P(3));
        if (linked < 0)
            return;
    }
    // The records keep indexes within their own PBX, as the engine's tables do; only the tables are
    // reached through the combined index.
    ExtensionEntry& entry = m_state.tables.extensionStatus[static_cast<std::size_t>(extension)];
    entry.bytes[ExtensionEntry::kIndexOffset] = event.P(0);
    entry.bytes[ExtensionEntry::kRingTypeOffset] = event.P(1);
    entry.bytes[ExtensionEntry::kLinkTypeOffset] = linkType;
    entry.bytes[ExtensionEntry::kLinkIndexOffset] = event.P(3);
    switch (linkType) {
    case kNoLink:
        entry.bytes[ExtensionEntry::kStateOffset] = kStateIncomingCall;
        Redraw(kObjectExtension, extension);
        RefreshOwnExtension(event);
        break;
    case kObjectLine: {
        LineEntry& line = m_state.tables.lineStatus[static_cast<std::size_t>(linked)];
        if (line.CallerNumber().isEmpty() && line.CallerName().isEmpty())
            line.SetCallerNumber(kNoCallerId);
        break;
    }
    case kObjectEntryPhone: {
        EntryPhoneEntry& phone = m_state.tables.entryPhoneStatus[static_cast<std::size_t>(linked)];
        phone.bytes[EntryPhoneEntry::kIndexOffset] = event.P(3);
        phone.bytes[EntryPhoneEntry::kLinkTypeOffset] = kObjectExtension;
        phone.bytes[EntryPhoneEntry::kLinkIndexOffset] = event.P(0);
        phone.bytes[EntryPhoneEntry::kStateOffset] = kStateDialling;
        Redraw(kObjectEntryPhone, linked);
        break;
    }
    default:
        break;
    }
}

void EngineEventDispatcher::OnConnection(const Event& event)
{
    if (event.PayloadSize() < kLinkPayload)
        return;
    const std::uint8_t typeA = event.P(0);
    const std::uint8_t typeB = event.P(2);
    const int indexA = event.Combined(typeA, event.P(1));
    const int indexB = event.Combined(typeB, event.P(3));
    if (indexA < 0 || indexB < 0)
        return;
    ConnectSide(event, {typeA, event.P(1), indexA}, {typeB, event.P(3), indexB}, kFirstSide);
    ConnectSide(event, {typeB, event.P(3), indexB}, {typeA, event.P(1), indexA}, kSecondSide);
    RefreshPopup(event);
}

void EngineEventDispatcher::ConnectSide(const Event& event, const EventObject& side, const EventObject& peer,
                                        std::uint8_t direction)
{
    const int index = side.combined;
    const auto at = static_cast<std::size_t>(index);
    switch (side.type) {
    case kObjectExtension: {
        ExtensionEntry& entry = m_state.tables.extensionStatus[at];
        entry.bytes[ExtensionEntry::kLinkTypeOffset] = peer.type;
        entry.bytes[ExtensionEntry::kLinkIndexOffset] = peer.local;
        entry.bytes[ExtensionEntry::kStateOffset] = kStateConnected;
        m_state.tables.extensionCallDirection[at] = direction;
        Redraw(kObjectExtension, index);
        if (IsOwnExtension(event, index))
            RefreshOwnExtension(event);
        break;
    }
    case kObjectLine: {
        LineEntry& line = m_state.tables.lineStatus[at];
        line.bytes[LineEntry::kLinkTypeOffset] = peer.type;
        line.bytes[LineEntry::kLinkIndexOffset] = peer.local;
        line.bytes[LineEntry::kStateOffset] = kStateConnected;
        if (peer.type == kObjectExtension && line.CallerNumber().isEmpty() && line.CallerName().isEmpty())
            line.SetCallerName(m_state.tables.extensionStatus[static_cast<std::size_t>(peer.combined)].Digits());
        Redraw(kObjectLine, index);
        break;
    }
    case kObjectEntryPhone: {
        EntryPhoneEntry& phone = m_state.tables.entryPhoneStatus[at];
        phone.bytes[EntryPhoneEntry::kLinkTypeOffset] = peer.type;
        phone.bytes[EntryPhoneEntry::kLinkIndexOffset] = peer.local;
        phone.bytes[EntryPhoneEntry::kStateOffset] = kStateConnected;
        m_state.tables.entryPhoneCallDirection[at] = direction;
        Redraw(kObjectEntryPhone, index);
        break;
    }
    default:
        break;
    }
}

void EngineEventDispatcher::OnStateChange(const Event& event)
{
    if (event.PayloadSize() < kStatePayload)
        return;
    const std::uint8_t kind = event.P(0);
    const int index = event.Combined(kind, event.P(1));
    if (index < 0)
        return;
    const std::uint8_t newState = event.P(2);
    const auto at = static_cast<std::size_t>(index);
    switch (kind) {
    case kObjectExtension:
        ExtensionStateChange(event, index, newState);
        break;
    case kObjectLine: {
        LineEntry& line = m_state.tables.lineStatus[at];
        line.bytes[LineEntry::kIndexOffset] = event.P(1);
        if (newState == kStateConnected && line.State() != kStateConnected)
            line.bytes[LineEntry::kLinkTypeOffset] = kLinkCleared;
        line.bytes[LineEntry::kStateOffset] = newState;
        Redraw(kObjectLine, index);
        break;
    }
    case kObjectEntryPhone: {
        EntryPhoneEntry& phone = m_state.tables.entryPhoneStatus[at];
        phone.bytes[EntryPhoneEntry::kIndexOffset] = event.P(1);
        phone.bytes[EntryPhoneEntry::kStateOffset] = newState;
        Redraw(kObjectEntryPhone, index);
        break;
    }
    case kObjectRelay:
        m_state.tables.relayStatus[at] = newState;
        Redraw(kObjectRelay, index);
        break;
    default:
        return;
    }
    RefreshPopup(event);
}

void EngineEventDispatcher::ExtensionStateChange(const Event& event, int index, std::uint8_t newState)
{
    ExtensionEntry& entry = m_state.tables.extensionStatus[static_cast<std::size_t>(index)];
    const std::uint8_t current = entry.State();
    const bool own = IsOwnExtension(event, index);
    if (own && newState == kStateReady && !entry.Digits().isEmpty())
        m_state.lastNumber = QString::fromLatin1(entry.Digits());
    if (newState == kStateReady && entry.LinkType() == kObjectEntryPhone)
        ReleaseEntryPhone(event, entry);
    if (newState == kStateDialling && current == kStateExternalCall)
        entry.SetDigits({});
    if (own && newState == kStateReady && current == kStateIncomingCall) {
        int count = 0;
        if (m_database.CountMissedCalls(event.listPosition, m_state.ownExtension, m_settings.MissedCallReference(),
                                        m_clock(), count) == kNoError)
            m_state.missedCalls = count;
    }
    entry.bytes[ExtensionEntry::kObjectTypeOffset] = event.P(0);
    entry.bytes[ExtensionEntry::kIndexOffset] = event.P(1);
    entry.bytes[ExtensionEntry::kStateOffset] = newState;
    Redraw(kObjectExtension, index);
    RefreshOwnExtension(event);
}

// An extension going back to ready releases the entry phone it was ringing or talking to.
void EngineEventDispatcher::ReleaseEntryPhone(const Event& event, const ExtensionEntry& extension)
{
    const int phoneIndex = event.Combined(kObjectEntryPhone, extension.LinkIndex());
    if (phoneIndex < 0)
        return;
    EntryPhoneEntry& phone = m_state.tables.entryPhoneStatus[static_cast<std::size_t>(phoneIndex)];
    const bool ringing = phone.State() == kStateDialling;
    const bool talking = phone.State() == kStateConnected && extension.State() == kStateConnected;
    if (!ringing && !talking)
        return;
    phone.bytes[EntryPhoneEntry::kStateOffset] = kStateReady;
    QByteArray record(3, '\0');
    record[0] = static_cast<char>(kObjectEntryPhone);
    record[1] = static_cast<char>(extension.LinkIndex());
    record[2] = static_cast<char>(kStateReady);
    m_database.UpdateObjectState(event.listPosition, record);
    Redraw(kObjectEntryPhone, phoneIndex);
}

void EngineEventDispatcher::OnProgrammingStored(const Event& event)
{
    if (event.PayloadSize() < kTypeAndIndexPayload)
        return;
    const std::uint8_t kind = event.P(0);
    const std::uint8_t which = event.P(1);
    if (kind == kObjectSystem) {
        QByteArray record;
        if (m_database.ReadSystemConfiguration(event.listPosition, record) != kNoError)
            return;
        PbxSystemConfiguration& configuration =
            event.secondPbx ? m_state.secondConfiguration : m_state.firstConfiguration;
        configuration.bytes = PbxStateTables::FixedRecord<PbxSystemConfiguration::kSize>(record);
        return;
    }
    int count = 0;
    switch (kind) {
    case kObjectExtension: count = event.counts.extensions; break;
    case kObjectLine: count = event.counts.lines; break;
    case kObjectEntryPhone: count = event.counts.entryPhones; break;
    case kObjectRelay: count = event.counts.relays; break;
    default: return;
    }
    if (which != kAllObjects) {
        if (event.Combined(kind, which) >= 0)
            RereadProgramming(event, kind, which);
        return;
    }
    for (int local = 0; local < count; ++local)
        RereadProgramming(event, kind, local);
}

void EngineEventDispatcher::RereadProgramming(const Event& event, std::uint8_t kind, int local)
{
    const int index = event.Combined(kind, static_cast<std::uint8_t>(local));
    const auto at = static_cast<std::size_t>(index);
    const int pbx = event.listPosition;
    PbxStateTables& tables = m_state.tables;
    QByteArray record;
    switch (kind) {
    case kObjectExtension: {
        QByteArray wakeUp;
        if (m_database.ReadWakeUp(pbx, local, wakeUp) != kNoError
            || m_database.ReadDerivedProgrammation(pbx, local, record) != kNoError)
            return;
        tables.extensionWakeUp[at] = PbxStateTables::FixedRecord<PbxStateTables::kWakeUpSize>(wakeUp);
        tables.extensionProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kExtensionProgrammingSize>(record);
        break;
    }
    case kObjectLine:
        if (m_database.ReadLineProgrammation(pbx, local, record) != kNoError)
            return;
        tables.lineProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kLineProgrammingSize>(record);
        break;
    case kObjectEntryPhone:
        if (m_database.ReadEntryPhoneProgrammation(pbx, local, record) != kNoError)
            return;
        tables.entryPhoneProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kEntryPhoneProgrammingSize>(record);
        break;
    case kObjectRelay:
        if (m_database.ReadRelayProgrammation(pbx, local, record) != kNoError)
            return;
        tables.relayProgramming[at] = PbxStateTables::FixedRecord<PbxStateTables::kRelayProgrammingSize>(record);
        break;
    default:
        return;
    }
    Redraw(kind, index);
}

void EngineEventDispatcher::OnCallerId(const Event& event)
{
    if (event.PayloadSize() < kCallerIdPayload)
        return;
    const int line = event.Combined(kObjectLine, event.P(0));
    if (line < 0)
        return;
    const QByteArray text = PayloadText(event.Payload().subspan(1));
    if (text.size() <= static_cast<qsizetype>(LineEntry::kMaxText))
        m_state.tables.lineStatus[static_cast<std::size_t>(line)].SetCallerNumber(text);
    RefreshOwnExtension(event);
    RefreshPopup(event);
}

void EngineEventDispatcher::OnAlarm(const Event& event)
{
    if (event.PayloadSize() < kAlarmPayload || event.P(0) != kObjectExtension)
        return;
    const int extension = event.Combined(kObjectExtension, event.P(1));
    if (extension < 0 || !m_settings.AlarmEnabled(extension))
        return;
    AlarmEntry& alarm = m_state.tables.extensionAlarm[static_cast<std::size_t>(extension)];
    if (event.P(2) == kAlarmCleared) {
        if (alarm.PendingFlag() == kAlarmPending)
            alarm.SetPendingFlag(0);
    } else {
        alarm.SetTime(m_clock().Value());
        alarm.SetKind(event.P(2));
        alarm.SetPendingFlag(kAlarmPending);
    }
    RefreshPopup(event);
}

void EngineEventDispatcher::OnMessageNotify(const Event& event)
{
    if (event.length != kMessageNotifyDatagram)
        return;
    const std::uint8_t kind = event.P(0);
    const bool fromThisStation = event.P(3) == m_state.firstPbxIdentifier && event.P(1) == m_state.ownExtension;
    const bool toThisStation = event.P(4) == m_state.firstPbxIdentifier && event.P(2) == m_state.ownExtension;
    if (kind == kMessageWritten) {
        if (fromThisStation)
            RecountUnread(event.P(4), event.P(2));
        if (toThisStation)
            RereadUnreadFlag();
    } else if (kind == kMessageReadOrDeleted) {
        if (toThisStation)
            RereadUnreadFlag();
        else
            RecountUnread(event.P(4), event.P(2));
    }
}

void EngineEventDispatcher::RecountUnread(int pbxIdentifier, int extension)
{
    const PbxObjectCounts first = m_state.FirstCounts();
    const PbxObjectCounts second = m_state.SecondCounts();
    int index = -1;
    if (pbxIdentifier == m_state.firstPbxIdentifier && extension < first.extensions)
        index = extension;
    else if (m_state.hasSecondPbx && pbxIdentifier == m_state.secondPbxIdentifier && extension < second.extensions)
        index = first.extensions + extension;
    if (index < 0)
        return;
    const StationMessages station{m_state.firstPbxIdentifier, m_state.ownExtension, first.extensions,
                                  m_state.hasSecondPbx ? m_state.secondPbxIdentifier : kEngineItself,
                                  second.extensions};
    int count = 0;
    if (m_database.CountUnreadMessagesFor(station, index, count) != kNoError)
        return;
    m_state.tables.extensionUnread[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(std::clamp(count, 0, 255));
    Redraw(kObjectExtension, index);
}

void EngineEventDispatcher::RereadUnreadFlag()
{
    bool waiting = false;
    if (m_database.HasUnreadMessages(m_state.firstPbxIdentifier, m_state.ownExtension, waiting) == kNoError)
        m_state.unreadMessages = waiting;
    m_target.RefreshPopup();
}

OleDate EngineEventDispatcher::AcknowledgeMissedCalls()
{
    const OleDate reference = m_settings.MissedCallReference();
    const OleDate now = m_clock();
    const OleDate until = now.AddSeconds(kMissedCallsAheadSeconds);
    OleDate latest = now;
    int count = 0;
    m_database.CountCallLogWithLatest(PbxListPosition(m_database, m_state.firstPbxIdentifier), m_state.ownExtension,
                                      kMissedCallKinds, &reference, &until, nullptr, count, latest);
    m_settings.SetMissedCallReference(latest);
    if (!m_settingsFolder.isEmpty())
        SaveMainSettingsFile(m_settingsFolder, m_settings);
    m_state.missedCalls = 0;
    m_target.RefreshPopup();
    return reference;
}

int EngineEventDispatcher::AcknowledgeMessages()
{
    if (int result = m_database.MarkMessagesRead(m_state.ownExtension, m_state.firstPbxIdentifier); result != kNoError)
        return result;
    std::array<std::uint8_t, kDatagramSize> frame{};
    const std::size_t size =
        BuildMessageNotifyFrame(frame.data(), kMessageReadOrDeleted, kAllExtensions,
                                static_cast<std::uint8_t>(m_state.ownExtension), 0,
                                static_cast<std::uint8_t>(m_state.firstPbxIdentifier));
    return Relay(std::span(frame).first(size));
}

OleDate EngineEventDispatcher::AlarmTime(int extension) const
{
    if (extension < 0 || extension >= m_state.FirstCounts().extensions)
        return OleDate::Invalid();
    return OleDate(m_state.tables.extensionAlarm[static_cast<std::size_t>(extension)].Time());
}

void EngineEventDispatcher::AlarmShown(int extension)
{
    if (extension < 0 || extension >= m_state.FirstCounts().extensions)
        return;
    m_state.tables.extensionAlarm[static_cast<std::size_t>(extension)].SetPendingFlag(0);
    m_target.RefreshPopup();
}

int EngineEventDispatcher::StoreAlarmAction(int extension, int action)
{
    if (extension < 0 || extension >= m_state.FirstCounts().extensions || action == kAlarmShowAction)
        return kNoError;
    AlarmEntry& alarm = m_state.tables.extensionAlarm[static_cast<std::size_t>(extension)];
    const AlarmObject object{kAlarmOfExtension, extension, alarm.Kind()};
    if (int result = m_database.InsertAlarmEvent(m_state.firstPbxIdentifier, object, OleDate(alarm.Time()),
                                                 m_state.ownExtension, action);
        result != kNoError)
        return result;
    if (action == kAlarmAnswerAction)
        alarm.SetPendingFlag(kAlarmAnswered);
    const std::array<std::uint8_t, 7> frame{0x16, 0x16, kAlarmClearFrameCode, 0x03, kObjectExtension,
                                            static_cast<std::uint8_t>(extension), kAlarmCleared};
    return Relay(frame);
}

int EngineEventDispatcher::Relay(std::span<const std::uint8_t> frame) const
{
    if (!m_engine)
        return kNoEngineClient;
    const int pbx = PbxListPosition(m_database, m_state.firstPbxIdentifier);
    if (pbx < 0)
        return kDbRecordSelection;
    return m_engine->SendToClients(static_cast<std::uint8_t>(pbx), frame);
}
