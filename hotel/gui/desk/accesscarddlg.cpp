#include "accesscarddlg.h"

#include "deskform.h"
#include "engineerrorcode.h"
#include "gridlines.h"
#include "hoteldatabase.h"
#include "stringtable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace lodgix {
namespace {

constexpr unsigned kCaptionString = 5065;     // "Crea nuova carta"
constexpr unsigned kZoneNameString = 1242;    // "Nome zona comune"
constexpr unsigned kZoneCodeString = 1243;    // "Codice"
constexpr unsigned kZonesString = 1250;       // "Zone comuni da attivare"
constexpr unsigned kCancelString = 2047;
constexpr unsigned kGuestString = 2166;       // "Cliente"

// Sorts the code column as numbers.
class ZoneItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == CAccessCardDlg::kCodeColumn)
            return text(column).toLongLong() < other.text(column).toLongLong();
        return QTreeWidgetItem::operator<(other);
    }
};

}  // namespace

CAccessCardDlg::CAccessCardDlg(const CheckInRecord& stay, CHotelDatabase& database, QWidget* parent)
    : CLodgixDialog(parent), m_guest(new QComboBox(this)), m_zones(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("CAccessCardDlg"));
    setWindowTitle(LoadResString(kCaptionString));
    m_guest->setObjectName(Id(kGuest));
    for (const int id : stay.guestIds) {
        GuestRecord guest;
        if (id != 0 && database.LoadGuest(id, guest))
            m_guest->addItem(guest.name, id);
    }
    if (m_guest->count() > 0)
        m_guest->setCurrentIndex(0);

    m_zones->setObjectName(Id(kZones));
    m_zones->setRootIsDecorated(false);
    ShowGridLines(*m_zones);
    m_zones->setHeaderLabels({LoadResString(kZoneNameString), LoadResString(kZoneCodeString)});
    m_zones->headerItem()->setTextAlignment(kCodeColumn, Qt::AlignCenter);
    m_zones->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_zones->setSortingEnabled(true);
    m_zones->sortByColumn(-1, Qt::AscendingOrder);  // the stored order until a heading is clicked
    std::vector<CommonAreaRecord> areas;
    if (database.LoadCommonAreas(areas) == kNoError) {
        for (const CommonAreaRecord& area : areas) {
            auto item = new ZoneItem(m_zones, {area.label, area.code});
            item->setData(kNameColumn, Qt::UserRole, area.id);
            item->setTextAlignment(kCodeColumn, Qt::AlignCenter);
            item->setCheckState(kNameColumn, Qt::Checked);
        }
    }

    auto ok = DeskButton(this, kOk, LoadResString(kOkButtonString));
    auto cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(ok, &QPushButton::clicked, this, &CAccessCardDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto top = new QHBoxLayout;
    top->addWidget(DeskLabel(this, kGuestLabel, LoadResString(kGuestString)));
    top->addWidget(m_guest, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DeskLabel(this, kZonesLabel, LoadResString(kZonesString)));
    layout->addWidget(m_zones);
    layout->addLayout(buttons);
    setMinimumSize(420, 360);
}

void CAccessCardDlg::OnOk()
{
    if (m_guest->currentIndex() < 0)
        return;
    m_guestName = m_guest->currentText();
    m_zoneCodes.clear();
    for (int row = 0; row < m_zones->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_zones->topLevelItem(row);
        if (item->checkState(kNameColumn) == Qt::Checked)
            m_zoneCodes += item->text(kCodeColumn);
    }
    accept();
}

}  // namespace lodgix
