#include "planninggridctrl.h"

#include "planninggridmodel.h"
#include "printtext.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

// Paints a cell in its own colour, whatever the selection: the grid shows the clicked cell, not rows.
class PlanningGridDelegate : public QStyledItemDelegate {
public:
    explicit PlanningGridDelegate(CPlanningGridCtrl& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->fillRect(option.rect, Background(index));
        painter->setPen(m_grid.palette().color(QPalette::Text));
        painter->setFont(option.font);
        const int half = CPlanningGridCtrl::kTextMargin / 2;
        const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        painter->drawText(option.rect.adjusted(half, 0, -half, 0), static_cast<int>(alignment) | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

private:
    QColor Background(const QModelIndex& index) const
    {
        if (index == m_grid.ClickedCell())
            return Qt::black;
        const auto colour = index.data(PlanningGridModel::kColourRole).value<std::uint32_t>();
        if ((index.row() == 0 && index.column() == 0) || colour == PlanningGridModel::kNoColour)
            return Qt::white;
        return ColourOf(colour & kRgbMask);
    }

    CPlanningGridCtrl& m_grid;
};

}  // namespace

CPlanningGridCtrl::CPlanningGridCtrl(QWidget* parent) : QTableView(parent), m_model(new PlanningGridModel(this))
{
    setModel(m_model);
    setItemDelegate(new PlanningGridDelegate(*this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    setFrameShape(QFrame::Box);
}

CPlanningGridCtrl::~CPlanningGridCtrl() = default;

void CPlanningGridCtrl::Clear()
{
    m_clicked = QPersistentModelIndex();
    m_model->Clear();
}

int CPlanningGridCtrl::AddColumn(int column, const QString& heading)
{
    const int at = m_model->InsertColumn(column, heading);
    setColumnWidth(at, horizontalHeader()->fontMetrics().horizontalAdvance(heading) + kTextMargin);
    return at;
}

int CPlanningGridCtrl::AddRow(int row, const QString& text, qint64 itemData)
{
    if (m_model->columnCount() == 0)
        return -1;
    WidenTo(0, text);
    m_model->InsertRow(row, text, itemData);
    return 1;
}

int CPlanningGridCtrl::SetCell(int row, int column, const QString& text, std::uint32_t colour)
{
    if (row < 0 || row >= m_model->rowCount() || column < 0 || column >= kMaxColumns || column >= m_model->columnCount())
        return 0;
    WidenTo(column, text);
    m_model->SetCell(row, column, text, colour);
    return 1;
}

void CPlanningGridCtrl::WidenTo(int column, const QString& text)
{
    const int needed = fontMetrics().horizontalAdvance(text) + kTextMargin;
    if (columnWidth(column) < needed)
        setColumnWidth(column, needed);
}

int CPlanningGridCtrl::RowCount() const { return m_model->rowCount(); }
int CPlanningGridCtrl::ColumnCount() const { return m_model->columnCount(); }
QString CPlanningGridCtrl::CellText(int row, int column) const { return m_model->Text(row, column); }
std::uint32_t CPlanningGridCtrl::CellColour(int row, int column) const { return m_model->Colour(row, column); }
qint64 CPlanningGridCtrl::ItemData(int row) const { return m_model->ItemData(row); }

void CPlanningGridCtrl::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex cell = indexAt(event->position().toPoint());
    const bool dayOfRoom = cell.isValid() && cell.row() > 0 && cell.column() > 0;
    m_clicked = dayOfRoom ? QPersistentModelIndex(cell) : QPersistentModelIndex();
    viewport()->update();
    QTableView::mousePressEvent(event);
    if (dayOfRoom)
        emit CellClicked(static_cast<int>(m_model->ItemData(cell.row()) & 0xFFFF), cell.column());
}
