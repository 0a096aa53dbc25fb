#include "callnotificationhandler.h"

#include "boundpbxrecords.h"
#include "boundpbxupdates.h"
#include "consolelabels.h"
#include "contactcache.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "eventsender.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "udpeventlistener.h"

#include <thread>

namespace {

// The bound extension's copy: state, partner (link type and index) and the ring type of its last ring.
constexpr qsizetype kCopyState = 2;
constexpr qsizetype kCopyLinkType = 3;
constexpr qsizetype kCopyLinkIndex = 4;
constexpr qsizetype kCopyRingType = 8;
// Byte 2 of an extension's programming record: "F" goes before every number it dials.
constexpr qsizetype kProgrammingFlashFirst = 2;

// Partners of a ring (link types).
constexpr int kWakeUpPartner = 0;
constexpr int kExtensionPartner = 1;
constexpr int kLinePartner = 2;
constexpr int kEntryPhonePartner = 3;

// Ring types of a ring event.
constexpr int kRingFromLine = 8;
constexpr int kRingInternal = 16;
constexpr int kRingBooked = 24;
constexpr int kRingNoCall = 32;
constexpr int kRingHeldReturning = 40;
constexpr int kRingEntryPhone = 48;

constexpr unsigned kWakeUpString = 10059;
constexpr unsigned kNoNumberString = 10071;

constexpr int kShortWaitMs = 500;
constexpr int kLongWaitMs = 1000;
// Digits after which the PBX needs the outside line first: dialled before the key, the others after it.
constexpr std::string_view kOutsideLineStarts[] = {"0", "6", "*", "86"};

const QByteArray kRing = QByteArrayLiteral("\r\nRING\r\n");
const QByteArray kRingCallerId = QByteArrayLiteral("\r\nRING +CLID");
const QByteArray kRingName = QByteArrayLiteral("\r\nRING +CLNM");
const QByteArray kRingWakeUp = QByteArrayLiteral("\r\nRING +CLNWAKE");
const QByteArray kRingInternalCall = QByteArrayLiteral("\r\nRING +CLNMINTERNAL");
const QByteArray kRingExternalCall = QByteArrayLiteral("\r\nRING +CLNMEXTERNAL");
const QByteArray kRingEntryPhoneCall = QByteArrayLiteral("\r\nRING +CLNMENTRYPHONE");
const QByteArray kConnect = QByteArrayLiteral("\r\nCONNECT\r\n");
const QByteArray kBusy = QByteArrayLiteral("\r\nBUSY\r\n");
const QByteArray kOk = QByteArrayLiteral("\r\nOK\r\n");
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

int ByteAt(const QByteArray& record, qsizetype offset)
{
    return offset < record.size() ? static_cast<quint8>(record[offset]) : 0;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// "\r\nRING +CLNM" and the name with a line end, or the fixed text when there is no name.
QByteArray NamedRing(const QString& name, const QByteArray& fallback)
{
    return name.isEmpty() ? fallback : kRingName + name.toLocal8Bit() + kLineEnd;
}

}  // namespace

CallNotificationHandler::CallNotificationHandler(Services services) : m_services(std::move(services)) {}

CallNotificationHandler::~CallNotificationHandler() = default;

void CallNotificationHandler::OnPbxEvent(std::uint64_t wParam, std::int64_t lParam)
{
    const CEngineClient* client = m_services.engineClient ? m_services.engineClient() : nullptr;
    CUdpEventListener* listener = m_services.tapiListener ? m_services.tapiListener() : nullptr;
    if (!client || !listener)
        return;
    m_client = client;
    if (lParam == kNotification) {
        OnNotification(static_cast<std::uint32_t>(wParam - kNotificationTag));
    } else if (lParam == kPopupButton) {
        OnButton(wParam);
    } else {
        const std::vector<std::uint8_t> slot = listener->CopySlot(static_cast<int>(wParam & 0xFF));
        OnTapiCommand(QByteArrayView(slot.data(), static_cast<qsizetype>(slot.size())));
    }
    m_client = nullptr;
}

QByteArray CallNotificationHandler::CommandText(QByteArrayView datagram)
{
    qsizetype length = datagram.size();
    while (length > 0 && (datagram[length - 1] == '\r' || datagram[length - 1] == '\n' || datagram[length - 1] == '\0'))
        --length;
    QByteArray text = datagram.first(length).toByteArray();
    // A text that holds a NUL ends there, as the driver's texts do.
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// --- Notifications ---

void CallNotificationHandler::OnNotification(std::uint32_t n)
{
    switch (n) {
    case kStateReady:
    case kStateCallEnded:
        if (m_tapiCallFlag != kNoTapiCall) {
            Send(kBusy);
            m_tapiCallFlag = kNoTapiCall;
        }
        if (m_popup && m_popup->HasWindow()) {
            m_popup->HideAll();
            m_popupAllowed = false;
        }
        return;
    case kStateIncomingCall:
        if (m_tapiCallFlag != kNoTapiCall)
            return;
        if (UsesPopup())
            ShowRingInPopup();
        else
            AnnounceRingToDriver();
        return;
    case kStateCallWaiting:
    case kStatePause:
        if (m_popup && m_popup->HasWindow())
            m_popup->SetCallState(kStateCallWaiting, {}, {});
        return;
    case kStateCallHeld:
        if (m_popup)
            m_popup->SetCallState(kStateCallHeld, {}, {});
        return;
    case kStateConnected:
        if (m_tapiCallFlag == kTapiDialled) {
            Send(kConnect);
            Send(kConnect);
        }
        if (m_popup && m_popup->HasWindow())
            m_popup->SetCallState(kStateConnected, {}, {});
        return;
    default:
        if (n >= kCallerIdBase && n < kCallerIdBase + 0x80)
            OnCallerId(static_cast<int>(n - kCallerIdBase));
        return;
    }
}

void CallNotificationHandler::AnnounceRingToDriver()
{
    RingTimer(true);
    const QByteArray* copy = BoundCopy();
    if (!copy) {
        Send(kRing);
        return;
    }
    CSqlDatabase& database = *m_services.database;
    const int pbx = Pbx();
    const int partner = ByteAt(*copy, kCopyLinkIndex);
    switch (ByteAt(*copy, kCopyLinkType)) {
    case kWakeUpPartner:
        Send(NamedRing(LoadResString(kWakeUpString), kRingWakeUp));
        return;
    case kExtensionPartner:
        Send(NamedRing(GetExtensionLabel(partner, pbx, database, *m_services.boundRecords), kRingInternalCall));
        return;
    case kLinePartner: {
        const QByteArray callerId = BoundPbxUpdates::LineCallerId(*m_services.boundRecords, partner);
        if (!callerId.isEmpty())
            Send(kRingCallerId + callerId + kLineEnd);
        else
            Send(NamedRing(LineLabel(partner), kRingExternalCall));
        return;
    }
    case kEntryPhonePartner:
        Send(NamedRing(FormatEntryPhoneLabel(partner, pbx, database), kRingEntryPhoneCall));
        return;
    default:
        Send(kRing);
        return;
    }
}

void CallNotificationHandler::ShowRingInPopup()
{
    // A popup hidden at the end of the last call is replaced, so that each call's first ring plays the
    // ring sound once.
    if (!m_popup || !m_popupAllowed) {
        m_popup.reset();
        if (m_services.popupFactory)
            m_popup = m_services.popupFactory();
        if (!m_popup)
            return;
    }
    m_popup->AllowPopup();
    m_popupAllowed = true;

    const QString noNumber = LoadResString(kNoNumberString);
    const QByteArray* copy = BoundCopy();
    if (!copy) {
        m_popup->SetCallState(kStateIncomingCall, {}, noNumber);
        m_savedLine2.clear();
        m_savedLine1 = noNumber;
        return;
    }
    RingTimer(true);
    CSqlDatabase& database = *m_services.database;
    const int pbx = Pbx();
    const int linkType = ByteAt(*copy, kCopyLinkType);
    const int partner = ByteAt(*copy, kCopyLinkIndex);
    QString line2;
    QString line1;
    switch (ByteAt(*copy, kCopyRingType)) {
    case kRingFromLine: {
        const QString number = QString::fromLocal8Bit(BoundPbxUpdates::LineCallerId(*m_services.boundRecords, partner));
        const QString label = LineLabel(partner);
        if (!number.isEmpty()) {
            const QString name = ContactName(number);
            line2 = number;
            line1 = name.isEmpty() ? label : QStringLiteral("(") + label + QStringLiteral(")  ") + name;
        } else if (!label.isEmpty()) {
            line2 = noNumber;
            line1 = label;
        } else {
            line1 = noNumber;
        }
        m_popup->SetCallState(kStateIncomingCall, line2, line1);
        m_savedLine2 = line2;
        m_savedLine1 = line1;
        return;
    }
    case kRingInternal:
        if (linkType == kExtensionPartner)
            line1 = GetExtensionLabel(partner, pbx, database, *m_services.boundRecords);
        else if (linkType == kWakeUpPartner)
            line1 = LoadResString(kWakeUpString);
        if (line1.isEmpty())
            line1 = noNumber;
        break;
    case kRingBooked:
        m_popup->SetCallState(kStateBooking, {}, {});
        m_savedLine2.clear();
        m_savedLine1 = noNumber;
        return;
    case kRingNoCall:
        m_savedLine2.clear();
        m_savedLine1 = noNumber;
        return;
    case kRingHeldReturning:
        m_popup->SetCallState(kStateCallHeld, m_savedLine2, m_savedLine1);
        return;
    case kRingEntryPhone:
        line1 = FormatEntryPhoneLabel(partner, pbx, database);
        if (line1.isEmpty())
            line1 = noNumber;
        break;
    default:
        line1 = noNumber;
        break;
    }
    m_popup->SetCallState(kStateIncomingCall, {}, line1);
    m_savedLine2.clear();
    m_savedLine1 = line1;
}

void CallNotificationHandler::OnCallerId(int line)
{
    const QByteArray* copy = BoundCopy();
    BoundPbxRecords& records = *m_services.boundRecords;
    if (!copy || ByteAt(*copy, kCopyState) != kStateIncomingCall || ByteAt(*copy, kCopyLinkType) != kLinePartner ||
        ByteAt(*copy, kCopyLinkIndex) != line || line >= static_cast<int>(records.LineStatus().size()))
        return;
    const QByteArray callerId = BoundPbxUpdates::LineCallerId(records, line);
    if (!UsesPopup()) {
        Send(kRingCallerId + callerId + kLineEnd);
        return;
    }
    if (m_popup)
        ShowCallerId(QString::fromLocal8Bit(callerId), line);
}

void CallNotificationHandler::ShowCallerId(const QString& number, int line)
{
    const QString label = LineLabel(line);
    const QString name = ContactName(number);
    const QString line1 = name.isEmpty() ? label : QStringLiteral("(") + label + QStringLiteral(")  ") + name;
    m_popup->SetCallState(kStateIncomingCall, number, line1);
    m_savedLine2 = number;
    m_savedLine1 = line1;
}

// --- Popup buttons ---

void CallNotificationHandler::OnButton(std::uint64_t button)
{
    const bool linkUp = m_services.boundLinkUp && m_services.boundLinkUp();
    if (button == kAcceptButton) {
        if (linkUp && BoundCopy() && Client().OffHook(Pbx(), Extension(), false, kRequestSeconds) == kNoError)
            return;
        if (m_popup) {
            m_popup->HideAll();
            m_popupAllowed = false;
        }
    } else if (button == kRejectButton) {
        if (linkUp)
            HangUpOrReject();
        if (m_popup && m_popup->HasWindow()) {
            m_popup->HideAll();
            m_popupAllowed = false;
        }
    }
}

void CallNotificationHandler::HangUpOrReject()
{
    if (BoundState() == kStateIncomingCall) {
        Client().OffHook(Pbx(), Extension(), true, kRequestSeconds);
        Client().OnHook(Pbx(), Extension(), true, kRequestSeconds);
    } else {
        Client().OnHook(Pbx(), Extension(), false, kRequestSeconds);
    }
}

// --- TAPI driver commands ---

void CallNotificationHandler::OnTapiCommand(QByteArrayView datagram)
{
    const QByteArray text = CommandText(datagram);
    if (text.size() < 2 || Upper(text[0]) != 'A' || Upper(text[1]) != 'T')
        return;
    const char command = text.size() > 2 ? Upper(text[2]) : '\0';
    const char dialMode = text.size() > 3 ? Upper(text[3]) : '\0';
    if (command == 'A') {
        Answer();
    } else if (command == 'D' && (dialMode == 'T' || dialMode == 'P')) {
        QByteArray number = text.mid(4);
        if (number.endsWith(';'))
            number.chop(1);
        Dial(number);
    } else if (command == 'H') {
        HangUp();
    } else {
        Send(kOk);
    }
}

void CallNotificationHandler::Answer()
{
    const bool linkUp = m_services.boundLinkUp && m_services.boundLinkUp();
    if (linkUp && BoundCopy() && Client().OffHook(Pbx(), Extension(), false, kRequestSeconds) == kNoError &&
        BoundState() != kStateReady) {
        Send(kOk);
        m_tapiCallFlag = kTapiAnswered;
        return;
    }
    Send(kOk);
    Send(kBusy);
}

void CallNotificationHandler::Dial(const QByteArray& number)
{
    const bool linkUp = m_services.boundLinkUp && m_services.boundLinkUp();
    if (!linkUp || !BoundCopy() || BoundState() != kStateReady ||
        Client().OffHook(Pbx(), Extension(), true, kRequestSeconds) != kNoError) {
        Send(kBusy);
        return;
    }
    const std::vector<QByteArray>& programming = m_services.boundRecords->ExtensionProgramming();
    const bool flashFirst = Extension() < programming.size() && ByteAt(programming[Extension()], kProgrammingFlashFirst) != 0;
    const std::string_view digits(number.constData(), static_cast<std::size_t>(number.size()));
    auto dial = [this](std::string_view text) {
        Client().DialNumber(Pbx(), Extension(), text, false, nullptr, kRequestSeconds);
    };
    auto flash = [&] {
        if (flashFirst) {
            dial("F");
            Pause(kLongWaitMs);
        }
    };
    bool outsideLine = false;
    for (std::string_view start : kOutsideLineStarts)
        outsideLine = outsideLine || digits.starts_with(start);
    if (outsideLine) {
        flash();
        dial(digits);
        Pause(kLongWaitMs);
        Client().PressKey64(Pbx(), Extension(), kRequestSeconds);
    } else {
        Pause(kShortWaitMs);
        Client().PressKey64(Pbx(), Extension(), kRequestSeconds);
        Pause(kShortWaitMs);
        flash();
        dial(digits);
    }
    BoundPbxRecords& records = *m_services.boundRecords;
    BoundPbxUpdates::SetDigits(records, Extension(), BoundPbxUpdates::Digits(records, Extension()) + number);
    m_tapiCallFlag = kTapiDialled;
}

void CallNotificationHandler::HangUp()
{
    Send(kOk);
    if (m_services.boundLinkUp && m_services.boundLinkUp())
        HangUpOrReject();
    m_tapiCallFlag = kNoTapiCall;
}

// --- Ring repetition ---

void CallNotificationHandler::OnRingTimer()
{
    const QByteArray* copy = BoundCopy();
    const bool ringing = copy && ByteAt(*copy, kCopyState) == kStateIncomingCall;
    if (UsesPopup()) {
        if (ringing && m_popup && m_popup->HasWindow())
            m_popup->PlayRingSound();
        else
            RingTimer(false);
        return;
    }
    if (ringing)
        Send(kRing);
    else
        RingTimer(false);
}

// --- Helpers ---

void CallNotificationHandler::Send(QByteArrayView text) const
{
    CEventSender* sender = m_services.tapiSender ? m_services.tapiSender() : nullptr;
    if (sender)
        sender->QueueToLocalhost(std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                           static_cast<std::size_t>(text.size())));
}

void CallNotificationHandler::Pause(int ms) const
{
    if (m_services.pause)
        m_services.pause(std::chrono::milliseconds(ms));
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void CallNotificationHandler::RingTimer(bool run) const
{
    if (m_services.ringTimer)
        m_services.ringTimer(run);
}

bool CallNotificationHandler::UsesPopup() const
{
    return !m_services.incomingCallHandler || m_services.incomingCallHandler() == kPopupHandler;
}

const QByteArray* CallNotificationHandler::BoundCopy() const
{
    if (!m_services.boundRecords)
        return nullptr;
    const std::vector<QByteArray>& copies = m_services.boundRecords->ExtensionStatus();
    const int extension = m_services.boundExtension ? m_services.boundExtension() : -1;
    return extension >= 0 && static_cast<std::size_t>(extension) < copies.size()
               ? &copies[static_cast<std::size_t>(extension)] : nullptr;
}

int CallNotificationHandler::BoundState() const
{
    const QByteArray* copy = BoundCopy();
    return copy ? ByteAt(*copy, kCopyState) : 0;
}

QString CallNotificationHandler::LineLabel(int line) const
{
    return FormatLineLabel(line, Pbx(), *m_services.database);
}

QString CallNotificationHandler::ContactName(const QString& number) const
{
    QString name;
    if (m_sharedAddressBook) {
        if (m_services.database->FindContactByNumber(number, name) != kNoError)
            name.clear();
        return name;
    }
    CContactCache* contacts = m_services.contacts ? m_services.contacts() : nullptr;
    return contacts ? contacts->FindNameByNumber(number) : QString();
}

std::uint8_t CallNotificationHandler::Pbx() const
{
    return static_cast<std::uint8_t>(m_services.boundPbx ? m_services.boundPbx() : 0);
}

std::uint8_t CallNotificationHandler::Extension() const
{
    return static_cast<std::uint8_t>(m_services.boundExtension ? m_services.boundExtension() : 0);
}
