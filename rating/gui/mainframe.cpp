#include "mainframe.h"

#include "stringtable.h"
#include "valuxaview.h"

#include <QActionGroup>
#include <QApplication>
#include <QBitmap>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include <bit>
#include <cmath>

namespace {

constexpr unsigned kProgramNameString = 1002;
constexpr unsigned kRestoreQuestionString = 1222;
constexpr unsigned kRestartQuestionString = 1223;
constexpr unsigned kUnavailableString = 15100;
constexpr int kIndexLimit = 256;  // PBX and extension indexes are bytes: nothing is cut to fit one

// The toolbar pictures: a strip of seven 96 x 32 pictures, magenta where the bar shows through.
const QString kToolbarStrip = QStringLiteral(":/tarivo/toolbar.png");
constexpr QSize kButtonSize(96, 32);
const QColor kClearColour(0xFF, 0x00, 0xFF);

struct ToolbarButton {
    int command;
    unsigned text;
};
constexpr ToolbarButton kToolbarButtons[] = {{32774, 3218}, {32772, 3219}, {32773, 3220}, {32771, 3222},
                                             {32782, 3227}, {32775, 3223}, {32778, 3221}};

// Menu 128: popups and their commands with the string ids of their texts; 0 is a separator.
struct MenuItem {
    int command;
    unsigned text;
};
struct Popup {
    unsigned text;  // 0: the help popup keeps "&?"
    std::vector<MenuItem> items;
};
const std::vector<Popup>& MenuTemplate()
{
    static const std::vector<Popup> menu = {
        {3204,
         {{57600, 3209}, {57601, 3207}, {57604, 3208}, {0, 0}, {32779, 3210}, {32780, 3211}, {0, 0}, {32781, 3226},
          {0, 0}, {57607, 3213}, {57609, 3212}, {57606, 3214}, {0, 0}, {57665, 3215}}},
        {3205,
         {{59392, 3216}, {59393, 3217}, {0, 0}, {32771, 3222}, {32782, 3227}, {32772, 3219}, {32773, 3220},
          {32774, 3218}, {32775, 3223}, {32778, 3221}}},
        {3206, {{32776, 3224}, {32783, 3228}, {32784, 3229}}},
        {0, {{57664, 3225}}},
    };
    return menu;
}

// Accelerator table 128. Ctrl+S saves as (the program has no plain save); the edit keys have nothing to
// act on.
struct Accelerator {
    QKeyCombination keys;
    int command;
};
const Accelerator kAccelerators[] = {
    {Qt::CTRL | Qt::Key_A, 57601}, {Qt::CTRL | Qt::Key_E, 32780}, {Qt::CTRL | Qt::Key_I, 32779},
    {Qt::CTRL | Qt::Key_N, 57600}, {Qt::CTRL | Qt::Key_P, 57607}, {Qt::CTRL | Qt::Key_R, 32781},
    {Qt::CTRL | Qt::Key_S, 57604}, {Qt::CTRL | Qt::Key_T, 57609},
};

// A period bound travels as the 64 bits of a date split over the two parameters.
std::optional<OleDate> DateOf(std::uint64_t wParam, std::int64_t lParam)
{
    const std::uint64_t bits = (static_cast<std::uint64_t>(lParam) << 32) | (wParam & 0xFFFFFFFFu);
    const double days = std::bit_cast<double>(bits);
    // Zero, and anything that is no date at all, leaves the bound as it was.
    if (days == 0.0 || !std::isfinite(days) || days < OleDate::kMinValue || days > OleDate::kMaxValue)
        return std::nullopt;
    return OleDate(days);
}

}  // namespace

