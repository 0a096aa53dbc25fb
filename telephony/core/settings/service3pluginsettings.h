#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The third plug-in's settings ("FvSrv3Pgin.frs"): six bytes, of which bit 0 of byte 0 says whether the
// plug-in is in use.
class Service3PluginSettings {
public:
    static constexpr qsizetype kSize = 6;
    static constexpr std::uint64_t kTagBits = 0x40550E4A8C154C98;  // 84.2233
    static inline const QString kFileName = QStringLiteral("FvSrv3Pgin.frs");

    Service3PluginSettings() : m_bytes(kSize, '\0') {}

    QByteArray& Bytes() { return m_bytes; }
    const QByteArray& Bytes() const { return m_bytes; }
    bool InUse() const { return (m_bytes.at(0) & 0x01) != 0; }
    void SetInUse(bool inUse) { m_bytes[0] = static_cast<char>((m_bytes.at(0) & ~0x01) | (inUse ? 0x01 : 0)); }

private:
    QByteArray m_bytes;
};
