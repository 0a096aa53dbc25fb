#pragma once

#include <QIcon>

#include <cstdint>

// The 32 x 32 pictures of the frame's tool bar (bitmap 198), by command: the object windows show their
// kind's picture, the lists, contacts and settings a sign of their own, the programmable buttons their
// number.
QIcon ToolBarIcon(std::uint32_t command);
