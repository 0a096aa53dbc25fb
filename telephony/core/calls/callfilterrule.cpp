#include "callfilterrule.h"

#include "binaryrecord.h"

#include <algorithm>

CallFilterRule CallFilterRule::Read(QByteArrayView record)
{
    QByteArray bytes = record.first(std::min(record.size(), kSize)).toByteArray();
    bytes.resize(kSize, '\0');
    CallFilterRule rule;
    rule.pattern = ReadAnsiField(bytes, kPatternOffset, kPatternWidth);
    rule.action = static_cast<std::uint8_t>(bytes[kActionOffset]);
    rule.argument = ReadAnsiField(bytes, kArgumentOffset, kArgumentWidth);
    return rule;
}

QByteArray CallFilterRule::Write() const
{
    QByteArray bytes(kSize, '\0');
    WriteAnsiField(bytes, kPatternOffset, kPatternWidth, pattern);
    bytes[kActionOffset] = static_cast<char>(action);
    WriteAnsiField(bytes, kArgumentOffset, kArgumentWidth, argument);
    return bytes;
}
