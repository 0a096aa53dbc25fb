#include "colorlistbox.h"

#include "printtext.h"

#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int kMidGrey = 128;  // darker colours take white text, lighter ones black

// Every item is as high as a menu's check mark, or the text when that is higher.
class ColorListDelegate : public QStyledItemDelegate {
public:
    explicit ColorListDelegate(CColorListBox& list) : QStyledItemDelegate(&list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize text = QStyledItemDelegate::sizeHint(option, index);
        const int check = m_list.style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, &m_list);
        return {text.width(), std::max(text.height(), check)};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto colour = index.data(CColorListBox::kColourRole).value<std::uint32_t>();
        const QColor itemColour = ColourOf(colour);
        const QPalette& palette = m_list.palette();
        const bool selected = option.state & QStyle::State_Selected;
        const bool enabled = (index.flags() & Qt::ItemIsEnabled) && m_list.isEnabled();
        painter->save();
        painter->fillRect(option.rect, selected ? itemColour : palette.color(QPalette::Base));
        QColor text = colour == 0 ? palette.color(QPalette::Text) : itemColour;
        if (selected)  // on its own colour the text would vanish: it takes the colour that reads on it
            text = qGray(itemColour.rgb()) < kMidGrey ? Qt::white : Qt::black;
        if (!enabled)
            text = palette.color(QPalette::Disabled, QPalette::Text);
        painter->setPen(text);
        const int margin = m_list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &m_list) + 1;
        painter->drawText(option.rect.adjusted(margin, 0, -margin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs,
                          index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.rect = option.rect;
            focus.state = option.state;
            m_list.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &m_list);
        }
        painter->restore();
    }

private:
    CColorListBox& m_list;
};

}  // namespace

CColorListBox::CColorListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new ColorListDelegate(*this));
    setUniformItemSizes(true);
}

int CColorListBox::InsertColoredString(int index, const QString& text, std::uint32_t colour)
{
    const int at = index < 0 ? count() : index;
    if (at > count())
        return -1;
    auto item = new QListWidgetItem(text);
    item->setData(kColourRole, QVariant::fromValue(colour));
    insertItem(at, item);
    return at;
}

std::uint32_t CColorListBox::ItemColour(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(kColourRole).value<std::uint32_t>() : 0;
}
