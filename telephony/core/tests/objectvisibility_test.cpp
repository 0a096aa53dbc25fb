// Which objects the windows show after the load: extensions not handled, the second PBX's own flags
// and both connection lists, whose count byte may claim more than 32 entries.
#include "mainsettings.h"
#include "objectvisibility.h"
#include "service2pluginsettings.h"

#include <gtest/gtest.h>

namespace {

TEST(ObjectVisibility, HandledExtensionsSecondPbxAndLists)
{
    OperatorConsoleState state;
    auto& first = state.firstInitialization.bytes;
    first[1] = 3;  // 3 handled of 4 found
    first[2] = 4;
    first[4] = 2;
    auto& second = state.secondInitialization.bytes;
    second[1] = 2;  // 2 handled of 3 found
    second[2] = 3;
    second[4] = 2;
    second[8] = 1;
    state.hasSecondPbx = true;

    MainSettings settings;
    Service2PluginSettings secondPbx;
    secondPbx.SetObjectShown(Service2PluginSettings::kExtensions, 1, 0);  // the second PBX hides its extension 1
    secondPbx.SetObjectShown(Service2PluginSettings::kRelays, 0, 0x41);
    secondPbx.SetListCount(0, 200);  // more than the 32 entries the list holds
    secondPbx.SetListEntry(0, 0, 0, 1);  // first PBX's line 1 hidden
    secondPbx.SetListEntry(0, 1, 0, 0);  // second PBX's extension 0 hidden
    for (int n = 1; n < Service2PluginSettings::kListLength; ++n) {
        secondPbx.SetListEntry(0, 0, n, 99);  // outside every PBX: skipped
        secondPbx.SetListEntry(0, 1, n, 99);
    }
    secondPbx.SetListCount(1, 1);
    secondPbx.SetListEntry(1, 0, 0, 1);  // second PBX's line 1 marked 254
    secondPbx.SetListEntry(1, 1, 0, 0);  // first PBX's extension 0 hidden
    ApplyObjectVisibility(state, settings, secondPbx);

    const auto shown = [&](MainSettings::Section section, int object) {
        return (settings.ObjectFlags(section, object) & 1) != 0;
    };
    const bool extensions[] = {false, true, true, false, false, false, false, true};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(shown(MainSettings::kExtensions, i), extensions[i]) << i;
    EXPECT_TRUE(shown(MainSettings::kLines, 0));
    EXPECT_FALSE(shown(MainSettings::kLines, 1));
    EXPECT_TRUE(shown(MainSettings::kLines, 2));
    EXPECT_EQ(settings.ObjectFlags(MainSettings::kLines, 3), 254);
    EXPECT_EQ(settings.ObjectFlags(MainSettings::kRelays, 0), 0x41);
}

}  // namespace
