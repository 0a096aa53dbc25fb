// CMainFrame: its construction, menus, tool bar, status bar, notification icon and ending.
#include "mainframe.h"

#include "callplacement.h"
#include "framecallprogress.h"

#include "derivedview.h"
#include "entryphoneview.h"
#include "engineclient.h"
#include "errorbox.h"
#include "eventpopupdlg.h"
#include "fonivraicon.h"
#include "lineview.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "pcphoneview.h"
#include "relayview.h"
#include "stringtable.h"
#include "toolbarimages.h"
#include "toolbuttonsequence.h"
#include "traynotificationicon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr unsigned kProgramNameString = 1004;
constexpr unsigned kFirstErrorString = 15000;
constexpr unsigned kErrorCodeLabel = 10013;
constexpr int kToolBarIconSide = 32;
// How often the status bar and the commands' state are brought up to date while the program idles.
constexpr int kIdleUpdateMs = 250;

// The menu texts, by command.
const std::map<std::uint32_t, unsigned> kCommandTexts{
    {CMainFrame::kSettings, 1057},        {CMainFrame::kExitCommand, 1056},     {CMainFrame::kWakeUpEvents, 1011},
    {CMainFrame::kAlarms, 1019},          {CMainFrame::kNotes, 10901},          {CMainFrame::kOperatorMessages, 10902},
    {CMainFrame::kToggleExtensions, 10000}, {CMainFrame::kToggleLines, 10001}, {CMainFrame::kToggleEntryPhones, 10016},
    {CMainFrame::kTogglePcPhone, 10017},  {CMainFrame::kToggleRelays, 10150},   {CMainFrame::kStatusBarCommand, 1008},
    {CMainFrame::kToolBarCommand, 1009},  {CMainFrame::kIncomingCalls, 10058},  {CMainFrame::kOutgoingCalls, 10059},
    {CMainFrame::kMissedCalls, 10123},    {CMainFrame::kAllCalls, 10060},       {CMainFrame::kContactManager, 1013},
    {CMainFrame::kCallContact, 1014},     {CMainFrame::kPbxDirectory, 1015},    {CMainFrame::kVoiceMailSwitch, 1268},
    {CMainFrame::kAboutCommand, 10903},
};

// The top menus and the call list's submenu, by their texts.
constexpr unsigned kManageMenu = 1007;
constexpr unsigned kViewMenu = 1006;
constexpr unsigned kAddressBookMenu = 1012;
constexpr unsigned kFunctionsMenu = 1058;
constexpr unsigned kCallListMenu = 1010;
const QString kHelpMenuTitle = QStringLiteral("?");

}  // namespace

