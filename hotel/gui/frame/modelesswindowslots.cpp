#include "modelesswindowslots.h"

bool ModelessWindowSlots::AnyOpen() const
{
    for (const auto& window : m_windows)
        if (window)
            return true;
    return false;
}

QWidget* ModelessWindowSlots::Open(Slot slot, std::unique_ptr<QWidget> window)
{
    if (m_windows[slot] || !window)
        return nullptr;
    m_windows[slot] = std::move(window);
    m_windows[slot]->show();
    return m_windows[slot].get();
}

void ModelessWindowSlots::CloseAll()
{
    for (auto& window : m_windows)
        window.reset();
}
