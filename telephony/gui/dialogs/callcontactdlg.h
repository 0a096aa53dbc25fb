#pragma once

#include "consolewindowcontext.h"

#include <QDialog>

#include <memory>

class CSortListCtrl;
class CSqlDatabase;
class QComboBox;
class QLineEdit;
class QPushButton;

// Finds a contact of the address book and calls one of its numbers from this workstation's extension,
// on a chosen external line or on the one the PBX picks. The dialog stays open after a call.
class CCallContactDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kField = 1048;
    static constexpr int kBook = 1049;
    static constexpr int kText = 1050;
    static constexpr int kSearch = 1051;
    static constexpr int kList = 1052;
    static constexpr int kCall = 1053;
    static constexpr int kCancel = 1054;
    static constexpr int kNumber = 1055;
    static constexpr int kLine = 1056;
    static constexpr int kNumberLabel = 1057;
    static constexpr int kLineLabel = 1058;

    explicit CCallContactDlg(const ConsoleWindowContext& context, QWidget* parent = nullptr);
    ~CCallContactDlg() override;

    CSortListCtrl& List() const { return *m_list; }

    void OnSearch();
    void OnSelectContact();
    void OnCall();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ConsoleWindowContext m_context;
    std::unique_ptr<CSqlDatabase> m_database;
    CSortListCtrl* m_list;
    QComboBox* m_field;
    QComboBox* m_book;
    QLineEdit* m_text;
    QComboBox* m_line;
    QComboBox* m_number;
    QPushButton* m_call;
    bool m_columnsFitted = false;
};
