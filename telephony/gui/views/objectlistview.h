#pragma once

#include "consolewindowcontext.h"
#include "objectimagelists.h"

#include <QListWidget>

#include <cstdint>
#include <functional>

// An object window's list in icon mode: one item per shown object, its item data the object's index in
// the combined numbering, its icon the object's image. The object windows proper come later; until then
// each window shows its kind's image list through this list.
class CObjectListView : public QListWidget {
    Q_OBJECT
public:
    using ShownObject = std::function<bool(int index)>;

    // The pictures are the context's image lists.
    CObjectListView(const ConsoleWindowContext& context, ObjectKind kind, ShownObject shown, QWidget* parent = nullptr);

    // Fills the list again from the image list.
    void Reload();
    // Redraws the one item whose item data is the index; nothing when no item has it.
    void RedrawObjectItem(int index, std::uint8_t flags);
    ObjectKind Kind() const { return m_kind; }
    // The item of an object; null when the object is not shown.
    QListWidgetItem* ItemOf(int index) const;

private:
    ConsoleWindowContext m_context;
    const OperatorImageLists& m_images;
    ObjectKind m_kind;
    ShownObject m_shown;
};
