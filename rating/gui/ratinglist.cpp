#include "ratinglist.h"

#include <QItemSelectionModel>

#include "cardimagelist.h"
#include "columnfit.h"

#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QTableView>

namespace {
constexpr int kPictureSpacing = 8;
}  // namespace

CRatingList::CRatingList(QWidget* parent)
    : QWidget(parent), m_model(new CRatingListModel(this)), m_report(new QTableView),
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
    // Column widths depend on the report's width: the view places the list anew in some modes.
    m_report->installEventFilter(this);
}

void CRatingList::Clear()
{
    m_model->Clear();
    m_minimumWidths.clear();
}

void CRatingList::ShowReport(bool gridLines, bool sorted)
{
    m_report->setShowGrid(gridLines);
    m_report->setSortingEnabled(false);
    m_report->horizontalHeader()->setSortIndicatorShown(false);
    if (sorted)
        m_report->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_sorted = sorted;
    m_stack->setCurrentWidget(m_report);
}

void CRatingList::ShowPictures(const CardImageList& pictures, int count)
{
    m_model->Clear();
    m_minimumWidths.clear();
    m_model->AddColumn(QString(), false);
    m_cardImages = &pictures;
    m_pictures->setIconSize(pictures.ImageSize());
    for (int slot = 0; slot < count; ++slot)
        m_model->InsertRow(slot, {{}, slot, std::nullopt, QIcon(QPixmap::fromImage(pictures.Image(slot)))});
    m_stack->setCurrentWidget(m_pictures);
}

bool CRatingList::IsReport() const
{
    return m_stack->currentWidget() == m_report;
}

void CRatingList::AddColumn(const QString& heading, int minimumWidth, bool centred)
{
    m_model->AddColumn(heading, centred);
    m_minimumWidths.push_back(minimumWidth);
    FitColumns();
}

void CRatingList::FitColumns()
{
    FitColumnsToContents(*m_report, m_minimumWidths);
}

int CRatingList::ColumnCount() const
{
    return m_model->columnCount();
}

int CRatingList::AddRow(const QStringList& texts, int data)
{
    return PlaceRow({texts, data, std::nullopt, QIcon()});
}

int CRatingList::AddCallRow(const QStringList& texts, const OleDate& start)
{
    return PlaceRow({texts, m_model->rowCount(), start.Value(), QIcon()});
}

int CRatingList::PlaceRow(CRatingListModel::Row row)
{
    // A sorted list takes the row after every row whose first text is not greater: the order a stable sort
    // of the rows in the order added gives, found without sorting the list again.
    int position = m_model->rowCount();
    if (m_sorted) {
        const QString text = row.texts.value(0);
        int low = 0;
        while (low < position) {
            const int middle = low + (position - low) / 2;
            if (text.compare(m_model->RowAt(middle).texts.value(0)) < 0)
                position = middle;
            else
                low = middle + 1;
        }
    }
    m_model->InsertRow(position, std::move(row));
    return position;
}

std::optional<OleDate> CRatingList::RowStart(int row) const
{
    if (row < 0 || row >= m_model->rowCount())
        return std::nullopt;
    const std::optional<double> start = m_model->RowAt(row).start;
    if (!start)
        return std::nullopt;
    return OleDate(*start);
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
    return row >= 0 && row < m_model->rowCount() ? m_model->RowAt(row).data : -1;
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
    if (watched == m_report && event->type() == QEvent::Resize)
        FitColumns();
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
