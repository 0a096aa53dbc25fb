// CEventPopupDlg: the refresh. The rows are built from the console's state (running the filter, the
// automatic transfer and the automatic recording on the way), merged into the rows shown, laid out, and
// the window shown, moved or hidden; the alarm sound follows the active alarms.
#include "eventpopupdlg.h"

#include "callplacement.h"
#include "contactnames.h"
#include "engineerrorcode.h"
#include "folders.h"
#include "incomingcallfilter.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "operatorsettingsfiles.h"
#include "pbxdisplaynames.h"
#include "popupstrings.h"
#include "sqldatabase.h"
#include "statustexts.h"
#include "stringtable.h"


namespace {

using namespace popupstrings;

constexpr std::uint8_t kOfficeInUse = 0x01;
constexpr std::uint8_t kLineMonitoring = 0x02;
constexpr std::uint8_t kIncomingMonitoring = 0x04;
constexpr std::uint8_t kMessageHandling = 0x08;
constexpr std::uint8_t kCallFilter = 0x10;
constexpr int kRecorderInUseByte = 0;
constexpr int kAutomaticRecordingByte = 2;
constexpr int kRecorderMonitorByte = 3;
constexpr std::uint8_t kLinkExtension = 1;
constexpr std::uint8_t kLinkLine = 2;
constexpr std::uint8_t kLinkEntryPhone = 3;
// The link code of event 51 with which an automatic transfer to an extension hangs up instead.
constexpr std::uint8_t kHangUpLinkCode = 40;
constexpr std::uint8_t kAlarmActive = 1;
constexpr std::uint8_t kAlarmNotAnsweredState = 2;
constexpr int kOutsideLineSlot = 0;  // the general outside-line code

bool IsHeld(std::uint8_t state)
{
    return state == kStateCallWaiting || state == kStateCallHeld || state == kStatePause || state == kStateArriving;
}

bool IsLineWaiting(std::uint8_t state)
{
    return state == kStateCallWaiting || state == kStateCallHeld || state == kStatePause;
}

QString Text(unsigned id) { return LoadResString(id); }

QString Ellipsis(const QString& text) { return text + QStringLiteral("..."); }

void SetButton(PopupRow& row, int place, PopupAction action, unsigned caption)
{
    row.actions[static_cast<std::size_t>(place)] = action;
    row.captions[static_cast<std::size_t>(place)] = Text(caption);
}

void MakeConversationRow(PopupRow& row)
{
    SetButton(row, 0, PopupAction::HangUp, kHangUp);
    SetButton(row, 1, PopupAction::Transfer, kTransfer);
    SetButton(row, 2, PopupAction::AddNote, kNote);
    row.transferList = true;
}

void MakeRingingRow(PopupRow& row)
{
    SetButton(row, 0, PopupAction::Answer, kAnswer);
    SetButton(row, 1, PopupAction::Reject, kReject);
}

}  // namespace

void CEventPopupDlg::OnRefresh()
{
    // A refresh asked for while one runs (an error box of one of its actions lets messages through) runs
    // once this one has ended, on the rows it leaves.
    if (m_refreshing) {
        m_refreshAgain = true;
        return;
    }
    m_refreshing = true;
    do {
        m_refreshAgain = false;
        RefreshOnce();
    } while (m_refreshAgain);
    m_refreshing = false;
}

void CEventPopupDlg::RefreshOnce()
{
    ++m_refreshes;
    if (m_context.state) {
        const PopupRowTable built = BuildRows();
        m_leftOut = built.LeftOut();
        if (m_rows.Merge(built) > 0)
            m_alarmCountdown = kAlarmCountdownSeconds;
        FollowAlarmSound();
    }
    const QSize client = LayoutRows();
    ShowOrHide(!m_rows.IsEmpty(), client);
    emit Refreshed();
}

PopupRowTable CEventPopupDlg::BuildRows()
{
    PopupRowTable rows;
    const std::uint8_t options = OfficeOptions();
    if ((options & kOfficeInUse) && (options & kLineMonitoring))
        AddStationLinkRows(rows);
    if (options & kOfficeInUse) {
        AddStationCallRows(rows);
        RunTransferSteps();
        if ((options & kMessageHandling) && m_context.state->unreadMessages) {
            PopupRow row;
            row.sourceKind = PopupSource::Messages;
            row.text = Ellipsis(Text(kMessagesForYou));
            SetButton(row, 0, PopupAction::ShowMessages, kShow);
            rows.Append(row);
        }
    }
    AddMissedCallsRow(rows);
    AddAlarmRows(rows);
    AddRecorderRow(rows);
    const QByteArray& third = m_context.settings ? m_context.settings->third.Bytes() : QByteArray();
    if (third.size() > kAutomaticRecordingByte && third.at(kRecorderInUseByte) && third.at(kAutomaticRecordingByte) &&
        StationState() == kStateConnected && !m_recordingRequested)
        DoRowAction(PopupAction::Record, kNoExtension);
    return rows;
}

