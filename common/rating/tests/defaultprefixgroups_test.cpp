#include "defaultprefixgroups.h"

#include "binaryrecord.h"

#include <gtest/gtest.h>

namespace {

struct ExpectedGroup {
    int index;
    const char* name;
    int count;
    const char* firstNumber;
    const char* firstLabel;
    const char* lastNumber;
    const char* lastLabel;
};

const ExpectedGroup kExpectedGroups[] = {
    {0, "Prefissi urbani", 1, "0721", "Pesaro", "0721", "Pesaro"},
    {1, "Prefissi italia", 232, "0144", "Acqui Terme", "0588", "Volterra"},
    {2, "Prefissi internazionali zona 1", 20, "001", "Stati Uniti, Canada, Repubblica Dominicana", "0041", "Svizzera"},
    {3, "Prefissi internazionali zona 1 Mobile", 39, "003763", "Andorra mobile 1", "00418", "Svizzera mobile 2"},
    {4, "Prefissi internazionali zona 2", 18, "00355", "Albania", "00216", "Tunisia"},
    {5, "Prefissi internazionali zona 2 Mobile", 29, "003556", "Albania mobile", "00367", "Ungheria mobile 2"},
    {6, "Prefissi internazionali zona 3", 10, "00212", "Marocco", "0090", "Turchia"},
    {7, "Prefissi internazionali zona 3 Mobile", 25, "002126", "Marocco mobile 1", "00905", "Turchia mobile"},
    {8, "Prefissi internazionali zona 4", 16, "0062", "Indonesia", "00670", "Timor Est"},
    {9, "Prefissi internazionali zona 4 Mobile", 12, "00628", "Indonesia mobile", "006707", "Timor Est mobile"},
    {10, "Prefissi internazionali zona 5", 12, "0054", "Argentina", "0027", "Sudafrica"},
    {11, "Prefissi internazionali zona 5 Mobile", 14, "00549", "Argentina mobile", "00278", "Sudafrica mobile 2"},
    {12, "Prefissi internazionali zona 6", 12, "001242", "Bahamas", "00249", "Sudan"},
    {13, "Prefissi internazionali zona 6 Mobile", 21, "0012424", "Bahamas mobile 1", "008819", "GlobStar"},
    {14, "Prefissi internazionali zona 7", 38, "001345", "Isole Cayman", "00597", "Suriname"},
    {15, "Prefissi internazionali zona 7 Mobile", 10, "001343", "Isole Cayman mobile 1", "0067568",
     "Papua Nuova Guinea mobile"},
    {16, "Numeri di emergenza", 5, "112", "Pronto intervento", "118", "Soccorso medico"},
    {17, "Pubblica utilità", 6, "117", "Guardia di finanza", "196", "Telefono azzurro"},
    {18, "Eventi telefonici di massa 1", 2, "0369", "Giochi TV a premi", "0769", "Giochi TV a premi"},
    {19, "Eventi telefonici di massa 2", 1, "0878", "Televoto", "0878", "Televoto"},
    {20, "Elenco abbonati", 1, "12", "Elenco abbonati", "12", "Elenco abbonati"},
    {21, "Assistenza e informazione", 3, "163", "Assistenza/Consulenza", "899", "Sociale informativo"},
    {22, "Sociale ed informativo 1", 2, "1440", "Sociale informativo", "1660", "Assistenza/Consulenza"},
    {23, "Sociale ed informativo 2", 2, "1442", "Sociale informativo", "1662", "Assistenza/Consulenza"},
    {24, "Sociale ed informativo 3", 2, "1446", "Sociale informativo", "1666", "Assistenza/Consulenza"},
    {25, "Sociale ed informativo 4", 2, "1448", "Sociale informativo", "1668", "Assistenza/Consulenza"},
    {26, "Sociale ed informativo 5", 2, "1441", "Sociale informativo", "1661", "Assistenza/Consulenza"},
    {27, "Sociale ed informativo 6", 1, "892", "Sociale informativo", "892", "Sociale informativo"},
    {28, "Servizi speciali 1", 1, "199", "Numero unico", "199", "Numero unico"},
    {29, "Servizi speciali 2", 1, "178", "Numero personale", "178", "Numero personale"},
    {30, "Connessione ad internet 1", 1, "700", "Internet", "700", "Internet"},
    {31, "Connessione ad internet 2", 2, "701", "Internet", "702", "Internet"},
    {32, "Connessione ad internet 3", 1, "709", "Internet", "709", "Internet"},
    {33, "Numeri verdi 1", 2, "800", "Numero verde", "803", "Numero verde"},
    {34, "Numeri verdi 2", 2, "840", "Numero verde", "841", "Numero verde"},
    {35, "Numeri verdi 3", 2, "847", "Numero verde", "848", "Numero verde"},
    {36, "Operatori di telefonia", 22, "119", "TIM", "1945", "Welcom Italia"},
};

class DefaultPrefixGroups : public testing::Test {
protected:
    void SetUp() override { BuildDefaultPrefixGroups(QStringLiteral("0721"), QStringLiteral("Pesaro"), m_table); }
    PrefixGroupTable m_table;
};

TEST_F(DefaultPrefixGroups, ThirtySevenGroupsWithFiveHundredSeventyTwoPrefixes)
{
    ASSERT_EQ(m_table.Count(), 37);
    int entries = 0;
    for (const PrefixGroup& group : m_table.groups)
        entries += group.Count();
    EXPECT_EQ(entries, 572);

    for (const ExpectedGroup& expected : kExpectedGroups) {
        const PrefixGroup& group = m_table.groups[expected.index];
        SCOPED_TRACE(expected.index);
        EXPECT_EQ(group.name, QString::fromUtf8(expected.name));
        ASSERT_EQ(group.Count(), expected.count);
        EXPECT_EQ(group.entries.front(),
                  (PrefixEntry{QString::fromUtf8(expected.firstNumber), QString::fromUtf8(expected.firstLabel)}));
        EXPECT_EQ(group.entries.back(),
                  (PrefixEntry{QString::fromUtf8(expected.lastNumber), QString::fromUtf8(expected.lastLabel)}));
    }
}

TEST_F(DefaultPrefixGroups, RepetitionsStandAsListed)
{
    EXPECT_EQ(m_table.groups[9].entries[5], (PrefixEntry{QStringLiteral("00886"), QStringLiteral("Taiwan mobile")}));
    EXPECT_EQ(m_table.groups[15].entries[1].number, QStringLiteral("001345"));
    EXPECT_EQ(m_table.groups[1].entries[46], (PrefixEntry{QStringLiteral("0921"), QStringLiteral("Cefalù")}));
}

TEST_F(DefaultPrefixGroups, EveryTextFitsItsField)
{
    qsizetype longestName = 0;
    for (const PrefixGroup& group : m_table.groups) {
        longestName = std::max(longestName, group.name.size());
        for (const PrefixEntry& entry : group.entries) {
            EXPECT_LE(entry.number.size(), 15) << entry.number.toStdString();
            EXPECT_LE(entry.label.size(), 63) << entry.label.toStdString();
        }
    }
    EXPECT_EQ(longestName, 37);
}

TEST_F(DefaultPrefixGroups, RebuildOfAFullTableLeavesTheRestEmpty)
{
    m_table.groups.resize(64, m_table.groups[1]);
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), m_table);
    ASSERT_EQ(m_table.Count(), 37);
    EXPECT_EQ(m_table.groups[0].entries, (std::vector<PrefixEntry>{{QStringLiteral("06"), QStringLiteral("Roma")}}));

    QByteArray bytes(PrefixGroupTable::kSize, '\x7F');
    m_table.Encode(bytes, 0);
    EXPECT_EQ(GetU16(bytes, 2625664), 37);
    const qsizetype used = 37 * PrefixGroup::kSize;
    EXPECT_EQ(bytes.mid(used, 27 * PrefixGroup::kSize), QByteArray(27 * PrefixGroup::kSize, '\0'));
}

