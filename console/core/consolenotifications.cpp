#include "consolenotifications.h"

void ConsoleNotifications::BoundExtension(std::uint32_t n) const
{
    if (onPbxEvent)
        onPbxEvent(kPbxEventTag | n, kPbxEventParameter);
}

void ConsoleNotifications::LineCallerId(int line) const
{
    BoundExtension(kCallerIdBase + static_cast<std::uint32_t>(line));
}

void ConsoleNotifications::MemoryFull() const
{
    if (mainFrame && iconShown && iconShown())
        mainFrame->Post(kMemoryFullBalloonMessage, 0, 0);
}
