#include "updatesettings.h"

#include "binaryrecord.h"
#include "suitelocation.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr qsizetype kMagicOffset = 0;
constexpr qsizetype kUserAgentOffset = 4;
constexpr qsizetype kConnectionTypeOffset = 132;
constexpr qsizetype kFtpModeOffset = 133;
constexpr qsizetype kProxyServerOffset = 134;
constexpr qsizetype kProxyUserOffset = 262;
constexpr qsizetype kProxyPasswordOffset = 390;
constexpr qsizetype kProxyServerPortOffset = 518;
constexpr qsizetype kSeriesOffset = 520;
constexpr qsizetype kBuildOffset = 522;
constexpr qsizetype kTextWidth = 128;

const QString kFileName = QStringLiteral("InetSts.nup");

}  // namespace

QByteArray UpdateSettings::Encode() const
{
    QByteArray record(kRecordSize, '\0');
    PutU32(record, kMagicOffset, kMagic);
    WriteAnsiField(record, kUserAgentOffset, kTextWidth, userAgent);
    PutU8(record, kConnectionTypeOffset, connectionType);
    PutU8(record, kFtpModeOffset, ftpMode);
    WriteAnsiField(record, kProxyServerOffset, kTextWidth, proxyServer);
    WriteAnsiField(record, kProxyUserOffset, kTextWidth, proxyUser);
    WriteAnsiField(record, kProxyPasswordOffset, kTextWidth, proxyPassword);
    PutU16(record, kProxyServerPortOffset, proxyServerPort);
    PutU16(record, kSeriesOffset, series);
    PutU16(record, kBuildOffset, build);
    return record;
}

bool UpdateSettings::Decode(const QByteArray& record)
{
    if (record.size() != kRecordSize || GetU32(record, kMagicOffset) != kMagic)
        return false;
    userAgent = ReadAnsiField(record, kUserAgentOffset, kTextWidth);
    connectionType = GetU8(record, kConnectionTypeOffset);
    ftpMode = GetU8(record, kFtpModeOffset);
    proxyServer = ReadAnsiField(record, kProxyServerOffset, kTextWidth);
    proxyUser = ReadAnsiField(record, kProxyUserOffset, kTextWidth);
    proxyPassword = ReadAnsiField(record, kProxyPasswordOffset, kTextWidth);
    proxyServerPort = GetU16(record, kProxyServerPortOffset);
    series = GetU16(record, kSeriesOffset);
    build = GetU16(record, kBuildOffset);
    return true;
}

QString UpdateSettingsPath() { return ProgramFolder() + kFileName; }

bool LoadUpdateSettings(UpdateSettings& settings)
{
    QFile file(UpdateSettingsPath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // One byte more than a record is read, so that a longer file is told apart.
    return settings.Decode(file.read(UpdateSettings::kRecordSize + 1));
}

bool SaveUpdateSettings(const UpdateSettings& settings)
{
    QSaveFile file(UpdateSettingsPath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray record = settings.Encode();
    if (file.write(record) != record.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
