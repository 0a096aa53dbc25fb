#include "operatorpassword.h"

#include "saltedpassword.h"

namespace lodgix {

namespace {

// The stored text: the salt and the hash in hexadecimal, then '*' and the key derivation's iteration count.
constexpr QChar kIterationsMark = u'*';
constexpr qsizetype kSaltHexLength = 2 * SaltedPassword::kSaltSize;
constexpr qsizetype kHashHexLength = 2 * SaltedPassword::kHashSize;

}  // namespace

QString StoredOperatorPassword(const QString& password)
{
    const SaltedPassword salted = SaltedPassword::FromText(password);
    if (salted.IsEmpty())
        return {};
    return salted.SaltHex() + salted.HashHex() + kIterationsMark + QString::number(salted.Iterations());
}

bool OperatorPasswordMatches(const QString& stored, const QString& typed)
{
    if (stored.isEmpty())
        return typed.isEmpty();
    if (stored.size() <= kSaltHexLength + kHashHexLength + 1 || stored.at(kSaltHexLength + kHashHexLength) != kIterationsMark)
        return false;
    bool isNumber = false;
    const int iterations = stored.mid(kSaltHexLength + kHashHexLength + 1).toInt(&isNumber);
    SaltedPassword salted;
    return isNumber &&
           SaltedPassword::FromStored(stored.left(kSaltHexLength), stored.mid(kSaltHexLength, kHashHexLength),
                                      iterations, salted) &&
           salted.Matches(typed);
}

}  // namespace lodgix
