#pragma once

#include "popuprow.h"

#include <QPushButton>

#include <cstdint>

class MessageTarget;

// A button of a popup row. Its click posts the row action message to the popup with the row's place,
// its source and the action it was made for, so that the popup acts on that row only, wherever a
// refresh between the click and the handling has moved it, and on nothing once the row is gone or
// changed.
class CPopupRowButton : public QPushButton {
    Q_OBJECT
public:
    CPopupRowButton(int row, int place, MessageTarget& popup, QWidget* parent);

    // What a click stands for; set each time the rows are laid out.
    void SetRow(const PopupRow& row);
    int Row() const { return m_row; }
    int Place() const { return m_place; }

    // The message's parameters and their reading.
    struct Click {
        int row = 0;
        int place = 0;
        PopupSource kind = PopupSource::Recorder;
        std::uint8_t index = 0;
        PopupAction action = PopupAction::None;
    };
    static std::uint64_t EncodeWParam(const Click& click);
    static std::int64_t EncodeLParam(const Click& click);
    static Click Decode(std::uint64_t wParam, std::int64_t lParam);

private:
    void OnClicked();

    int m_row;
    int m_place;
    MessageTarget& m_popup;
    PopupSource m_kind = PopupSource::Recorder;
    std::uint8_t m_index = 0;
    PopupAction m_action = PopupAction::None;
};
