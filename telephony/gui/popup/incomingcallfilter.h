#pragma once

#include "callfilterrule.h"

#include <QString>

#include <optional>

class OfficePluginSettings;

// The first of the office plug-in's filter rules that the caller's number matches: a pattern beginning
// with "*" matches a number that begins with the rest, any other only the whole number; case counts.
std::optional<CallFilterRule> MatchIncomingCallFilter(const OfficePluginSettings& settings, const QString& key);

// The extension a transfer rule names, when its text is a decimal index of an extension the PBX has;
// none otherwise (a rule pointing nowhere must not send the call to some other extension).
std::optional<int> FilterTargetExtension(const CallFilterRule& rule, int extensionCount);
