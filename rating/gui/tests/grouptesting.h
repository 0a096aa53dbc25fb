#pragma once

#include "ratingdatabase.h"

#include <gtest/gtest.h>

#include <vector>

// Stores an extension group of `pbx` with the given member indexes; its id, 0 when it was not stored.
inline std::int32_t InsertTestGroup(CRatingDatabase& database, const QString& name, int pbx,
                                    const std::vector<int>& members)
{
    ExtensionGroup group;
    group.name = name;
    group.pbx = static_cast<std::uint8_t>(pbx);
    group.memberCount = static_cast<int>(members.size());
    for (std::size_t i = 0; i < members.size(); ++i)
        group.members[i] = static_cast<std::uint8_t>(members[i]);
    EXPECT_EQ(database.InsertGroup(group), 0);
    std::vector<GroupListEntry> groups;
    EXPECT_EQ(database.SelectGroups(pbx, groups), 0);
    for (const GroupListEntry& entry : groups)
        if (entry.name == name)
            return entry.id;
    return 0;
}
