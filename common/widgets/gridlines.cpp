#include "gridlines.h"

#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

class GridLineDelegate : public QStyledItemDelegate {
public:
    explicit GridLineDelegate(QTreeView& view) : QStyledItemDelegate(&view), m_view(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const auto colour =
            static_cast<QRgb>(m_view.style()->styleHint(QStyle::SH_Table_GridLineColor, &option, &m_view));
        painter->save();
        painter->setPen(QColor::fromRgba(colour));
        const QRect& cell = option.rect;
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }

private:
    QTreeView& m_view;
};

}  // namespace

void ShowGridLines(QTreeView& view)
{
    view.setItemDelegate(new GridLineDelegate(view));
}
