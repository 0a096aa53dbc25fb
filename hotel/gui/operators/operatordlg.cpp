#include "operatordlg.h"

#include "lodgixmessagebox.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr unsigned kPasswordString = 2044;        // "Password"
constexpr unsigned kUserNameString = 2045;        // "Username"
constexpr unsigned kRepeatString = 2046;          // "Ripeti password"
constexpr unsigned kCancelString = 2047;          // "Annulla"
constexpr unsigned kNewOperatorString = 2048;     // "Nuovo operatore"
constexpr unsigned kAdministratorString = 2049;   // "Amministratore"
constexpr unsigned kWrongDataString = 2050;       // "Dati immessi non corretti"
constexpr unsigned kOldPasswordString = 2053;     // "Vecchia password"
constexpr unsigned kNewPasswordString = 2054;     // "Nuova password"
constexpr unsigned kChangePasswordString = 5010;  // "Cambia password"

}  // namespace

COperatorDlg::COperatorDlg(bool forcedAdministrator, QWidget* parent) : COperatorDlg(forcedAdministrator, {}, parent) {}

COperatorDlg::COperatorDlg(OldPasswordCheck oldPasswordCheck, QWidget* parent)
    : COperatorDlg(false, std::move(oldPasswordCheck), parent)
{
}

COperatorDlg::COperatorDlg(bool forcedAdministrator, OldPasswordCheck oldPasswordCheck, QWidget* parent)
    : CLodgixDialog(parent), m_oldPasswordCheck(std::move(oldPasswordCheck)), m_firstText(new QLineEdit(this)),
      m_password(new QLineEdit(this)), m_repeat(new QLineEdit(this)), m_administrator(new QCheckBox(this))
{
    const bool change = IsChangeMode();
    setObjectName(QStringLiteral("COperatorDlg"));
    setWindowTitle(LoadResString(change ? kChangePasswordString : kNewOperatorString));

    auto label = [this](int id, unsigned text) {
        auto widget = new QLabel(LoadResString(text), this);
        widget->setObjectName(Id(id));
        return widget;
    };
    QLabel* firstLabel = label(kFirstLabel, change ? kOldPasswordString : kUserNameString);
    QLabel* passwordLabel = label(kPasswordLabel, change ? kNewPasswordString : kPasswordString);
    QLabel* repeatLabel = label(kRepeatLabel, kRepeatString);
    for (auto [edit, id] : {std::pair{m_firstText, kFirstText}, {m_password, kPassword}, {m_repeat, kRepeat}}) {
        edit->setObjectName(Id(id));
        edit->setMaxLength(kMaxLength);
        if (edit != m_firstText || change)
            edit->setEchoMode(QLineEdit::Password);
    }
    m_administrator->setObjectName(Id(kAdministrator));
    m_administrator->setText(LoadResString(kAdministratorString));
    m_administrator->setChecked(forcedAdministrator);
    m_administrator->setEnabled(!forcedAdministrator);
    m_administrator->setVisible(!change);

    auto ok = new QPushButton(LoadResString(kOkButtonString), this);
    ok->setObjectName(Id(kOk));
    auto cancel = new QPushButton(LoadResString(kCancelString), this);
    cancel->setObjectName(Id(kCancel));
    connect(ok, &QPushButton::clicked, this, &COperatorDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto grid = new QGridLayout;
    grid->addWidget(firstLabel, 0, 0);
    grid->addWidget(m_firstText, 0, 1);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(m_password, 1, 1);
    grid->addWidget(repeatLabel, 2, 0);
    grid->addWidget(m_repeat, 2, 1);
    grid->addWidget(m_administrator, 3, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    m_firstText->setFocus();
}

QString COperatorDlg::UserName() const
{
    return IsChangeMode() ? QString() : m_firstText->text();
}

QString COperatorDlg::Password() const
{
    return m_password->text();
}

bool COperatorDlg::Administrator() const
{
    return !IsChangeMode() && m_administrator->isChecked();
}

bool COperatorDlg::IsAcceptable() const
{
    if (m_password->text().isEmpty() || m_repeat->text() != m_password->text())
        return false;
    // The old password is checked against the stored one, exactly (letter case counts).
    return IsChangeMode() ? m_oldPasswordCheck(m_firstText->text()) : !m_firstText->text().isEmpty();
}

void COperatorDlg::OnOk()
{
    if (IsAcceptable()) {
        accept();
        return;
    }
    LodgixMessageBox(this, kWrongDataString, QMessageBox::Critical);
}
