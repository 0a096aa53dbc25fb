#pragma once

#include <QByteArray>
#include <QString>

// A password kept as a salted SHA-256 hash: the store holds the salt and the hash, never the text. A
// password is checked by hashing what was typed with the same salt.
class SaltedPassword {
public:
    static constexpr qsizetype kSaltSize = 16;
    static constexpr qsizetype kHashSize = 32;

    SaltedPassword() = default;  // no password

    // A fresh random salt each time; an empty text gives no password.
    static SaltedPassword FromText(const QString& text);
    // From the stored hexadecimal salt and hash. Both empty: no password. False when they are malformed.
    static bool FromStored(const QString& saltHex, const QString& hashHex, SaltedPassword& password);

    bool IsEmpty() const { return m_hash.isEmpty(); }
    bool Matches(const QString& text) const;

    QString SaltHex() const { return QString::fromLatin1(m_salt.toHex()); }
    QString HashHex() const { return QString::fromLatin1(m_hash.toHex()); }

    friend bool operator==(const SaltedPassword&, const SaltedPassword&) = default;

private:
    static QByteArray Hash(const QByteArray& salt, const QString& text);

    QByteArray m_salt;
    QByteArray m_hash;
};
