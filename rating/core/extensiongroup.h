#pragma once

#include <QString>

#include <array>
#include <cstdint>

// One row of the Groups table: a named set of extensions of one PBX.
struct ExtensionGroup {
    static constexpr int kMaxMembers = 256;
    static constexpr int kMaxNameLength = 63;  // GroupName varchar(63)

    QString name;
    std::int32_t id = 0;
    std::uint8_t pbx = 0;
    int memberCount = 0;  // NumElement, 0 to kMaxMembers
    std::array<std::uint8_t, kMaxMembers> members{};  // extension indexes; the first memberCount count
};

// A group as lists show it.
struct GroupListEntry {
    QString name;
    std::int32_t id = 0;
};
