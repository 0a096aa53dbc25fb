// CDerivedView: this station's call dragged onto another extension and dropped there is transferred to it.
#include "derivedview.h"

#include "engineerrorcode.h"
#include "operatorconsolestate.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr double kDropHighlightAlpha = 0.5;
constexpr double kDragImageOpacity = 0.6;

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
    // Seen through, so that the target's highlight shows under it; held where the icon was grabbed.
    auto seeThrough = new QGraphicsOpacityEffect(m_dragImage);
    seeThrough->setOpacity(kDragImageOpacity);
    m_dragImage->setGraphicsEffect(seeThrough);
    m_dragHotSpot = m_pressPoint - visualItemRect(item(row)).topLeft();
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
    m_dragImage->move(at - m_dragHotSpot);
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
    if (m_dropTarget >= 0 && m_dropTarget < count()) {
        QListWidgetItem* previous = item(m_dropTarget);
        previous->setData(kDropHighlightRole, QVariant());
        RedrawObjectItem(previous->data(Qt::UserRole).toInt(), 0);
    }
    m_dropTarget = target;
    if (m_dropTarget < 0)
        return;
    // The target's icon in the selection colour, as a drop target is drawn.
    QListWidgetItem* hit = item(m_dropTarget);
    QPixmap tinted = hit->icon().pixmap(iconSize());
    QPainter painter(&tinted);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QColor highlight = palette().highlight().color();
    highlight.setAlphaF(kDropHighlightAlpha);
    painter.fillRect(tinted.rect(), highlight);
    painter.end();
    hit->setIcon(QIcon(tinted));
    hit->setData(kDropHighlightRole, true);
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
