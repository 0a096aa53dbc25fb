// CMainFrame: the commands, their menu state, the tool buttons, the voice-mail switch and the popup's
// requests.
#include "mainframe.h"

#include "aboutdlg.h"
#include "callcontactdlg.h"
#include "contactmanagerdlg.h"
#include "engineclient.h"
#include "engineeventdispatcher.h"
#include "eventlistdlg.h"
#include "extensionprogramming.h"
#include "installationsettings.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "pbxdirectorydlg.h"
#include "stringtable.h"
#include "systemconfiguration.h"
#include "toolbuttonsequence.h"

#include <QStatusBar>
#include <QToolBar>

#include <vector>

namespace {

constexpr unsigned kSettingsCaption = 1033;
constexpr unsigned kFunctionNotSetString = 1059;
// The own extension's programming: byte 46 holds the various functions, bit 7 the voice mail.
constexpr std::size_t kVariousFunctions = 46;
constexpr std::uint8_t kVoiceMailBit = 0x80;

// The event lists: list type 1 (calls) with its option, or another type.
constexpr int kWakeUpList = 0;
constexpr int kCallList = 1;
constexpr int kAlarmList = 2;
constexpr int kMessageList = 3;
constexpr int kNoteList = 4;
constexpr int kIncomingOption = 0;
constexpr int kOutgoingOption = 1;
constexpr int kMissedOption = 2;
constexpr int kAllOption = 3;
constexpr int kReceivedOption = 0;
constexpr int kUnreadOption = 1;
constexpr int kReadAndUnreadOption = 2;
constexpr int kShowAlarmAction = 2;

// The commands that the configuration protection disables.
const std::vector<std::uint32_t> kProtectedCommands{
    CMainFrame::kIncomingCalls, CMainFrame::kOutgoingCalls, CMainFrame::kAllCalls, CMainFrame::kWakeUpEvents,
    CMainFrame::kMissedCalls,   CMainFrame::kPbxDirectory,  CMainFrame::kAlarms,   CMainFrame::kSettings,
    CMainFrame::kNotes};

ObjectWindow WindowOf(std::uint32_t command)
{
    switch (command) {
    case CMainFrame::kToggleLines: return ObjectWindow::Lines;
    case CMainFrame::kToggleEntryPhones: return ObjectWindow::EntryPhones;
    case CMainFrame::kToggleRelays: return ObjectWindow::Relays;
    case CMainFrame::kTogglePcPhone: return ObjectWindow::PcPhone;
    default: return ObjectWindow::Extensions;
    }
}

}  // namespace

int CMainFrame::OwnExtension() const
{
    return m_services.installation ? m_services.installation->AssociatedExtension() : 0;
}

std::uint8_t CMainFrame::ExtensionState(int extension) const
{
    const auto& status = m_services.state->tables.extensionStatus;
    if (extension < 0 || extension >= static_cast<int>(status.size()))
        return 0;
    return status[static_cast<std::size_t>(extension)].State();
}

bool CMainFrame::CommandEnabled(std::uint32_t command) const
{
    const bool protectedConfiguration =
        m_services.installation && m_services.installation->Protection() != InstallationSettings::kProtectionAdministrator;
    if (protectedConfiguration && std::find(kProtectedCommands.begin(), kProtectedCommands.end(), command) !=
                                      kProtectedCommands.end())
        return false;
    if (command >= kFirstToolButton && command <= kLastToolButton)
        return !m_services.settings->toolbar.Label(static_cast<int>(command - kFirstToolButton)).isEmpty();
    if (command == kVoiceMailSwitch)
        return m_services.settings->third.Bytes().at(0) != 0;
    return true;
}

void CMainFrame::UpdateCommandUi()
{
    for (const auto& [command, action] : m_actions)
        action->setEnabled(CommandEnabled(command));
    for (const auto command : {kToggleExtensions, kToggleLines, kToggleEntryPhones, kToggleRelays, kTogglePcPhone})
        Action(command)->setChecked(IsWindowOpen(WindowOf(command)));
    Action(kToolBarCommand)->setChecked(m_toolBar->isVisible() || !isVisible());
    Action(kStatusBarCommand)->setChecked(statusBar()->isVisible() || !isVisible());
    for (std::uint32_t command = kFirstToolButton; command <= kLastToolButton; ++command) {
        const QString name = m_services.settings->toolbar.Label(static_cast<int>(command - kFirstToolButton));
        Action(command)->setText(name.isEmpty() ? LoadResString(kFunctionNotSetString) : name);
    }
}

