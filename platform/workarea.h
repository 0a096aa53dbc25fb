#pragma once

#include <QRect>

class QScreen;

// The part of the screen that windows may cover: the screen's available geometry, narrowed to the work
// area that the window manager publishes (_NET_WORKAREA of the current desktop) where it publishes one.
// A panel that the toolkit does not see still keeps a window placed in this rectangle in sight.
QRect DesktopWorkArea(const QScreen* screen);

// The window manager's published work area of the current desktop; empty when there is none (another
// platform than X11, or a window manager that does not publish it).
QRect PublishedWorkArea();
