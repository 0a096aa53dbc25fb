#include "editnumberdlg.h"

#include "dialogbuttons.h"
#include "stringtable.h"

#include <QLineEdit>

namespace {

constexpr unsigned kCaption = 10144;
constexpr int kMinimumWidth = 260;

}  // namespace

CEditNumberDlg::CEditNumberDlg(QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("195"));
    setWindowTitle(LoadResString(kCaption));
    m_edit->setObjectName(QString::number(kNumber));
    m_edit->setMaxLength(kMaxLength);
    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelButtonString), kCancel, this);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_number = m_edit->text();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(ButtonRow({ok, cancel}));
    setMinimumWidth(kMinimumWidth);
}

void CEditNumberDlg::SetNumber(const QString& number)
{
    m_number = number.left(kMaxLength);
    m_edit->setText(m_number);
}