CMainFrame::CMainFrame(Services services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_target(this), m_mdi(new QMdiArea(this)),
      m_servicesPane(new QLabel(this))
{
    setObjectName(QStringLiteral("Fonivra"));
    setWindowTitle(LoadResString(kProgramNameString));
    setWindowIcon(FonivraIcon());
    m_mdi->setObjectName(QStringLiteral("mdi"));
    m_mdi->viewport()->installEventFilter(this);
    setCentralWidget(m_mdi);
    if (!m_services.icon)
        m_services.icon = std::make_unique<TrayNotificationIcon>(windowIcon(), m_target, kIconMessage);
    if (!m_services.runDialog)
        m_services.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    if (!m_services.showError) {
        m_services.showError = [](std::uint8_t code) {
            ShowErrorBox(LoadResString(kProgramNameString), LoadResString(kFirstErrorString + code), code, QString(),
                         kErrorCodeLabel);
        };
    }
    m_callProgress = std::make_unique<FrameCallProgress>(this, [this](std::uint8_t code) { ShowError(code); });
    m_context.state = m_services.state;
    m_context.settings = m_services.settings;
    m_context.installation = m_services.installation;
    m_context.database = m_services.database;
    if (m_services.database)
        m_context.labels = DatabaseLabelReader(*m_services.database);
    m_context.engine = m_services.engine;
    m_context.recorder = m_services.recorder;
    m_context.images = m_services.images;
    m_context.callProgress = m_callProgress.get();
    m_context.settingsFolder = m_services.settingsFolder;
    if (!m_services.placeCall) {
        // A tool button's number goes out through the line of the PBX's choice, off-hook first.
        m_services.placeCall = [this](const QString& number, int extension) {
            const CallPlacement placement = m_context.Placement();
            if (!placement.engine || !m_services.state)
                return;
            PlaceCallOnLine(*m_services.state, placement, number, kAnyLineNone, extension, true);
        };
    }
    ToolButtonSequence::Steps steps;
    steps.dial = [this](const QString& number, int extension) {
        if (m_services.placeCall)
            m_services.placeCall(number, extension);
    };
    steps.hangUp = [this](int extension) {
        if (CEngineClient* engine = m_services.engine ? m_services.engine() : nullptr) {
            const std::uint8_t code = engine->OnHook(static_cast<std::uint8_t>(m_services.state->firstPbxIdentifier),
                                                     static_cast<std::uint8_t>(extension), false, 6);
            if (code != 0)
                ShowError(code);
        }
    };
    steps.after = m_services.after;
    m_toolButtons = std::make_unique<ToolButtonSequence>(std::move(steps), this);

    m_servicesPane->setObjectName(QStringLiteral("servicesPane"));
    statusBar()->addWidget(m_servicesPane, 1);
    CreateMenus();
    CreateToolBar();
    BuildMenusAndToolButtons();

    m_messages.On(kEngineEventMessage, [this](std::uint64_t wParam, std::int64_t lParam) {
        if (m_services.engineEvent)
            m_services.engineEvent(wParam, lParam);
    });
    m_messages.On(kIconMessage, [this](std::uint64_t, std::int64_t lParam) { OnIconMessage(lParam); });
    m_messages.On(kHideToIconMessage, [this](std::uint64_t, std::int64_t) { HideToIcon(); });
    m_messages.On(kMissedCallsMessage, [this](std::uint64_t, std::int64_t) { OnMissedCalls(); });
    m_messages.On(kMessagesMessage, [this](std::uint64_t, std::int64_t) { OnMessages(); });
    m_messages.On(kAlarmMessage, [this](std::uint64_t wParam, std::int64_t lParam) {
        OnAlarm(static_cast<int>(wParam), static_cast<int>(lParam));
    });
    m_messages.On(kTerminateMessage, [this](std::uint64_t, std::int64_t) {
        m_exiting = true;
        emit Closing();
    });
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t lParam) { OnCommand(wParam, lParam); });

    qApp->installEventFilter(this);
    auto idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] {
        UpdateServicesPane();
        UpdateCommandUi();
    });
    idle->start(kIdleUpdateMs);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    m_mdi->viewport()->removeEventFilter(this);
    // The windows go with the frame: none of them lays the others out any more.
    for (QMdiSubWindow*& window : m_windows) {
        if (window)
            window->removeEventFilter(this);
        window = nullptr;
    }
    if (m_iconShown)
        m_services.icon->Remove();
}

QAction* CMainFrame::AddCommand(QMenu* menu, std::uint32_t command)
{
    QAction* action = m_actions.count(command) != 0 ? m_actions[command] : nullptr;
    if (!action) {
        action = new QAction(this);
        action->setObjectName(QString::number(command));
        const auto text = kCommandTexts.find(command);
        if (text != kCommandTexts.end())
            action->setText(LoadResString(text->second));
        connect(action, &QAction::triggered, this, [this, command] { m_target.Post(WM_COMMAND, command, 0); });
        m_actions[command] = action;
    }
    if (menu)
        menu->addAction(action);
    return action;
}

