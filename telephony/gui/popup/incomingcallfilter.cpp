#include "incomingcallfilter.h"

#include "officepluginsettings.h"

namespace {

bool Matches(const QString& pattern, const QString& key)
{
    if (pattern.startsWith(CallFilterRule::kBeginsWith)) {
        const QString prefix = pattern.mid(CallFilterRule::kBeginsWith.size());
        return key.left(prefix.size()) == prefix;
    }
    return pattern == key;
}

}  // namespace

std::optional<CallFilterRule> MatchIncomingCallFilter(const OfficePluginSettings& settings, const QString& key)
{
    const int count = std::clamp(settings.RuleCount(), 0, OfficePluginSettings::kMaxRules);
    for (int index = 0; index < count; ++index) {
        CallFilterRule rule = CallFilterRule::Read(settings.Rule(index));
        if (Matches(rule.pattern, key))
            return rule;
    }
    return std::nullopt;
}

std::optional<int> FilterTargetExtension(const CallFilterRule& rule, int extensionCount)
{
    const QString text = rule.argument.trimmed();
    bool ok = false;
    const int extension = text.toInt(&ok, 10);
    if (!ok || text.isEmpty() || !text.front().isDigit() || extension < 0 || extension >= extensionCount)
        return std::nullopt;
    return extension;
}
