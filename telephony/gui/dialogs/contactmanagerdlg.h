#pragma once

#include "consolewindowcontext.h"

#include <QDialog>

#include <memory>

class CSortListCtrl;
class CSqlDatabase;
class QComboBox;
class QLineEdit;
class QPushButton;

// The central address book: searches the shared contacts and keeps them (add through the import dialog,
// edit, delete, share or stop sharing, lock or unlock). Its buttons follow the ownership rules: only
// this workstation's contacts are shared or locked, another's shared contact open to changes may be
// edited and deleted. Every command ends with the last search again.
class CContactManagerDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1025;
    static constexpr int kSearch = 1026;
    static constexpr int kOk = 1032;
    static constexpr int kCancel = 1033;
    static constexpr int kAddContacts = 1034;
    static constexpr int kDelete = 1035;
    static constexpr int kLock = 1036;
    static constexpr int kShare = 1037;
    static constexpr int kEdit = 1038;
    static constexpr int kField = 1044;
    static constexpr int kBook = 1045;
    static constexpr int kText = 1046;

    explicit CContactManagerDlg(const ConsoleWindowContext& context, QWidget* parent = nullptr);
    ~CContactManagerDlg() override;

    CSortListCtrl& List() const { return *m_list; }

    void OnSearch();
    void OnSelectContact();
    void OnDelete();
    void OnLock();
    void OnShare();
    void OnEdit();
    void OnAddContacts();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The buttons as after a search: nothing selected.
    void ResetButtons();
    bool IsMine(int row) const;
    // Saves a row's texts as the row's own contact (its owner), into the book given.
    int SaveRow(int row, const QStringList& texts, bool shared, bool editable, QString& found);

    ConsoleWindowContext m_context;
    std::unique_ptr<CSqlDatabase> m_database;
    CSortListCtrl* m_list;
    QComboBox* m_field;
    QComboBox* m_book;
    QLineEdit* m_text;
    QPushButton* m_delete;
    QPushButton* m_lock;
    QPushButton* m_share;
    QPushButton* m_edit;
    bool m_columnsFitted = false;
    bool m_searched = false;
};
