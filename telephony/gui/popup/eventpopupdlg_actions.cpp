// CEventPopupDlg: what the row buttons do.
#include "eventpopupdlg.h"

#include "contactnames.h"
#include "derivedview.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "errorbox.h"
#include "lineview.h"
#include "noterecord.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "popuprowbutton.h"
#include "popupstrings.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "textdlg.h"

#include <QComboBox>

namespace {

constexpr int kSeconds = 6;  // every request's time budget
constexpr std::chrono::milliseconds kHookPause(500);
constexpr std::uint8_t kLinkExtension = 1;
constexpr std::uint8_t kLinkLine = 2;
constexpr int kNoteLinkShift = 8;  // a note's link: the kind in the high byte, the index in the low one
const QString kResume = QStringLiteral("9");
const QString kFlash = QStringLiteral("F");

bool OneOf(std::uint8_t state, std::initializer_list<std::uint8_t> states)
{
    return std::find(states.begin(), states.end(), state) != states.end();
}

}  // namespace

void CEventPopupDlg::OnRowAction(std::uint64_t wParam, std::int64_t lParam)
{
    const CPopupRowButton::Click click = CPopupRowButton::Decode(wParam, lParam);
    if (click.place >= PopupRow::kButtons)
        return;
    // The row the button was made for, wherever it is now; nothing once it is gone or does otherwise.
    const int row = m_rows.Find(click.kind, click.index);
    if (row == PopupRowTable::kNoRow || m_rows.At(row).actions[static_cast<std::size_t>(click.place)] != click.action)
        return;
    int parameter = kNoExtension;
    if (click.action == PopupAction::PickUp || click.action == PopupAction::ResetAlarm ||
        click.action == PopupAction::ShowAlarm) {
        parameter = click.index;
    } else if (const QComboBox* list = m_transferLists[static_cast<std::size_t>(row)]) {
        const QVariant data = list->currentData();
        parameter = list->currentIndex() >= 0 && data.isValid() ? data.toInt() : kNoExtension;
    }
    DoRowAction(click.action, parameter);
}

void CEventPopupDlg::DoRowAction(PopupAction action, int parameter)
{
    if (!m_context.state)
        return;
    switch (action) {
    case PopupAction::Answer:
    case PopupAction::HangUp: CallAction(m_station); return;
    case PopupAction::Reject:
        // The first call action answers; seeing the station connected, the second releases.
        if (!CallAction(m_station))
            return;
        if (m_station >= 0 && m_station < Extensions())
            m_context.state->tables.extensionStatus[static_cast<std::size_t>(m_station)]
                .bytes[ExtensionEntry::kStateOffset] = kStateConnected;
        CallAction(m_station);
        return;
    case PopupAction::Transfer:
        if (parameter == kNoExtension)
            return;
        if (CallAction(parameter))
            CallAction(m_station);
        return;
    case PopupAction::Resume: Resume(); return;
    case PopupAction::PickUp: PickUpLine(parameter); return;
    case PopupAction::ShowMessages: m_frame.Post(kMessagesMessage, 0, 0); return;
    case PopupAction::ShowMissedCalls: m_frame.Post(kMissedCallsMessage, 0, 0); return;
    case PopupAction::ResetAlarm: m_frame.Post(kAlarmMessage, static_cast<std::uint64_t>(parameter), kAlarmReset); return;
    case PopupAction::ShowAlarm: m_frame.Post(kAlarmMessage, static_cast<std::uint64_t>(parameter), kAlarmShow); return;
    case PopupAction::AddNote: AddNote(); return;
    case PopupAction::Record: RequestRecording(); return;
    case PopupAction::None: return;
    }
}

// The extensions window's call action on the extension: on the station it answers or releases, on
// another it calls it or transfers to it. Without the window nothing is done.
bool CEventPopupDlg::CallAction(int extension)
{
    CDerivedView* view = m_hooks.extensionsView ? m_hooks.extensionsView() : nullptr;
    if (!view)
        return false;
    view->SetSelectedExtension(extension);
    view->CallSelectedExtension();
    return true;
}

void CEventPopupDlg::Resume()
{
    const std::uint8_t state = StationState();
    if (OneOf(state, {kStateCallWaiting, kStateCallHeld, kStatePause, kStateBooking}))
        Dial(kResume);
    else if (OneOf(state, {kStateConnected, kStateOutgoingCall, kStateCallEnded}))
        Dial(kFlash + kResume);
}

