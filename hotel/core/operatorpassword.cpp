#include "operatorpassword.h"

#include "saltedpassword.h"

namespace lodgix {

QString StoredOperatorPassword(const QString& password)
{
    const SaltedPassword salted = SaltedPassword::FromText(password);
    return salted.IsEmpty() ? QString() : salted.SaltHex() + salted.HashHex();
}

bool OperatorPasswordMatches(const QString& stored, const QString& typed)
{
    if (stored.isEmpty())
        return typed.isEmpty();
    SaltedPassword salted;
    constexpr qsizetype kSaltHexLength = 2 * SaltedPassword::kSaltSize;
    return SaltedPassword::FromStored(stored.left(kSaltHexLength), stored.mid(kSaltHexLength), salted) &&
           salted.Matches(typed);
}

}  // namespace lodgix
