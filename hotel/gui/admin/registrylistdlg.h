#pragma once

#include "companyrecord.h"
#include "lodgixdialog.h"
#include "messagetarget.h"

#include <vector>

class CSortListCtrl;
class QPushButton;

namespace lodgix {

class CHotelDatabase;

// The register of customers, companies or customer agreements: a modeless window that lists one kind,
// adds, changes and deletes its rows through the database and saves the list as a file. Closing it tells
// the owner (kClosedMessage), which then frees it.
class CRegistryListDlg : public CLodgixDialog {
    Q_OBJECT
public:
    enum Kind { kGuests = 0, kCompanies = 1, kConventions = 2 };
    static constexpr int kList = 1109;
    static constexpr int kNew = 1110;
    static constexpr int kDelete = 1111;
    static constexpr int kModify = 1112;
    static constexpr int kSave = 1113;
    static constexpr std::uint32_t kClosedMessage = WM_USER + 101;

    CRegistryListDlg(Kind kind, CHotelDatabase& database, MessageTarget* owner, QWidget* parent = nullptr);

    Kind RegistryKind() const { return m_kind; }
    CSortListCtrl& List() { return *m_list; }
    // The columns the export writes as text (phone numbers and codes keep their leading zeros).
    std::vector<bool> TextColumns() const;
    // Fills the list again from the database; the row buttons wait for a new selection.
    void Fill();

protected:
    void done(int result) override;

private:
    int SelectedRow() const;
    void UpdateButtons();
    void OnNew();
    void OnModify();
    void OnDelete();
    // Stores a company from the company dialog (a new one when id is 0): false after telling why not.
    bool StoreCompany(int id, const CompanyRecord& company);

    Kind m_kind;
    CHotelDatabase& m_database;
    MessageTarget* m_owner;
    CSortListCtrl* m_list;
    QPushButton* m_delete;
    QPushButton* m_modify;
    QPushButton* m_save;
};

}  // namespace lodgix
