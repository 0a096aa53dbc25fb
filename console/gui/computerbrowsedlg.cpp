#include "computerbrowsedlg.h"

#include "stringtable.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CComputerBrowseDlg::CComputerBrowseDlg(const QStringList& computers, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget)
{
    setWindowTitle(LoadResString(kTitleString));
    m_list->setObjectName(QStringLiteral("computers"));
    const QIcon icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    for (const QString& computer : computers)
        new QListWidgetItem(icon, computer, m_list);

    auto buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(LoadResString(kOkButtonString), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setEnabled(false);
    buttons->addButton(LoadResString(kCancelButtonString), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("IDCANCEL"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CComputerBrowseDlg::TakeSelection);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this, ok] { ok->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CComputerBrowseDlg::TakeSelection);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void CComputerBrowseDlg::TakeSelection()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    m_computer = selected.first()->text();
    accept();
}