void CMainFrame::CreateMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* manage = bar->addMenu(QString());
    manage->setObjectName(QString::number(kManageMenu));
    AddCommand(manage, kSettings);
    manage->addSeparator();
    AddCommand(manage, kExitCommand);

    QMenu* view = bar->addMenu(QString());
    view->setObjectName(QString::number(kViewMenu));
    AddCommand(view, kWakeUpEvents);
    AddCommand(view, kAlarms);
    AddCommand(view, kNotes);
    QMenu* calls = view->addMenu(QString());
    calls->setObjectName(QString::number(kCallListMenu));
    for (const auto command : {kIncomingCalls, kOutgoingCalls, kMissedCalls, kAllCalls})
        AddCommand(calls, command);
    AddCommand(view, kOperatorMessages);
    view->addSeparator();
    for (const auto command : {kToggleExtensions, kToggleLines, kToggleEntryPhones, kToggleRelays, kTogglePcPhone})
        AddCommand(view, command)->setCheckable(true);
    view->addSeparator();
    AddCommand(view, kToolBarCommand)->setCheckable(true);
    AddCommand(view, kStatusBarCommand)->setCheckable(true);

    QMenu* book = bar->addMenu(QString());
    book->setObjectName(QString::number(kAddressBookMenu));
    for (const auto command : {kContactManager, kCallContact, kPbxDirectory})
        AddCommand(book, command);

    QMenu* functions = bar->addMenu(QString());
    functions->setObjectName(QString::number(kFunctionsMenu));
    for (std::uint32_t command = kFirstToolButton; command <= kLastToolButton; ++command)
        AddCommand(functions, command);
    functions->addSeparator();
    AddCommand(functions, kVoiceMailSwitch);

    QMenu* help = bar->addMenu(kHelpMenuTitle);
    help->setObjectName(QStringLiteral("help"));
    AddCommand(help, kAboutCommand);

    for (QMenu* menu : {manage, view, calls, book, functions, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("128"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(kToolBarIconSide, kToolBarIconSide));
    for (const auto command : {kToggleExtensions, kToggleLines, kToggleEntryPhones, kToggleRelays, kTogglePcPhone})
        m_toolBar->addAction(AddCommand(nullptr, command));
    m_toolBar->addSeparator();
    for (const auto command : {kIncomingCalls, kOutgoingCalls, kMissedCalls, kAllCalls})
        m_toolBar->addAction(AddCommand(nullptr, command));
    m_toolBar->addSeparator();
    for (const auto command : {kContactManager, kCallContact, kSettings})
        m_toolBar->addAction(AddCommand(nullptr, command));
    m_toolBar->addSeparator();
    for (std::uint32_t command = kFirstToolButton; command <= kLastToolButton; ++command)
        m_toolBar->addAction(AddCommand(nullptr, command));
    for (QAction* action : m_toolBar->actions())
        if (!action->isSeparator())
            action->setIcon(ToolBarIcon(action->objectName().toUInt()));
}

void CMainFrame::BuildMenusAndToolButtons()
{
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        const unsigned id = menu->objectName().toUInt();
        if (id != 0)
            menu->setTitle(LoadResString(id));
    }
    for (const auto& [command, text] : kCommandTexts)
        if (QAction* action = Action(command))
            action->setText(LoadResString(text));
    UpdateCommandUi();
}

QAction* CMainFrame::Action(std::uint32_t command) const
{
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

bool CMainFrame::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_exiting) {
        // The close box only puts the frame away behind its icon.
        event->ignore();
        m_target.Post(kHideToIconMessage, 0, 0);
        return;
    }
    if (IsAlarmPending()) {
        m_exiting = false;
        event->ignore();
        return;
    }
    event->accept();
    emit Closing();
}

void CMainFrame::OnIconMessage(std::int64_t lParam)
{
    if (lParam != kIconDoubleClick && lParam != kBalloonClick)
        return;
    if (m_iconShown) {
        m_services.icon->Remove();
        m_iconShown = false;
        showMaximized();
    }
    raise();
    activateWindow();
}

void CMainFrame::HideToIcon()
{
    if (m_iconShown)
        return;
    m_iconData.balloonText.clear();
    if (!m_services.icon->Add(m_iconData))
        return;  // no notification area: the frame stays shown
    m_iconShown = true;
    hide();
}

bool CMainFrame::IsAlarmPending() const
{
    if (!m_services.state)
        return false;
    for (const AlarmEntry& alarm : m_services.state->tables.extensionAlarm)
        if (alarm.bytes[AlarmEntry::kPendingOffset] == 1)
            return true;
    return false;
}

void CMainFrame::UpdateServicesPane()
{
    m_servicesPane->setText(m_services.servicesText ? m_services.servicesText() : QString());
}

int CMainFrame::RunDialog(QDialog& dialog) { return m_services.runDialog(dialog); }

void CMainFrame::ShowError(std::uint8_t code) { m_services.showError(code); }

void CMainFrame::RefreshPopup()
{
    if (m_popup)
        m_popup->Target().Post(CEventPopupDlg::kRefreshMessage, 0, 0);
}
