#include "clippedtextcheck.h"

#include "paintedtexts.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>

namespace {

// Room a measured text may take: far more than any window, small enough that sums do not overflow.
constexpr int kUnbounded = 1 << 20;
// Space Qt leaves between an icon and its text on push buttons, tool buttons and combo boxes.
constexpr int kIconSpacing = 4;
// Horizontal margin QLineEdit keeps on each side of its text.
constexpr int kLineEditMargin = 2;
// Item views are walked this far at most; the cells past it lie far outside any window.
constexpr int kMaxCellsPerView = 2000;

QString ClassPath(const QWidget& window, const QWidget& widget)
{
    QStringList names;
    for (const QWidget* w = &widget; w; w = w->parentWidget()) {
        names.prepend(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
        if (w == &window)
            break;
    }
    return names.join(u'/');
}

class Finder {
public:
    explicit Finder(const QWidget& window) : m_window(window) {}

    std::vector<ClippedText> Run()
    {
        Visit(m_window);
        return std::move(m_found);
    }

private:
    void Visit(const QWidget& widget)
    {
        Measure(widget);
        for (QObject* object : widget.children()) {
            auto child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow() || !child->isVisibleTo(&m_window))
                continue;
            CheckInsideParent(widget, *child);
            Visit(*child);
        }
    }

    void Report(const QWidget& widget, const QString& text, const QString& reason)
    {
        const QString name = widget.objectName().isEmpty() ? ClassPath(m_window, widget) : widget.objectName();
        m_found.push_back({name, text, reason});
    }

    // Reports a text of `needed` size in `room`.
    void Compare(const QWidget& widget, const QString& text, QSize needed, QSize room, const QString& where = {})
    {
        const QString prefix = where.isEmpty() ? QString() : where + QStringLiteral(": ");
        if (needed.width() > room.width())
            Report(widget, text, prefix + QStringLiteral("text wider than shown (needs %1 px, has %2)")
                                              .arg(needed.width()).arg(room.width()));
        if (needed.height() > room.height())
            Report(widget, text, prefix + QStringLiteral("text taller than shown (needs %1 px, has %2)")
                                              .arg(needed.height()).arg(room.height()));
    }

    void CheckInsideParent(const QWidget& parent, const QWidget& child)
    {
        if (child.size().isEmpty())
            return;
        // The contents of a scroll area move inside its viewport on purpose.
        if (auto area = qobject_cast<const QAbstractScrollArea*>(parent.parentWidget()); area && area->viewport() == &parent)
            return;
        if (!parent.rect().contains(child.geometry()))
            Report(child, QString(), QStringLiteral("drawn outside its parent (%1,%2 %3x%4 in %5x%6)")
                                         .arg(child.x()).arg(child.y()).arg(child.width()).arg(child.height())
                                         .arg(parent.width()).arg(parent.height()));
    }

    void Measure(const QWidget& widget)
    {
        if (auto painted = dynamic_cast<const PaintedTexts*>(&widget))
            MeasurePainted(widget, *painted);
        if (auto label = qobject_cast<const QLabel*>(&widget))
            MeasureLabel(*label);
        else if (auto push = qobject_cast<const QPushButton*>(&widget))
            MeasurePushButton(*push);
        else if (auto tool = qobject_cast<const QToolButton*>(&widget))
            MeasureToolButton(*tool);
        else if (auto check = qobject_cast<const QCheckBox*>(&widget))
            MeasureIndicatorButton(*check, QStyle::SE_CheckBoxContents);
        else if (auto radio = qobject_cast<const QRadioButton*>(&widget))
            MeasureIndicatorButton(*radio, QStyle::SE_RadioButtonContents);
        else if (auto box = qobject_cast<const QGroupBox*>(&widget))
            MeasureGroupBox(*box);
        else if (auto header = qobject_cast<const QHeaderView*>(&widget))
            MeasureHeader(*header);
        else if (auto tabs = qobject_cast<const QTabBar*>(&widget))
            MeasureTabBar(*tabs);
        else if (auto combo = qobject_cast<const QComboBox*>(&widget))
            MeasureComboBox(*combo);
        else if (auto edit = qobject_cast<const QLineEdit*>(&widget))
            MeasureLineEdit(*edit);
        else if (auto view = qobject_cast<const QAbstractItemView*>(&widget))
            MeasureItemView(*view);
    }

    void MeasurePainted(const QWidget& widget, const PaintedTexts& painted)
    {
        for (const PaintedText& item : painted.TextsPainted()) {
            if (item.text.isEmpty())
                continue;
            const QSize needed = QFontMetrics(item.font).size(Qt::TextSingleLine, item.text);
            Compare(widget, item.text, needed, item.place.intersected(widget.rect()).size(), QStringLiteral("painted"));
        }
    }

    void MeasureLabel(const QLabel& label)
    {
        const QString text = label.text();
        if (text.isEmpty() || !label.pixmap().isNull() || label.movie())
            return;
        QRect room = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
        int indent = label.indent();
        if (indent < 0 && label.frameWidth() > 0)
            indent = label.fontMetrics().horizontalAdvance(u'x') / 2;
        const Qt::Alignment align = QStyle::visualAlignment(label.layoutDirection(), label.alignment());
        if (indent > 0) {
            if (align & (Qt::AlignLeft | Qt::AlignRight))
                room.setWidth(room.width() - indent);
            if (align & (Qt::AlignTop | Qt::AlignBottom))
                room.setHeight(room.height() - indent);
        }
        const bool rich =
            label.textFormat() == Qt::RichText || (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
        // Rich text, and any text the user may select, is laid out by a text document rather than drawn directly.
        const bool document = rich || label.textInteractionFlags() != Qt::NoTextInteraction;
        QSize needed;
        if (document) {
            QTextDocument document;
            document.setDefaultFont(label.font());
            document.setDocumentMargin(0);
            if (rich)
                document.setHtml(text);
            else
                document.setPlainText(text);
            if (label.wordWrap()) {
                // Wrapped lines stay within the room unless one word alone is wider.
                document.setTextWidth(room.width());
                needed = QSize(qCeil(document.idealWidth()), qCeil(document.size().height()));
            } else {
                QTextOption option = document.defaultTextOption();
                option.setWrapMode(QTextOption::NoWrap);
                document.setDefaultTextOption(option);
                needed = document.size().toSize();
            }
        } else {
            // Measured from the top: centring in an unbounded rectangle would round the height.
            int flags = int(align & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
            if (label.wordWrap())
                flags |= Qt::TextWordWrap;
            if (label.buddy())
                flags |= Qt::TextShowMnemonic;
            needed = label.fontMetrics().boundingRect(QRect(0, 0, room.width(), kUnbounded), flags, text).size();
        }
        Compare(label, text, needed, room.size());
    }

    void MeasurePushButton(const QPushButton& button)
    {
        if (button.text().isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.icon = button.icon();
        option.iconSize = button.iconSize();
        if (button.isDefault() || button.autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (button.menu())
            option.features |= QStyleOptionButton::HasMenu;
        if (button.isFlat())
            option.features |= QStyleOptionButton::Flat;
        QRect room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        if (button.menu())
            room.setWidth(room.width() - button.style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, &button));
        QSize needed = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
        if (!button.icon().isNull())
            needed.setWidth(needed.width() + button.iconSize().width() + kIconSpacing);
        Compare(button, button.text(), needed, room.size());
    }

    void MeasureToolButton(const QToolButton& button)
    {
        // Without an icon the face shows its text whatever the button's style.
        const bool hasIcon = !button.icon().isNull();
        if (button.text().isEmpty() ||
            (hasIcon && (button.toolButtonStyle() == Qt::ToolButtonIconOnly ||
                         button.toolButtonStyle() == Qt::ToolButtonFollowStyle)))
            return;
        QStyleOptionToolButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.icon = button.icon();
        option.iconSize = button.iconSize();
        option.toolButtonStyle = button.toolButtonStyle();
        option.subControls = QStyle::SC_ToolButton;
        if (button.popupMode() == QToolButton::MenuButtonPopup) {
            option.subControls |= QStyle::SC_ToolButtonMenu;
            option.features |= QStyleOptionToolButton::MenuButtonPopup;
        }
        const int frame = button.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
        QRect room = button.style()
                         ->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, &button)
                         .adjusted(frame, frame, -frame, -frame);
        if (hasIcon && button.toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
            room.setWidth(room.width() - button.iconSize().width() - kIconSpacing);
        else if (hasIcon && button.toolButtonStyle() == Qt::ToolButtonTextUnderIcon)
            room.setHeight(room.height() - button.iconSize().height() - kIconSpacing);
        Compare(button, button.text(), button.fontMetrics().size(Qt::TextShowMnemonic, button.text()), room.size());
    }

    void MeasureIndicatorButton(const QAbstractButton& button, QStyle::SubElement contents)
    {
        if (button.text().isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.icon = button.icon();
        option.iconSize = button.iconSize();
        const QRect room = button.style()->subElementRect(contents, &option, &button);
        QSize needed = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
        if (!button.icon().isNull())
            needed.setWidth(needed.width() + button.iconSize().width() + kIconSpacing);
        Compare(button, button.text(), needed, room.size());
    }

    void MeasureGroupBox(const QGroupBox& box)
    {
        if (box.title().isEmpty())
            return;
        QStyleOptionGroupBox option;
        option.initFrom(&box);
        option.text = box.title();
        option.lineWidth = 1;
        option.midLineWidth = 0;
        option.textAlignment = Qt::Alignment(box.alignment());
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (box.isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        if (box.isFlat())
            option.features |= QStyleOptionFrame::Flat;
        const QRect label = box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
        const QSize needed = box.fontMetrics().size(Qt::TextShowMnemonic, box.title());
        const QRect shown = label.intersected(box.rect());
        Compare(box, box.title(), needed, shown.size(), QStringLiteral("title"));
    }

    // A text the widget elides is still readable where its tool tip carries it whole.
    static bool ToolTipCarries(const QVariant& toolTip, const QString& text)
    {
        return toolTip.toString().contains(text);
    }

    void MeasureHeader(const QHeaderView& header)
    {
        const QAbstractItemModel* model = header.model();
        if (!model)
            return;
        const Qt::Orientation orientation = header.orientation();
        for (int visual = 0; visual < header.count(); ++visual) {
            const int logical = header.logicalIndex(visual);
            if (header.isSectionHidden(logical) || header.sectionSize(logical) <= 0)
                continue;
            const QString text = model->headerData(logical, orientation, Qt::DisplayRole).toString();
            if (text.isEmpty() || ToolTipCarries(model->headerData(logical, orientation, Qt::ToolTipRole), text))
                continue;
            QStyleOptionHeader option;
            option.initFrom(&header);
            option.section = logical;
            option.orientation = orientation;
            option.text = text;
            option.textAlignment = header.defaultAlignment();
            const QVariant font = model->headerData(logical, orientation, Qt::FontRole);
            if (font.canConvert<QFont>())
                option.fontMetrics = QFontMetrics(font.value<QFont>());
            const QVariant icon = model->headerData(logical, orientation, Qt::DecorationRole);
            option.icon = icon.value<QIcon>();
            if (header.isSortIndicatorShown() && header.sortIndicatorSection() == logical)
                option.sortIndicator = header.sortIndicatorOrder() == Qt::AscendingOrder
                                           ? QStyleOptionHeader::SortDown
                                           : QStyleOptionHeader::SortUp;
            const QSize needed = header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header);
            const QSize room = orientation == Qt::Horizontal ? QSize(header.sectionSize(logical), header.height())
                                                             : QSize(header.width(), header.sectionSize(logical));
            Compare(header, text, needed, room, QStringLiteral("section %1").arg(logical));
        }
    }

    void MeasureTabBar(const QTabBar& bar)
    {
        const bool horizontal = bar.shape() == QTabBar::RoundedNorth || bar.shape() == QTabBar::RoundedSouth ||
                                bar.shape() == QTabBar::TriangularNorth || bar.shape() == QTabBar::TriangularSouth;
        for (int i = 0; i < bar.count(); ++i) {
            if (!bar.isTabVisible(i))
                continue;
            const QString text = bar.tabText(i);
            const QRect tab = bar.tabRect(i);
            // Past the bar's end: scroll buttons bring it into view, without them the user never reaches it.
            const bool inside = horizontal ? tab.left() >= 0 && tab.right() <= bar.rect().right()
                                           : tab.top() >= 0 && tab.bottom() <= bar.rect().bottom();
            if (!inside && !bar.usesScrollButtons())
                Report(bar, text, QStringLiteral("tab %1 lies past the tab bar's end, which does not scroll").arg(i));
            if (text.isEmpty() || ToolTipCarries(bar.tabToolTip(i), text))
                continue;
            QStyleOptionTab option;
            option.initFrom(&bar);
            option.rect = tab;
            option.shape = bar.shape();
            option.text = text;
            option.icon = bar.tabIcon(i);
            option.iconSize = bar.iconSize();
            option.documentMode = bar.documentMode();
            if (QWidget* button = bar.tabButton(i, QTabBar::LeftSide))
                option.leftButtonSize = button->size();
            if (QWidget* button = bar.tabButton(i, QTabBar::RightSide))
                option.rightButtonSize = button->size();
            QRect room = bar.style()->subElementRect(QStyle::SE_TabBarTabText, &option, &bar);
            if (!horizontal)
                room = room.transposed();
            Compare(bar, text, bar.fontMetrics().size(Qt::TextShowMnemonic, text), room.size(),
                    QStringLiteral("tab %1").arg(i));
        }
    }

    void MeasureComboBox(const QComboBox& combo)
    {
        // An editable combo box shows its text in its line edit, measured as one.
        const QString text = combo.currentText();
        if (combo.isEditable() || text.isEmpty())
            return;
        QStyleOptionComboBox option;
        option.initFrom(&combo);
        option.editable = false;
        option.frame = combo.hasFrame();
        option.currentText = text;
        option.currentIcon = combo.itemIcon(combo.currentIndex());
        option.iconSize = combo.iconSize();
        option.subControls = QStyle::SC_All;
        const QRect room =
            combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
        QSize needed(combo.fontMetrics().horizontalAdvance(text), combo.fontMetrics().height());
        if (!option.currentIcon.isNull())
            needed.setWidth(needed.width() + combo.iconSize().width() + kIconSpacing);
        Compare(combo, text, needed, room.size());
    }

    void MeasureLineEdit(const QLineEdit& edit)
    {
        // A field that scrolls its text counts as showing it whole only where its tool tip carries it.
        const QString text = edit.text().isEmpty() ? edit.placeholderText() : edit.displayText();
        if (text.isEmpty() || ToolTipCarries(edit.toolTip(), text))
            return;
        QStyleOptionFrame option;
        option.initFrom(&edit);
        option.rect = edit.contentsRect();
        option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
        option.midLineWidth = 0;
        option.state |= QStyle::State_Sunken;
        const QMargins margins = edit.textMargins();
        const QRect room = edit.style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, &edit)
                               .marginsRemoved(margins)
                               .adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
        const QSize needed(edit.fontMetrics().horizontalAdvance(text), edit.fontMetrics().height());
        Compare(edit, text, needed, room.size());
    }

    void MeasureItemView(const QAbstractItemView& view)
    {
        const QAbstractItemModel* model = view.model();
        if (!model)
            return;
        int budget = kMaxCellsPerView;
        MeasureCells(view, *model, view.rootIndex(), budget);
    }

    void MeasureCells(const QAbstractItemView& view, const QAbstractItemModel& model, const QModelIndex& parent,
                      int& budget)
    {
        auto tree = qobject_cast<const QTreeView*>(&view);
        const QRect viewport = view.viewport()->rect();
        for (int row = 0; row < model.rowCount(parent) && budget > 0; ++row) {
            for (int column = 0; column < model.columnCount(parent) && budget > 0; ++column, --budget) {
                const QModelIndex index = model.index(row, column, parent);
                const QRect cell = view.visualRect(index);
                if (cell.isEmpty() || !cell.intersects(viewport))
                    continue;
                MeasureCell(view, index, cell);
            }
            const QModelIndex first = model.index(row, 0, parent);
            if (tree && model.hasChildren(first) && tree->isExpanded(first))
                MeasureCells(view, model, first, budget);
        }
    }

    void MeasureCell(const QAbstractItemView& view, const QModelIndex& index, const QRect& cell)
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty() || ToolTipCarries(index.data(Qt::ToolTipRole), text))
            return;
        QStyleOptionViewItem option;
        option.initFrom(view.viewport());
        option.rect = cell;
        option.text = text;
        option.index = index;
        option.widget = &view;
        option.features |= QStyleOptionViewItem::HasDisplay;
        option.textElideMode = view.textElideMode();
        option.decorationSize = view.iconSize().isValid() ? view.iconSize() : QSize(16, 16);
        // initFrom() leaves the item's font at the application's: the view draws its cells in its own.
        option.font = view.font();
        // An icon list puts each text under its icon, as QListView lays its cells out.
        auto list = qobject_cast<const QListView*>(&view);
        const bool iconMode = list && list->viewMode() == QListView::IconMode;
        if (iconMode) {
            option.decorationPosition = QStyleOptionViewItem::Top;
            option.displayAlignment = Qt::AlignCenter;
            if (!view.iconSize().isValid()) {
                const int size = view.style()->pixelMetric(QStyle::PM_IconViewIconSize, nullptr, &view);
                option.decorationSize = QSize(size, size);
            }
        }
        if (const QVariant font = index.data(Qt::FontRole); font.canConvert<QFont>())
            option.font = font.value<QFont>();
        option.fontMetrics = QFontMetrics(option.font);
        if (const QVariant align = index.data(Qt::TextAlignmentRole); align.isValid())
            option.displayAlignment = Qt::Alignment(align.toInt());
        if (const QVariant decoration = index.data(Qt::DecorationRole); decoration.isValid())
            option.features |= QStyleOptionViewItem::HasDecoration;
        if (index.data(Qt::CheckStateRole).isValid())
            option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const bool wrap = view.property("wordWrap").toBool();
        if (wrap)
            option.features |= QStyleOptionViewItem::WrapText;
        const QString where = QStringLiteral("cell %1,%2").arg(index.row()).arg(index.column());
        if (iconMode) {
            // The text lies under the icon, across the cell: the cell shows it whole when it has the room its
            // delegate asks for.
            if (const QAbstractItemDelegate* delegate = view.itemDelegateForIndex(index)) {
                Compare(view, text, delegate->sizeHint(option, index), cell.size(), where);
                return;
            }
        }
        const QStyle* style = view.style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, &view) + 1;
        const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &option, &view)
                               .adjusted(margin, 0, -margin, 0);
        const int flags = wrap ? Qt::TextWordWrap : 0;
        const QSize needed =
            option.fontMetrics.boundingRect(QRect(0, 0, wrap ? room.width() : kUnbounded, kUnbounded), flags, text).size();
        Compare(view, text, needed, room.size(), where);
    }

    const QWidget& m_window;
    std::vector<ClippedText> m_found;
};

}  // namespace

std::vector<ClippedText> FindClippedTexts(const QWidget& window)
{
    return Finder(window).Run();
}

::testing::AssertionResult HasNoClippedText(const QWidget& window)
{
    const std::vector<ClippedText> found = FindClippedTexts(window);
    if (found.empty())
        return ::testing::AssertionSuccess();
    auto result = ::testing::AssertionFailure();
    result << found.size() << " clipped in " << window.metaObject()->className() << ":";
    for (const ClippedText& item : found)
        result << "\n  " << item.widget.toStdString() << " \"" << item.text.toStdString() << "\": "
               << item.reason.toStdString();
    return result;
}
