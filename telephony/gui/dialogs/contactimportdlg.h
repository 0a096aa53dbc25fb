#pragma once

#include "consolewindowcontext.h"

#include <QDialog>

#include <memory>

class CSortListCtrl;
class CSqlDatabase;
class QCheckBox;
class QComboBox;
class QPushButton;
struct ContactRecord;

// Gathers contacts into a list, from the mail program's contacts export (source 0) or from the address
// book (source 1), lets the user add and correct rows with the contact editor, and stores the selected
// rows in the shared address book. Opened with a number (a caller's), it starts on a row "Nuovo nome"
// holding it as office number, with the editor open on it; dropping that contact closes the dialog.
class CContactImportDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1025;
    static constexpr int kAddToAddressBook = 1034;
    static constexpr int kCancel = 1035;
    static constexpr int kSource = 1036;
    static constexpr int kImport = 1037;
    static constexpr int kDefaultFolder = 1038;
    static constexpr int kOverwrite = 1039;
    static constexpr int kShare = 1040;
    static constexpr int kLetOthersChange = 1041;
    static constexpr int kNewContact = 1042;
    static constexpr int kEdit = 1043;
    static constexpr int kMailContacts = 0;
    static constexpr int kAddressBook = 1;

    CContactImportDlg(const QString& number, const ConsoleWindowContext& context, QWidget* parent = nullptr);
    ~CContactImportDlg() override;

    CSortListCtrl& List() const { return *m_list; }
    QString PendingNumber() const { return m_number; }

    void OnImport();
    void OnAddToAddressBook();
    void OnNewContact();
    void OnEdit();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSelectionChanged();
    // Fills the list from the source; false on a failure to read it.
    bool ImportMailContacts();
    bool ImportAddressBook();
    void AppendRow(const QStringList& texts);
    // Saves one row; asks once whether to overwrite a contact of the same name.
    void SaveRow(int row);

    QString m_number;
    std::unique_ptr<CSqlDatabase> m_database;
    CSortListCtrl* m_list;
    QComboBox* m_source;
    QCheckBox* m_defaultFolder;
    QCheckBox* m_overwrite;
    QCheckBox* m_share;
    QCheckBox* m_letOthersChange;
    QPushButton* m_add;
    QPushButton* m_edit;
    bool m_columnsFitted = false;
};
