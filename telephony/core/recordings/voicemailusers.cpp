#include "voicemailusers.h"

#include "binaryrecord.h"
#include "fileinflater.h"

#include <QFile>

bool CVoiceMailUsers::Load(const QString& compressedPath)
{
    const QString temporary = compressedPath + QStringLiteral("tmp");
    QFile::remove(temporary);
    CFileInflater inflater;
    QByteArray bytes;
    if (inflater.Inflate(compressedPath, temporary) == 0) {
        QFile file(temporary);
        if (file.open(QIODevice::ReadOnly) && file.size() == kSize)
            bytes = file.readAll();
    }
    QFile::remove(temporary);
    if (bytes.size() != kSize)
        return false;
    m_bytes = bytes;
    return true;
}

int CVoiceMailUsers::FindUser(const QString& name, const QString& password) const
{
    const int entries = qMin(GetCount(), kMaxUsers);
    for (int user = 0; user < entries; ++user) {
        const qsizetype offset = 1 + user * 2 * kFieldSize;
        if (ReadAnsiField(m_bytes, offset, kFieldSize) == name &&
            ReadAnsiField(m_bytes, offset + kFieldSize, kFieldSize) == password)
            return user;
    }
    return kNotFound;
}
