#pragma once

#include "oledate.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace lodgix {

// One guest line of a police registration form: 768 bytes of NUL-terminated texts.
struct PoliceFormEntry {
    static constexpr qsizetype kSize = 768;
    static constexpr qsizetype kOlderSize = 704;  // before the identity document was kept

    QString name;         // surname and name
    QString birthDate;
    QString birthPlace;
    QString residence;
    QString arrival;
    QString document;     // the identity document

    void Encode(QByteArray& bytes, qsizetype offset) const;
    // An older entry has no document text.
    static PoliceFormEntry Decode(QByteArrayView bytes, qsizetype offset, bool older);

    friend bool operator==(const PoliceFormEntry&, const PoliceFormEntry&) = default;
};

// A police registration form as its file keeps it: the entry count (WORD), the issue date, the issuing
// operator's id (WORD), then the entries.
struct PoliceForm {
    static constexpr qsizetype kHeaderSize = 12;
    static constexpr int kMaxEntries = 0xFFFF;

    OleDate issued;
    quint16 operatorId = 0;
    std::vector<PoliceFormEntry> entries;

    QByteArray Encode() const;
    // Nothing unless the size is the header and count entries of either form.
    static std::optional<PoliceForm> Decode(QByteArrayView bytes);

    friend bool operator==(const PoliceForm&, const PoliceForm&) = default;
};

}  // namespace lodgix
