#pragma once

#include "objectlistview.h"

#include <memory>

class QMenu;

// The external lines window: the lines of this PBX, then those of the second PBX, as icons. A click
// seizes a free line with the dial string, picks up a held, parked or ringing line, or answers a ringing
// line of the second PBX through a free line; the right-click menu seizes a free line.
class CLineView : public CObjectListView {
    Q_OBJECT
public:
    static constexpr std::uint32_t kMenuId = 190;
    static constexpr std::uint32_t kSeizeCommand = 32791;
    static constexpr std::uint8_t kSecondPbxLinesOption = 0x08;  // of the second PBX plug-in's first byte

    CLineView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr);
    ~CLineView() override;

    // The pixel height that shows every line icon in the width: whole rows of cells and a scroll bar.
    int GetRequiredHeight(int width) const;
    // The line that OnSeizeLine seizes (0-15 from the keys F1-F16; 255 none).
    void SetChosenLine(int line) { m_chosenLine = line; }
    int ChosenLine() const { return m_chosenLine; }
    // Seizes the chosen line of this PBX and dials the dial string on it; nothing without a dial string.
    void OnSeizeLine();
    // The right-click menu, while it is open.
    QMenu* ContextMenu() const;
    // "##" and the line's number, with two digits on a PBX of 10 lines or more.
    static QString PickUpCode(int number, int lineCount);

protected:
    void OnTick() override;
    bool FillInfoTip(int index, QString& buffer, int size) override;
    void OnClick(int line) override;
    void OnRClick(int line) override;

private:
    std::uint8_t LineState(int line) const;

    std::unique_ptr<QMenu> m_menu;
    int m_chosenLine = kNoObject;
};
