#include "saltedpassword.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<int> s_newIterations{SaltedPassword::kIterations};

bool IsHex(const QString& text)
{
    for (const QChar c : text) {
        if (!c.isDigit() && !(c.toLower() >= u'a' && c.toLower() <= u'f'))
            return false;
    }
    return true;
}

// The time taken does not depend on where the first difference lies.
bool SameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

}  // namespace

QByteArray SaltedPassword::Hash(const QByteArray& salt, int iterations, const QString& text)
{
    if (iterations == kLegacyIterations)
        return QCryptographicHash::hash(salt + text.toUtf8(), QCryptographicHash::Sha256);
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, text.toUtf8(), salt, iterations, kHashSize);
}

void SaltedPassword::SetIterationsForNewPasswords(int iterations)
{
    s_newIterations = std::clamp(iterations, 1, kMaxIterations);
}

int SaltedPassword::IterationsForNewPasswords() { return s_newIterations; }

SaltedPassword SaltedPassword::FromText(const QString& text)
{
    SaltedPassword password;
    if (text.isEmpty())
        return password;
    quint32 words[kSaltSize / sizeof(quint32)];
    QRandomGenerator::system()->fillRange(words);
    password.m_salt = QByteArray(reinterpret_cast<const char*>(words), kSaltSize);
    password.m_iterations = s_newIterations;
    password.m_hash = Hash(password.m_salt, password.m_iterations, text);
    return password;
}

bool SaltedPassword::FromStored(const QString& saltHex, const QString& hashHex, int iterations,
                                SaltedPassword& password)
{
    if (saltHex.isEmpty() && hashHex.isEmpty()) {
        password = SaltedPassword();
        return true;
    }
    if (iterations < 0 || iterations > kMaxIterations)
        return false;
    if (saltHex.size() != 2 * kSaltSize || hashHex.size() != 2 * kHashSize || !IsHex(saltHex) || !IsHex(hashHex))
        return false;
    password.m_salt = QByteArray::fromHex(saltHex.toLatin1());
    password.m_hash = QByteArray::fromHex(hashHex.toLatin1());
    password.m_iterations = iterations;
    return true;
}

bool SaltedPassword::Matches(const QString& text) const
{
    return !IsEmpty() && SameBytes(Hash(m_salt, m_iterations, text), m_hash);
}
