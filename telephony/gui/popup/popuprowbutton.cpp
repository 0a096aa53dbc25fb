#include "popuprowbutton.h"

#include "messagetarget.h"

namespace {

constexpr std::uint32_t kRowActionMessage = WM_USER + 200;

}  // namespace

CPopupRowButton::CPopupRowButton(int row, int place, MessageTarget& popup, QWidget* parent)
    : QPushButton(parent), m_row(row), m_place(place), m_popup(popup)
{
    connect(this, &QPushButton::clicked, this, &CPopupRowButton::OnClicked);
}

void CPopupRowButton::SetRow(const PopupRow& row)
{
    m_kind = row.sourceKind;
    m_index = row.sourceIndex;
    m_action = row.actions[static_cast<std::size_t>(m_place)];
}

void CPopupRowButton::OnClicked()
{
    const Click click{m_row, m_place, m_kind, m_index, m_action};
    m_popup.Post(kRowActionMessage, EncodeWParam(click), EncodeLParam(click));
}

// wParam: the row in bits 0-7, the source kind in 8-15 and index in 16-23; lParam: the place in bits
// 0-7 and the action in 8-15.
std::uint64_t CPopupRowButton::EncodeWParam(const Click& click)
{
    return static_cast<std::uint64_t>(click.row & 0xFF) | (static_cast<std::uint64_t>(click.kind) << 8) |
           (static_cast<std::uint64_t>(click.index) << 16);
}

std::int64_t CPopupRowButton::EncodeLParam(const Click& click)
{
    return static_cast<std::int64_t>(click.place & 0xFF) | (static_cast<std::int64_t>(click.action) << 8);
}

CPopupRowButton::Click CPopupRowButton::Decode(std::uint64_t wParam, std::int64_t lParam)
{
    Click click;
    click.row = static_cast<int>(wParam & 0xFF);
    click.kind = static_cast<PopupSource>((wParam >> 8) & 0xFF);
    click.index = static_cast<std::uint8_t>((wParam >> 16) & 0xFF);
    click.place = static_cast<int>(lParam & 0xFF);
    click.action = static_cast<PopupAction>((lParam >> 8) & 0xFF);
    return click;
}
