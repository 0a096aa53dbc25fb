#pragma once

#include <QListWidget>

#include <cstdint>

// A list whose items carry their own colour (a COLORREF; 0 is the normal text colour): the text is drawn
// in it, a selected item is filled with it, a disabled item is grey.
class CColorListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kColourRole = Qt::UserRole;

    explicit CColorListBox(QWidget* parent = nullptr);

    // Inserts the text at the index (-1: at the end) with its colour; the index, or -1 past the end.
    int InsertColoredString(int index, const QString& text, std::uint32_t colour);
    std::uint32_t ItemColour(int index) const;
};
