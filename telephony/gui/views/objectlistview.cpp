#include "objectlistview.h"

#include <QPixmap>

namespace {

// The gap between icons of the grid.
constexpr int kIconSpacing = 4;

}  // namespace

CObjectListView::CObjectListView(const ConsoleWindowContext& context, ObjectKind kind, ShownObject shown,
                                 QWidget* parent)
    : QListWidget(parent), m_context(context), m_images(*context.images), m_kind(kind), m_shown(std::move(shown))
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setSpacing(kIconSpacing);
    setSelectionMode(QAbstractItemView::SingleSelection);
    Reload();
}

void CObjectListView::Reload()
{
    clear();
    const ObjectImageList& list = m_images.List(m_kind);
    setIconSize(list.cellSize);
    for (int index = 0; index < list.Count(); ++index) {
        if (m_shown && !m_shown(index))
            continue;
        auto item = new QListWidgetItem(QIcon(QPixmap::fromImage(*list.Image(index))), QString(), this);
        item->setData(Qt::UserRole, index);
    }
}

QListWidgetItem* CObjectListView::ItemOf(int index) const
{
    for (int row = 0; row < count(); ++row)
        if (item(row)->data(Qt::UserRole).toInt() == index)
            return item(row);
    return nullptr;
}

void CObjectListView::RedrawObjectItem(int index, std::uint8_t)
{
    QListWidgetItem* found = ItemOf(index);
    const QImage* image = m_images.List(m_kind).Image(index);
    if (found && image)
        found->setIcon(QIcon(QPixmap::fromImage(*image)));
}