CMainFrame::CMainFrame(RatingConfiguration& configuration, QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint),
      m_configuration(configuration), m_target(this)
{
    setObjectName(kWindowClass);
    setWindowTitle(LoadResString(kProgramNameString));
    CreateToolBar();
    statusBar()->setObjectName(QString::number(kStatusBarCommand));
    statusBar()->setSizeGripEnabled(false);
    CreateAccelerators();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QString::number(kToolbarCommand));
    m_toolBar->setIconSize(kButtonSize);
    m_toolBar->setMovable(false);
    QPixmap strip(kToolbarStrip);
    strip.setMask(strip.createMaskFromColor(kClearColour, Qt::MaskInColor));
    for (int i = 0; i < static_cast<int>(std::size(kToolbarButtons)); ++i) {
        const ToolbarButton& button = kToolbarButtons[i];
        QAction* action = m_toolBar->addAction(
            QIcon(strip.copy(i * kButtonSize.width(), 0, kButtonSize.width(), kButtonSize.height())),
            LoadResString(button.text));
        action->setObjectName(QString::number(button.command));
        connect(action, &QAction::triggered, this, [this, command = button.command] { OnCommand(command); });
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateAccelerators()
{
    for (const Accelerator& accelerator : kAccelerators) {
        auto shortcut = new QShortcut(QKeySequence(accelerator.keys), this);
        connect(shortcut, &QShortcut::activated, this,
                [this, command = accelerator.command] { m_target.Post(WM_COMMAND, command, 0); });
    }
}

void CMainFrame::SetView(CValuxaView* view)
{
    m_view = view;
    setCentralWidget(view);
    view->SetFrameTarget(&m_target);
}

void CMainFrame::LocalizeMenu()
{
    QMenuBar* bar = menuBar();
    bar->clear();
    m_menu = nullptr;
    for (const Popup& popup : MenuTemplate()) {
        QMenu* menu = bar->addMenu(popup.text ? LoadResString(popup.text) : QStringLiteral("&?"));
        if (!m_menu)
            m_menu = menu;
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenuChecks);
        for (const MenuItem& item : popup.items) {
            if (item.command == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(LoadResString(item.text));
            action->setObjectName(QString::number(item.command));
            connect(action, &QAction::triggered, this, [this, command = item.command] { OnCommand(command); });
        }
    }
    for (const int toggle : {kToolbarCommand, kStatusBarCommand}) {
        QAction* action = bar->findChild<QAction*>(QString::number(toggle));
        action->setCheckable(true);
        action->setChecked(true);
    }
    UpdateMenuChecks();
}

void CMainFrame::UpdateMenuChecks()
{
    for (QAction* action : menuBar()->findChildren<QAction*>()) {
        const int command = action->objectName().toInt();
        if (command == kToolbarCommand)
            action->setChecked(m_toolBar->isVisible());
        else if (command == kStatusBarCommand)
            action->setChecked(statusBar()->isVisible());
        else if (const auto checked = m_view ? m_view->IsCommandChecked(command) : std::nullopt) {
            action->setCheckable(true);
            action->setChecked(*checked);
        }
        if (command == CValuxaView::kViewAccountCommand && m_view) {
            action->setCheckable(true);
            action->setChecked(m_view->mode() == kAccountMode);
        }
        if (const auto enabled = m_view ? m_view->IsCommandEnabled(command) : std::nullopt)
            action->setEnabled(*enabled);
    }
}

void CMainFrame::OnCommand(int command)
{
    switch (command) {
    case kRestoreDefaultsCommand:
        OnRestoreDefaults();
        break;
    case kExitCommand:
        close();
        break;
    case kAboutCommand:
        if (m_aboutHandler)
            m_aboutHandler();
        break;
    case kToolbarCommand:
        m_toolBar->setVisible(!m_toolBar->isVisible());
        break;
    case kStatusBarCommand:
        statusBar()->setVisible(!statusBar()->isVisible());
        break;
    default:
        // A command the view rules runs only while its menu item would be enabled (accelerators too).
        if (const auto enabled = m_view ? m_view->IsCommandEnabled(command) : std::nullopt; enabled && !*enabled)
            break;
        PostToView(command);
        break;
    }
}

void CMainFrame::OnRestoreDefaults()
{
    const QString caption = LoadResString(kProgramNameString);
    if (QMessageBox::information(this, caption, LoadResString(kRestoreQuestionString),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    m_configuration.restoreDefaults = true;
    if (QMessageBox::information(this, caption, LoadResString(kRestartQuestionString),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
        m_target.Post(WM_COMMAND, kExitCommand, 0);
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() != WindowMessageEvent::EventType())
        return QMainWindow::event(event);
    const auto* message = static_cast<const WindowMessageEvent*>(event);
    if (m_boxOpen) {
        m_pending.push_back({message->Message(), message->WParam(), message->LParam()});
        return true;
    }
    HandleMessage(message->Message(), message->WParam(), message->LParam());
    return true;
}

void CMainFrame::HandleMessage(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    if (message == WM_COMMAND) {
        OnCommand(static_cast<int>(wParam & 0xFFFF));
        return;
    }
    if (!m_view)
        return;
    switch (message) {
    case kAccountStart:
        OnDate(&CValuxaView::m_accountStart, wParam, lParam);
        break;
    case kAccountEnd:
        OnDate(&CValuxaView::m_accountEnd, wParam, lParam);
        break;
    case kAccountExtension:
        OnExtension(&CValuxaView::m_accountExtension, &CValuxaView::m_accountPbx, wParam);
        break;
    case kShowAccount:
        m_view->SetViewMode(kAccountMode, m_view->m_accountExtension, m_view->m_accountPbx);
        break;
    case kCloseAccount:
        OnComputeRequest(true);
        break;
    case kActivate:
        OnActivate();
        break;
    case kHistoryStart:
        OnDate(&CValuxaView::m_historyStart, wParam, lParam);
        break;
    case kHistoryEnd:
        OnDate(&CValuxaView::m_historyEnd, wParam, lParam);
        break;
    case kHistoryExtension:
        OnExtension(&CValuxaView::m_historyExtension, &CValuxaView::m_historyPbx, wParam);
        break;
    case kShowHistory:
        m_view->SetViewMode(kHistoryMode, m_view->m_historyExtension, m_view->m_historyPbx);
        break;
    case kCompute:
        OnComputeRequest(false);
        break;
    case kAccountPbx:
        OnPbx(&CValuxaView::m_accountPbx, wParam);
        break;
    case kHistoryPbx:
        OnPbx(&CValuxaView::m_historyPbx, wParam);
        break;
    default:
        break;
    }
}

void CMainFrame::OnDate(OleDate CValuxaView::*field, std::uint64_t wParam, std::int64_t lParam)
{
    if (const auto date = DateOf(wParam, lParam))
        m_view->*field = *date;
}

void CMainFrame::OnExtension(std::uint8_t CValuxaView::*field, std::uint8_t CValuxaView::*pbxField,
                             std::uint64_t wParam)
{
    const int limit = m_view->Pbxs().ExtensionCount(m_view->*pbxField);
    if (wParam >= kIndexLimit || static_cast<int>(wParam) >= limit) {
        RequestFailed();
        return;
    }
    m_view->*field = static_cast<std::uint8_t>(wParam);
}

void CMainFrame::OnPbx(std::uint8_t CValuxaView::*field, std::uint64_t wParam)
{
    if (wParam >= kIndexLimit || !m_view->Pbxs().IsPresent(static_cast<int>(wParam))) {
        RequestFailed();
        return;
    }
    m_view->*field = static_cast<std::uint8_t>(wParam);
}

void CMainFrame::OnComputeRequest(bool applyAndClose)
{
    if (m_requestError) {
        // The request named something unavailable: its computation is dropped.
        m_requestError = 0;
        return;
    }
    if (applyAndClose)
        m_view->m_applyFlag = 1;
    PostToView(CValuxaView::kComputeCommand);
}

void CMainFrame::OnActivate()
{
    if (isActiveWindow())
        return;
    showNormal();
    raise();
    activateWindow();
    emit Activated();
}

void CMainFrame::RequestFailed()
{
    m_requestError = 1;
    m_boxOpen = true;
    QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kUnavailableString));
    m_boxOpen = false;
    while (!m_pending.empty() && !m_boxOpen) {
        const PendingMessage next = m_pending.front();
        m_pending.pop_front();
        HandleMessage(next.message, next.wParam, next.lParam);
    }
}

void CMainFrame::PostToView(int command)
{
    if (m_view)
        m_view->Target().Post(WM_COMMAND, static_cast<std::uint64_t>(command), 0);
}
