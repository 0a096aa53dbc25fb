#pragma once

#include <QWidget>

#include <array>
#include <memory>

// The view's four modeless windows, at most one of each open: a slot holds its window while it is open and
// owns it. Closing them all goes in the slots' order.
class ModelessWindowSlots {
public:
    enum Slot { kRegistry, kList, kStatistics, kClientServices, kSlots };

    ModelessWindowSlots() = default;
    ~ModelessWindowSlots() { CloseAll(); }
    ModelessWindowSlots(const ModelessWindowSlots&) = delete;
    ModelessWindowSlots& operator=(const ModelessWindowSlots&) = delete;

    QWidget* At(Slot slot) const { return m_windows[slot].get(); }
    bool IsOpen(Slot slot) const { return m_windows[slot] != nullptr; }
    bool AnyOpen() const;
    // Keeps and shows the window in a free slot; a taken slot keeps its window and the new one is dropped.
    // The window kept, or null.
    QWidget* Open(Slot slot, std::unique_ptr<QWidget> window);
    // Destroys every open window, in the order of the slots.
    void CloseAll();

private:
    std::array<std::unique_ptr<QWidget>, kSlots> m_windows;
};
