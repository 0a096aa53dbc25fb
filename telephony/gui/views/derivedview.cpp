// CDerivedView: the list, its one-second blink, the tips and the left click.
#include "derivedview.h"

#include "derivedviewcodes.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "folders.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "statustexts.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

using namespace derivedview;

namespace {

constexpr std::size_t kFlash = 0;
constexpr std::size_t kNameScroll = 1;
constexpr std::size_t kStatusScroll = 2;
// Picking up a call ringing at another extension: this code and the extension's number.
const QString kPickUp = QStringLiteral("42");

// Ringing, waiting, held, paused and arriving calls blink.
bool Blinks(std::uint8_t state)
{
    return state == kStateIncomingCall || state == kStateCallWaiting || state == kStateCallHeld ||
           state == kStatePause || state == kStateArriving;
}

// The states in which a click on this station's own extension hangs up.
bool HangsUp(std::uint8_t state)
{
    return state == kStateCallWaiting || state == kStateOutgoingCall || state == kStateCallEnded ||
           state == kStateDialling || state == kStateExternalCall;
}

}  // namespace

CDerivedView::CDerivedView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent)
    : CObjectListView(context, ObjectKind::Extensions, std::move(shown), parent)
{
    setObjectName(QStringLiteral("CDerivedView"));
}

CDerivedView::~CDerivedView()
{
    CancelDrag();
    // A background picture some versions left behind; nothing to say when there is none.
    QFile::remove(GetSharedFolder() + kTemporaryBackground);
}

void CDerivedView::SetSelectedExtension(int index)
{
    m_selected = index >= 0 && index < kNone ? index : kNone;
}

std::uint8_t CDerivedView::StateOf(int extension) const
{
    if (!Context().state || extension < 0)
        return 0;
    const auto& status = Context().state->tables.extensionStatus;
    return static_cast<std::size_t>(extension) < status.size() ? status[static_cast<std::size_t>(extension)].State() : 0;
}

bool CDerivedView::IsOwn(int extension) const
{
    return Context().state && extension == Context().state->ownExtension;
}

bool CDerivedView::OnSecondPbx(int extension) const
{
    if (!Context().state || extension < 0)
        return false;
    const auto object = Context().state->SplitExtension(extension);
    return object && object->pbx != 0;
}

bool CDerivedView::Served(int extension) const
{
    if (extension == kNone || !Context().state || extension < 0 || !Context().state->SplitExtension(extension))
        return false;
    return !OnSecondPbx(extension) || SecondPbxOption(kSecondPbxExtensionsOption);
}

bool CDerivedView::Run(std::initializer_list<std::function<int()>> requests) const
{
    for (const auto& request : requests) {
        if (const int result = request(); result != kNoError) {
            ShowError(result);
            return false;
        }
    }
    return true;
}

int CDerivedView::RunModal(QDialog& dialog) const
{
    return m_runDialog ? m_runDialog(dialog) : dialog.exec();
}

void CDerivedView::OnTick()
{
    OperatorConsoleState* state = Context().state;
    if (!state)
        return;
    const int extensions = state->FirstCounts().extensions + state->SecondCounts().extensions;
    auto& work = state->tables.extensionWork;
    for (int extension = 0; extension < extensions && static_cast<std::size_t>(extension) < work.size(); ++extension) {
        auto& bytes = work[static_cast<std::size_t>(extension)];
        TickObject(extension, Blinks(StateOf(extension)), bytes[kFlash], bytes[kNameScroll], bytes[kStatusScroll]);
    }
    // A blinking drop target was drawn again without its highlight.
    if (m_dropTarget >= 0) {
        const int target = m_dropTarget;
        SetDropTarget(-1);
        SetDropTarget(target);
    }
}

bool CDerivedView::FillInfoTip(int index, QString& buffer, int size)
{
    if (!Context().state || !Context().database)
        return false;
    return GetExtensionInfoTip(*Context().state, *Context().database, index, buffer, size);
}

void CDerivedView::OnClick(int extension)
{
    SetSelectedExtension(extension);
    const OperatorConsoleState* state = Context().state;
    const CEngineClient* engine = Engine();
    if (m_selected == kNone || !state || !engine)
        return;
    const std::uint8_t clicked = StateOf(m_selected);
    const std::uint8_t own = OwnState();
    auto dial = [&](std::string_view text) {
        return [engine, this, text] { return int(engine->DialNumber(Pbx(), OwnExtension(), text, false, nullptr, kSeconds)); };
    };
    if (IsOwn(m_selected)) {
        if (clicked == kStateIncomingCall)
            OnCall();
        else if (HangsUp(clicked))
            Run({[&] { return int(engine->OnHook(Pbx(), OwnExtension(), false, kSeconds)); }});
        else if (clicked == kStateConnected)
            Run({dial(kHoldCode)});
        else if (clicked == kStatePause)
            Run({dial(kResumeCode)});
        return;
    }
    if (clicked == kStateReady) {
        OnCall();
        return;
    }
    if (clicked != kStateIncomingCall || own != kStateReady || !Served(m_selected))
        return;
    const QString pickUp = kPickUp + DefaultExtensionNumber(*state, m_selected);
    if (OnSecondPbx(m_selected)) {
        PlaceCallOnFreeLine(*state, Context().Placement(), pickUp, true);
        return;
    }
    const std::string code = pickUp.toStdString();
    Run({[&] { return int(engine->OffHook(Pbx(), OwnExtension(), false, kSeconds)); },
         [&] { return int(engine->DialNumber(Pbx(), OwnExtension(), code, false, nullptr, kSeconds)); }});
}

void CDerivedView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CObjectListView::mousePressEvent(event);
        return;
    }
    // A press is a click only when the button comes up without a drag, as the list control tells it.
    QListWidget::mousePressEvent(event);
    m_pressPoint = event->position().toPoint();
    m_pressed = ObjectAt(m_pressPoint);
}

void CDerivedView::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (m_dragging)
        Drop();
    else
        OnClick(ObjectAt(event->position().toPoint()) == m_pressed ? m_pressed : kNoObject);
    m_pressed = kNoObject;
}
