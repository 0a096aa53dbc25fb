#pragma once

#include <QByteArray>
#include <QString>

// The voice box's users: the inflated "UserPwd.dat", 4097 bytes: the number of users, then 64 entries
// of a name and a password (32 bytes each, zero-terminated).
class CVoiceMailUsers {
public:
    static constexpr qsizetype kSize = 4097;
    static constexpr int kMaxUsers = 64;
    static constexpr qsizetype kFieldSize = 32;
    static constexpr int kNotFound = 255;

    CVoiceMailUsers() : m_bytes(kSize, '\0') {}

    // Inflates the compressed file into "<path>tmp" (removed afterwards in every case) and takes its
    // bytes when it is exactly 4097 bytes long; false otherwise, the table unchanged.
    bool Load(const QString& compressedPath);
    // The number of users as the table says (which may exceed the 64 entries).
    int GetCount() const { return static_cast<quint8>(m_bytes.at(0)); }
    // The first of the table's entries (at most 64) whose name and password equal the given ones exactly;
    // kNotFound when none does.
    int FindUser(const QString& name, const QString& password) const;

private:
    QByteArray m_bytes;
};
