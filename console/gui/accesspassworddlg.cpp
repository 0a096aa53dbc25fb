#include "accesspassworddlg.h"

#include "installationsettings.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr unsigned kTitleString = 1103;
}

CAccessPasswordDlg::CAccessPasswordDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(LoadResString(kTitleString));
    auto label = new QLabel(LoadResString(kTitleString));
    label->setObjectName(QStringLiteral("1123"));
    m_edit = new QLineEdit;
    m_edit->setObjectName(QStringLiteral("1120"));
    m_edit->setMaxLength(InstallationSettings::kAccessPasswordMaxLength);
    m_edit->setEchoMode(QLineEdit::Password);
    label->setBuddy(m_edit);

    auto ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1121"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAccessPasswordDlg::TakePassword);
    auto cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("1122"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_edit, 0, 1, 1, 2);
    layout->addWidget(ok, 1, 1);
    layout->addWidget(cancel, 1, 2);
}

void CAccessPasswordDlg::TakePassword()
{
    m_password = m_edit->text();
    accept();
}
