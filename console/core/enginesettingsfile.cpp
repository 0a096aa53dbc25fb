#include "enginesettingsfile.h"

#include "binaryrecord.h"
#include "folders.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <bit>

namespace {
constexpr qsizetype kTagSize = kEngineSettingsFileSize - EngineSettings::kRecordSize;
}

QString EngineSettingsPath() { return GetProgramFolder() + QStringLiteral("PxCnf.ers"); }

int LoadEngineSettings(EngineSettings& settings, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const qint64 recordLength = file.size() - kTagSize;
    if (file.read(kTagSize).size() != kTagSize)
        return 0;
    const QByteArray bytes = file.read(std::min<qint64>(recordLength, EngineSettings::kRecordSize));
    QByteArray record = settings.Encode();
    record.replace(0, bytes.size(), bytes);
    settings = EngineSettings::Decode(record);
    return recordLength == EngineSettings::kRecordSize && !bytes.isEmpty() ? 1 : 0;
}

int SaveEngineSettings(const EngineSettings& settings, const QString& path, QString* problem)
{
    QByteArray contents(kTagSize, '\0');
    PutF64(contents, 0, std::bit_cast<double>(kEngineSettingsTagBits));
    contents += settings.Encode();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit())
        return 1;
    if (problem)
        *problem = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
    return 0;
}
