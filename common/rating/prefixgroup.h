#pragma once

#include "prefixentry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

// A named list of at most 512 prefixes. Rules name a group by its index in the table, so a number
// "belongs" to a group when it begins with one of its prefixes. Stored as 41,026 bytes: 512 entry slots,
// the name, the entry count.
struct PrefixGroup {
    static constexpr qsizetype kSize = 41026;
    static constexpr int kMaxEntries = 512;
    static constexpr qsizetype kNameWidth = 64;

    std::vector<PrefixEntry> entries;
    QString name;

    int Count() const { return static_cast<int>(entries.size()); }

    // Nothing when the count exceeds 512 or a text in use has no terminator.
    static std::optional<PrefixGroup> Decode(QByteArrayView bytes, qsizetype offset);
    // Writes at most kMaxEntries entries; unused slots are zero.
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const PrefixGroup&, const PrefixGroup&) = default;
};
