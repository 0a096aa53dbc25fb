#pragma once

#include <QIcon>

// The console's icon (the window's and the notification area's), drawn rather than loaded.
QIcon ConsoleIcon();
