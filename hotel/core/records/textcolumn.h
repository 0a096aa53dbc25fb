#pragma once

#include <QString>

namespace lodgix {

// A text field of a record and the column that stores it; records list theirs in column order.
template <typename Record>
struct TextColumn {
    const char* column;
    QString Record::*field;
};

}  // namespace lodgix
