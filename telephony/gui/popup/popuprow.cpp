#include "popuprow.h"

bool PopupRowTable::Append(PopupRow row)
{
    if (Count() >= kMaxRows) {
        ++m_leftOut;
        return false;
    }
    row.text.truncate(PopupRow::kMaxText);
    for (QString& caption : row.captions)
        caption.truncate(PopupRow::kMaxCaption);
    m_rows.push_back(std::move(row));
    return true;
}

int PopupRowTable::Find(PopupSource kind, std::uint8_t index) const
{
    for (int position = 0; position < Count(); ++position)
        if (At(position).SameSource(kind, index))
            return position;
    return kNoRow;
}

int PopupRowTable::Merge(const PopupRowTable& built)
{
    for (std::size_t position = 0; position < m_rows.size();) {
        const int found = built.Find(m_rows[position].sourceKind, m_rows[position].sourceIndex);
        if (found == kNoRow) {
            m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(position));
            continue;
        }
        m_rows[position] = built.At(found);
        ++position;
    }
    int newAlarms = 0;
    for (const PopupRow& row : built.Rows()) {
        if (Find(row.sourceKind, row.sourceIndex) != kNoRow)
            continue;
        // Both tables hold at most kMaxRows and every row shown is in the built table, so there is room.
        m_rows.insert(m_rows.begin(), row);
        if (row.sourceKind == PopupSource::Alarm)
            ++newAlarms;
    }
    return newAlarms;
}
