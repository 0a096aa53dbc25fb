#include "lineview.h"

#include <algorithm>

namespace {

constexpr int kItemMargin = 8;

}  // namespace

CLineView::CLineView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent)
    : CObjectListView(context, ObjectKind::Lines, std::move(shown), parent)
{
    setObjectName(QStringLiteral("CLineView"));
}

int CLineView::GetRequiredHeight(int width) const
{
    const QSize cell = iconSize();
    // An item of the icon grid is its icon and the view's margins around it.
    const int step = cell.width() + 2 * spacing() + kItemMargin;
    const int perRow = std::max(1, (width - 2 * frameWidth()) / std::max(1, step));
    const int rows = std::max(1, (count() + perRow - 1) / perRow);
    return rows * (cell.height() + 2 * spacing() + kItemMargin) + 2 * frameWidth() + kItemMargin;
}