// Calls linked to the station (held or in conversation) and the calls waiting or arriving on the lines.
void CEventPopupDlg::AddStationLinkRows(PopupRowTable& rows)
{
    const auto& tables = m_context.state->tables;
    auto linkedRow = [&](PopupSource kind, int index, std::uint8_t state) {
        if (IsHeld(state)) {
            PopupRow row = NamedRow(kind, index, Text(kOnHold));
            SetButton(row, 0, PopupAction::Resume, kResume);
            rows.Append(row);
        } else if (state == kStateConnected) {
            PopupRow row = NamedRow(kind, index, Text(kInConversation));
            MakeConversationRow(row);
            rows.Append(row);
        }
    };
    for (int phone = 0; phone < EntryPhones(); ++phone) {
        const EntryPhoneEntry& entry = tables.entryPhoneStatus[static_cast<std::size_t>(phone)];
        if (entry.LinkType() == kLinkExtension && entry.LinkIndex() == m_station && entry.State() != kStateReady)
            linkedRow(PopupSource::EntryPhone, phone, entry.State());
    }
    for (int extension = 0; extension < Extensions(); ++extension) {
        const ExtensionEntry& entry = tables.extensionStatus[static_cast<std::size_t>(extension)];
        if (entry.LinkType() == kLinkExtension && entry.LinkIndex() == m_station && entry.State() != kStateReady)
            linkedRow(PopupSource::Extension, extension, entry.State());
    }
    for (int line = 0; line < Lines(); ++line) {
        const LineEntry& entry = tables.lineStatus[static_cast<std::size_t>(line)];
        if (entry.LinkType() == kLinkExtension && entry.LinkIndex() == m_station && entry.State() == kStateConnected) {
            PopupRow row = NamedRow(PopupSource::Line, line,
                                    Ellipsis(Text(kInConversationWith) + u' ' + CallerOfLine(line)));
            MakeConversationRow(row);
            rows.Append(row);
        }
    }
    const bool stationRinging = StationState() == kStateIncomingCall;
    for (int line = 0; line < Lines(); ++line) {
        const LineEntry& entry = tables.lineStatus[static_cast<std::size_t>(line)];
        if (IsLineWaiting(entry.State())) {
            PopupRow row = NamedRow(PopupSource::Line, line,
                                    Ellipsis(Text(kOnHoldAt) + u' ' + m_context.ExtensionName(entry.LinkIndex()) +
                                             u' ' + Text(kWith) + u' ' + CallerOfLine(line)));
            SetButton(row, 0, PopupAction::PickUp, kPickUp);
            rows.Append(row);
        } else if (entry.State() == kStateArriving) {
            if (stationRinging && StationLinkType() == kLinkLine && StationLinkIndex() == line)
                continue;
            PopupRow row = NamedRow(PopupSource::Line, line,
                                    Ellipsis(Text(kIncomingCallFrom) + u' ' + CallerOfLine(line)));
            row.actions[0] = PopupAction::PickUp;
            if (!stationRinging)
                row.captions[0] = Text(kPickUp);
            rows.Append(row);
        }
    }
}

// The station's own call: ringing (with the filter on line calls) or just ended.
void CEventPopupDlg::AddStationCallRows(PopupRowTable& rows)
{
    const std::uint8_t options = OfficeOptions();
    const std::uint8_t link = StationLinkType();
    const int linked = StationLinkIndex();
    if (StationState() == kStateIncomingCall) {
        if ((link == kLinkExtension && linked < Extensions()) || (link == kLinkEntryPhone && linked < EntryPhones())) {
            if (options & kIncomingMonitoring) {
                PopupRow row = NamedRow(link == kLinkExtension ? PopupSource::Extension : PopupSource::EntryPhone,
                                        linked, Text(kIncomingCall));
                MakeRingingRow(row);
                rows.Append(row);
            }
        } else if (link == kLinkLine && linked < Lines()) {
            if (options & kIncomingMonitoring) {
                PopupRow row =
                    NamedRow(PopupSource::Line, linked, Ellipsis(Text(kIncomingCallFrom) + u' ' + CallerOfLine(linked)));
                MakeRingingRow(row);
                rows.Append(row);
            }
            if (options & kCallFilter) {
                const LineEntry& line = m_context.state->tables.lineStatus[static_cast<std::size_t>(linked)];
                QString key = QString::fromLatin1(line.CallerNumber());
                if (key.isEmpty()) {
                    key = QString::fromLatin1(line.CallerName());
                    StripDialPrefix(key, Lines());
                }
                RunFilter(key);
            }
        }
    } else if (StationState() == kStateCallEnded) {
        PopupRow row;
        if ((link == kLinkExtension && linked < Extensions()) || (link == kLinkEntryPhone && linked < EntryPhones()))
            row = NamedRow(link == kLinkExtension ? PopupSource::Extension : PopupSource::EntryPhone, linked,
                           Text(kCallEnded));
        else if (link == kLinkLine && linked < Lines())
            row = NamedRow(PopupSource::Line, linked, Ellipsis(Text(kCallEndedWith) + u' ' + CallerOfLine(linked)));
        else
            return;
        SetButton(row, 0, PopupAction::HangUp, kHangUp);
        rows.Append(row);
    }
}

