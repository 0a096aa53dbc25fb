#include "roomservicesdlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "gridlines.h"
#include "stringtable.h"

#include <QLabel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace lodgix {

namespace {

constexpr int kListWidth = 380;
constexpr int kListMargin = 2;

}  // namespace

CRoomServicesDlg::CRoomServicesDlg(std::vector<ServiceRecord>& services, QWidget* parent)
    : CLodgixDialog(parent), m_services(services), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("CRoomServicesDlg"));
    setWindowTitle(LoadResString(kRoomServicesTitleString));
    m_list->setObjectName(Id(kList));
    m_list->setRootIsDecorated(false);
    ShowGridLines(*m_list);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({LoadResString(kServiceNameString), LoadResString(kExtraPriceString)});
    m_list->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    m_list->setMinimumWidth(kListWidth);
    const int half = (kListWidth - 2 * kListMargin) / 2;
    m_list->setColumnWidth(0, half);
    m_list->setColumnWidth(1, half);
    for (const ServiceRecord& service : services) {
        auto item = new QTreeWidgetItem(m_list, {service.name, service.price.Text()});
        item->setData(0, Qt::UserRole, service.id);
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setCheckState(0, service.selected ? Qt::Checked : Qt::Unchecked);
    }
    QPushButton* ok = AddButton(this, kOk, LoadResString(kOkButtonString));
    connect(ok, &QPushButton::clicked, this, &CRoomServicesDlg::OnOk);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

void CRoomServicesDlg::OnOk()
{
    for (int row = 0; row < m_list->topLevelItemCount() && row < static_cast<int>(m_services.size()); ++row)
        m_services[static_cast<std::size_t>(row)].selected = m_list->topLevelItem(row)->checkState(0) == Qt::Checked;
    accept();
}

}  // namespace lodgix
