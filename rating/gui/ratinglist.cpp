#include "ratinglist.h"

#include <QItemSelectionModel>

#include "cardimagelist.h"

#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QStandardItemModel>
#include <QTableView>

namespace {
constexpr int kItemDataRole = Qt::UserRole + 1;
constexpr int kStartRole = Qt::UserRole + 2;  // a call row's start, in days
constexpr int kPictureSpacing = 8;
}  // namespace

CRatingList::CRatingList(QWidget* parent)
    : QWidget(parent), m_model(new QStandardItemModel(this)), m_report(new QTableView),
      m_pictures(new QListView), m_stack(new QStackedLayout(this))
{
    setObjectName(QStringLiteral("1000"));
    m_report->setModel(m_model);
    m_report->verticalHeader()->hide();
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->setSelectionMode(QAbstractItemView::SingleSelection);
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->horizontalHeader()->setHighlightSections(false);
    m_report->setWordWrap(false);
    m_pictures->setModel(m_model);
    m_pictures->setViewMode(QListView::IconMode);
    m_pictures->setMovement(QListView::Static);
    m_pictures->setResizeMode(QListView::Adjust);
    m_pictures->setSpacing(kPictureSpacing);
    m_pictures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pictures->setSelectionMode(QAbstractItemView::SingleSelection);
    m_stack->addWidget(m_report);
    m_stack->addWidget(m_pictures);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_pictures)})
        view->viewport()->installEventFilter(this);
}

void CRatingList::Clear()
{
    m_model->clear();
    m_centred.clear();
}

void CRatingList::ShowReport(bool gridLines, bool sorted)
{
    m_report->setShowGrid(gridLines);
    m_report->setSortingEnabled(false);
    m_report->horizontalHeader()->setSortIndicatorShown(false);
    m_model->setSortRole(Qt::DisplayRole);
    if (sorted)
        m_report->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_report->setProperty("sorted", sorted);
    m_stack->setCurrentWidget(m_report);
}

void CRatingList::ShowPictures(const CardImageList& pictures, int count)
{
    m_model->clear();
    m_model->setColumnCount(1);
    m_cardImages = &pictures;
    m_pictures->setIconSize(pictures.ImageSize());
    for (int slot = 0; slot < count; ++slot) {
        auto item = new QStandardItem(QIcon(QPixmap::fromImage(pictures.Image(slot))), QString());
        item->setData(slot, kItemDataRole);
        m_model->appendRow(item);
    }
    m_stack->setCurrentWidget(m_pictures);
}

bool CRatingList::IsReport() const
{
    return m_stack->currentWidget() == m_report;
}

void CRatingList::AddColumn(const QString& heading, int width, bool centred)
{
    const int column = m_model->columnCount();
    m_model->setColumnCount(column + 1);
    m_model->setHeaderData(column, Qt::Horizontal, heading);
    m_model->setHeaderData(column, Qt::Horizontal,
                           static_cast<int>((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter),
                           Qt::TextAlignmentRole);
    m_report->setColumnWidth(column, width);
    m_centred.push_back(centred);
}

int CRatingList::ColumnCount() const
{
    return m_model->columnCount();
}

int CRatingList::AddRow(const QStringList& texts, int data)
{
    QList<QStandardItem*> items;
    for (int column = 0; column < std::max<int>(1, m_model->columnCount()); ++column) {
        auto item = new QStandardItem(column < texts.size() ? texts[column] : QString());
        if (column < static_cast<int>(m_centred.size()) && m_centred[static_cast<std::size_t>(column)])
            item->setTextAlignment(Qt::AlignCenter);
        item->setData(data, kItemDataRole);
        items.append(item);
    }
    m_model->appendRow(items);
    if (m_report->property("sorted").toBool())
        m_model->sort(0, Qt::AscendingOrder);
    return FindRow(data);
}

int CRatingList::AddCallRow(const QStringList& texts, const OleDate& start)
{
    const int row = AddRow(texts, m_model->rowCount());
    m_model->item(row, 0)->setData(start.Value(), kStartRole);
    return row;
}

std::optional<OleDate> CRatingList::RowStart(int row) const
{
    const QStandardItem* item = m_model->item(row, 0);
    if (!item)
        return std::nullopt;
    const QVariant start = item->data(kStartRole);
    if (!start.isValid())
        return std::nullopt;
    return OleDate(start.toDouble());
}

QString CRatingList::Text(int row, int column) const
{
    return m_model->data(m_model->index(row, column), Qt::DisplayRole).toString();
}

QString CRatingList::Heading(int column) const
{
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

int CRatingList::ColumnWidth(int column) const
{
    return m_report->columnWidth(column);
}

int CRatingList::FindRow(int data) const
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (RowData(row) == data)
            return row;
    }
    return -1;
}

int CRatingList::RowData(int row) const
{
    const QStandardItem* item = m_model->item(row, 0);
    return item ? item->data(kItemDataRole).toInt() : -1;
}

int CRatingList::RowCount() const
{
    return m_model->rowCount();
}

void CRatingList::EnsureVisible(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    if (index.isValid())
        Current()->scrollTo(index);
}

int CRatingList::SelectedRow() const
{
    const QModelIndexList rows = Current()->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CRatingList::SelectRow(int row)
{
    Current()->clearSelection();
    const QModelIndex index = m_model->index(row, 0);
    if (index.isValid())
        Current()->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int CRatingList::InnerWidth() const
{
    return width();
}

QAbstractItemView* CRatingList::Current() const
{
    return IsReport() ? static_cast<QAbstractItemView*>(m_report) : static_cast<QAbstractItemView*>(m_pictures);
}

bool CRatingList::eventFilter(QObject* watched, QEvent* event)
{
    const bool click = event->type() == QEvent::MouseButtonRelease;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if ((click || doubleClick) && watched == Current()->viewport()) {
        const QModelIndex hit = Current()->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        const int row = hit.isValid() ? hit.row() : -1;
        if (click)
            emit Clicked(row);
        else
            emit DoubleClicked(row);
    }
    return QWidget::eventFilter(watched, event);
}
