#include "entryphoneview.h"

#include "engineclient.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "sqldatabase.h"
#include "statustexts.h"
#include "stringtable.h"

#include <QCursor>
#include <QMenu>

namespace {

constexpr int kSeconds = 6;  // the time budget of each request
constexpr unsigned kCallText = 10021;
constexpr std::size_t kFlash = 0;
constexpr std::size_t kNameScroll = 1;
constexpr std::size_t kStatusScroll = 2;
constexpr std::uint8_t kLinkedEntryPhone = 3;  // link type of an extension talking to an entry phone
// The service codes of the double click: open the door during the call, answer a calling entry phone,
// take the held call back.
constexpr std::string_view kOpenDoor = "F70";
constexpr std::string_view kAnswer = "9";
constexpr std::string_view kBackToCall = "F9";

}  // namespace

CEntryPhoneView::CEntryPhoneView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent)
    : CObjectListView(context, ObjectKind::EntryPhones, std::move(shown), parent), m_menu(std::make_unique<QMenu>())
{
    setObjectName(QStringLiteral("CEntryPhoneView"));
    m_menu->setObjectName(QString::number(kMenuId));
    QAction* call = m_menu->addAction(QString());
    call->setObjectName(QString::number(kCallCommand));
    connect(call, &QAction::triggered, this, &CEntryPhoneView::OnCall);
}

CEntryPhoneView::~CEntryPhoneView() = default;

std::uint8_t CEntryPhoneView::EntryPhoneState(int entryPhone) const
{
    const auto& phones = Context().state->tables.entryPhoneStatus;
    const auto at = static_cast<std::size_t>(entryPhone);
    return at < phones.size() ? phones[at].State() : 0;
}

bool CEntryPhoneView::IsSecondPbx(int entryPhone) const
{
    const auto object = Context().state->SplitEntryPhone(entryPhone);
    return object && object->pbx != 0;
}

bool CEntryPhoneView::Served(int entryPhone) const
{
    if (entryPhone == kNoObject || !Context().state || !Context().state->SplitEntryPhone(entryPhone))
        return false;
    return !IsSecondPbx(entryPhone) || SecondPbxOption(kSecondPbxEntryPhonesOption);
}

void CEntryPhoneView::OnTick()
{
    OperatorConsoleState* state = Context().state;
    if (!state)
        return;
    const int phones = state->FirstCounts().entryPhones + state->SecondCounts().entryPhones;
    for (int phone = 0; phone < phones && static_cast<std::size_t>(phone) < state->tables.entryPhoneWork.size();
         ++phone) {
        auto& work = state->tables.entryPhoneWork[static_cast<std::size_t>(phone)];
        TickObject(phone, EntryPhoneState(phone) == kStateDialling, work[kFlash], work[kNameScroll],
                   work[kStatusScroll]);
    }
}

bool CEntryPhoneView::FillInfoTip(int index, QString& buffer, int size)
{
    if (!Context().state || !Context().database)
        return false;
    return GetEntryPhoneInfoTip(*Context().state, *Context().database, index, buffer, size);
}

void CEntryPhoneView::OnRClick(int entryPhone)
{
    m_clicked = entryPhone;
    if (!Served(entryPhone))
        return;
    QAction* call = m_menu->actions().constFirst();
    call->setText(LoadResString(kCallText));
    call->setEnabled(EntryPhoneState(entryPhone) == kStateReady && OwnState() == kStateReady);
    m_menu->popup(QCursor::pos());
}

void CEntryPhoneView::Run(std::initializer_list<std::function<int()>> requests) const
{
    for (const auto& request : requests) {
        if (const int result = request(); result != kNoError) {
            ShowError(result);
            return;
        }
    }
}

void CEntryPhoneView::OnCall()
{
    const OperatorConsoleState* state = Context().state;
    const CEngineClient* engine = Engine();
    if (!Served(m_clicked) || !engine)
        return;
    const QString number = FormatEntryPhoneNumber(*state, m_clicked);
    if (IsSecondPbx(m_clicked)) {
        PlaceCallOnFreeLine(*state, Context().Placement(), number, true);
        return;
    }
    Run({[&] { return int(engine->OffHook(Pbx(), OwnExtension(), true, kSeconds)); },
         [&] { return int(engine->DialNumber(Pbx(), OwnExtension(), number.toStdString(), false, nullptr, kSeconds)); }});
}

void CEntryPhoneView::OnDblClick(int entryPhone)
{
    if (!Served(entryPhone) || !Engine())
        return;
    m_clicked = entryPhone;
    const OperatorConsoleState& state = *Context().state;
    const CEngineClient& engine = *Engine();
    const std::uint8_t phone = EntryPhoneState(entryPhone);
    const std::uint8_t own = OwnState();
    auto dial = [&](std::string_view text) {
        return [&engine, this, text] { return int(engine.DialNumber(Pbx(), OwnExtension(), text, false, nullptr, kSeconds)); };
    };
    auto offHook = [&engine, this] { return int(engine.OffHook(Pbx(), OwnExtension(), true, kSeconds)); };

    if (IsSecondPbx(entryPhone)) {
        if (phone == kStateReady && own == kStateReady)
            OnCall();
        else if (phone == kStateDialling && own == kStateReady)
            PlaceCallOnFreeLine(state, Context().Placement(), QString::fromLatin1(kAnswer), true);
        return;
    }
    const ExtensionEntry& ownEntry = state.tables.extensionStatus[static_cast<std::size_t>(state.ownExtension)];
    const auto local = state.SplitEntryPhone(entryPhone)->local;
    const bool linked = ownEntry.LinkType() == kLinkedEntryPhone && ownEntry.LinkIndex() == local;
    if (phone == kStateReady && own == kStateReady)
        OnCall();
    else if (phone == kStateConnected && own == kStateConnected && linked)
        Run({dial(kOpenDoor)});
    else if (phone == kStateDialling && own == kStateReady)
        Run({offHook, dial(kAnswer)});
    else if (phone == kStateDialling && own == kStateIncomingCall && linked)
        Run({offHook});
    else if (phone == kStateDialling && own == kStateConnected)
        Run({dial(kBackToCall)});
}