TEST_F(DefaultPrefixGroups, StoredLayoutReadsBack)
{
    QByteArray bytes(PrefixGroupTable::kSize, '\0');
    m_table.Encode(bytes, 0);
    const qsizetype group1 = PrefixGroup::kSize;
    EXPECT_EQ(ReadAnsiField(bytes, group1 + 46 * 80, 16), QStringLiteral("0921"));
    EXPECT_EQ(bytes.mid(group1 + 46 * 80 + 16, 7), QByteArray("Cefal\xF9\0", 7));  // Windows-1252
    EXPECT_EQ(ReadAnsiField(bytes, group1 + 40960, 64), QStringLiteral("Prefissi italia"));
    EXPECT_EQ(GetU16(bytes, group1 + 41024), 232);

    const std::optional<PrefixGroupTable> read = PrefixGroupTable::Decode(bytes, 0);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, m_table);
}

TEST_F(DefaultPrefixGroups, DamagedTableIsRefused)
{
    QByteArray bytes(PrefixGroupTable::kSize, '\0');
    m_table.Encode(bytes, 0);

    QByteArray tooManyGroups = bytes;
    PutU16(tooManyGroups, 2625664, 65);
    EXPECT_FALSE(PrefixGroupTable::Decode(tooManyGroups, 0).has_value());

    QByteArray tooManyEntries = bytes;
    PutU16(tooManyEntries, 5 * PrefixGroup::kSize + 41024, 513);
    EXPECT_FALSE(PrefixGroupTable::Decode(tooManyEntries, 0).has_value());

    QByteArray unterminatedLabel = bytes;
    unterminatedLabel.replace(PrefixGroup::kSize + 231 * 80 + 16, 64, QByteArray(64, 'x'));
    EXPECT_FALSE(PrefixGroupTable::Decode(unterminatedLabel, 0).has_value());

    // An entry slot beyond the count is never read.
    QByteArray unusedSlot = bytes;
    unusedSlot.replace(PrefixGroup::kSize + 232 * 80, 80, QByteArray(80, 'x'));
    EXPECT_TRUE(PrefixGroupTable::Decode(unusedSlot, 0).has_value());
}

}  // namespace
