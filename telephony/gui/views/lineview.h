#pragma once

#include "objectlistview.h"

// The lines window: for now its list of line icons, the height it needs for a width and the chosen line
// that the keys F1-F16 seize.
class CLineView : public CObjectListView {
    Q_OBJECT
public:
    CLineView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr);

    // The pixel height that shows every line icon in the width.
    int GetRequiredHeight(int width) const;
    void SetChosenLine(int line) { m_chosenLine = line; }
    int ChosenLine() const { return m_chosenLine; }
    // Seizes the chosen line; the window that does it comes later, this one tells it.
    void OnSeizeLine() { emit LineSeized(m_chosenLine); }

signals:
    void LineSeized(int line);

private:
    int m_chosenLine = 0;
};
