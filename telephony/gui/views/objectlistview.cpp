#include "objectlistview.h"

#include "gdiobjects.h"
#include "mainsettings.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolTip>

#include <algorithm>

namespace {

// The list font of every object window.
const QString kListFontFamily = QStringLiteral("Times New Roman");
constexpr int kListFontPixels = 12;
constexpr std::uint8_t kNotScrolling = 255;

MainSettings::Section SectionOf(ObjectKind kind)
{
    return static_cast<MainSettings::Section>(static_cast<int>(kind) - 1);
}

}  // namespace

CObjectListView::CObjectListView(const ConsoleWindowContext& context, ObjectKind kind, ShownObject shown,
                                 QWidget* parent)
    : QListWidget(parent), m_context(context), m_images(*context.images), m_kind(kind), m_shown(std::move(shown))
{
    setViewMode(QListView::IconMode);
    // Items go where LayoutIcons puts them; the user does not drag them.
    setMovement(QListView::Free);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setResizeMode(QListView::Fixed);
    // The grid wraps at the list's width; the list's own flow before it would leave a wider contents.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSpacing(0);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QFont font(kListFontFamily);
    font.setPixelSize(kListFontPixels);
    setFont(font);
    if (m_context.settings) {
        QPalette colours = palette();
        colours.setColor(QPalette::Base,
                         ColourFromColorRef(m_context.settings->main.BackgroundColour(SectionOf(kind))));
        setPalette(colours);
    }
    Reload();
    m_timer.start(kTimerMs, this);
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
        item->setSizeHint(list.cellSize);
    }
    LayoutIcons();
}

int CObjectListView::FindObjectItem(int index) const
{
    for (int row = 0; row < count(); ++row)
        if (item(row)->data(Qt::UserRole).toInt() == index)
            return row;
    return -1;
}

void CObjectListView::RedrawObjectItem(int index, std::uint8_t)
{
    const int row = FindObjectItem(index);
    const QImage* image = m_images.List(m_kind).Image(index);
    if (row >= 0 && image)
        item(row)->setIcon(QIcon(QPixmap::fromImage(*image)));
}

QSize CObjectListView::CellSize() const
{
    QSize cell = m_images.List(m_kind).cellSize;
    if (m_context.settings) {
        const MainSettings& main = m_context.settings->main;
        cell += QSize(static_cast<int>(main.IconSpacingX(SectionOf(m_kind))),
                      static_cast<int>(main.IconSpacingY(SectionOf(m_kind))));
    }
    return cell.expandedTo(QSize(1, 1));
}

void CObjectListView::LayoutIcons()
{
    const QSize cell = CellSize();
    const int columns = std::max(1, viewport()->width() / cell.width());
    for (int row = 0; row < count(); ++row)
        setPositionForIndex(QPoint(cell.width() * (row % columns), cell.height() * (row / columns)),
                            indexFromItem(item(row)));
}

void CObjectListView::doItemsLayout()
{
    // The list's own flow would stack the items differently; the grid is put back after it.
    QListWidget::doItemsLayout();
    LayoutIcons();
}

int CObjectListView::ObjectAt(const QPoint& point) const
{
    const QListWidgetItem* hit = itemAt(point);
    return hit ? hit->data(Qt::UserRole).toInt() : kNoObject;
}

QString CObjectListView::InfoTip(int index)
{
    QString buffer;
    if (!FillInfoTip(index, buffer, kTipBufferSize))
        return {};
    return buffer.left(kTipBufferSize - 1);
}

bool CObjectListView::FillInfoTip(int, QString&, int)
{
    return false;
}

void CObjectListView::TickObject(int index, bool flashes, std::uint8_t& flashPhase, std::uint8_t firstScroll,
                                 std::uint8_t secondScroll)
{
    if (flashes)
        flashPhase = flashPhase ? 0 : 1;
    if (flashes || firstScroll != kNotScrolling || secondScroll != kNotScrolling)
        RedrawObject(index);
}

void CObjectListView::RedrawObject(int index)
{
    m_images.DrawIcon(m_kind, index);
    RedrawObjectItem(index, 0);
}

std::uint8_t CObjectListView::Pbx() const
{
    return m_context.state ? static_cast<std::uint8_t>(m_context.state->firstPbxIdentifier) : 0;
}

std::uint8_t CObjectListView::OwnExtension() const
{
    return m_context.state ? static_cast<std::uint8_t>(m_context.state->ownExtension) : 0;
}

std::uint8_t CObjectListView::OwnState() const
{
    if (!m_context.state)
        return 0;
    const auto& extensions = m_context.state->tables.extensionStatus;
    const auto own = static_cast<std::size_t>(m_context.state->ownExtension);
    return own < extensions.size() ? extensions[own].State() : 0;
}

bool CObjectListView::SecondPbxOption(std::uint8_t bit) const
{
    return m_context.settings && (static_cast<std::uint8_t>(m_context.settings->second.Bytes().at(0)) & bit) != 0;
}

void CObjectListView::ShowError(int code) const
{
    if (m_context.callProgress)
        m_context.callProgress->ShowError(code);
}

bool CObjectListView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto help = static_cast<QHelpEvent*>(event);
        const int object = ObjectAt(help->pos());
        const QString tip = object == kNoObject ? QString() : InfoTip(object);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QListWidget::viewportEvent(event);
}

void CObjectListView::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    const int object = ObjectAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        OnClick(object);
    else if (event->button() == Qt::RightButton)
        OnRClick(object);
}

void CObjectListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        OnDblClick(ObjectAt(event->position().toPoint()));
}

void CObjectListView::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    LayoutIcons();
}

void CObjectListView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId()) {
        OnTick();
        return;
    }
    QListWidget::timerEvent(event);
}