void CMainFrame::OnCommand(std::uint64_t wParam, std::int64_t lParam)
{
    const auto command = static_cast<std::uint32_t>(wParam & 0xFFFF);
    if (!CommandEnabled(command))
        return;
    switch (command) {
    case kToolBarCommand:
        m_toolBar->setVisible(!m_toolBar->isVisible());
        LayoutWindows();
        return;
    case kStatusBarCommand:
        statusBar()->setVisible(!statusBar()->isVisible());
        LayoutWindows();
        return;
    case kCloseCommand:
        if (lParam == 0)
            m_target.Post(WM_COMMAND, kExitCommand, 0);
        return;
    case kExitCommand:
        if (IsAlarmPending()) {
            if (m_services.report)
                m_services.report(QStringLiteral("exit refused: an alarm waits for its acknowledgement"));
            return;
        }
        m_exiting = true;
        close();
        return;
    case kToggleExtensions:
    case kToggleLines:
    case kToggleEntryPhones:
    case kToggleRelays:
    case kTogglePcPhone: ToggleWindow(WindowOf(command)); return;
    case kIncomingCalls: RunEventList(kCallList, kAllExtensions, kIncomingOption, 0); return;
    case kOutgoingCalls: RunEventList(kCallList, kAllExtensions, kOutgoingOption, 0); return;
    case kMissedCalls: RunEventList(kCallList, kAllExtensions, kMissedOption, 0); return;
    case kAllCalls: RunEventList(kCallList, kAllExtensions, kAllOption, 0); return;
    case kWakeUpEvents: RunEventList(kWakeUpList, kAllExtensions, 0, 0); return;
    case kAlarms: RunEventList(kAlarmList, kAllExtensions, 0, 0); return;
    case kNotes: RunEventList(kNoteList, kAllExtensions, 0, 0); return;
    case kOperatorMessages: RunEventList(kMessageList, kAllExtensions, kReceivedOption, kReadAndUnreadOption); return;
    case kContactManager: {
        CContactManagerDlg dialog(m_context, this);
        RunDialog(dialog);
        return;
    }
    case kCallContact: {
        CCallContactDlg dialog(m_context, this);
        RunDialog(dialog);
        return;
    }
    case kPbxDirectory: {
        CPbxDirectoryDlg dialog(m_context, this);
        RunDialog(dialog);
        return;
    }
    case kSettings: RunSettings(); return;
    case kVoiceMailSwitch: SwitchVoiceMail(); return;
    case kAboutCommand: {
        CAboutDlg dialog(this);
        RunDialog(dialog);
        return;
    }
    default: break;
    }
    if (command >= kFirstToolButton && command <= kLastToolButton)
        RunToolButton(static_cast<int>(command - kFirstToolButton));
}

void CMainFrame::RunEventList(int listType, int extension, int option, int secondOption)
{
    CEventListDlg dialog(listType, extension, option, secondOption, OleDate(), m_context, this);
    RunDialog(dialog);
}

void CMainFrame::RunSettings()
{
    OperatorSettingsRecords copies = *m_services.settings;
    CSystemConfiguration sheet(kSettingsCaption, &copies, m_context, this);
    if (RunDialog(sheet) != QDialog::Accepted)
        return;
    TakeSheetSettings(*m_services.settings, copies);
    SaveSettingsFiles(m_services.settingsFolder, *m_services.settings);
    CloseObjectWindows();
    m_services.images->SetRecorderGlyphSwitch(m_services.settings->third.InUse());
    for (int kind = 1; kind <= 4; ++kind)
        m_services.images->BuildImageLists(kind);
    OpenStartupWindows();
}

void CMainFrame::RunToolButton(int row)
{
    m_toolButtons->Start(m_services.settings->toolbar, row, OwnExtension(),
                         [this](int extension) { return ExtensionState(extension); });
}

void CMainFrame::SwitchVoiceMail()
{
    OperatorConsoleState& state = *m_services.state;
    const int own = OwnExtension();
    if (own >= static_cast<int>(state.tables.extensionProgramming.size()))
        return;
    CEngineClient* engine = m_services.engine ? m_services.engine() : nullptr;
    if (!engine)
        return;
    auto record = state.tables.extensionProgramming[static_cast<std::size_t>(own)];
    record[kVariousFunctions] ^= kVoiceMailBit;
    if (const int code = WriteExtensionProgramming(*engine, m_services.database, state.firstPbxIdentifier, record))
        ShowError(static_cast<std::uint8_t>(code));
}

void CMainFrame::OnMissedCalls()
{
    CEventListDlg dialog(kCallList, OwnExtension(), kMissedOption, 0, m_services.settings->main.MissedCallReference(),
                         m_context, this);
    if (m_dispatcher)
        m_dispatcher->AcknowledgeMissedCalls();
    RunDialog(dialog);
}

void CMainFrame::OnMessages()
{
    CEventListDlg dialog(kMessageList, kAllExtensions, kReceivedOption, kUnreadOption, OleDate(), m_context, this);
    RunDialog(dialog);
    if (m_dispatcher)
        m_dispatcher->AcknowledgeMessages();
}

void CMainFrame::OnAlarm(int extension, int action)
{
    if (!m_dispatcher)
        return;
    if (action == kShowAlarmAction) {
        CEventListDlg dialog(kAlarmList, extension, 0, 0, m_dispatcher->AlarmTime(extension), m_context, this);
        RunDialog(dialog);
        m_dispatcher->AlarmShown(extension);
        return;
    }
    if (const int code = m_dispatcher->StoreAlarmAction(extension, action))
        ShowError(static_cast<std::uint8_t>(code));
}