void CEventPopupDlg::PickUpLine(int line)
{
    if (line < 0 || line >= Lines())
        return;
    const QString digits = CLineView::PickUpCode(line + 1, Lines());
    const std::uint8_t state = StationState();
    const bool toExtension = StationLinkType() == kLinkExtension;
    const CEngineClient* engine = m_context.Engine();
    auto offHookAndDial = [&] {
        if (!engine) {
            ShowError(kNoEngineClient);
            return;
        }
        if (const int code = engine->OffHook(Pbx(), static_cast<std::uint8_t>(m_station), false, kSeconds)) {
            ShowError(code);
            return;
        }
        Dial(digits);
    };
    // A call with another extension is put down first; a line call is held with the flash.
    auto fromCall = [&](const QString& otherwise) {
        if (!toExtension) {
            Dial(otherwise);
            return;
        }
        if (!engine) {
            ShowError(kNoEngineClient);
            return;
        }
        if (const int code = engine->OnHook(Pbx(), static_cast<std::uint8_t>(m_station), false, kSeconds)) {
            ShowError(code);
            return;
        }
        m_context.Pause(kHookPause);
        offHookAndDial();
    };
    if (state == kStateReady)
        offHookAndDial();
    else if (OneOf(state, {kStateCallWaiting, kStateCallHeld, kStatePause, kStateBooking}))
        fromCall(digits);
    else if (OneOf(state, {kStateConnected, kStateOutgoingCall, kStateCallEnded, kStateDialling, kStateExternalCall,
                           kStateWaitingOperator, kStateWaitingSelection, kStateWaitingLine}))
        fromCall(kFlash + digits);
}

void CEventPopupDlg::AddNote()
{
    NoteRecord note;
    note.date = m_hooks.clock();
    const std::uint8_t link = StationLinkType();
    const std::uint8_t linked = StationLinkIndex();
    note.link = static_cast<std::uint16_t>((link << kNoteLinkShift) | linked);
    if (link == kLinkLine && linked < Lines()) {
        const LineEntry& line = m_context.state->tables.lineStatus[linked];
        if (!line.CallerNumber().isEmpty() && m_context.database) {
            note.number = FormatCallerId(*m_context.state, *m_context.database, linked);
        } else {
            note.number = QString::fromLatin1(line.CallerName());
            StripDialPrefix(note.number, Lines());
        }
    }
    CTextDlg dialog(QString(), nullptr);
    if (m_hooks.runDialog(dialog) != QDialog::Accepted)
        return;
    note.note = dialog.Text();
    if (!m_context.database) {
        ShowError(kNoEngineClient);
        return;
    }
    if (const int code = m_context.database->InsertNote(Pbx(), m_station, note))
        ShowError(code);
}

void CEventPopupDlg::RequestRecording()
{
    m_recordingRequested = true;
    const CEngineClient* engine = m_context.Engine();
    const int code = engine ? engine->SendRecordRequest(Pbx(), static_cast<std::uint8_t>(m_station), 1, kSeconds)
                            : kNoEngineClient;
    if (code != kNoError) {
        ShowError(code);
        return;
    }
    m_target.Post(kRefreshMessage, 0, 0);
}

// Neither relayed nor noted.
std::uint8_t CEventPopupDlg::Dial(const QString& text, bool report)
{
    const CEngineClient* engine = m_context.Engine();
    const std::uint8_t code =
        engine ? static_cast<std::uint8_t>(engine->DialNumber(Pbx(), static_cast<std::uint8_t>(m_station),
                                                              text.toStdString(), false, nullptr, kSeconds))
               : static_cast<std::uint8_t>(kNoEngineClient);
    if (code != kNoError && report)
        ShowError(code);
    return code;
}

void CEventPopupDlg::ShowError(int code)
{
    if (m_context.callProgress) {
        m_context.callProgress->ShowError(code);
        return;
    }
    ShowErrorBox(LoadResString(popupstrings::kProgramName),
                 LoadResString(popupstrings::kFirstError + static_cast<unsigned>(code)), static_cast<std::uint8_t>(code),
                 QString());
}
