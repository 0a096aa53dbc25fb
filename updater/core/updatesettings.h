#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The updater's settings file "InetSts.nup" in its program folder: how to reach the update server and
// which patch is installed. A fixed record of 524 bytes, little-endian.
struct UpdateSettings {
    static constexpr qsizetype kRecordSize = 524;
    static constexpr std::uint32_t kMagic = 0x56432267;  // bytes 67 22 43 56
    static constexpr std::uint8_t kConnectionThroughProxy = 1;
    static constexpr std::uint8_t kFtpPassive = 0;
    static constexpr std::uint8_t kFtpActive = 1;

    QString userAgent = QStringLiteral("Microsoft Internet Explorer");
    std::uint8_t connectionType = 0;  // kConnectionThroughProxy, any other value direct
    std::uint8_t ftpMode = kFtpPassive;
    QString proxyServer;
    QString proxyUser;
    QString proxyPassword;
    std::uint16_t proxyServerPort = 0;  // the update server's port when going through the proxy
    std::uint16_t series = 1;
    std::uint16_t build = 1;

    bool UsesProxy() const { return connectionType == kConnectionThroughProxy; }
    bool IsPassive() const { return ftpMode == kFtpPassive; }

    QByteArray Encode() const;
    // False, and the record unchanged, unless the bytes are a whole record with the magic.
    bool Decode(const QByteArray& record);
};

QString UpdateSettingsPath();  // <program folder>/InetSts.nup

// Fills the record from the file; false (record unchanged) for a missing file, another size or magic.
bool LoadUpdateSettings(UpdateSettings& settings);
// Writes the whole record at once; false when it cannot be written (the old file then stays).
bool SaveUpdateSettings(const UpdateSettings& settings);
