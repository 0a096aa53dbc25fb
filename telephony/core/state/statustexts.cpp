#include "statustexts.h"

#include "contactnames.h"
#include "engineerrorcode.h"
#include "labelfitting.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "pbxobjecttype.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QStringList>

namespace {

constexpr unsigned kUnknownText = 1005;
constexpr unsigned kStateLabel = 1021;
constexpr unsigned kNumberLabel = 1022;
constexpr unsigned kLinkLabel = 1023;
constexpr unsigned kPbxServicesHeading = 1032;
constexpr unsigned kNightState = 1044;
constexpr unsigned kCarrierFunction = 1045;
constexpr unsigned kExtensionServicesHeading = 1046;
constexpr unsigned kNightService = 1047;
constexpr unsigned kFollowMeFromEntryPhone = 1048;
constexpr unsigned kFollowMeFromOutside = 1049;
constexpr unsigned kFollowMeOn = 1050;
constexpr unsigned kBathroomAlarm = 1051;
constexpr unsigned kNoServices = 1052;
constexpr unsigned kServicesHeading = 1053;
constexpr unsigned kDisa = 1055;
constexpr unsigned kLocalCallsDisabled = 1079;
constexpr unsigned kDoNotDisturb = 1080;
constexpr unsigned kDisaGroups = 1088;
constexpr unsigned kAnsweringMachine = 1089;
constexpr unsigned kWakeUpLabel = 10025;
constexpr unsigned kNameLabel = 10069;

// Extension programming bytes (byte 0 the object type, then the programming columns in order).
constexpr std::size_t kLocalCallsEnabled = 5;  // ChiamateUrbaneAbilita
constexpr std::size_t kNightServiceEnabled = 7;  // ServizioNotteAbilita
constexpr std::size_t kDoNotDisturbByte = 8;  // NonDisturbare
constexpr std::size_t kVariousFunctions = 46;  // FunzioniVarie
constexpr std::size_t kFollowMe = 49;  // Seguimi: the target extension, 255 none
constexpr std::uint8_t kFollowMeFromEntryPhoneBit = 0x02;
constexpr std::uint8_t kFollowMeFromOutsideBit = 0x04;
constexpr std::uint8_t kBathroomAlarmBit = 0x20;
constexpr std::uint8_t kNoFollowMe = 255;
// Line programming byte 5: DISA.
constexpr std::size_t kLineDisa = 5;
// System configuration bytes.
constexpr std::size_t kNightStateByte = 0;  // StatoNotte
constexpr std::size_t kCarrierFunctionByte = 6;  // AbilitazioneFunzioneGESTORI
constexpr std::size_t kBitmap1 = 24;  // ExtensioneBitmap1
constexpr std::size_t kBitmap2 = 25;  // ExtensioneBitmap2
constexpr std::uint8_t kAnsweringMachineBit = 0x01;  // of ExtensioneBitmap1
constexpr std::uint8_t kDisaGroupsBit = 0x20;  // of ExtensioneBitmap2
// Wake-up record: byte 1 enabled, bytes 2-4 hour, minute, second.
constexpr std::size_t kWakeUpEnabled = 1;

constexpr std::uint8_t kNoPeer = 0;
constexpr std::uint8_t kIncomingDirection = 1;  // this object is the second side: the call came to it
constexpr std::uint8_t kOutgoingDirection = 2;
constexpr std::uint8_t kLinkCleared = 255;
const QByteArray kNoCallerId = QByteArrayLiteral("**NOCID**");

const QString kToArrow = QStringLiteral("-> ");
const QString kFromArrow = QStringLiteral("<- ");

QString Text(unsigned id)
{
    return LoadResString(id);
}

QString StateName(std::uint8_t state)
{
    return Text(kExtensionStateTextBase + state);
}

bool IsCallState(std::uint8_t state)
{
    return state == kStateCallWaiting || state == kStateCallHeld || state == kStateConnected
        || state == kStatePause || state == kStateArriving;
}

// The texts' view of the console: names and contacts through the database.
class Texts {
public:
    Texts(OperatorConsoleState& state, CSqlDatabase& database)
        : m_state(state), m_database(database), m_labels(DatabaseLabelReader(database))
    {
    }

    OperatorConsoleState& state() { return m_state; }

    // The combined index of an object linked from an object of PBX `pbx`; -1 outside that PBX's table.
    int Linked(std::uint8_t kind, int pbx, std::uint8_t local) const
    {
        const PbxObjectCounts first = m_state.FirstCounts();
        const PbxObjectCounts own = pbx == 0 ? first : m_state.SecondCounts();
        const auto pick = [kind](const PbxObjectCounts& c) {
            switch (kind) {
            case kObjectExtension: return c.extensions;
            case kObjectLine: return c.lines;
            case kObjectEntryPhone: return c.entryPhones;
            default: return 0;
            }
        };
        if (local >= pick(own))
            return -1;
        return (pbx == 0 ? 0 : pick(first)) + local;
    }

