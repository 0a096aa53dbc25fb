#pragma once

#include <QByteArray>
#include <QString>

// A password kept as a PBKDF2-HMAC-SHA256 key: the store holds the salt, the iteration count and the key,
// never the text. A password is checked by deriving the key of what was typed with the same salt and count.
//
// A stored form without an iteration count is the earlier single salted SHA-256; it is still checked, so
// that an installation keeps its password, and the next password set is stored in the new form.
class SaltedPassword {
public:
    static constexpr qsizetype kSaltSize = 16;
    static constexpr qsizetype kHashSize = 32;
    // Slow enough that guessing costs about a tenth of a second per try on a desktop.
    static constexpr int kIterations = 200000;
    // A stored count above this would make every check hang; such a store is refused.
    static constexpr int kMaxIterations = 10000000;
    // The count of the earlier form: one SHA-256 of salt and text.
    static constexpr int kLegacyIterations = 0;

    SaltedPassword() = default;  // no password

    // The iteration count of the passwords set from now on in this process: kIterations unless lowered
    // (tests do, to spare the derivation's time). A stored password keeps the count it was stored with.
    static void SetIterationsForNewPasswords(int iterations);
    static int IterationsForNewPasswords();

    // A fresh random salt each time, the count of IterationsForNewPasswords; an empty text gives no
    // password.
    static SaltedPassword FromText(const QString& text);
    // From the stored hexadecimal salt and hash and the iteration count (kLegacyIterations for the earlier
    // form). Salt and hash both empty: no password. False when they are malformed or the count is out of range.
    static bool FromStored(const QString& saltHex, const QString& hashHex, int iterations, SaltedPassword& password);

    bool IsEmpty() const { return m_hash.isEmpty(); }
    bool Matches(const QString& text) const;

    QString SaltHex() const { return QString::fromLatin1(m_salt.toHex()); }
    QString HashHex() const { return QString::fromLatin1(m_hash.toHex()); }
    int Iterations() const { return m_iterations; }

    friend bool operator==(const SaltedPassword&, const SaltedPassword&) = default;

private:
    static QByteArray Hash(const QByteArray& salt, int iterations, const QString& text);

    QByteArray m_salt;
    QByteArray m_hash;
    int m_iterations = kIterations;
};
