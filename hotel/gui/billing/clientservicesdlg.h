#pragma once

#include "checkinrecord.h"
#include "deskwindowlinks.h"
#include "gatewaylink.h"
#include "lodgixdialog.h"

#include <optional>

class CSortListCtrl;
class QPushButton;

namespace lodgix {

struct LodgixState;

// Dialog 508, modeless: the services charged to one open stay, one row per slot still priced. New, change
// and delete write the stay's row in the database first and then this window's own copy of the stay: the
// view rebuilds its stays at will, so the window never points into them. A sold internet access prints its
// ticket through the view; deleting it removes the user from the gateway. Closing the window tells the
// view (WM_USER+105), which destroys it and takes the stay again from this copy.
class CClientServicesDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 508;
    static constexpr int kServiceList = 1203;
    static constexpr int kNewService = 1204;
    static constexpr int kModifyService = 1205;
    static constexpr int kDeleteService = 1206;
    static constexpr int kTicketList = 1207;
    static constexpr std::uint32_t kClosedMessage = WM_USER + 105;

    CClientServicesDlg(LodgixState& state, DeskWindowLinks links, const CheckInRecord& stay,
                       QWidget* parent = nullptr);

    // Where the gateway is reached; the one of Registry.ini unless set.
    void SetGatewayLink(const GatewayLink& link) { m_link = link; }

    const CheckInRecord& Stay() const { return m_stay; }
    CSortListCtrl& ServiceList() const { return *m_list; }
    CSortListCtrl& TicketList() const { return *m_ticket; }

    void FillServiceList();
    void OnNewService();
    void OnModifyService();
    void OnDeleteService();

protected:
    void reject() override;  // the close box: the view closes its windows

private:
    void SetServiceColumns();
    void UpdateButtons();
    // The slot of the selected row, or -1.
    int SelectedSlot() const;
    void StoreSlot(int slot, const QString& name, Money price, VatRate vat);
    void PrintTicket(const QString& guestName, int hours, const QString& code, Money price);
    bool RemoveGatewayUser(const QString& name);

    LodgixState& m_state;
    DeskWindowLinks m_links;
    CheckInRecord m_stay;
    std::optional<GatewayLink> m_link;
    CSortListCtrl* m_list;
    CSortListCtrl* m_ticket;
    QPushButton* m_new;
    QPushButton* m_modify;
    QPushButton* m_delete;
};

}  // namespace lodgix