    QString Name(std::uint8_t kind, int index)
    {
        switch (kind) {
        case kObjectExtension: return FormatExtensionName(m_state, m_labels, index);
        case kObjectLine: return FormatLineName(m_state, m_labels, index);
        case kObjectEntryPhone: return FormatEntryPhoneName(m_state, m_labels, index);
        case kObjectRelay: return FormatRelayName(m_state, m_labels, index);
        default: return {};
        }
    }
    QString CallerId(int line) { return FormatCallerId(m_state, m_database, line); }
    // A dialled number as the contact holding it, else the number without its outside-line prefix.
    QString ContactOrNumber(const QByteArray& dialled)
    {
        QString number = QString::fromLatin1(dialled);
        const QString name = LookupContactName(m_state, m_database, number, true);
        if (!name.isEmpty())
            return name;
        StripDialPrefix(number, m_state.FirstCounts().lines);
        return number;
    }
    QString Contact(const QString& number) { return LookupContactName(m_state, m_database, number, false); }

    ExtensionEntry& Extension(int index) { return m_state.tables.extensionStatus[static_cast<std::size_t>(index)]; }
    LineEntry& Line(int index) { return m_state.tables.lineStatus[static_cast<std::size_t>(index)]; }
    EntryPhoneEntry& EntryPhone(int index) { return m_state.tables.entryPhoneStatus[static_cast<std::size_t>(index)]; }

private:
    OperatorConsoleState& m_state;
    CSqlDatabase& m_database;
    PbxLabelReader m_labels;
};

const QString kToLine = QStringLiteral("->(L");
const QString kFromLine = QStringLiteral("<-(L");
const QString kOwnToLine = QStringLiteral("-> (L");  // the status bar's form

// The opening, the line's number within its PBX and ") ".
QString LinePrefix(const QString& opening, const OperatorConsoleState& state, int line)
{
    const auto object = state.SplitLine(line);
    return opening + QString::number(object ? object->local + 1 : 0) + QStringLiteral(") ");
}

// The status line of an extension in a call state, linked to an extension, entry phone or line.
QString CallPeerText(Texts& texts, int pbx, const ExtensionEntry& entry, std::uint8_t direction)
{
    const std::uint8_t kind = entry.LinkType();
    const int linked = texts.Linked(kind, pbx, entry.LinkIndex());
    if (linked < 0)
        return {};
    if (kind == kObjectExtension || kind == kObjectEntryPhone) {
        const QString name = texts.Name(kind, linked);
        if (direction == kOutgoingDirection)
            return kFromArrow + name;
        if (direction == kIncomingDirection)
            return kToArrow + name;
        return name;
    }
    if (kind != kObjectLine)
        return {};
    const LineEntry& line = texts.Line(linked);
    if (!line.CallerNumber().isEmpty())
        return LinePrefix(kToLine, texts.state(), linked) + texts.CallerId(linked);
    const QByteArray dialled = !line.CallerName().isEmpty() ? line.CallerName() : entry.Digits();
    return LinePrefix(kFromLine, texts.state(), linked) + texts.ContactOrNumber(dialled);
}

// The status line of an extension with an incoming call; `ownForm` gives the forms of the status bar.
QString IncomingText(Texts& texts, int pbx, const ExtensionEntry& entry, bool ownForm)
{
    const std::uint8_t kind = entry.LinkType();
    if (kind == kNoPeer)
        return kToArrow + Text(kWakeUpLabel);
    const int linked = texts.Linked(kind, pbx, entry.LinkIndex());
    if (linked < 0)
        return {};
    if (kind == kObjectExtension || kind == kObjectEntryPhone)
        return kToArrow + texts.Name(kind, linked);
    if (kind != kObjectLine)
        return {};
    const LineEntry& line = texts.Line(linked);
    if (!line.CallerNumber().isEmpty()) {
        return LinePrefix(ownForm ? kOwnToLine : kToLine, texts.state(), linked) + texts.CallerId(linked);
    }
    return LinePrefix(kFromLine, texts.state(), linked) + texts.ContactOrNumber(line.CallerName());
}

QString ExtensionLine(Texts& texts, int index, int pbx)
{
    OperatorConsoleState& state = texts.state();
    ExtensionEntry& entry = texts.Extension(index);
    const auto at = static_cast<std::size_t>(index);
    switch (entry.State()) {
    case kStateReady:
        entry.SetDigits({});
        state.tables.extensionCallDirection[at] = 0;
        return {};
    case kStateIncomingCall:
        return IncomingText(texts, pbx, entry, false);
    case kStateCallWaiting:
    case kStateCallHeld:
    case kStateConnected:
    case kStatePause:
    case kStateArriving:
        return CallPeerText(texts, pbx, entry, state.tables.extensionCallDirection[at]);
    case kStateOutgoingCall:
    case kStateDialling:
    case kStateExternalCall:
        return QString::fromLatin1(entry.Digits());
    case kStateWaitingSelection:
        // A line of its own PBX still showing a dialled number is released from the extension.
        if (entry.LinkType() == kObjectLine) {
            const int line = texts.Linked(kObjectLine, pbx, entry.LinkIndex());
            if (line >= 0 && !texts.Line(line).CallerName().isEmpty()) {
                LineEntry& linked = texts.Line(line);
                linked.bytes[LineEntry::kLinkTypeOffset] = kLinkCleared;
                linked.SetCallerName({});
            }
        }
        return {};
    default:
        return {};
    }
}

// The "Numero" and "Nome" lines of a tip for a call on a line.
QString LineCallLines(Texts& texts, int line, const ExtensionEntry& extension)
{
    const LineEntry& entry = texts.Line(line);
    const QByteArray caller = entry.CallerNumber();
    QString number;
    bool known = true;
    if (caller == kNoCallerId) {
        number = Text(kUnknownText);
        known = false;
    } else if (!caller.isEmpty()) {
        number = QString::fromLatin1(caller);
    } else {
        number = QString::fromLatin1(!entry.CallerName().isEmpty() ? entry.CallerName() : extension.Digits());
        StripDialPrefix(number, texts.state().FirstCounts().lines);
    }
    QString text = QStringLiteral("\n") + Text(kNumberLabel) + QStringLiteral(": ") + number;
    if (known && !number.isEmpty()) {
        const QString name = texts.Contact(number);
        if (!name.isEmpty())
            text += QStringLiteral("\n") + Text(kNameLabel) + QStringLiteral(": ") + name;
    }
    return text;
}

QString StateLine(std::uint8_t state)
{
    return QStringLiteral("\n") + Text(kStateLabel) + QStringLiteral(": ") + StateName(state);
}

QString LinkLine(const QString& name)
{
    return QStringLiteral("\n") + Text(kLinkLabel) + QStringLiteral(": ") + name;
}

QString ServicesBlock(const QStringList& services)
{
    if (services.isEmpty())
        return {};
    return QStringLiteral("\n") + Text(kServicesHeading) + QStringLiteral(":\n") + services.join(QLatin1Char('\n'));
}

// The follow-me target's name, in the extension's own PBX.
QString FollowMeText(Texts& texts, int pbx, std::uint8_t target)
{
    const int index = texts.Linked(kObjectExtension, pbx, target);
    return Text(kFollowMeOn) + QLatin1Char(' ') + (index >= 0 ? texts.Name(kObjectExtension, index) : QString());
}

// The services of the extension's programming that the status bar and the tips share.
QStringList SharedServices(Texts& texts, int index, int pbx)
{
    const auto& programming = texts.state().tables.extensionProgramming[static_cast<std::size_t>(index)];
    QStringList services;
    if (programming[kNightServiceEnabled])
        services << Text(kNightService);
    if (programming[kVariousFunctions] & kFollowMeFromEntryPhoneBit)
        services << Text(kFollowMeFromEntryPhone);
    if (programming[kVariousFunctions] & kFollowMeFromOutsideBit)
        services << Text(kFollowMeFromOutside);
    if (programming[kVariousFunctions] & kBathroomAlarmBit)
        services << Text(kBathroomAlarm);
    if (programming[kFollowMe] != kNoFollowMe)
        services << FollowMeText(texts, pbx, programming[kFollowMe]);
    return services;
}

QString ExtensionServices(Texts& texts, int index, int pbx)
{
    const auto& programming = texts.state().tables.extensionProgramming[static_cast<std::size_t>(index)];
    QStringList services = SharedServices(texts, index, pbx);
    if (programming[kLocalCallsEnabled] == 0)
        services << Text(kLocalCallsDisabled);
    if (programming[kDoNotDisturbByte] != 0)
        services << Text(kDoNotDisturb);
    return ServicesBlock(services);
}

QString Joined(const QString& heading, const QStringList& items)
{
    return items.isEmpty() ? QString() : heading + QStringLiteral(": ") + items.join(QStringLiteral(", "));
}

}  // namespace

