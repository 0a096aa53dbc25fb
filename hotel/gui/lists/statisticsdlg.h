#pragma once

#include "deskwindowlinks.h"
#include "lodgixdialog.h"
#include "lodgixstate.h"

class CSortListCtrl;
class QComboBox;
class QDateEdit;
class QPushButton;

namespace lodgix {

// Dialog 151, modeless: the days of stay or the amounts paid over the closed stays of a period, per
// customer, company or room, with their mean and share; printed or saved from the list.
class CStatisticsDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 151;
    static constexpr int kTypeCombo = 1340;
    static constexpr int kOutputCombo = 1342;
    static constexpr int kStartDate = 1345;
    static constexpr int kEndDate = 1347;
    static constexpr int kList = 1348;
    static constexpr int kStart = 1349;
    static constexpr int kCancel = 1350;
    static constexpr int kPrint = 3;
    static constexpr int kSave = 4;

    CStatisticsDlg(LodgixState& state, DeskWindowLinks links, QWidget* parent = nullptr);

    CSortListCtrl& List() const { return *m_list; }
    // "Avvia": runs the analysis of the chosen type and output over the period.
    void OnStart();

protected:
    void reject() override;  // the close box: the owner closes its windows

private:
    void SetColumns(int type, int output);
    std::optional<QString> NameOf(int type, int key) const;

    LodgixState& m_state;
    DeskWindowLinks m_links;
    CSortListCtrl* m_list = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_output = nullptr;
    QDateEdit* m_startDate = nullptr;
    QDateEdit* m_endDate = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_save = nullptr;
};

}  // namespace lodgix
