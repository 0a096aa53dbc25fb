#include "mainframe.h"

#include "consoleicon.h"
#include "stringtable.h"
#include "traynotificationicon.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>

namespace {

constexpr unsigned kProductNameString = 1003;
constexpr unsigned kShowString = 1030;
constexpr unsigned kQuitString = 1031;
constexpr unsigned kFaultString = 1090;
constexpr unsigned kRestoredString = 1091;
constexpr unsigned kMemoryFullString = 1111;

}  // namespace

CMainFrame::CMainFrame(std::unique_ptr<NotificationIcon> icon, QWidget* parent)
    : QMainWindow(parent), m_target(this), m_icon(std::move(icon)), m_iconMenu(new QMenu(this))
{
    setWindowTitle(LoadResString(kProductNameString));
    setWindowIcon(ConsoleIcon());
    // The console view takes this place once the engine runs.
    auto view = new QWidget(this);
    view->setObjectName(QStringLiteral("view"));
    setCentralWidget(view);
    if (!m_icon)
        m_icon = std::make_unique<TrayNotificationIcon>(windowIcon(), m_target, kIconMessage);

    m_iconData.tip = LoadResString(kProductNameString);
    m_iconData.balloonTitle = m_iconData.tip;

    // The icon's menu: Show and Exit, in the language of the strings. (A plain variable rather than a
    // structured binding: clang 14 cannot capture those in a lambda.)
    for (const auto& item : {std::pair{kShowCommand, kShowString}, std::pair{kQuitCommand, kQuitString}}) {
        const auto command = item.first;
        QAction* action = m_iconMenu->addAction(LoadResString(item.second));
        action->setObjectName(QString::number(command));
        connect(action, &QAction::triggered, this, [this, command] { m_target.Post(WM_COMMAND, command, 0); });
    }

    m_messages.On(kIconMessage, [this](std::uint64_t, std::int64_t lParam) { OnIconMessage(lParam); });
    m_messages.On(kHideToIconMessage, [this](std::uint64_t, std::int64_t) { HideToIcon(); });
    m_messages.On(kFaultBalloonMessage, [this](std::uint64_t, std::int64_t) {
        ShowBalloon(LoadResString(kFaultString), NotificationIconData::kBalloonError);
    });
    m_messages.On(kRestoredBalloonMessage, [this](std::uint64_t, std::int64_t) {
        ShowBalloon(LoadResString(kRestoredString), NotificationIconData::kBalloonInformation);
    });
    m_messages.On(kMemoryFullBalloonMessage, [this](std::uint64_t, std::int64_t) {
        ShowBalloon(LoadResString(kMemoryFullString), NotificationIconData::kBalloonError);
    });
    m_messages.On(kTextBalloonMessage, [this](std::uint64_t, std::int64_t) {
        ShowBalloon(m_balloonText, NotificationIconData::kBalloonInformation);
    });
    m_messages.On(kClearBalloonMessage, [this](std::uint64_t, std::int64_t) {
        ShowBalloon(QString(), NotificationIconData::kBalloonInformation);
    });
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) { OnCommand(wParam); });
}

CMainFrame::~CMainFrame() { RemoveNotificationIcon(); }

bool CMainFrame::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        OnActivate();
    return handled;
}

void CMainFrame::OnActivate()
{
    if (!m_started || !m_viewTarget)
        return;
    // The lists give up their highlight and the information list repaints over the skin.
    for (std::uint32_t list : kViewListIds)
        m_viewTarget->Post(kNotifyMessage, list, kKillFocusNotification);
    m_viewTarget->Post(kRedrawInformationMessage, 0, 0);
}

void CMainFrame::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_noNotificationArea || m_iconShown) {
        QMainWindow::contextMenuEvent(event);
        return;
    }
    const QList<QAction*> actions = m_iconMenu->actions();
    actions[0]->setText(LoadResString(kShowString));
    actions[1]->setText(LoadResString(kQuitString));
    m_iconMenu->popup(event->globalPos());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit Closing();
}

void CMainFrame::OnIconMessage(std::int64_t mouseMessage)
{
    if (mouseMessage == kLeftDoubleClick)
        RestoreWindow();
    else if (mouseMessage == kRightButtonDown && m_iconShown)
        PopUpIconMenu();
}

void CMainFrame::OnCommand(std::uint64_t wParam)
{
    switch (wParam & 0xFFFF) {  // the low word is the command
    case kShowCommand: RestoreWindow(); break;
    case kQuitCommand: m_target.Post(WM_COMMAND, kCloseDocumentCommand, 0); break;
    case kCloseDocumentCommand: close(); break;
    case kAboutCommand:
        if (m_showAbout)
            m_showAbout();
        break;
    default: break;
    }
}

void CMainFrame::RemoveNotificationIcon()
{
    if (!m_iconShown)
        return;
    m_icon->Remove();
    m_iconShown = false;
}

void CMainFrame::RestoreWindow()
{
    RemoveNotificationIcon();
    showNormal();
    raise();
    activateWindow();
    if (QWidget* view = centralWidget())
        view->repaint();
}

void CMainFrame::HideToIcon()
{
    if (m_iconShown)
        return;
    m_iconData.balloonText.clear();
    if (!m_icon->Add(m_iconData)) {
        m_noNotificationArea = true;  // the window stays as it is, its context menu offers "Esci"
        return;
    }
    m_noNotificationArea = false;
    m_iconShown = true;
    hide();
}

void CMainFrame::ShowBalloon(const QString& text, NotificationIconData::BalloonIcon icon)
{
    if (!m_iconShown)
        return;
    m_iconData.balloonText = text;
    m_iconData.balloonIcon = icon;
    m_icon->Modify(m_iconData);
}

void CMainFrame::PopUpIconMenu()
{
    const QList<QAction*> actions = m_iconMenu->actions();
    actions[0]->setText(LoadResString(kShowString));
    actions[1]->setText(LoadResString(kQuitString));
    // The menu's bottom-right corner at the cursor, as it opens from the notification area.
    const QSize size = m_iconMenu->sizeHint();
    m_iconMenu->popup(QCursor::pos() - QPoint(size.width(), size.height()));
}

void CMainFrame::RemoveCaptionAndBorder()
{
    const bool shown = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, true);
    if (shown)
        show();  // changing the flags hides a window
}