void CEventPopupDlg::RunFilter(const QString& key)
{
    const std::optional<CallFilterRule> rule = MatchIncomingCallFilter(m_context.settings->office, key);
    if (!rule)
        return;
    switch (rule->action) {
    case CallFilterRule::kReject: DoRowAction(PopupAction::Reject, kNoExtension); return;
    case CallFilterRule::kTransferToExtension: {
        if (m_transferExtension != kNoExtension)
            return;
        const std::optional<int> target = FilterTargetExtension(*rule, Extensions());
        if (!target)
            return;
        DoRowAction(PopupAction::Answer, kNoExtension);
        m_transferExtension = *target;
        return;
    }
    case CallFilterRule::kTransferToNumber:
        if (!m_transferNumber.isEmpty() || rule->argument.isEmpty())
            return;
        DoRowAction(PopupAction::Answer, kNoExtension);
        m_transferNumber = rule->argument;
        m_transferSteps = {};
        m_transferSteps[kFlashPending] = true;
        return;
    default: return;
    }
}

// The steps of an automatic transfer, one for each state the station passes through. Their dials report
// nothing.
void CEventPopupDlg::RunTransferSteps()
{
    const std::uint8_t state = StationState();
    if (state == kStateConnected) {
        if (!m_transferNumber.isEmpty() && m_transferSteps[kFlashPending]) {
            Dial(QStringLiteral("F"), false);
            m_transferSteps[kFlashPending] = false;
            m_transferSteps[kPlaceCallPending] = true;
        }
        if (m_transferSteps[kTransferCodePending]) {
            Dial(QStringLiteral("F4#"), false);
            m_transferSteps[kTransferCodePending] = false;
            m_transferSteps[kReleasePending] = true;
        }
        if (m_transferExtension != kNoExtension) {
            const auto& station = m_context.state->tables.extensionStatus[static_cast<std::size_t>(m_station)];
            if (station.RingType() == kHangUpLinkCode)
                DoRowAction(PopupAction::HangUp, kNoExtension);
            else
                DoRowAction(PopupAction::Transfer, m_transferExtension);
            m_transferExtension = kNoExtension;
        }
    } else if (state == kStateCallEnded && m_transferSteps[kReleasePending]) {
        DoRowAction(PopupAction::HangUp, kNoExtension);
        m_transferSteps[kReleasePending] = false;
    } else if (state == kStatePause && !m_transferNumber.isEmpty() && m_transferSteps[kPlaceCallPending]) {
        CallPlacement placement = m_context.Placement();
        placement.view = nullptr;
        PlaceCallOnLine(*m_context.state, placement, m_transferNumber, kOutsideLineSlot, m_station, false);
        m_transferNumber.clear();
        m_transferSteps[kPlaceCallPending] = false;
        m_transferSteps[kTransferCodePending] = true;
    }
}

void CEventPopupDlg::AddMissedCallsRow(PopupRowTable& rows)
{
    OperatorConsoleState& state = *m_context.state;
    if (state.missedCalls <= 0)
        return;
    if (m_context.settings && m_context.settings->main.PopupOption() != 0) {
        // Missed calls are not handled here: they are cleared as seen.
        m_context.settings->main.SetMissedCallReference(m_hooks.clock());
        if (!m_context.settingsFolder.isEmpty())
            SaveMainSettingsFile(m_context.settingsFolder, m_context.settings->main);
        state.missedCalls = 0;
        return;
    }
    const int count = state.missedCalls & 0xFFFF;
    PopupRow row;
    row.sourceKind = PopupSource::MissedCalls;
    row.text = Ellipsis(QStringLiteral("%1 %2").arg(count).arg(Text(count == 1 ? kOneMissedCall : kMissedCalls)));
    SetButton(row, 0, PopupAction::ShowMissedCalls, kShow);
    rows.Append(row);
}

