#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// Asks for the access password of the console's configuration. The caller checks what was typed.
class CAccessPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAccessPasswordDlg(QWidget* parent = nullptr);

    QString Password() const { return m_password; }

private:
    void TakePassword();

    QLineEdit* m_edit;
    QString m_password;
};
