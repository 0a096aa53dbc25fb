#include "service2pluginsettings.h"

#include "binaryrecord.h"

namespace {
constexpr qsizetype kFlags = 0;
constexpr std::uint8_t kShownBit = 0x01;
constexpr qsizetype kSecondPbx = 1;
constexpr qsizetype kLists[] = {2, 67};  // each: the count, then two columns of 32 bytes
constexpr qsizetype kObjectFlags = 132;
}  // namespace

Service2PluginSettings::Service2PluginSettings() : m_bytes(kSize, '\0')
{
    SetSecondPbx(kNoPbx);
    m_bytes.replace(kObjectFlags, 4 * kObjects, QByteArray(4 * kObjects, '\1'));
}

bool Service2PluginSettings::SecondPbxShown() const { return (GetU8(m_bytes, kFlags) & kShownBit) != 0; }
void Service2PluginSettings::SetSecondPbxShown(bool shown)
{
    PutU8(m_bytes, kFlags, static_cast<std::uint8_t>((GetU8(m_bytes, kFlags) & ~kShownBit) | (shown ? kShownBit : 0)));
}
std::uint8_t Service2PluginSettings::SecondPbx() const { return GetU8(m_bytes, kSecondPbx); }
void Service2PluginSettings::SetSecondPbx(std::uint8_t comId) { PutU8(m_bytes, kSecondPbx, comId); }
int Service2PluginSettings::ListCount(int list) const { return GetU8(m_bytes, kLists[list]); }
void Service2PluginSettings::SetListCount(int list, int count)
{
    PutU8(m_bytes, kLists[list], static_cast<std::uint8_t>(count));
}
std::uint8_t Service2PluginSettings::ListEntry(int list, int column, int index) const
{
    return GetU8(m_bytes, kLists[list] + 1 + column * kListLength + index);
}
void Service2PluginSettings::SetListEntry(int list, int column, int index, std::uint8_t value)
{
    PutU8(m_bytes, kLists[list] + 1 + column * kListLength + index, value);
}
std::uint8_t Service2PluginSettings::ObjectShown(Kind kind, int index) const
{
    return GetU8(m_bytes, kObjectFlags + kind * kObjects + index);
}
void Service2PluginSettings::SetObjectShown(Kind kind, int index, std::uint8_t value)
{
    PutU8(m_bytes, kObjectFlags + kind * kObjects + index, value);
}
