#include "pcphoneframe.h"

#include <QMenu>

CPCPhoneFrame::CPCPhoneFrame(bool strip, QWidget* parent) : QMdiSubWindow(parent)
{
    Qt::WindowFlags flags = Qt::SubWindow | Qt::MSWindowsFixedSizeDialogHint;
    if (strip)
        flags |= Qt::FramelessWindowHint;
    else
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    // The window is neither moved, sized, minimised nor maximised: of the system menu only closing stays.
    if (QMenu* menu = systemMenu()) {
        const QList<QAction*> actions = menu->actions();
        for (QAction* action : actions)
            if (action != actions.constLast())
                menu->removeAction(action);
    }
}
