// Display names and numbers of both PBXs in the combined numbering: fallbacks, labels and their cache,
// number clean-up and prefix stripping.
#include "pbxdisplaynames.h"

#include <gtest/gtest.h>

#include <map>

namespace {

void SetCounts(PbxInitialization& init, int extensions, int lines, int entryPhones, int relays)
{
    init.bytes[PbxInitialization::kExtensionCountOffset] = static_cast<std::uint8_t>(extensions);
    init.bytes[PbxInitialization::kLineCountOffset] = static_cast<std::uint8_t>(lines);
    init.bytes[PbxInitialization::kEntryPhoneCountOffset] = static_cast<std::uint8_t>(entryPhones);
    init.bytes[PbxInitialization::kRelayCountOffset] = static_cast<std::uint8_t>(relays);
}

// A first PBX of 3 extensions, 2 lines, 1 entry phone and 2 relays; a second one of 2, 1, 12, 1.
class DisplayNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCounts(m_state.firstInitialization, 3, 2, 1, 2);
        SetCounts(m_state.secondInitialization, 2, 1, 12, 1);
        m_state.firstPbxIdentifier = 4;
        m_state.secondPbxIdentifier = 7;
        m_state.hasSecondPbx = true;
        m_state.tables.Allocate(m_state.FirstCounts());
        PbxStateTables second;
        second.Allocate(m_state.SecondCounts());
        m_state.tables.Append(second);
        m_state.tables.relayProgramming[1][2] = 1;  // the first PBX's second relay drives a load
    }

    PbxLabelReader Labels()
    {
        return [this](PbxLabelKind kind, int pbx, int index) {
            ++m_reads;
            const auto found = m_labels.find({static_cast<int>(kind), pbx, index});
            return found == m_labels.end() ? QString() : found->second;
        };
    }

    OperatorConsoleState m_state;
    std::map<std::tuple<int, int, int>, QString> m_labels;
    int m_reads = 0;
};

TEST_F(DisplayNames, NumbersOfBothPbxs)
{
    struct Case { int index; const char* expected; };
    const Case extensions[] = {{0, "201"}, {2, "203"}, {3, "201"}, {4, "202"}, {5, ""}, {-1, ""}};
    for (const Case& c : extensions)
        EXPECT_EQ(DefaultExtensionNumber(m_state, c.index), QString::fromLatin1(c.expected)) << c.index;
    const Case ports[] = {{1, "#01"}, {4, "#01"}, {5, ""}};
    for (const Case& c : ports)
        EXPECT_EQ(FormatExtensionPortCode(m_state, c.index), QString::fromLatin1(c.expected)) << c.index;
    // The second PBX has 12 entry phones: its own numbering takes three digits.
    const Case entryPhones[] = {{0, "71"}, {1, "701"}, {12, "712"}, {13, ""}};
    for (const Case& c : entryPhones)
        EXPECT_EQ(FormatEntryPhoneNumber(m_state, c.index), QString::fromLatin1(c.expected)) << c.index;
    EXPECT_EQ(FormatLineAccessCode(m_state, 2), "62");
    EXPECT_EQ(FormatLineAccessCode(m_state, 255), "");
}

TEST_F(DisplayNames, FallbacksLabelsAndCache)
{
    m_labels[{static_cast<int>(PbxLabelKind::Extension), 7, 1}] = QStringLiteral("Reception");
    m_labels[{static_cast<int>(PbxLabelKind::Line), 4, 0}] = QString(60, QLatin1Char('L'));

    const auto labels = Labels();
    EXPECT_EQ(FormatExtensionName(m_state, labels, 0), "INT. 201");
    EXPECT_EQ(FormatExtensionName(m_state, labels, 4), "Reception");  // second PBX, local index 1
    EXPECT_EQ(FormatLineName(m_state, labels, 0), QString(49, QLatin1Char('L')));  // cut to the cache
    EXPECT_EQ(FormatLineName(m_state, labels, 2), "EXT. 1");
    EXPECT_EQ(FormatEntryPhoneName(m_state, labels, 5), "ENT. 5");
    EXPECT_EQ(FormatRelayName(m_state, labels, 0), "DOOR 1");
    EXPECT_EQ(FormatRelayName(m_state, labels, 1), "LOAD 2");
    EXPECT_EQ(FormatRelayName(m_state, labels, 2), "DOOR 1");

    const int reads = m_reads;
    m_labels.clear();
    EXPECT_EQ(FormatExtensionName(m_state, labels, 4), "Reception");  // from the cache
    EXPECT_EQ(m_reads, reads);
    m_state.tables.extensionName[4] = PbxStateTables::kNotValidName;
    EXPECT_EQ(FormatExtensionName(m_state, labels, 4), "INT. 202");

    EXPECT_EQ(FormatExtensionName(m_state, labels, 5), "");  // beyond both PBXs
    EXPECT_EQ(FormatRelayName(m_state, labels, 3), "");
}

TEST(PhoneNumbers, CleanUp)
{
    struct Case { const char* input; const char* expected; };
    const Case cases[] = {
        {"+39 (02) 123-456", "02123456"},
        {"+44 20 7946", "0044207946"},
        {"0039 02 1", "0039021"},
        {"*12#", "*12#"},
        {"abc", ""},
        {"3+9", "3009"},
    };
    for (const Case& c : cases) {
        QString number = QString::fromLatin1(c.input);
        CleanPhoneNumber(number, QStringLiteral("39"));
        EXPECT_EQ(number, QString::fromLatin1(c.expected)) << c.input;
    }
}

TEST(PhoneNumbers, StripDialPrefix)
{
    struct Case { const char* input; int lines; const char* expected; };
    const Case cases[] = {
        {"0612345", 9, "612345"},
        {"612345", 9, "2345"},
        {"612345", 10, "345"},
        {"*1", 10, ""},
        {"86123", 9, "23"},
        {"86123", 10, "3"},
        {"861", 10, ""},
        {"86", 10, "86"},
        {"6", 9, "6"},
        {"5551", 9, "5551"},
        {"", 9, ""},
    };
    for (const Case& c : cases) {
        QString number = QString::fromLatin1(c.input);
        StripDialPrefix(number, c.lines);
        EXPECT_EQ(number, QString::fromLatin1(c.expected)) << c.input << " " << c.lines;
    }
}

}  // namespace