QString ExtensionStatusLine(OperatorConsoleState& state, CSqlDatabase& database, int index)
{
    const auto object = state.SplitExtension(index);
    if (!object)
        return {};
    Texts texts(state, database);
    return ExtensionLine(texts, index, object->pbx);
}

QString LineStatusLine(OperatorConsoleState& state, CSqlDatabase& database, int index)
{
    const auto object = state.SplitLine(index);
    if (!object)
        return {};
    Texts texts(state, database);
    LineEntry& line = texts.Line(index);
    const std::uint8_t lineState = line.State();
    if (lineState == kStateReady) {
        line.SetCallerNumber({});
        line.SetCallerName({});
        return {};
    }
    const int extension = line.LinkType() == kObjectExtension
        ? texts.Linked(kObjectExtension, object->pbx, line.LinkIndex()) : -1;
    const QByteArray caller = line.CallerNumber();
    if (lineState == kStateCallWaiting || lineState == kStateCallHeld || lineState == kStateConnected) {
        if (extension < 0)
            return {};
        const QString open = QStringLiteral("->(") + texts.Name(kObjectExtension, extension) + QStringLiteral(") ");
        const QString back = QStringLiteral("<-(") + texts.Name(kObjectExtension, extension) + QStringLiteral(") ");
        if (!caller.isEmpty())
            return open + texts.CallerId(index);
        if (!line.CallerName().isEmpty())
            return back + texts.ContactOrNumber(line.CallerName());
        const QByteArray digits = texts.Extension(extension).Digits();
        if (!digits.isEmpty())
            return back + texts.ContactOrNumber(digits);
        return {};
    }
    if (lineState == kStateArriving) {
        if (!caller.isEmpty())
            return kToArrow + texts.CallerId(index);
        if (!line.CallerName().isEmpty() && extension >= 0)
            return QStringLiteral("<-(") + texts.Name(kObjectExtension, extension) + QStringLiteral(") ")
                + QString::fromLatin1(line.CallerName());
    }
    return {};
}

