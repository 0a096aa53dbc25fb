#pragma once

#include "consolewindowcontext.h"
#include "objectimagelists.h"
#include "pbxstatetables.h"

#include <QBasicTimer>
#include <QListWidget>

#include <cstdint>
#include <functional>

// An object window's list in icon mode: one item per shown object, its item data the object's index in
// the combined numbering, its icon the object's image in the kind's image list. The items sit in a grid
// of cells (icon plus the section's spacings) that LayoutIcons places for the list's width; the list
// takes the section's background, the list font and a one-second timer whose tick the window uses to
// move flashing and scrolling icons, one item at a time. The info tip of an item is the window's.
class CObjectListView : public QListWidget {
    Q_OBJECT
public:
    using ShownObject = std::function<bool(int index)>;
    static constexpr int kNoObject = 255;       // no item under the pointer
    static constexpr int kTipBufferSize = 1024;  // what an info tip may hold
    static constexpr int kTimerMs = 1000;

    // The pictures are the context's image lists.
    CObjectListView(const ConsoleWindowContext& context, ObjectKind kind, ShownObject shown, QWidget* parent = nullptr);

    // Fills the list again from the image list and places the items.
    void Reload();
    // Redraws the one item whose item data is the index; nothing when no item has it.
    void RedrawObjectItem(int index, std::uint8_t flags);
    // The row whose item data is the index; -1 when the object has no item.
    int FindObjectItem(int index) const;
    // Places item n at (n mod columns, n div columns) of the cell grid for the list's width.
    void LayoutIcons();
    // An icon and the section's spacings.
    QSize CellSize() const;
    // The object whose item is under a point of the list's viewport; kNoObject when none.
    int ObjectAt(const QPoint& point) const;
    ObjectKind Kind() const { return m_kind; }
    // One tick of the timer.
    void OnTimer() { OnTick(); }
    // The tip shown over an object's item, at most kTipBufferSize - 1 characters.
    QString InfoTip(int index);

    void doItemsLayout() override;

protected:
    // What the window does each second: by default nothing.
    virtual void OnTick() {}
    // The window's tip text for an object, written into the buffer; false for no tip.
    virtual bool FillInfoTip(int index, QString& buffer, int size);
    // Clicks on the list: the object under the pointer or kNoObject.
    virtual void OnClick(int) {}
    virtual void OnRClick(int) {}
    virtual void OnDblClick(int) {}

    // One object's tick: its flash phase flips when it flashes; when it flashed or one of its label
    // lines scrolls, its icon is drawn again, then its item.
    void TickObject(int index, bool flashes, std::uint8_t& flashPhase, std::uint8_t firstScroll,
                    std::uint8_t secondScroll);
    // The object's icon drawn again, then its item.
    void RedrawObject(int index);

    const ConsoleWindowContext& Context() const { return m_context; }
    // Whether an engine client is there to send to.
    const CEngineClient* Engine() const { return m_context.Engine(); }
    std::uint8_t Pbx() const;
    std::uint8_t OwnExtension() const;
    std::uint8_t OwnState() const;
    // The bytes of the second PBX plug-in's first byte: which kinds of its objects may be acted on.
    bool SecondPbxOption(std::uint8_t bit) const;
    // Shows an engine failure in the console's error box.
    void ShowError(int code) const;

    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    ConsoleWindowContext m_context;
    OperatorImageLists& m_images;
    ObjectKind m_kind;
    ShownObject m_shown;
    QBasicTimer m_timer;
};
