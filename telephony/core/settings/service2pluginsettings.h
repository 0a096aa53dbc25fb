#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The second-PBX plug-in's settings ("FvSrv2Pgin.frs"): whether a second PBX is shown and which (byte 1,
// its ComID, serving as its identifier and its index; 255 none), two connection lists of up to 32 pairs,
// and which of the second PBX's extensions, lines, entry phones and relays are shown.
class Service2PluginSettings {
public:
    static constexpr qsizetype kSize = 1156;
    static constexpr std::uint64_t kTagBits = 0x40580B47AE147AE1;  // 96.17625
    static inline const QString kFileName = QStringLiteral("FvSrv2Pgin.frs");
    static constexpr std::uint8_t kNoPbx = 255;
    static constexpr int kListLength = 32;
    static constexpr int kObjects = 256;
    enum Kind { kExtensions, kLines, kEntryPhones, kRelays };

    Service2PluginSettings();

    QByteArray& Bytes() { return m_bytes; }
    const QByteArray& Bytes() const { return m_bytes; }

    bool SecondPbxShown() const;
    void SetSecondPbxShown(bool shown);
    std::uint8_t SecondPbx() const;
    void SetSecondPbx(std::uint8_t comId);
    // Connection lists 0 and 1: a count and two byte columns of 32 entries each.
    int ListCount(int list) const;
    void SetListCount(int list, int count);
    std::uint8_t ListEntry(int list, int column, int index) const;
    void SetListEntry(int list, int column, int index, std::uint8_t value);
    std::uint8_t ObjectShown(Kind kind, int index) const;
    void SetObjectShown(Kind kind, int index, std::uint8_t value);

private:
    QByteArray m_bytes;
};
