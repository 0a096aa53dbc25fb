#include "logindlg.h"

#include "stringtable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString Id(int control)
{
    return QString::number(control);
}

}  // namespace

CLoginDlg::CLoginDlg(const Texts& texts, QWidget* parent)
    : CButtonOnlyDialog(parent), m_texts(texts), m_userName(new QLineEdit(this)), m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("CLoginDlg"));
    setWindowTitle(texts.title);
    auto userLabel = new QLabel(texts.userNameLabel, this);
    userLabel->setObjectName(Id(kUserNameLabel));
    auto passwordLabel = new QLabel(texts.passwordLabel, this);
    passwordLabel->setObjectName(Id(kPasswordLabel));
    m_userName->setObjectName(Id(kUserName));
    m_userName->setMaxLength(kMaxLength);
    m_password->setObjectName(Id(kPassword));
    m_password->setMaxLength(kMaxLength);
    m_password->setEchoMode(QLineEdit::Password);
    auto ok = new QPushButton(LoadResString(kOkButtonString), this);
    ok->setObjectName(Id(kOk));
    auto exit = new QPushButton(texts.exitButton, this);
    exit->setObjectName(Id(kExit));
    connect(ok, &QPushButton::clicked, this, &CLoginDlg::OnOk);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    auto grid = new QGridLayout;
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(m_userName, 0, 1);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(m_password, 1, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    m_userName->setFocus();
}

QString CLoginDlg::UserName() const
{
    return m_userName->text();
}

QString CLoginDlg::Password() const
{
    return m_password->text();
}

void CLoginDlg::OnOk()
{
    if (!m_userName->text().isEmpty() && !m_password->text().isEmpty()) {
        accept();
        return;
    }
    QMessageBox box(QMessageBox::Critical, m_texts.messageCaption, m_texts.emptyFieldMessage, QMessageBox::Ok, this);
    box.exec();
}