QString EntryPhoneStatusLine(OperatorConsoleState& state, CSqlDatabase& database, int index)
{
    const auto object = state.SplitEntryPhone(index);
    if (!object)
        return {};
    Texts texts(state, database);
    const EntryPhoneEntry& phone = texts.EntryPhone(index);
    if (phone.State() != kStateConnected || phone.LinkType() != kObjectExtension)
        return {};
    const int extension = texts.Linked(kObjectExtension, object->pbx, phone.LinkIndex());
    if (extension < 0)
        return {};
    const bool incoming = state.tables.entryPhoneCallDirection[static_cast<std::size_t>(index)] == kIncomingDirection;
    return (incoming ? kToArrow : kFromArrow) + texts.Name(kObjectExtension, extension);
}

bool GetExtensionInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size)
{
    const auto object = state.SplitExtension(index);
    if (!object)
        return CopyInfoTip({}, buffer, size);
    Texts texts(state, database);
    const ExtensionEntry& entry = texts.Extension(index);
    QString tip = texts.Name(kObjectExtension, index) + StateLine(entry.State());
    if (IsCallState(entry.State())) {
        const std::uint8_t kind = entry.LinkType();
        const int linked = texts.Linked(kind, object->pbx, entry.LinkIndex());
        if (linked >= 0) {
            tip += LinkLine(texts.Name(kind, linked));
            if (kind == kObjectLine)
                tip += LineCallLines(texts, linked, entry);
        }
    }
    const auto& wakeUp = state.tables.extensionWakeUp[static_cast<std::size_t>(index)];
    if (wakeUp[kWakeUpEnabled] != 0)
        tip += QStringLiteral("\n%1: %2:%3:%4")
                   .arg(Text(kWakeUpLabel))
                   .arg(wakeUp[2], 2, 10, QLatin1Char('0'))
                   .arg(wakeUp[3], 2, 10, QLatin1Char('0'))
                   .arg(wakeUp[4], 2, 10, QLatin1Char('0'));
    tip += ExtensionServices(texts, index, object->pbx);
    return CopyInfoTip(tip, buffer, size);
}

bool GetLineInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size)
{
    const auto object = state.SplitLine(index);
    if (!object)
        return CopyInfoTip({}, buffer, size);
    Texts texts(state, database);
    const LineEntry& line = texts.Line(index);
    QString tip = texts.Name(kObjectLine, index) + StateLine(line.State());
    if (IsCallState(line.State()) && line.LinkType() == kObjectExtension) {
        const int extension = texts.Linked(kObjectExtension, object->pbx, line.LinkIndex());
        if (extension >= 0)
            tip += LinkLine(texts.Name(kObjectExtension, extension))
                + LineCallLines(texts, index, texts.Extension(extension));
    }
    tip += FormatLineServicesText(state, index);
    return CopyInfoTip(tip, buffer, size);
}

