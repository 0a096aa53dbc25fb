#pragma once

#include "lodgixdialog.h"

#include <vector>

class CSortListCtrl;
class QPushButton;

namespace lodgix {

class CHotelDatabase;

// One list dialog for the hotel's configuration lists, chosen by its mode: the operators (the mode is then
// the logged-in operator's id), the room features, the client services, the optional room services, the
// two choices of a room's features or optional services (ticks, handed back by "Applica") and the common
// areas of the key-card system. Its buttons add, change and delete rows through the database.
class CConfigListDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kNew = 1106;
    static constexpr int kModify = 1107;  // "Elimina" in the operators list
    static constexpr int kList = 1108;
    static constexpr int kLast = 1109;    // "Esci", "Applica" or, for the common areas, "Elimina"
    static constexpr short kFeatures = -1;
    static constexpr short kClientServices = -2;
    static constexpr short kOptionalServices = -3;
    static constexpr short kChooseFeatures = -4;
    static constexpr short kChooseOptionalServices = -5;
    static constexpr short kCommonAreas = -6;

    CConfigListDlg(short mode, CHotelDatabase& database, QWidget* parent = nullptr);

    // The choice modes: the ids ticked on opening, and after "Applica" the ticked ones in row order.
    void SetChosen(const std::vector<int>& ids);
    const std::vector<int>& Chosen() const { return m_chosen; }

    CSortListCtrl& List() { return *m_list; }

private:
    bool IsOperators() const { return m_mode >= 0; }
    bool IsChoice() const { return m_mode == kChooseFeatures || m_mode == kChooseOptionalServices; }
    bool IsFeatures() const { return m_mode == kFeatures || m_mode == kChooseFeatures; }
    bool IsOptional() const { return m_mode == kOptionalServices || m_mode == kChooseOptionalServices; }
    int SelectedRow() const;
    void Fill();
    void UpdateButtons();
    void OnNew();
    void OnModify();
    void OnLast();
    void NewService();
    void ModifyService(int row);
    void ModifyArea(int row);

    short m_mode;
    CHotelDatabase& m_database;
    std::vector<int> m_chosen;
    CSortListCtrl* m_list;
    QPushButton* m_new;
    QPushButton* m_modify;
    QPushButton* m_last;
};

}  // namespace lodgix
