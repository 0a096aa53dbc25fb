#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// One prefix of a group: the digits as dialled (international ones begin "00") and a label. Stored as
// 80 bytes.
struct PrefixEntry {
    static constexpr qsizetype kSize = 80;
    static constexpr qsizetype kNumberWidth = 16;
    static constexpr qsizetype kLabelWidth = 64;

    QString number;
    QString label;

    // Nothing when a text has no terminator.
    static std::optional<PrefixEntry> Decode(QByteArrayView bytes, qsizetype offset);
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const PrefixEntry&, const PrefixEntry&) = default;
};
