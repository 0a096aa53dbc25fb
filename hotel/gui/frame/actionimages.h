#pragma once

#include <QIcon>

#include <vector>

inline constexpr int kActionImageSide = 32;

// The action list's pictures, 32 x 32, in the order of their image indexes: 0 (unused), 1 hotel and rooms,
// 2 bookings, 3 check-in, 4 lists and documents, 5 unavailability, 6 bill and check-out, 7 messages,
// 8 wake-up call, 9 access card.
std::vector<QIcon> ActionImages();
