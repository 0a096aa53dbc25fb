#include "taggedrecordfile.h"

#include "binaryrecord.h"

#include <QFile>
#include <QSaveFile>

namespace TaggedRecordFile {

bool Load(const QString& path, std::uint64_t tagBits, QByteArray& record)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray tag = file.read(kTagSize);
    // The tag is compared bit for bit, not as a number.
    if (tag.size() != kTagSize ||
        (static_cast<std::uint64_t>(GetU32(tag, 0)) | static_cast<std::uint64_t>(GetU32(tag, 4)) << 32) != tagBits)
        return false;
    const qint64 stored = file.size() - kTagSize;
    const QByteArray bytes = file.read(qMin<qint64>(stored, record.size()));
    if (bytes.size() != qMin<qint64>(stored, record.size()))
        return false;
    record.replace(0, bytes.size(), bytes);
    return stored == record.size();
}

bool Save(const QString& path, std::uint64_t tagBits, const QByteArray& record)
{
    QByteArray tag(kTagSize, '\0');
    PutU32(tag, 0, static_cast<std::uint32_t>(tagBits));
    PutU32(tag, 4, static_cast<std::uint32_t>(tagBits >> 32));
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(tag) == kTagSize && file.write(record) == record.size() &&
           file.commit();
}

}  // namespace TaggedRecordFile
