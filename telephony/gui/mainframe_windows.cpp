// CMainFrame: the five object windows, their layout, the keys and the redraws the dispatcher asks for.
#include "mainframe.h"

#include "derivedview.h"
#include "entryphoneview.h"
#include "installationsettings.h"
#include "lineview.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "pcphoneframe.h"
#include "pcphoneview.h"
#include "relayframe.h"
#include "relayview.h"
#include "stringtable.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>
#include <QTimer>

namespace {

// Keys that the PC phone takes as its commands.
struct KeyCommand {
    char16_t character;
    std::uint32_t command;
};
constexpr KeyCommand kKeyCommands[] = {
    {u'1', 1000}, {u'2', 1001}, {u'3', 1002}, {u'4', 1003}, {u'5', 1004}, {u'6', 1005}, {u'7', 1006},
    {u'8', 1007}, {u'9', 1008}, {u'*', 1009}, {u'0', 1010}, {u'#', 1011}, {u'R', 1015}, {u'r', 1015},
    {u'P', 1016}, {u'p', 1016},
};
constexpr std::uint32_t kEnterWhileReady = 1012;
constexpr std::uint32_t kEnterOtherwise = 1013;
constexpr std::uint8_t kReadyState = 2;
constexpr std::uint8_t kIncomingCallState = 3;
constexpr int kFunctionKeys = 16;

MainSettings::Section SectionOf(ObjectKind kind)
{
    return static_cast<MainSettings::Section>(static_cast<int>(kind) - 1);
}

std::size_t Slot(ObjectWindow window) { return static_cast<std::size_t>(window); }

}  // namespace

QMdiSubWindow* CMainFrame::SubWindow(ObjectWindow window) const { return m_windows[Slot(window)]; }

bool CMainFrame::IsWindowOpen(ObjectWindow window) const { return SubWindow(window) != nullptr; }

template <typename View>
static View* ViewIn(QMdiSubWindow* window)
{
    return window ? qobject_cast<View*>(window->widget()) : nullptr;
}

CDerivedView* CMainFrame::ExtensionsView() const { return ViewIn<CDerivedView>(SubWindow(ObjectWindow::Extensions)); }
CLineView* CMainFrame::LinesView() const { return ViewIn<CLineView>(SubWindow(ObjectWindow::Lines)); }
CEntryPhoneView* CMainFrame::EntryPhonesView() const
{
    return ViewIn<CEntryPhoneView>(SubWindow(ObjectWindow::EntryPhones));
}
CRelayView* CMainFrame::RelaysView() const { return ViewIn<CRelayView>(SubWindow(ObjectWindow::Relays)); }
CPCPhoneView* CMainFrame::PcPhoneView() const { return ViewIn<CPCPhoneView>(SubWindow(ObjectWindow::PcPhone)); }

void CMainFrame::ToggleWindow(ObjectWindow window)
{
    if (QMdiSubWindow* open = SubWindow(window)) {
        m_windows[Slot(window)] = nullptr;
        open->close();
    } else {
        OpenWindow(window);
    }
    LayoutWindows();
}

void CMainFrame::OpenWindow(ObjectWindow window)
{
    if (IsWindowOpen(window))
        return;
    const MainSettings& main = m_services.settings->main;
    auto shown = [&main](ObjectKind kind) {
        return [&main, kind](int index) {
            return index >= MainSettings::kObjects || (main.ObjectFlags(SectionOf(kind), index) & 1) != 0;
        };
    };
    QWidget* view = nullptr;
    QMdiSubWindow* frame = nullptr;  // the frames of their own styles
    unsigned title = 0;
    switch (window) {
    case ObjectWindow::Extensions: {
        auto extensions = new CDerivedView(m_context, shown(ObjectKind::Extensions));
        extensions->SetRunDialog([this](QDialog& dialog) { return RunDialog(dialog); });
        view = extensions;
        title = 10000;
        break;
    }
    case ObjectWindow::Lines:
        view = new CLineView(m_context, shown(ObjectKind::Lines));
        title = 10001;
        break;
    case ObjectWindow::EntryPhones:
        view = new CEntryPhoneView(m_context, shown(ObjectKind::EntryPhones));
        title = 10016;
        break;
    case ObjectWindow::Relays:
        view = new CRelayView(m_context, shown(ObjectKind::Relays));
        frame = new CRelayFrame;
        title = 10150;
        break;
    case ObjectWindow::PcPhone: {
        auto phone = new CPCPhoneView(m_context);
        frame = new CPCPhoneFrame(phone->IsStripLayout());
        view = phone;
        break;
    }
    }
    QMdiSubWindow* sub = frame ? frame : new QMdiSubWindow;
    sub->setWidget(view);
    m_mdi->addSubWindow(sub, sub->windowFlags());
    sub->setObjectName(view->objectName() + QStringLiteral("Frame"));
    if (auto phone = qobject_cast<CPCPhoneView*>(view))
        sub->setWindowTitle(phone->Title());
    else
        sub->setWindowTitle(LoadResString(title));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    m_windows[Slot(window)] = sub;
    // A window closed by its own close box leaves its place to the others.
    sub->installEventFilter(this);
    sub->show();
}

void CMainFrame::ForgetClosedWindow(QMdiSubWindow* window)
{
    // A close that was refused leaves the window shown; a deleted one is null.
    if (window && window->isVisible())
        return;
    bool forgotten = false;
    for (QMdiSubWindow*& open : m_windows) {
        if (open && (open == window || !window) && (!window || !open->isVisible())) {
            open = nullptr;
            forgotten = true;
        }
    }
    if (forgotten)
        LayoutWindows();
}

