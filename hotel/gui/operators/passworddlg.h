#pragma once

#include <QDialog>

class QLineEdit;

// The administrator password request of the first start: one masked field. Unlike the other hotel
// dialogs it keeps a dialog's keys: Enter is OK, Escape cancels (its Cancel button is not shown).
class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPassword = 1088;
    static constexpr int kPasswordLabel = 1089;
    static constexpr int kOk = 1;
    static constexpr int kMaxLength = 63;

    explicit CPasswordDlg(QWidget* parent = nullptr);

    QString Password() const;

private:
    QLineEdit* m_password;
};
