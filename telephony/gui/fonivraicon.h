#pragma once

#include <QIcon>

// The operator console's icon (128): a headset over the suite's blue, drawn at the usual sizes.
QIcon FonivraIcon();
