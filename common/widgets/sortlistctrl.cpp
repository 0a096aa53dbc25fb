#include "sortlistctrl.h"

#include "oledatetext.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QStringList>

#include <cstdlib>

namespace {

// What a row sorts by in the column of the moment, worked out once per sort instead of once per
// comparison.
class SortListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    void SetKey(double number) { m_number = number; }
    void SetKey(const QString& text) { m_text = text; }
    void SetByNumber(bool byNumber) { m_byNumber = byNumber; }

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const auto& that = static_cast<const SortListItem&>(other);
        if (m_byNumber)
            return m_number < that.m_number;
        return m_text.compare(that.m_text, Qt::CaseInsensitive) < 0;
    }

private:
    double m_number = 0.0;
    QString m_text;
    bool m_byNumber = false;
};

// The standard text-to-double reading: the longest number at the start, 0 when there is none.
double LeadingNumber(const QString& text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    return std::strtod(bytes.constData(), nullptr);
}

// The suite's date form (four-digit year), else the locale's short date with a two-digit year, which
// the database's texts use.
double DateKey(const QTreeWidgetItem& item, int column)
{
    const QVariant stored = item.data(column, CSortListCtrl::kSortRole);
    if (stored.isValid()) {
        if (stored.metaType().id() == QMetaType::QDateTime)
            return OleDate::FromDateTime(stored.toDateTime()).Value();
        if (stored.metaType().id() == QMetaType::QDate)
            return OleDate::FromDateTime(stored.toDate().startOfDay()).Value();
        return stored.toDouble();
    }
    // A text that is no date counts as the zero date.
    const OleDate parsed = ParseDisplayedOleDate(item.text(column), QLocale());
    return parsed.IsValid() ? parsed.Value() : 0.0;
}

double NumberKey(const QTreeWidgetItem& item, int column)
{
    const QVariant stored = item.data(column, CSortListCtrl::kSortRole);
    return stored.isValid() ? stored.toDouble() : LeadingNumber(item.text(column));
}

}  // namespace

CSortListCtrl::CSortListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setColumnCount(0);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this, &CSortListCtrl::SortByColumn);
}

int CSortListCtrl::InsertColumn(int column, const QString& heading, int sortType, Qt::Alignment format, int width)
{
    const int count = columnCount();
    if (count >= kMaxColumns)
        return -1;
    const int at = column < 0 || column > count ? count : column;
    QStringList headings;
    for (int index = 0; index < count; ++index)
        headings << headerItem()->text(index);
    headings.insert(at, heading);
    setColumnCount(count + 1);
    setHeaderLabels(headings);
    m_sortTypes.insert(m_sortTypes.begin() + at, static_cast<std::uint8_t>(sortType));
    m_directions.insert(m_directions.begin() + at, 0);
    m_formats.insert(m_formats.begin() + at, format);
    for (int index = 0; index <= count; ++index)
        headerItem()->setTextAlignment(index, m_formats[static_cast<std::size_t>(index)] | Qt::AlignVCenter);
    setColumnWidth(at, width);
    return at;
}

int CSortListCtrl::ColumnSortType(int column) const
{
    return column >= 0 && column < columnCount() ? m_sortTypes[static_cast<std::size_t>(column)] : -1;
}

int CSortListCtrl::InsertItem(int row, const QString& text, qint64 itemData)
{
    const int count = topLevelItemCount();
    const int at = row < 0 || row > count ? count : row;
    auto item = new SortListItem;
    item->setData(0, kItemDataRole, itemData);
    insertTopLevelItem(at, item);
    SetItemText(at, 0, text);
    return at;
}

bool CSortListCtrl::SetItemText(int row, int column, const QString& text)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item || column < 0 || column >= columnCount())
        return false;
    item->setText(column, text);
    item->setTextAlignment(column, m_formats[static_cast<std::size_t>(column)] | Qt::AlignVCenter);
    return true;
}

void CSortListCtrl::SetSortValue(int row, int column, const QVariant& value)
{
    if (QTreeWidgetItem* item = topLevelItem(row); item && column >= 0 && column < columnCount())
        item->setData(column, kSortRole, value);
}

QString CSortListCtrl::ItemText(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

qint64 CSortListCtrl::ItemData(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kItemDataRole).toLongLong() : 0;
}

void CSortListCtrl::DeleteAllItems()
{
    clear();
    std::fill(m_directions.begin(), m_directions.end(), 0);
    m_sortColumn = 0;
}

bool CSortListCtrl::IsDescending(int column) const
{
    return column >= 0 && column < columnCount() && m_directions[static_cast<std::size_t>(column)] == 1;
}

void CSortListCtrl::SortByColumn(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    const auto slot = static_cast<std::size_t>(column);
    m_sortColumn = column;
    m_directions[slot] ^= 1;
    const int type = m_sortTypes[slot];
    if (type != kText && type != kNumber && type != kDate)
        return;  // a column of no known type keeps the rows' order
    for (int row = 0; row < topLevelItemCount(); ++row) {
        auto item = static_cast<SortListItem*>(topLevelItem(row));
        item->SetByNumber(type != kText);
        if (type == kText)
            item->SetKey(item->text(column));
        else
            item->SetKey(type == kNumber ? NumberKey(*item, column) : DateKey(*item, column));
    }
    sortItems(column, m_directions[slot] == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}
