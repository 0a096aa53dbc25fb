#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The office plug-in's settings ("FvOfPgin.frs"): which office functions are in use (byte 0; bytes 1-3
// are kept as read) and the incoming-call filter rules, 45-byte records from byte 5, room for 64.
class OfficePluginSettings {
public:
    static constexpr qsizetype kSize = 2888;
    static constexpr std::uint64_t kTagBits = 0x40461D98F1D3ED52;  // 44.23123
    static inline const QString kFileName = QStringLiteral("FvOfPgin.frs");
    static constexpr int kMaxRules = 64;
    static constexpr qsizetype kRuleSize = 45;

    // Bits of the flag byte.
    static constexpr std::uint8_t kNotes = 0x01;
    static constexpr std::uint8_t kPopupFlag = 0x04;  // read by the call popup
    static constexpr std::uint8_t kMessages = 0x09;   // bits 0 and 3 together
    static constexpr std::uint8_t kCallFilter = 0x10;

    OfficePluginSettings();

    QByteArray& Bytes() { return m_bytes; }
    const QByteArray& Bytes() const { return m_bytes; }

    std::uint8_t Flags() const;
    void SetFlags(std::uint8_t flags);
    bool NotesInUse() const { return (Flags() & kNotes) != 0; }
    bool MessagesInUse() const { return (Flags() & kMessages) == kMessages; }
    bool CallFilterInUse() const { return (Flags() & kCallFilter) != 0; }
    bool PopupFlag() const { return (Flags() & kPopupFlag) != 0; }

    int RuleCount() const;
    void SetRuleCount(int count);
    // A filter rule's 45 bytes; the rule's layout belongs to the filter rule dialog.
    QByteArray Rule(int index) const;
    void SetRule(int index, const QByteArray& rule);

private:
    QByteArray m_bytes;
};
