// The view's administration commands: the hotel and its rooms, the configuration lists, the operator, the
// hotel settings, the registers and the access-control program (their bodies are AdminCommands').
#include "admincommands.h"
#include "lodgixstate.h"
#include "lodgixview.h"
#include "mainframe.h"
#include "registrylistdlg.h"

using lodgix::AdminCommands;
using lodgix::CRegistryListDlg;

namespace {

// The registers' commands and the kind each window lists.
constexpr std::pair<int, CRegistryListDlg::Kind> kRegistryCommands[] = {
    {AdminCommands::kGuestRegistry, CRegistryListDlg::kGuests},
    {AdminCommands::kCompanyRegistry, CRegistryListDlg::kCompanies},
    {AdminCommands::kConventionRegistry, CRegistryListDlg::kConventions},
};

}  // namespace

void CLodgixView::RegisterRoomCommands()
{
    AdminCommands::Hooks hooks;
    hooks.refreshPlanning = [this] { RefreshPlanning(); };
    hooks.refreshSummary = [this] { FillRoomSummary(); };
    hooks.operatorChanged = [this] {
        UpdateDocumentTitle();
        FillActionList();
        emit CommandStatesChanged();
    };
    hooks.selectedRoomId = [this] { return SelectedRoom(); };
    hooks.mainWindow = [this]() -> MessageTarget* {
        auto frame = qobject_cast<CMainFrame*>(window());
        return frame ? &frame->Target() : nullptr;
    };
    m_adminCommands = std::make_unique<AdminCommands>(m_state, this, std::move(hooks));
    AdminCommands& admin = *m_adminCommands;

    // Every one of them works on the hotel database: a view without one (a frame's own test) does nothing.
    const auto on = [this](int command, void (AdminCommands::*run)()) {
        OnCommand(command, [this, run] {
            if (m_state.database)
                (m_adminCommands.get()->*run)();
        });
    };
    on(AdminCommands::kEditHotel, &AdminCommands::EditHotel);
    on(AdminCommands::kNewRoom, &AdminCommands::NewRoom);
    on(AdminCommands::kEditRoom, &AdminCommands::EditRoom);
    on(AdminCommands::kDeleteRoom, &AdminCommands::DeleteRoom);
    on(AdminCommands::kOperatorList, &AdminCommands::OperatorList);
    on(AdminCommands::kChangeOperator, &AdminCommands::ChangeOperator);
    on(AdminCommands::kChangePassword, &AdminCommands::ChangePassword);
    on(AdminCommands::kRoomFeatureList, &AdminCommands::RoomFeatureList);
    on(AdminCommands::kClientServiceList, &AdminCommands::ClientServiceList);
    on(AdminCommands::kHotelSettings, &AdminCommands::HotelSettings);
    on(AdminCommands::kOptionalServiceList, &AdminCommands::OptionalServiceList);
    on(AdminCommands::kCommonAreaList, &AdminCommands::CommonAreaList);
    on(AdminCommands::kAccessManager, &AdminCommands::AccessManager);
    for (const auto& [command, kind] : kRegistryCommands)
        OnCommand(command, [this, kind = kind] { OpenRegistry(kind); });

    // A second hotel is not made from here: the wizard makes the one hotel at the first start.
    OnUpdateCommand(AdminCommands::kNewHotel, [] { return false; });
    OnUpdateCommand(AdminCommands::kNewRoom, [&admin] { return admin.CanAddRoom(); });
    OnUpdateCommand(AdminCommands::kEditRoom, [&admin] { return admin.CanChangeRoom(); });
    OnUpdateCommand(AdminCommands::kDeleteRoom, [&admin] { return admin.CanChangeRoom(); });
}

void CLodgixView::OpenRegistry(int kind)
{
    if (!m_state.database || m_windows.IsOpen(ModelessWindowSlots::kRegistry))
        return;
    m_windows.Open(ModelessWindowSlots::kRegistry,
                   std::make_unique<CRegistryListDlg>(static_cast<CRegistryListDlg::Kind>(kind), *m_state.database,
                                                      &m_target, this));
    emit CommandStatesChanged();
}
