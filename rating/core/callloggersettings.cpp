#include "callloggersettings.h"

#include "binaryrecord.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// Offsets in the record (the file adds the 8-byte tag in front).
constexpr qsizetype kEnabledOffset = 0;
constexpr qsizetype kPbxOffset = 1;
constexpr qsizetype kPathOffset = 2;
constexpr qsizetype kLastExportedOffset = 264;  // after the path and 2 bytes of padding
constexpr qsizetype kTagSize = 8;

}  // namespace

bool CallLoggerSettings::PathFits(const QString& path)
{
    const QByteArray bytes = EncodeAnsi(path);
    return bytes.size() < kPathField && !bytes.contains('\0') && DecodeAnsi(bytes) == path;
}

QByteArray CallLoggerSettings::Encode() const
{
    QByteArray record(kRecordSize, '\0');
    PutU8(record, kEnabledOffset, enabled);
    PutU8(record, kPbxOffset, pbx);
    WriteAnsiField(record, kPathOffset, kPathField, outputPath);
    PutF64(record, kLastExportedOffset, lastExportedStart);
    return record;
}

CallLoggerSettings CallLoggerSettings::Decode(QByteArrayView record)
{
    CallLoggerSettings settings;
    settings.enabled = GetU8(record, kEnabledOffset);
    settings.pbx = GetU8(record, kPbxOffset);
    settings.outputPath = ReadAnsiField(record, kPathOffset, kPathField);
    settings.lastExportedStart = GetF64(record, kLastExportedOffset);
    return settings;
}

bool LoadCallLoggerSettings(const QString& folder, CallLoggerSettings& settings)
{
    QFile file(QDir(folder).filePath(CallLoggerSettings::kFileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() != CallLoggerSettings::kFileSize)
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != CallLoggerSettings::kFileSize || GetF64(bytes, 0) != CallLoggerSettings::kVersionTag)
        return false;
    settings = CallLoggerSettings::Decode(QByteArrayView(bytes).sliced(kTagSize));
    return true;
}

bool SaveCallLoggerSettings(const QString& folder, const CallLoggerSettings& settings)
{
    QByteArray bytes(kTagSize, '\0');
    PutF64(bytes, 0, CallLoggerSettings::kVersionTag);
    bytes += settings.Encode();
    QSaveFile file(QDir(folder).filePath(CallLoggerSettings::kFileName));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
