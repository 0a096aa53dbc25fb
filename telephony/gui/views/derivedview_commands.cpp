// CDerivedView: the extension commands: calls and transfers, programming changes, follow-me, wake-up,
// the event lists and operator messages.
#include "derivedview.h"

#include "derivedviewcodes.h"
#include "databasedigits.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "eventlistdlg.h"
#include "extensionprogramming.h"
#include "followmedlg.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "pbxdisplaynames.h"
#include "pbxframebuilders.h"
#include "pbxstateloader.h"
#include "sqldatabase.h"
#include "textdlg.h"
#include "wakeuptimedlg.h"

#include <vector>

using namespace derivedview;

namespace {

// A call from this station's idle extension: off-hook, key 64 half a second later, half a second more,
// then (on a station with the operator position) a flash and a second's wait before the number.
constexpr std::chrono::milliseconds kAroundKey64{500};
constexpr std::chrono::milliseconds kAfterFlash{1000};
constexpr std::size_t kWakeUpIndex = 0;
constexpr std::size_t kWakeUpKind = 1;
const QString kFlash = QStringLiteral("F");
constexpr std::string_view kCompleteTransfer = "F4#";
// How this station's call is linked when it is handed to the second PBX: through a line that the
// transfer completes by hanging up, or one that needs the transfer code first.
constexpr std::uint8_t kLinkHangUp = 1;
constexpr std::uint8_t kLinkTransferCode = 2;

}  // namespace

void CDerivedView::OnCall()
{
    const OperatorConsoleState* state = Context().state;
    const CEngineClient* engine = Engine();
    if (!Served(m_selected) || !engine)
        return;
    const std::uint8_t own = OwnState();
    if (IsOwn(m_selected)) {
        const bool answer = own == kStateIncomingCall;
        Run({[&] {
            return int(answer ? engine->OffHook(Pbx(), OwnExtension(), false, kSeconds)
                              : engine->OnHook(Pbx(), OwnExtension(), false, kSeconds));
        }});
        return;
    }
    if (own == kStateConnected) {
        TransferOwnCall(m_selected);
        return;
    }
    if (own != kStateReady)
        return;
    const QString number = FormatExtensionPortCode(*state, m_selected);
    if (OnSecondPbx(m_selected)) {
        PlaceCallOnFreeLine(*state, Context().Placement(), number, true);
        return;
    }
    const bool operatorPosition =
        state->tables.extensionProgramming[static_cast<std::size_t>(state->ownExtension)][kOperatorPositionByte] != 0;
    DatabaseDigits digits(Context().database);
    const std::string text = number.toStdString();
    Run({[&] { return int(engine->OffHook(Pbx(), OwnExtension(), true, kSeconds)); },
         [&] {
             Context().Pause(kAroundKey64);
             return int(engine->PressKey64(Pbx(), OwnExtension(), kSeconds));
         },
         [&] {
             Context().Pause(kAroundKey64);
             if (!operatorPosition)
                 return int(kNoError);
             const int result = engine->DialNumber(Pbx(), OwnExtension(), kHoldCode, false, nullptr, kSeconds);
             Context().Pause(kAfterFlash);
             return result;
         },
         [&] { return int(engine->DialNumber(Pbx(), OwnExtension(), text, true, &digits, kSeconds)); }});
}

void CDerivedView::TransferOwnCall(int extension)
{
    const OperatorConsoleState& state = *Context().state;
    const CEngineClient* engine = Engine();
    if (!engine)
        return;
    const QString number = FormatExtensionPortCode(state, extension);
    auto dial = [&](std::string_view text) {
        return [engine, this, text] { return int(engine->DialNumber(Pbx(), OwnExtension(), text, false, nullptr, kSeconds)); };
    };
    if (!OnSecondPbx(extension)) {
        const std::string transfer = (kFlash + number).toStdString();
        Run({dial(transfer)});
        return;
    }
    const std::uint8_t link = state.tables.extensionStatus[static_cast<std::size_t>(state.ownExtension)].LinkType();
    if (link != kLinkHangUp && link != kLinkTransferCode)
        return;
    if (!Run({dial(kHoldCode)}) || !PlaceCallOnFreeLine(state, Context().Placement(), number, false))
        return;
    auto hangUp = [engine, this] { return int(engine->OnHook(Pbx(), OwnExtension(), false, kSeconds)); };
    if (link == kLinkTransferCode)
        Run({dial(kCompleteTransfer), hangUp});
    else
        Run({hangUp});
}

void CDerivedView::OnHold()
{
    const CEngineClient* engine = Engine();
    if (m_selected == kNone || !engine)
        return;
    const std::uint8_t state = StateOf(m_selected);
    const bool hold = state == kStateNotReady || state == kStateReady || state == kStateConnected;
    Run({[&] { return int(engine->DialNumber(Pbx(), OwnExtension(), hold ? kHoldCode : kResumeCode, false, nullptr, kSeconds)); }});
}