void CMainFrame::CloseObjectWindows()
{
    for (QMdiSubWindow*& window : m_windows) {
        if (QMdiSubWindow* open = window) {
            window = nullptr;
            open->close();
        }
    }
}

void CMainFrame::OpenStartupWindows()
{
    const MainSettings& main = m_services.settings->main;
    if (main.OpenAtStart(MainSettings::kExtensions) != 0)
        OpenWindow(ObjectWindow::Extensions);
    if (main.OpenAtStart(MainSettings::kLines) != 0)
        OpenWindow(ObjectWindow::Lines);
    if (main.OpenAtStart(MainSettings::kEntryPhones) != 0)
        OpenWindow(ObjectWindow::EntryPhones);
    if (main.OpenAtStart(MainSettings::kRelays) != 0)
        OpenWindow(ObjectWindow::Relays);
    if (main.OpenPcPhoneAtStart() != 0)
        OpenWindow(ObjectWindow::PcPhone);
    LayoutWindows();
}

void CMainFrame::LayoutWindows()
{
    FrameLayoutInput input;
    const QSize client = m_mdi->viewport()->size();
    input.width = client.width();
    input.height = client.height();
    const QStyle* look = m_mdi->style();
    const int border = look->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    input.frameBorder = 2 * border;
    input.edgeWidth = 0;
    input.frameWidth = border;
    input.caption = look->pixelMetric(QStyle::PM_TitleBarHeight) + input.frameBorder;
    input.compactPcPhone = m_services.settings->main.PcPhoneOption() != 0;
    for (int window = 0; window < kObjectWindowCount; ++window)
        input.open[static_cast<std::size_t>(window)] = m_windows[static_cast<std::size_t>(window)] != nullptr;
    CLineView* lines = LinesView();
    input.linesRequiredHeight = [lines](int width) { return lines ? lines->GetRequiredHeight(width) : 0; };
    const auto rects = ComputeFrameLayout(input);
    for (int window = 0; window < kObjectWindowCount; ++window) {
        QMdiSubWindow* sub = m_windows[static_cast<std::size_t>(window)];
        const auto& rect = rects[static_cast<std::size_t>(window)];
        if (sub && rect)
            sub->setGeometry(*rect);
    }
    if (lines)
        lines->LayoutIcons();
    if (CEntryPhoneView* entryPhones = EntryPhonesView())
        entryPhones->LayoutIcons();
    if (CRelayView* relays = RelaysView())
        relays->LayoutIcons();
    if (CDerivedView* extensions = ExtensionsView())
        extensions->LayoutIcons();
}

void CMainFrame::RedrawObject(PbxObjectType type, int index)
{
    if (type < kObjectExtension || type > kObjectRelay)
        return;
    const auto kind = static_cast<ObjectKind>(type);  // the image lists number the kinds as the PBX does
    m_services.images->DrawIcon(kind, index);
    CObjectListView* view = nullptr;
    switch (kind) {
    case ObjectKind::Extensions: view = ExtensionsView(); break;
    case ObjectKind::Lines: view = LinesView(); break;
    case ObjectKind::EntryPhones: view = EntryPhonesView(); break;
    case ObjectKind::Relays: view = RelaysView(); break;
    }
    if (view)
        view->RedrawObjectItem(index, 0);
}

void CMainFrame::RefreshOwnExtension()
{
    UpdateServicesPane();
    if (CPCPhoneView* phone = PcPhoneView())
        phone->RefreshDisplay();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mdi->viewport() && event->type() == QEvent::Resize) {
        LayoutWindows();
        return false;
    }
    if (event->type() == QEvent::Close) {
        if (auto sub = qobject_cast<QMdiSubWindow*>(watched))
            QTimer::singleShot(0, this, [this, closing = QPointer<QMdiSubWindow>(sub)] { ForgetClosedWindow(closing); });
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto widget = qobject_cast<QWidget*>(watched);
        // Only keys meant for this frame's windows, not for a dialog over it.
        if (widget && widget->window() == this && HandleKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::HandleKey(QKeyEvent* key)
{
    CPCPhoneView* phone = PcPhoneView();
    const int code = key->key();
    if (code >= Qt::Key_F1 && code < Qt::Key_F1 + kFunctionKeys) {
        CLineView* lines = LinesView();
        if (!lines)
            return false;
        lines->SetChosenLine(code - Qt::Key_F1);
        lines->OnSeizeLine();
        return true;
    }
    if (!phone)
        return false;
    switch (code) {
    case Qt::Key_Backspace: phone->DeleteLastDigit(); return true;
    case Qt::Key_Delete: phone->ClearDialString(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const std::uint8_t state = ExtensionState(OwnExtension());
        const bool ready = state == kReadyState || state == kIncomingCallState;
        phone->Target().Post(WM_COMMAND, ready ? kEnterWhileReady : kEnterOtherwise, 0);
        return true;
    }
    default: break;
    }
    const QString text = key->text();
    if (text.size() != 1)
        return false;
    for (const KeyCommand& entry : kKeyCommands) {
        if (text.at(0) == QChar(entry.character)) {
            phone->Target().Post(WM_COMMAND, entry.command, 0);
            return true;
        }
    }
    return false;
}
