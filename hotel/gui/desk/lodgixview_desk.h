#pragma once

#include "deskcommands.h"
#include "deskservices.h"
#include "staybilling.h"

class CLodgixView;

namespace lodgix {

// The front desk's commands over the view: its selection, its month's day status, its rebuild. Made by
// the view's first booking or stay command and kept as long as the view.
class ViewDeskCommands : public DeskCommandHost {
public:
    explicit ViewDeskCommands(CLodgixView& view);

    CDeskCommands& Commands() { return m_commands; }
    DeskServices& Desk() { return m_desk; }
    StayBilling& Billing() { return m_billing; }

    int SelectedRoom() const override;
    OleDate SelectedDate() const override;
    DeskDay RoomDay(int roomId, const OleDate& day, const RoomDayRecords* rows, Except except,
                    int exceptId) const override;
    void RefreshPlanning() override;
    QWidget* Window() override;

private:
    CLodgixView& m_view;
    StayBilling m_billing;
    DeskServices m_desk;
    CDeskCommands m_commands;
};

}  // namespace lodgix
