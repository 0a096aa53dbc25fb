#include "defaultprefixgroups.h"

#include "defaultprefixdata.h"
#include "ratingstrings.h"

#include <array>

namespace {

constexpr unsigned kLocalName = 1019;
constexpr unsigned kItalyName = 1020;
constexpr unsigned kZoneName = 1021;
constexpr unsigned kEmergencyName = 1171;
constexpr unsigned kPublicUtilityName = 1172;
constexpr unsigned kMassEventsName = 1173;
constexpr unsigned kDirectoryName = 1174;
constexpr unsigned kAssistanceName = 1175;
constexpr unsigned kSpecialServicesName = 1176;
constexpr unsigned kInternetName = 1177;
constexpr unsigned kOperatorsName = 1178;
constexpr unsigned kFreeNumbersName = 1179;
constexpr unsigned kSocialName = 1180;
constexpr unsigned kMobileWord = 1221;

// Name of default group 1 + index: a string, optionally followed by " n" and the word "Mobile".
struct GroupName {
    unsigned id;
    int number;  // 0: none
    bool mobile;
};

constexpr std::array<GroupName, kDefaultPrefixListCount> kGroupNames = {{
    {kItalyName, 0, false},
    {kZoneName, 1, false}, {kZoneName, 1, true},
    {kZoneName, 2, false}, {kZoneName, 2, true},
    {kZoneName, 3, false}, {kZoneName, 3, true},
    {kZoneName, 4, false}, {kZoneName, 4, true},
    {kZoneName, 5, false}, {kZoneName, 5, true},
    {kZoneName, 6, false}, {kZoneName, 6, true},
    {kZoneName, 7, false}, {kZoneName, 7, true},
    {kEmergencyName, 0, false},
    {kPublicUtilityName, 0, false},
    {kMassEventsName, 1, false}, {kMassEventsName, 2, false},
    {kDirectoryName, 0, false},
    {kAssistanceName, 0, false},
    {kSocialName, 1, false}, {kSocialName, 2, false}, {kSocialName, 3, false},
    {kSocialName, 4, false}, {kSocialName, 5, false}, {kSocialName, 6, false},
    {kSpecialServicesName, 1, false}, {kSpecialServicesName, 2, false},
    {kInternetName, 1, false}, {kInternetName, 2, false}, {kInternetName, 3, false},
    {kFreeNumbersName, 1, false}, {kFreeNumbersName, 2, false}, {kFreeNumbersName, 3, false},
    {kOperatorsName, 0, false},
}};

QString NameOf(const GroupName& name)
{
    QString text = RatingString(name.id);
    if (name.number != 0)
        text += u' ' + QString::number(name.number);
    if (name.mobile)
        text += u' ' + RatingString(kMobileWord);
    return text;
}

// What the stored record keeps of a text, so that the table in memory equals the table read back.
QString Fitted(const QString& text, qsizetype width) { return text.left(width - 1); }

}  // namespace

void BuildDefaultPrefixGroups(const QString& localAreaCode, const QString& place, PrefixGroupTable& table)
{
    table = PrefixGroupTable();
    table.groups.reserve(kDefaultGroupCount);

    PrefixGroup local;
    local.name = RatingString(kLocalName);
    local.entries.push_back(
        {Fitted(localAreaCode, PrefixEntry::kNumberWidth), Fitted(place, PrefixEntry::kLabelWidth)});
    table.groups.push_back(std::move(local));

    const auto& lists = DefaultPrefixLists();
    for (int list = 0; list < kDefaultPrefixListCount; ++list) {
        PrefixGroup group;
        group.name = NameOf(kGroupNames[list]);
        group.entries.reserve(lists[list].size());
        for (const DefaultPrefix& prefix : lists[list])
            group.entries.push_back({QString::fromLatin1(prefix.number), QString::fromUtf8(prefix.label)});
        table.groups.push_back(std::move(group));
    }
}
