#include "mainframe.h"

#include "lockkeys.h"
#include "lodgixmenu.h"
#include "lodgixview.h"
#include "stringtable.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr unsigned kTitleString = 1003;  // "Lodgix"

// Toolbar 128: a strip of 16 x 16 pictures, one per button in this order; 0 is a separator. Each
// button's tip is its menu entry's text.
const QString kToolbarStrip = QStringLiteral(":/lodgix/toolbar.png");
constexpr QSize kButtonSize(16, 16);
const QColor kClearColour(0xFF, 0x00, 0xFF);
struct ToolbarButton {
    int command;
    unsigned text;
};
constexpr ToolbarButton kToolbarButtons[] = {{32798, 5038}, {32800, 5039}, {32808, 5046}, {0, 0},
                                             {32776, 5012}, {0, 0},        {57606, 5049}, {57664, 5066}};

// The status bar's panes after the message pane: the lock keys' indicators (caps, num, scroll).
constexpr unsigned kIndicatorStrings[] = {59137, 59138, 59139};
// How often the indicators look at the keyboard's lights: a key pressed shows within a moment.
constexpr int kLockKeyPollMs = 250;

QString WithoutMnemonic(QString text)
{
    return text.remove(u'&');
}

void AddEntries(QMenu* menu, const std::vector<LodgixMenuEntry>& entries, const std::function<void(int)>& run)
{
    for (const LodgixMenuEntry& entry : entries) {
        switch (entry.kind) {
        case LodgixMenuEntry::Kind::Separator: menu->addSeparator(); break;
        case LodgixMenuEntry::Kind::SubMenu: {
            QMenu* sub = menu->addMenu(LoadResString(entry.text));
            sub->setObjectName(QString::number(entry.text));
            AddEntries(sub, entry.entries, run);
            break;
        }
        case LodgixMenuEntry::Kind::Command: {
            QAction* action = menu->addAction(LoadResString(entry.text));
            action->setObjectName(QString::number(entry.command));
            QObject::connect(action, &QAction::triggered, menu, [run, command = entry.command] { run(command); });
            break;
        }
        }
    }
}

}  // namespace

CMainFrame::CMainFrame()
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      m_target(this)
{
    setObjectName(kWindowClass);
    setWindowTitle(LoadResString(kTitleString));
    resize(kInitialSize);
    CreateToolBar();
    CreateStatusBar();
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) { RunCommand(static_cast<int>(wParam)); });
    OnCommand(kToolbarCommand, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); });
    OnCommand(kStatusBarCommand, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    OnCommand(kExitCommand, [this] { Exit(); });
    OnCommand(kCloseCommand, [this] { Exit(); });
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QString::number(kToolbarCommand));
    m_toolBar->setIconSize(kButtonSize);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    QPixmap strip(kToolbarStrip);
    strip.setMask(strip.createMaskFromColor(kClearColour, Qt::MaskInColor));
    int picture = 0;
    for (const ToolbarButton& button : kToolbarButtons) {
        if (button.command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        const QIcon icon(strip.copy(picture++ * kButtonSize.width(), 0, kButtonSize.width(), kButtonSize.height()));
        QAction* action = m_toolBar->addAction(icon, WithoutMnemonic(LoadResString(button.text)));
        action->setObjectName(QString::number(button.command));
        connect(action, &QAction::triggered, this, [this, command = button.command] { RunCommand(command); });
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QString::number(kStatusBarCommand));
    bar->setSizeGripEnabled(false);
    for (std::size_t i = 0; i < std::size(kIndicatorStrings); ++i) {
        auto pane = new QLabel(LoadResString(kIndicatorStrings[i]), bar);
        pane->setObjectName(QString::number(kIndicatorStrings[i]));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(pane);
        m_lockKeyPanes[i] = pane;
    }
    // A key that is off shows its name greyed.
    ShowLockKeys(ReadLockKeyStates());
    auto poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] { ShowLockKeys(ReadLockKeyStates()); });
    poll->start(kLockKeyPollMs);
}

void CMainFrame::ShowLockKeys(const LockKeyStates& keys)
{
    const bool on[] = {keys.capsLock, keys.numLock, keys.scrollLock};
    for (std::size_t i = 0; i < m_lockKeyPanes.size(); ++i)
        m_lockKeyPanes[i]->setEnabled(on[i]);
}

void CMainFrame::SetView(CLodgixView* view)
{
    m_view = view;
    setCentralWidget(view);
    connect(view, &CLodgixView::StatusText, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    connect(view, &CLodgixView::CommandStatesChanged, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::UpdateCommandStates()
{
    if (!m_view)
        return;
    QList<QAction*> actions = menuBar()->findChildren<QAction*>();
    actions += m_toolBar->actions();
    for (QAction* action : actions) {
        bool isNumber = false;
        const int command = action->objectName().toInt(&isNumber);
        if (isNumber && !action->menu() && !m_commands.count(command))
            action->setEnabled(m_view->IsCommandEnabled(command));
    }
}

void CMainFrame::LocaliseMenu()
{
    QMenuBar* bar = menuBar();
    bar->clear();
    const auto run = [this](int command) { RunCommand(command); };
    for (const LodgixMenuEntry& popup : LodgixMenuTemplate()) {
        QMenu* menu = bar->addMenu(popup.text ? LoadResString(popup.text) : QStringLiteral("&?"));
        menu->setObjectName(QString::number(popup.text));
        AddEntries(menu, popup.entries, run);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateBarChecks);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
    for (const int toggle : {kToolbarCommand, kStatusBarCommand})
        if (QAction* action = bar->findChild<QAction*>(QString::number(toggle)))
            action->setCheckable(true);
    UpdateBarChecks();
}

void CMainFrame::UpdateBarChecks()
{
    if (QAction* action = menuBar()->findChild<QAction*>(QString::number(kToolbarCommand)))
        action->setChecked(m_toolBar->isVisibleTo(this));
    if (QAction* action = menuBar()->findChild<QAction*>(QString::number(kStatusBarCommand)))
        action->setChecked(statusBar()->isVisibleTo(this));
}

void CMainFrame::OnCommand(int command, std::function<void()> handler)
{
    m_commands[command] = std::move(handler);
}

void CMainFrame::RunCommand(int command)
{
    if (const auto found = m_commands.find(command); found != m_commands.end()) {
        found->second();
        return;
    }
    if (m_view)
        m_view->Target().Post(WM_COMMAND, static_cast<std::uint64_t>(command), 0);
}

void CMainFrame::Exit()
{
    // A box or dialog of the view may be open: it goes first, as its cancel.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
    close();
}

bool CMainFrame::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Only Ctrl with a letter posts: Backspace, Tab and Enter have control codes too, and typing them in
    // a field must not run an action. Keys typed in the program's dialogs stay theirs. The key is seen
    // once, at the focused widget, and goes on to it.
    if (event->type() != QEvent::KeyPress || !m_view)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const int code = key->key() - Qt::Key_A + 1;
    if (code < 1 || code > kLastActionKey)
        return false;
    auto widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    QWidget* focused = QApplication::focusWidget();
    if (widget != (focused ? focused : this))
        return false;
    m_view->Target().Post(CLodgixView::kActionKeyMessage, static_cast<std::uint64_t>(code), 0);
    return false;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit Closing();
}
