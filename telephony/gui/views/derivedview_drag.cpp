// CDerivedView: this station's call dragged onto another extension and dropped there is transferred to it.
#include "derivedview.h"

#include "engineerrorcode.h"
#include "operatorconsolestate.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

// A drop target is shown with the list's selection colour.
constexpr int kDropHighlightRole = Qt::BackgroundRole;

}  // namespace

void CDerivedView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_dragging) {
        DragTo(at);
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && m_pressed != kNoObject &&
        (at - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        const int dragged = m_pressed;
        m_pressed = kNoObject;
        BeginDrag(dragged, at);
        if (m_dragging)
            return;
    }
    QListWidget::mouseMoveEvent(event);
}

void CDerivedView::BeginDrag(int extension, const QPoint& at)
{
    const std::uint8_t state = StateOf(extension);
    if (!IsOwn(extension) || (state != kStateConnected && state != kStatePause))
        return;
    const int row = FindObjectItem(extension);
    if (row < 0)
        return;
    m_dragImage = new QLabel(viewport());
    m_dragImage->setObjectName(QStringLiteral("DragImage"));
    m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragImage->setPixmap(item(row)->icon().pixmap(iconSize()));
    m_dragImage->resize(iconSize());
    m_dragImage->hide();
    m_dragImageShown = false;
    m_dragging = true;
    DragTo(at);
}

void CDerivedView::DragTo(const QPoint& at)
{
    m_lastDragPoint = at;
    const QListWidgetItem* hit = itemAt(at);
    SetDropTarget(hit ? row(hit) : -1);
    // The image follows the pointer, its hot spot at the icon's centre.
    m_dragImage->move(at - QPoint(m_dragImage->width() / 2, m_dragImage->height() / 2));
    if (!m_dragImageShown) {
        m_dragImage->show();
        m_dragImageShown = true;
    }
    // Near an edge the window would scroll under the pointer: the transfer is given up.
    const QPoint inWindow = viewport()->mapTo(this, at);
    if (inWindow.x() < kDragEdge || inWindow.y() < kDragEdge || inWindow.x() >= width() - kDragEdge ||
        inWindow.y() >= height() - kDragEdge)
        CancelDrag();
}

void CDerivedView::SetDropTarget(int target)
{
    if (target == m_dropTarget)
        return;
    if (m_dropTarget >= 0 && m_dropTarget < count())
        item(m_dropTarget)->setData(kDropHighlightRole, QVariant());
    m_dropTarget = target;
    if (m_dropTarget >= 0)
        item(m_dropTarget)->setBackground(palette().highlight());
}

void CDerivedView::CancelDrag()
{
    m_dragging = false;
    m_dragImageShown = false;
    delete m_dragImage;
    m_dragImage = nullptr;
    SetDropTarget(-1);
    viewport()->update();
}

void CDerivedView::Drop()
{
    const int target = m_dropTarget >= 0 ? item(m_dropTarget)->data(Qt::UserRole).toInt() : kNoObject;
    CancelDrag();
    if (target == kNoObject || IsOwn(target) || !Served(target))
        return;
    TransferOwnCall(target);
}
