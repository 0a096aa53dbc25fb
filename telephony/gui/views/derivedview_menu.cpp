// CDerivedView: the right-click menu, built for the selected extension in the order of the hotel or the
// office, with its texts and the rules that grey its entries.
#include "derivedview.h"

#include "derivedviewcodes.h"
#include "installationsettings.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "stringtable.h"

#include <QCursor>
#include <QMenu>

using namespace derivedview;

namespace {

// Texts.
constexpr unsigned kCheckInText = 1290;
constexpr unsigned kCheckOutText = 1291;
constexpr unsigned kDoNotDisturbOn = 1065;
constexpr unsigned kDoNotDisturbOff = 1066;
constexpr unsigned kFollowMeOn = 1067;
constexpr unsigned kFollowMeOff = 1068;
constexpr unsigned kEnableText = 10023;
constexpr unsigned kDisableText = 10024;
constexpr unsigned kEditText = 10029;
constexpr unsigned kShowEventsText = 10027;
constexpr unsigned kIncomingText = 10058;
constexpr unsigned kOutgoingText = 10059;
constexpr unsigned kMissedText = 10123;
constexpr unsigned kAllText = 10060;
constexpr unsigned kNotesText = 1217;
constexpr unsigned kAlarmsText = 1019;
constexpr unsigned kCallText = 10021;
constexpr unsigned kAnswerText = 10038;
constexpr unsigned kHangUpText = 10039;
constexpr unsigned kHoldText = 10036;
constexpr unsigned kResumeText = 10037;
constexpr unsigned kReceivedText = 1183;
constexpr unsigned kSentText = 1184;
constexpr unsigned kSendText = 1196;
constexpr unsigned kReceivedFromText = 1264;
constexpr unsigned kSentToText = 1265;

// The programming bytes the menu reads.

// The entries in their two orders: a command, or a submenu by its title's id.
struct Place {
    std::uint32_t command;
    unsigned submenu;
};
constexpr Place kHotelOrder[] = {
    {CDerivedView::kCheckInOut, 0},  {0, CDerivedView::kWakeUpMenu},   {CDerivedView::kEnable, 0},
    {0, CDerivedView::kMessagesMenu}, {CDerivedView::kDoNotDisturb, 0}, {CDerivedView::kFollowMe, 0},
    {0, CDerivedView::kCallListMenu}, {CDerivedView::kNotes, 0},        {CDerivedView::kAlarms, 0},
    {CDerivedView::kCall, 0},         {CDerivedView::kHold, 0}};
constexpr Place kOfficeOrder[] = {
    {CDerivedView::kDoNotDisturb, 0}, {CDerivedView::kFollowMe, 0}, {0, CDerivedView::kWakeUpMenu},
    {0, CDerivedView::kCallListMenu}, {CDerivedView::kNotes, 0},    {0, CDerivedView::kMessagesMenu},
    {CDerivedView::kEnable, 0},       {CDerivedView::kAlarms, 0},   {CDerivedView::kCall, 0},
    {CDerivedView::kHold, 0},         {CDerivedView::kCheckInOut, 0}};

}  // namespace

bool CDerivedView::Restricted() const
{
    const InstallationSettings* installation = Context().installation;
    return installation && installation->Protection() != InstallationSettings::kProtectionAdministrator &&
           !IsOwn(m_selected);
}

bool CDerivedView::HotelFlag() const
{
    return Context().settings && Context().settings->main.CheckInManagement() != 0;
}

void CDerivedView::OnRClick(int extension)
{
    SetSelectedExtension(extension);
    if (!Served(m_selected))
        return;
    BuildContextMenu();
    m_menu->popup(QCursor::pos());
}

