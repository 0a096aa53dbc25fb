#pragma once

#include "lodgixdialog.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

// A new operator (user name, password twice, administrator), or a change of the logged-in operator's
// password (old password, new password twice). The dialog checks what it can before it closes with OK;
// message 2050 otherwise, and it stays open with what was typed.
class COperatorDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kFirstLabel = 1090;
    static constexpr int kFirstText = 1091;  // user name, or the old password
    static constexpr int kPassword = 1092;
    static constexpr int kPasswordLabel = 1093;
    static constexpr int kRepeat = 1094;
    static constexpr int kRepeatLabel = 1095;
    static constexpr int kOk = 1096;
    static constexpr int kCancel = 1097;
    static constexpr int kAdministrator = 1098;
    static constexpr int kMaxLength = 63;

    // Whether a typed old password is the logged-in operator's (checked against the stored one).
    using OldPasswordCheck = std::function<bool(const QString& typed)>;

    // A new operator; a forced administrator has the box ticked and disabled.
    explicit COperatorDlg(bool forcedAdministrator, QWidget* parent = nullptr);
    // A change of password.
    explicit COperatorDlg(OldPasswordCheck oldPasswordCheck, QWidget* parent = nullptr);

    bool IsChangeMode() const { return static_cast<bool>(m_oldPasswordCheck); }
    QString UserName() const;
    QString Password() const;
    bool Administrator() const;

private:
    COperatorDlg(bool forcedAdministrator, OldPasswordCheck oldPasswordCheck, QWidget* parent);
    void OnOk();
    bool IsAcceptable() const;

    OldPasswordCheck m_oldPasswordCheck;
    QLineEdit* m_firstText;
    QLineEdit* m_password;
    QLineEdit* m_repeat;
    QCheckBox* m_administrator;
};
