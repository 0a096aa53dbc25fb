#include "relayview.h"

#include "engineclient.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "sqldatabase.h"
#include "statustexts.h"

#include <array>

namespace {

constexpr int kSeconds = 6;  // the time budget of each request
// The relay keeps its new state for a second before the station hangs up or takes its call back.
constexpr std::chrono::milliseconds kRelayHold{1000};
constexpr std::size_t kRelayKind = 2;  // of the relay programming: non-zero a load, 0 a door
constexpr std::size_t kFirstTiming = 0;
constexpr std::size_t kSecondTiming = 1;
constexpr std::string_view kBackToCall = "F9";
// Event 65 (programming data) of an object of type 4: the relay and its state.
constexpr std::uint8_t kSyn = 0x16;
constexpr std::uint8_t kRelayStateEvent = 0x41;
constexpr std::uint8_t kRelayStatePayload = 3;
constexpr std::uint8_t kRelayObject = 4;

}  // namespace

CRelayView::CRelayView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent)
    : CObjectListView(context, ObjectKind::Relays, std::move(shown), parent)
{
    setObjectName(QStringLiteral("CRelayView"));
}

QString CRelayView::RelayCode(bool load, bool loadOn, bool inCall, bool extendedNumbering, int number)
{
    QString base = load && loadOn ? QStringLiteral("470") : QStringLiteral("471");
    if (extendedNumbering)
        base.prepend(u'8');
    if (inCall)
        base.prepend(u'F');
    return QStringLiteral("%1%2").arg(base).arg(number);
}

void CRelayView::OnTick()
{
    OperatorConsoleState* state = Context().state;
    if (!state)
        return;
    const int relays = state->FirstCounts().relays;
    for (int relay = 0; relay < relays; ++relay) {
        auto& work = state->tables.relayWork[static_cast<std::size_t>(relay)];
        std::uint8_t noFlash = 0;
        TickObject(relay, false, noFlash, work[kFirstTiming], work[kSecondTiming]);
    }
}

bool CRelayView::FillInfoTip(int index, QString& buffer, int size)
{
    if (!Context().state || !Context().database)
        return false;
    return GetRelayInfoTip(*Context().state, *Context().database, index, buffer, size);
}

void CRelayView::OnClick(int relay)
{
    m_clicked = static_cast<std::uint8_t>(relay);
    const OperatorConsoleState* state = Context().state;
    if (relay == kNoObject || !state || !Engine())
        return;
    const auto object = state->SplitRelay(relay);
    if (!object)
        return;
    if (object->pbx == 0)
        SwitchOwnRelay(relay);
    else if (SecondPbxOption(kSecondPbxRelaysOption))
        SwitchSecondPbxRelay(relay, object->local);
}

void CRelayView::SwitchOwnRelay(int relay)
{
    OperatorConsoleState& state = *Context().state;
    const std::uint8_t own = OwnState();
    if (own != kStateReady && own != kStateConnected)
        return;
    const auto at = static_cast<std::size_t>(relay);
    const bool load = state.tables.relayProgramming[at][kRelayKind] != 0;
    const bool on = state.tables.relayStatus[at] != 0;
    const bool inCall = own == kStateConnected;
    const std::string code =
        RelayCode(load, on, inCall, UsesExtendedNumbering(state.firstConfiguration), relay + 1).toStdString();
    const CEngineClient& engine = *Engine();

    int result = kNoError;
    if (!inCall)
        result = engine.OffHook(Pbx(), OwnExtension(), true, kSeconds);
    if (result == kNoError)
        result = engine.DialNumber(Pbx(), OwnExtension(), code, false, nullptr, kSeconds);
    if (result != kNoError) {
        // The relay did not switch: its state stays as it was.
        ShowError(result);
        return;
    }
    const std::uint8_t newState = on ? 0 : 1;
    if (load)
        state.tables.relayStatus[at] = newState;
    Context().Pause(kRelayHold);
    result = inCall ? engine.DialNumber(Pbx(), OwnExtension(), kBackToCall, false, nullptr, kSeconds)
                    : engine.OnHook(Pbx(), OwnExtension(), true, kSeconds);
    if (result != kNoError) {
        ShowError(result);
        return;
    }
    if (load)
        SendNewState(Pbx(), static_cast<std::uint8_t>(relay), newState);
}

void CRelayView::SwitchSecondPbxRelay(int relay, std::uint8_t local)
{
    OperatorConsoleState& state = *Context().state;
    if (OwnState() != kStateReady)
        return;
    const auto at = static_cast<std::size_t>(relay);
    const bool load = state.tables.relayProgramming[at][kRelayKind] != 0;
    const bool on = state.tables.relayStatus[at] != 0;
    const QString code = RelayCode(load, on, false, UsesExtendedNumbering(state.secondConfiguration), local + 1);
    bool placed = false;
    if (!PlaceCallOnFreeLine(state, Context().Placement(), code, true, &placed) || !placed)
        return;  // no free line: nothing happens; a failed call has shown its error
    const std::uint8_t newState = on ? 0 : 1;
    if (load)
        state.tables.relayStatus[at] = newState;
    Context().Pause(kRelayHold);
    const int result = Engine()->OnHook(Pbx(), OwnExtension(), false, kSeconds);
    if (result != kNoError) {
        ShowError(result);
        return;
    }
    if (load)
        SendNewState(static_cast<std::uint8_t>(state.secondPbxIdentifier), local, newState);
}

void CRelayView::SendNewState(std::uint8_t pbx, std::uint8_t local, std::uint8_t state)
{
    const std::array<std::uint8_t, 7> frame{kSyn, kSyn, kRelayStateEvent, kRelayStatePayload, kRelayObject, local, state};
    if (const int result = Engine()->SendToClients(pbx, frame); result != kNoError)
        ShowError(result);
}