void CDerivedView::BuildContextMenu()
{
    const OperatorConsoleState& state = *Context().state;
    const OperatorSettingsRecords* settings = Context().settings;
    const auto at = static_cast<std::size_t>(m_selected);
    const auto& programming = state.tables.extensionProgramming[at];
    const bool own = IsOwn(m_selected);
    const bool second = OnSecondPbx(m_selected);
    const bool hotel = HotelFlag();
    const bool restricted = Restricted();
    const std::uint8_t selectedState = StateOf(m_selected);
    // (R): greyed when restricted, unless the hotel manages check-ins; (R!): greyed when restricted.
    const bool allowed = !restricted || hotel;
    const bool strictlyAllowed = !restricted;
    // The second PBX's extensions take calls and messages only.
    const bool local = !second;

    m_menu = std::make_unique<QMenu>();
    m_menu->setObjectName(QStringLiteral("CDerivedViewMenu"));
    auto add = [this](QMenu* menu, std::uint32_t command, const QString& text, bool enabled) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::number(command));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    };
    auto submenu = [this](unsigned title) {
        QMenu* menu = m_menu->addMenu(LoadResString(title));
        menu->setObjectName(QString::number(title));
        return menu;
    };
    const Place* order = hotel ? std::begin(kHotelOrder) : std::begin(kOfficeOrder);
    for (int position = 0; position < 11; ++position) {
        const Place place = order[position];
        switch (place.submenu) {
        case kWakeUpMenu: {
            QMenu* menu = submenu(kWakeUpMenu);
            const bool enabled = state.tables.extensionWakeUp[at][1] != 0;
            add(menu, kWakeUpToggle, LoadResString(enabled ? kDisableText : kEnableText), local && allowed);
            add(menu, kWakeUpEdit, LoadResString(kEditText), local && enabled && allowed);
            add(menu, kWakeUpEvents, LoadResString(kShowEventsText), local && allowed);
            continue;
        }
        case kCallListMenu: {
            QMenu* menu = submenu(kCallListMenu);
            add(menu, kIncomingCalls, LoadResString(kIncomingText), local && strictlyAllowed);
            add(menu, kOutgoingCalls, LoadResString(kOutgoingText), local && strictlyAllowed);
            add(menu, kMissedCalls, LoadResString(kMissedText), local && strictlyAllowed);
            add(menu, kAllCalls, LoadResString(kAllText), local && strictlyAllowed);
            continue;
        }
        case kMessagesMenu: {
            QMenu* menu = submenu(kMessagesMenu);
            const bool inUse = settings && settings->office.MessagesInUse();
            if (own) {
                add(menu, kMessagesReceived, LoadResString(kReceivedText), inUse);
                add(menu, kMessagesSent, LoadResString(kSentText), inUse);
            } else {
                const QString name = u' ' + Context().ExtensionName(state.ownExtension);
                add(menu, kMessagesSent, LoadResString(kReceivedFromText) + name, inUse);
                add(menu, kMessagesReceived, LoadResString(kSentToText) + name, inUse);
            }
            add(menu, kSendMessage, LoadResString(kSendText), inUse && !own);
            continue;
        }
        default: break;
        }
        switch (place.command) {
        case kCheckInOut: {
            const bool checkedIn = settings && settings->main.CheckedIn(m_selected) != 0;
            const bool simulation = Context().installation &&
                                    Context().installation->InstallationMode() == InstallationSettings::kModeSimulation;
            add(m_menu.get(), kCheckInOut, LoadResString(checkedIn ? kCheckOutText : kCheckInText),
                local && hotel && !simulation);
            break;
        }
        case kEnable:
            add(m_menu.get(), kEnable, LoadResString(programming[kOutsideCallsByte] ? kDisableText : kEnableText),
                local && allowed);
            break;
        case kDoNotDisturb:
            add(m_menu.get(), kDoNotDisturb,
                LoadResString(programming[kDoNotDisturbByte] ? kDoNotDisturbOff : kDoNotDisturbOn), local && allowed);
            break;
        case kFollowMe:
            add(m_menu.get(), kFollowMe,
                LoadResString(programming[kFollowMeTargetByte] == kNoFollowMe ? kFollowMeOn : kFollowMeOff),
                local && allowed);
            break;
        case kNotes:
            add(m_menu.get(), kNotes, LoadResString(kNotesText),
                local && strictlyAllowed && settings && settings->office.NotesInUse());
            break;
        case kAlarms: add(m_menu.get(), kAlarms, LoadResString(kAlarmsText), local && (hotel || strictlyAllowed)); break;
        case kCall:
            if (own && !second)
                add(m_menu.get(), kCall, LoadResString(selectedState == kStateReady || selectedState == kStateIncomingCall
                                                           ? kAnswerText : kHangUpText),
                    selectedState != kStateReady);
            else
                add(m_menu.get(), kCall, LoadResString(kCallText), selectedState == kStateReady);
            break;
        case kHold: {
            const bool holds = !own || selectedState == kStateNotReady || selectedState == kStateReady ||
                               selectedState == kStateConnected;
            add(m_menu.get(), kHold, LoadResString(holds ? kHoldText : kResumeText),
                own && local && selectedState != kStateNotReady && selectedState != kStateReady);
            break;
        }
        default: break;
        }
    }
}

void CDerivedView::OnCommand(std::uint32_t command)
{
    switch (command) {
    case kCall: OnCall(); return;
    case kHold: OnHold(); return;
    case kEnable: OnEnableExtension(); return;
    case kDoNotDisturb: OnDoNotDisturb(); return;
    case kFollowMe: OnFollowMe(); return;
    case kWakeUpToggle: OnWakeUpToggle(); return;
    case kWakeUpEdit: OnWakeUpEdit(); return;
    case kWakeUpEvents: RunEventList(kWakeUpList, 0); return;
    case kIncomingCalls: RunEventList(kCallList, 0); return;
    case kOutgoingCalls: RunEventList(kCallList, 1); return;
    case kMissedCalls: RunEventList(kCallList, 2); return;
    case kAllCalls: RunEventList(kCallList, 3); return;
    case kAlarms: RunEventList(kAlarmList, 0); return;
    case kNotes: RunEventList(kNoteList, 0); return;
    case kMessagesReceived: RunEventList(kMessageList, 0, 2); return;
    case kMessagesSent: RunEventList(kMessageList, 1, 2); return;
    case kSendMessage: OnSendMessage(); return;
    case kCheckInOut: OnCheckInOut(); return;
    default: return;
    }
}
