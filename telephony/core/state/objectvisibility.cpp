#include "objectvisibility.h"

#include "mainsettings.h"
#include "service2pluginsettings.h"

namespace {

constexpr std::uint8_t kShownBit = 0x01;
constexpr std::uint8_t kConnectedLine = 254;  // a second-PBX line reached through the first PBX
constexpr int kFirstList = 0;
constexpr int kSecondList = 1;

void SetShown(MainSettings& settings, MainSettings::Section section, int object, bool shown)
{
    const std::uint8_t flags = settings.ObjectFlags(section, object);
    settings.SetObjectFlags(section, object,
                            shown ? static_cast<std::uint8_t>(flags | kShownBit)
                                  : static_cast<std::uint8_t>(flags & ~kShownBit));
}

int ListLength(const Service2PluginSettings& secondPbx, int list)
{
    return std::min(secondPbx.ListCount(list), Service2PluginSettings::kListLength);
}

}  // namespace

void ApplyObjectVisibility(const OperatorConsoleState& state, MainSettings& settings,
                           const Service2PluginSettings& secondPbx)
{
    const PbxObjectCounts first = state.FirstCounts();
    const PbxObjectCounts second = state.SecondCounts();

    // Extensions found but not handled by the PBX.
    for (int i = state.firstInitialization.bytes[1]; i < first.extensions; ++i)
        SetShown(settings, MainSettings::kExtensions, i, false);
    if (second.extensions > 0) {
        for (int i = 0; i < second.extensions; ++i) {
            const bool shown = (secondPbx.ObjectShown(Service2PluginSettings::kExtensions, i) & kShownBit) != 0
                && i < state.secondInitialization.bytes[1];
            SetShown(settings, MainSettings::kExtensions, first.extensions + i, shown);
        }
        for (int i = 0; i < second.lines; ++i)
            SetShown(settings, MainSettings::kLines, first.lines + i,
                     (secondPbx.ObjectShown(Service2PluginSettings::kLines, i) & kShownBit) != 0);
        for (int i = 0; i < second.entryPhones; ++i)
            SetShown(settings, MainSettings::kEntryPhones, first.entryPhones + i,
                     (secondPbx.ObjectShown(Service2PluginSettings::kEntryPhones, i) & kShownBit) != 0);
        for (int i = 0; i < second.relays; ++i)
            settings.SetObjectFlags(MainSettings::kRelays, first.relays + i,
                                    secondPbx.ObjectShown(Service2PluginSettings::kRelays, i));
    }

    for (int n = 0; n < ListLength(secondPbx, kFirstList); ++n) {
        const int line = secondPbx.ListEntry(kFirstList, 0, n);
        if (line < first.lines)
            SetShown(settings, MainSettings::kLines, line, false);
        const int extension = secondPbx.ListEntry(kFirstList, 1, n);
        if (extension < second.extensions)
            SetShown(settings, MainSettings::kExtensions, first.extensions + extension, false);
    }
    for (int n = 0; n < ListLength(secondPbx, kSecondList); ++n) {
        const int line = secondPbx.ListEntry(kSecondList, 0, n);
        if (line < second.lines)
            settings.SetObjectFlags(MainSettings::kLines, first.lines + line, kConnectedLine);
        const int extension = secondPbx.ListEntry(kSecondList, 1, n);
        if (extension < first.extensions)
            SetShown(settings, MainSettings::kExtensions, extension, false);
    }
}
