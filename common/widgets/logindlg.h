#pragma once

#include "buttononlydialog.h"

#include <QString>

class QLineEdit;
class QPushButton;

// The login dialog of the programs that ask for an operator: user name and password, both required.
// Each program gives its own texts. Enter and Escape do not end it; "OK" closes it when both fields are
// filled, else the program's message shows and it stays open; the exit button cancels. The dialog does
// not check the credentials.
class CLoginDlg : public CButtonOnlyDialog {
    Q_OBJECT
public:
    static constexpr int kUserNameLabel = 1099;
    static constexpr int kUserName = 1100;
    static constexpr int kPasswordLabel = 1101;
    static constexpr int kPassword = 1102;
    static constexpr int kOk = 1103;
    static constexpr int kExit = 1104;
    static constexpr int kMaxLength = 63;

    struct Texts {
        QString title;
        QString userNameLabel;
        QString passwordLabel;
        QString exitButton;
        QString emptyFieldMessage;  // shown when a field is empty
        QString messageCaption;     // the program's caption of that message
    };

    explicit CLoginDlg(const Texts& texts, QWidget* parent = nullptr);

    QString UserName() const;
    QString Password() const;

private:
    void OnOk();

    Texts m_texts;
    QLineEdit* m_userName;
    QLineEdit* m_password;
};
