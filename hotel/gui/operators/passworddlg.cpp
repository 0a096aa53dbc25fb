#include "passworddlg.h"

#include "lodgixdialog.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr unsigned kTitleString = 2043;     // "Richiesta password"
constexpr unsigned kPasswordString = 2044;  // "Password"

}  // namespace

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent), m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("CPasswordDlg"));
    setWindowTitle(LoadResString(kTitleString));
    auto label = new QLabel(LoadResString(kPasswordString), this);
    label->setObjectName(CLodgixDialog::Id(kPasswordLabel));
    m_password->setObjectName(CLodgixDialog::Id(kPassword));
    m_password->setMaxLength(kMaxLength);
    m_password->setEchoMode(QLineEdit::Password);
    auto ok = new QPushButton(LoadResString(kOkButtonString), this);
    ok->setObjectName(CLodgixDialog::Id(kOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto layout = new QVBoxLayout(this);
    auto field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_password, 1);
    layout->addLayout(field);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    m_password->setFocus();
}

QString CPasswordDlg::Password() const
{
    return m_password->text();
}
