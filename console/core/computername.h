#pragma once

#include <QString>

#include <optional>
#include <string>

// This computer's name, at most 99 characters (empty when the system gives none).
QString ComputerName();

// The first IPv4 address of a computer name, as dotted text; nothing when the name does not resolve.
std::optional<std::string> ResolveIpv4Address(const QString& name);
