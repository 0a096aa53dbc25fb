#pragma once

#include <QString>

namespace lodgix {

// The stored form of an operator's password (column Operatori.Password): the hexadecimal salt and PBKDF2
// hash of the text with its iteration count, never the text. An empty password is stored as an empty
// text and matches only an empty entry.
QString StoredOperatorPassword(const QString& password);
// Whether a typed password matches the stored form, exactly (case counts).
bool OperatorPasswordMatches(const QString& stored, const QString& typed);

}  // namespace lodgix
