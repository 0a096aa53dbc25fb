#include "gridlines.h"

#include "sortlistctrl.h"

#include <QImage>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

namespace {

// Two columns of two rows, painted off screen; the cell (0, 0) is where the lines are looked for.
struct PaintedList {
    PaintedList()
    {
        list.InsertColumn(0, QStringLiteral("Nome"), CSortListCtrl::kText, Qt::AlignLeft, 120);
        list.InsertColumn(1, QStringLiteral("Prezzo"), CSortListCtrl::kNumber, Qt::AlignRight, 120);
        for (int row = 0; row < 2; ++row) {
            list.InsertItem(row, QStringLiteral("Riga %1").arg(row));
            list.SetItemText(row, 1, QStringLiteral("1.00"));
        }
        list.resize(300, 160);
    }
    QColor GridColour()
    {
        QStyleOptionViewItem option;
        option.initFrom(&list);
        return QColor::fromRgba(static_cast<QRgb>(list.style()->styleHint(QStyle::SH_Table_GridLineColor, &option, &list)));
    }
    // The pixels on the first cell's right edge and bottom edge, halfway along each.
    std::pair<QColor, QColor> FirstCellEdges()
    {
        const QImage image = list.viewport()->grab().toImage();
        const QRect cell = list.visualRect(list.model()->index(0, 0));
        return {image.pixelColor(cell.right(), cell.center().y()), image.pixelColor(cell.center().x(), cell.bottom())};
    }
    CSortListCtrl list;
};

TEST(GridLines, CellsAreEdgedInTheGridColourOnlyWhenAsked)
{
    PaintedList plain;
    const auto [plainRight, plainBottom] = plain.FirstCellEdges();
    const QColor grid = plain.GridColour();
    ASSERT_NE(plainRight, grid);
    ASSERT_NE(plainBottom, grid);

    PaintedList gridded;
    ShowGridLines(gridded.list);
    const auto [right, bottom] = gridded.FirstCellEdges();
    EXPECT_EQ(right, grid);
    EXPECT_EQ(bottom, grid);
}

TEST(GridLines, TextsStillShow)
{
    PaintedList gridded;
    ShowGridLines(gridded.list);
    const QImage image = gridded.list.viewport()->grab().toImage();
    const QRect cell = gridded.list.visualRect(gridded.list.model()->index(0, 0)).adjusted(1, 1, -2, -2);
    const QColor background = image.pixelColor(cell.right(), cell.top());
    bool inked = false;
    for (int x = cell.left(); x < cell.right() && !inked; ++x)
        for (int y = cell.top(); y < cell.bottom() && !inked; ++y)
            inked = image.pixelColor(x, y) != background;
    EXPECT_TRUE(inked) << "the cell's text was not painted";
}

}  // namespace