bool CDerivedView::WriteProgrammingByte(std::size_t offset, std::optional<std::uint8_t> value)
{
    const CEngineClient* engine = Engine();
    if (m_selected == kNone || !Served(m_selected) || OnSecondPbx(m_selected) || !engine)
        return false;
    auto record = Context().state->tables.extensionProgramming[static_cast<std::size_t>(m_selected)];
    record[offset] = value ? *value : static_cast<std::uint8_t>(record[offset] ^ 1);
    if (const int code = WriteExtensionProgramming(*engine, Context().database, Pbx(), record)) {
        ShowError(code);
        return false;
    }
    return true;
}

void CDerivedView::OnEnableExtension()
{
    WriteProgrammingByte(kOutsideCallsByte, std::nullopt);
}

void CDerivedView::OnDoNotDisturb()
{
    WriteProgrammingByte(kDoNotDisturbByte, std::nullopt);
}

void CDerivedView::OnFollowMe()
{
    if (!Served(m_selected) || OnSecondPbx(m_selected))
        return;
    const std::uint8_t target =
        Context().state->tables.extensionProgramming[static_cast<std::size_t>(m_selected)][kFollowMeTargetByte];
    if (target != kNoFollowMe) {
        WriteProgrammingByte(kFollowMeTargetByte, kNoFollowMe);
        return;
    }
    CFollowMeDlg dialog(m_selected, Context(), this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    WriteProgrammingByte(kFollowMeTargetByte, static_cast<std::uint8_t>(dialog.Extension()));
}

void CDerivedView::ChangeWakeUp(bool edit)
{
    const CEngineClient* engine = Engine();
    if (!Served(m_selected) || OnSecondPbx(m_selected) || !engine)
        return;
    PbxStateTables::WakeUp record = Context().state->tables.extensionWakeUp[static_cast<std::size_t>(m_selected)];
    record[kWakeUpIndex] = static_cast<std::uint8_t>(m_selected);
    if (!edit && record[kWakeUpKind] != CWakeUpTimeDlg::kOff) {
        record[kWakeUpKind] = CWakeUpTimeDlg::kOff;
    } else {
        CWakeUpTimeDlg dialog(record, this);
        if (RunModal(dialog) != QDialog::Accepted)
            return;
    }
    CSqlDatabase* database = Context().database;
    Run({[&] { return int(engine->SetWakeUp(Pbx(), record, kSeconds)); },
         [&] {
             if (!database)
                 return int(kDbNotConnected);
             const QByteArray bytes(reinterpret_cast<const char*>(record.data()), static_cast<qsizetype>(record.size()));
             return database->UpdateWakeUp(PbxListPosition(*database, Pbx()), bytes);
         }});
}

int CDerivedView::MessageListExtension() const
{
    return IsOwn(m_selected) ? CEventListDlg::kAllExtensions : m_selected;
}

void CDerivedView::RunEventList(int listType, int option, int secondOption)
{
    if (m_selected == kNone)
        return;
    const int extension = listType == kMessageList ? MessageListExtension() : m_selected;
    CEventListDlg dialog(listType, extension, option, secondOption, OleDate(), Context());
    RunModal(dialog);
}

void CDerivedView::OnSendMessage()
{
    const OperatorConsoleState* state = Context().state;
    const auto object = state && m_selected != kNone ? state->SplitExtension(m_selected) : std::nullopt;
    if (!object)
        return;
    CTextDlg dialog(QString(), this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const int destinationPbx = object->pbx == 0 ? Pbx() : Context().settings->second.SecondPbx();
    const std::uint8_t destination = object->local;
    CSqlDatabase* database = Context().database;
    const CEngineClient* engine = Engine();
    // A message that was not stored, or whose notice did not go out, is shown like every other failure.
    Run({[&] {
             return database ? database->InsertMessage(Pbx(), destinationPbx, OwnExtension(), destination, dialog.Text())
                             : int(kDbNotConnected);
         },
         [&] {
             if (!engine)
                 return int(kNoError);
             std::vector<std::uint8_t> frame(BuildMessageNotifyFrame(nullptr, kMessageWritten, OwnExtension(),
                                                                     destination, Pbx(),
                                                                     static_cast<std::uint8_t>(destinationPbx)));
             BuildMessageNotifyFrame(frame.data(), kMessageWritten, OwnExtension(), destination, Pbx(),
                                     static_cast<std::uint8_t>(destinationPbx));
             return int(engine->SendToClients(Pbx(), frame));
         }});
}
