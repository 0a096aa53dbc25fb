#pragma once

#include <QIcon>

// The flags of the language choices, 16 x 16, drawn rather than loaded.
constexpr int kItalianFlagIcon = 161;
constexpr int kEnglishFlagIcon = 163;

// The flag of icon 161 or 163; an empty icon for any other number.
QIcon LanguageIcon(int iconId);