void CEventPopupDlg::AddAlarmRows(PopupRowTable& rows)
{
    const auto& alarms = m_context.state->tables.extensionAlarm;
    for (int extension = 0; extension < Extensions() && static_cast<std::size_t>(extension) < alarms.size(); ++extension) {
        const std::uint8_t alarm = alarms[static_cast<std::size_t>(extension)].PendingFlag();
        if (alarm == 0)
            continue;
        PopupRow row;
        row.sourceKind = PopupSource::Alarm;
        row.sourceIndex = static_cast<std::uint8_t>(extension);
        QString text = m_context.database ? m_context.database->GetAlarmLabel(Pbx(), extension) : QString();
        if (text.isEmpty())
            text = Text(kAlarmFrom) + u' ' + m_context.ExtensionName(extension);
        if (alarm == kAlarmNotAnsweredState)
            text += u' ' + Text(kNotAnswered);
        row.text = Ellipsis(text);
        if (alarm == kAlarmActive)
            SetButton(row, 0, PopupAction::ResetAlarm, kReset);
        else
            SetButton(row, 0, PopupAction::ShowAlarm, kShow);
        rows.Append(row);
    }
}

void CEventPopupDlg::AddRecorderRow(PopupRowTable& rows)
{
    const QByteArray& third = m_context.settings ? m_context.settings->third.Bytes() : QByteArray();
    if (third.size() <= kRecorderMonitorByte || !third.at(kRecorderInUseByte) || !third.at(kRecorderMonitorByte))
        return;
    const std::uint8_t state = StationState();
    if (state == kStateNotReady || state == kStateReady)
        m_recordingRequested = false;
    PopupRow row;
    row.sourceKind = PopupSource::Recorder;
    const bool quiet = state == kStateNotReady || state == kStateReady || state == kStateCallWaiting || state == kStateOutgoingCall ||
                       state == kStateCallEnded || (state >= kStateDialling && state <= kStatePause);
    if ((quiet || state == kStateConnected) && m_recordingRequested) {
        row.text = Text(kRecording);
    } else if (state == kStateConnected) {
        row.text = Text(kRecorderMonitor);
        SetButton(row, 0, PopupAction::Record, kRecord);
    } else {
        return;
    }
    rows.Append(row);
}

void CEventPopupDlg::FollowAlarmSound()
{
    // Every active alarm counts, shown or not.
    bool wanted = false;
    const auto& alarms = m_context.state->tables.extensionAlarm;
    for (int extension = 0; extension < Extensions() && static_cast<std::size_t>(extension) < alarms.size(); ++extension)
        wanted = wanted || alarms[static_cast<std::size_t>(extension)].PendingFlag() == kAlarmActive;
    if (wanted && !m_alarmSoundOn) {
        m_hooks.playLoop(GetSharedFolder() + kAlarmSoundFile);
        m_alarmSoundOn = true;
    } else if (!wanted && m_alarmSoundOn) {
        m_hooks.stopSound();
        m_alarmSoundOn = false;
    }
}

void CEventPopupDlg::ShowOrHide(bool anyRow, const QSize& client)
{
    if (!anyRow) {
        if (m_shown) {
            hide();
            m_shown = false;
        }
        return;
    }
    const QRect place = PlaceFor(client);
    resize(client);
    move(place.topLeft());
    if (!m_shown) {
        if (m_firstShow) {
            show();
            m_firstShow = false;
        } else {
            showNormal();
        }
        raise();
        m_shown = true;
    } else {
        update();
    }
}

PopupRow CEventPopupDlg::NamedRow(PopupSource kind, int index, const QString& status) const
{
    PopupRow row;
    row.sourceKind = kind;
    row.sourceIndex = static_cast<std::uint8_t>(index);
    row.text = QStringLiteral("%1%2%3").arg(ObjectName(kind, index), QStringLiteral(": "), status);
    return row;
}

QString CEventPopupDlg::ObjectName(PopupSource kind, int index) const
{
    static const PbxLabelReader noLabels = [](PbxLabelKind, int, int) { return QString(); };
    const PbxLabelReader& labels = m_context.labels ? m_context.labels : noLabels;
    switch (kind) {
    case PopupSource::Extension: return FormatExtensionName(*m_context.state, labels, index);
    case PopupSource::Line: return FormatLineName(*m_context.state, labels, index);
    case PopupSource::EntryPhone: return FormatEntryPhoneName(*m_context.state, labels, index);
    default: return {};
    }
}

QString CEventPopupDlg::CallerOfLine(int line) const
{
    const LineEntry& entry = m_context.state->tables.lineStatus[static_cast<std::size_t>(line)];
    if (!entry.CallerNumber().isEmpty() && m_context.database)
        return FormatCallerId(*m_context.state, *m_context.database, line);
    QString number = QString::fromLatin1(entry.CallerName());
    if (m_context.database) {
        const QString name = LookupContactName(*m_context.state, *m_context.database, number, true);
        if (!name.isEmpty())
            return name;
    }
    StripDialPrefix(number, Lines());
    return number;
}
