#include "officepluginsettings.h"

#include "binaryrecord.h"

namespace {
constexpr qsizetype kFlags = 0;
constexpr qsizetype kRuleCount = 4;
constexpr qsizetype kRules = 5;
constexpr std::uint8_t kDefaultFlags = 0x0B;  // notes and messages in use
}  // namespace

OfficePluginSettings::OfficePluginSettings() : m_bytes(kSize, '\0') { SetFlags(kDefaultFlags); }

std::uint8_t OfficePluginSettings::Flags() const { return GetU8(m_bytes, kFlags); }
void OfficePluginSettings::SetFlags(std::uint8_t flags) { PutU8(m_bytes, kFlags, flags); }
int OfficePluginSettings::RuleCount() const { return GetU8(m_bytes, kRuleCount); }
void OfficePluginSettings::SetRuleCount(int count) { PutU8(m_bytes, kRuleCount, static_cast<std::uint8_t>(count)); }

QByteArray OfficePluginSettings::Rule(int index) const
{
    if (index < 0 || index >= kMaxRules)
        return {};
    return m_bytes.mid(kRules + index * kRuleSize, kRuleSize);
}

void OfficePluginSettings::SetRule(int index, const QByteArray& rule)
{
    if (index < 0 || index >= kMaxRules)
        return;
    m_bytes.replace(kRules + index * kRuleSize, kRuleSize, rule.leftJustified(kRuleSize, '\0', true));
}