bool GetEntryPhoneInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size)
{
    const auto object = state.SplitEntryPhone(index);
    if (!object)
        return CopyInfoTip({}, buffer, size);
    Texts texts(state, database);
    const EntryPhoneEntry& phone = texts.EntryPhone(index);
    QString tip = texts.Name(kObjectEntryPhone, index) + StateLine(phone.State());
    if (phone.State() == kStateConnected && phone.LinkType() == kObjectExtension) {
        const int extension = texts.Linked(kObjectExtension, object->pbx, phone.LinkIndex());
        if (extension >= 0)
            tip += LinkLine(texts.Name(kObjectExtension, extension));
    }
    return CopyInfoTip(tip, buffer, size);
}

bool GetRelayInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size)
{
    if (!state.SplitRelay(index))
        return CopyInfoTip({}, buffer, size);
    Texts texts(state, database);
    return CopyInfoTip(texts.Name(kObjectRelay, index), buffer, size);
}

QString FormatExtensionServicesText(OperatorConsoleState& state, CSqlDatabase& database, int index)
{
    const auto object = state.SplitExtension(index);
    if (!object)
        return {};
    Texts texts(state, database);
    return ExtensionServices(texts, index, object->pbx);
}

QString FormatLineServicesText(const OperatorConsoleState& state, int index)
{
    if (!state.SplitLine(index))
        return {};
    QStringList services;
    if (state.tables.lineProgramming[static_cast<std::size_t>(index)][kLineDisa])
        services << Text(kDisa);
    return ServicesBlock(services);
}

QString FormatOwnServicesText(OperatorConsoleState& state, CSqlDatabase& database)
{
    const auto& configuration = state.firstConfiguration.bytes;
    QStringList pbxItems;
    if (configuration[kNightStateByte])
        pbxItems << Text(kNightState);
    if (configuration[kCarrierFunctionByte])
        pbxItems << Text(kCarrierFunction);
    if (configuration[kBitmap2] & kDisaGroupsBit)
        pbxItems << Text(kDisaGroups);
    if (configuration[kBitmap1] & kAnsweringMachineBit)
        pbxItems << Text(kAnsweringMachine);
    const QString pbxPart = Joined(Text(kPbxServicesHeading), pbxItems);
    QString extensionPart;
    const int own = state.ownExtension;
    if (own >= 0 && own < state.FirstCounts().extensions) {
        Texts texts(state, database);
        extensionPart = Joined(Text(kExtensionServicesHeading) + texts.Name(kObjectExtension, own) + QLatin1Char(')'),
                               SharedServices(texts, own, 0));
    }
    if (pbxPart.isEmpty() && extensionPart.isEmpty())
        return Text(kNoServices);
    if (pbxPart.isEmpty() || extensionPart.isEmpty())
        return pbxPart + extensionPart;
    return pbxPart + QStringLiteral(" - ") + extensionPart;
}

void FormatOwnExtensionStatus(OperatorConsoleState& state, CSqlDatabase& database, QString& stateText,
                              QString& peerText)
{
    stateText.clear();
    peerText.clear();
    const int own = state.ownExtension;
    if (own < 0 || own >= state.FirstCounts().extensions)
        return;
    Texts texts(state, database);
    ExtensionEntry& entry = texts.Extension(own);
    const std::uint8_t ownState = entry.State();
    stateText = ownState == kStateReady ? texts.Name(kObjectExtension, own) : StateName(ownState);
    switch (ownState) {
    case kStateIncomingCall:
        peerText = IncomingText(texts, 0, entry, true);
        break;
    case kStateArriving: {
        const std::uint8_t kind = entry.LinkType();
        const int linked = texts.Linked(kind, 0, entry.LinkIndex());
        if (linked < 0)
            break;
        if (kind == kObjectExtension)
            peerText = (entry.Digits().isEmpty() ? kToArrow : kFromArrow) + texts.Name(kind, linked);
        else if (kind == kObjectLine && !texts.Line(linked).CallerNumber().isEmpty())
            peerText = LinePrefix(kToLine, state, linked) + texts.CallerId(linked);
        break;
    }
    case kStateCallWaiting:
    case kStateCallHeld:
    case kStateConnected:
    case kStatePause:
        // The peer as the extension's own status line names it.
        peerText = ExtensionLine(texts, own, 0);
        break;
    default:
        break;
    }
}
