#pragma once

#include "prefixgrouptable.h"

#include <QString>

// Replaces the whole table with the 37 default groups (572 prefixes); group 0 holds `localAreaCode`
// (at most 15 characters kept) labelled `place` (at most 63).
void BuildDefaultPrefixGroups(const QString& localAreaCode, const QString& place, PrefixGroupTable& table);

constexpr int kDefaultGroupCount = 37;
