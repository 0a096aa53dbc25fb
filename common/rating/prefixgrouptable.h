#pragma once

#include "prefixgroup.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

// The prefix groups in use, at most 64. Group 0 holds the local area code (urban calls), group 1 the
// Italian area codes the local one is chosen from; rules store group indexes, so the order matters.
// Stored as 2,625,666 bytes: 64 group slots, then the group count.
struct PrefixGroupTable {
    static constexpr qsizetype kSize = 2625666;
    static constexpr int kMaxGroups = 64;
    static constexpr int kLocalGroup = 0;
    static constexpr int kAreaCodeGroup = 1;

    std::vector<PrefixGroup> groups;

    int Count() const { return static_cast<int>(groups.size()); }

    // Nothing when the count exceeds 64 or a group in use is damaged.
    static std::optional<PrefixGroupTable> Decode(QByteArrayView bytes, qsizetype offset);
    // Writes at most kMaxGroups groups; unused slots are zero.
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const PrefixGroupTable&, const PrefixGroupTable&) = default;
};
