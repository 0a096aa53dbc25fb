#include "ratingconfigurationfile.h"
#include "ratingconfigurationsteps.h"

#include "binaryrecord.h"
#include "tempsuite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

QByteArray TagBytes(double tag)
{
    QByteArray bytes(8, '\0');
    PutF64(bytes, 0, tag);
    return bytes;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool SameBlocks(const RatingConfiguration& a, const RatingConfiguration& b)
{
    return EncodeRatingConfiguration(a, kRatingFileTag) == EncodeRatingConfiguration(b, kRatingFileTag);
}

class RatingConfigurationFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("PrcCnf.psx"));
        // A first run choosing Pesaro, written to a scratch file.
        RunRatingFirstRun(m_defaults, m_dir.filePath(QStringLiteral("first.psx")), [](const PrefixGroup& codes) {
            for (int i = 0; i < codes.Count(); ++i)
                if (codes.entries[i].number == QStringLiteral("0721"))
                    return i;
            return -1;
        });
        m_defaults.variations.values[2] = 0.25;
    }

    // Loads `bytes` from a file into a configuration that already holds the defaults.
    RatingFileResult LoadBytes(const QByteArray& bytes, RatingConfiguration& configuration)
    {
        configuration = m_defaults;
        EXPECT_TRUE(WriteFile(m_path, bytes));
        return LoadRatingConfiguration(m_path, kRatingFileOlderTag, kRatingFileTag, configuration);
    }

    QTemporaryDir m_dir;
    QString m_path;
    RatingConfiguration m_defaults;
};

TEST_F(RatingConfigurationFile, TagsAreTheDoublesOfTheLayout)
{
    EXPECT_EQ(TagBytes(kRatingFileTag), QByteArray::fromHex("7AC2120F281B1F40"));
    EXPECT_EQ(TagBytes(kRatingFileOlderTag), QByteArray::fromHex("252367614F7B0B40"));
    EXPECT_EQ(TagBytes(kExportFileTag), QByteArray::fromHex("11AAD4EC81C62140"));
    EXPECT_EQ(TagBytes(kExportFileOlderTag), QByteArray::fromHex("4C89247A19A51640"));
}

TEST_F(RatingConfigurationFile, SavedFileHasEveryBlockAtItsOffset)
{
    ASSERT_EQ(SaveRatingConfiguration(m_path, kRatingFileTag, m_defaults), RatingFileResult::Ok);
    const QByteArray file = ReadFile(m_path);
    ASSERT_EQ(file.size(), 2770264);
    EXPECT_EQ(file.left(8), TagBytes(kRatingFileTag));
    EXPECT_EQ(ReadAnsiField(file, 8, 16), QStringLiteral("0721"));                    // group 0, entry 0
    EXPECT_EQ(GetU16(file, 8 + 2625664), 37);                                          // group count
    EXPECT_EQ(ReadAnsiField(file, 2625674, 64), QStringLiteral("Tariffa centralino a scatti"));
    EXPECT_EQ(GetU16(file, 2625674 + 123904), 34);                                     // tariff count
    EXPECT_EQ(GetU16(file, 2749586), 33);                                              // rule count
    EXPECT_EQ(ReadAnsiField(file, 2749586 + 2 + 198, 64), QStringLiteral("Chiamate urbane"));
    EXPECT_EQ(GetI32(file, 2766612 + 840 + 16), 800);                                  // title font weight
    EXPECT_EQ(GetU8(file, 2766612 + 837), 7);                                          // print flags
    EXPECT_EQ(GetU8(file, 2767640 + 1), 1);                                            // view state
    EXPECT_EQ(GetF64(file, 2767640 + 8), 5.0);
    EXPECT_EQ(GetF64(file, 2769744 + 16), 0.25);                                       // variation of slot 2
    EXPECT_EQ(GetU16(file, 2769744 + 512), 34);
}

TEST_F(RatingConfigurationFile, RoundTripIsByteForByte)
{
    ASSERT_EQ(SaveRatingConfiguration(m_path, kRatingFileTag, m_defaults), RatingFileResult::Ok);
    const QByteArray first = ReadFile(m_path);

    RatingConfiguration loaded;
    ASSERT_EQ(LoadRatingConfiguration(m_path, kRatingFileOlderTag, kRatingFileTag, loaded), RatingFileResult::Ok);
    EXPECT_EQ(loaded.prefixGroups, m_defaults.prefixGroups);
    EXPECT_EQ(loaded.tariffs, m_defaults.tariffs);
    EXPECT_EQ(loaded.rules, m_defaults.rules);
    EXPECT_EQ(loaded.variations, m_defaults.variations);

    const QString again = m_dir.filePath(QStringLiteral("again.psx"));
    ASSERT_EQ(SaveRatingConfiguration(again, kRatingFileTag, loaded), RatingFileResult::Ok);
    EXPECT_EQ(ReadFile(again), first);
}

TEST_F(RatingConfigurationFile, ExportTagsUseTheSameLayout)
{
    ASSERT_EQ(SaveRatingConfiguration(m_path, kExportFileTag, m_defaults), RatingFileResult::Ok);
    RatingConfiguration loaded;
    EXPECT_EQ(LoadRatingConfiguration(m_path, kExportFileOlderTag, kExportFileTag, loaded), RatingFileResult::Ok);
    EXPECT_TRUE(SameBlocks(loaded, m_defaults));
    EXPECT_EQ(LoadRatingConfiguration(m_path, kRatingFileOlderTag, kRatingFileTag, loaded),
              RatingFileResult::UnknownTag);
}

TEST_F(RatingConfigurationFile, OlderTagResetsTheVariations)
{
    QByteArray file = EncodeRatingConfiguration(m_defaults, kRatingFileOlderTag);
    for (qsizetype i = kVariationsOffset; i < file.size(); ++i)
        file[i] = static_cast<char>(0xA5 ^ i);

    RatingConfiguration loaded;
    ASSERT_EQ(LoadBytes(file, loaded), RatingFileResult::Ok);
    for (const double value : loaded.variations.values)
        EXPECT_EQ(value, 0.0);
    EXPECT_EQ(loaded.variations.count, 34);
    EXPECT_EQ(loaded.tariffs, m_defaults.tariffs);

    // An older file may end where its variations would begin.
    ASSERT_EQ(LoadBytes(file.left(kVariationsOffset), loaded), RatingFileResult::Ok);
    EXPECT_EQ(loaded.variations.values[2], 0.0);
}

struct Refusal {
    const char* what;
    std::function<void(QByteArray&)> spoil;
    RatingFileResult result;
};

class RefusedFile : public RatingConfigurationFile, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedFile, LeavesTheConfigurationAsItWas)
{
    QByteArray file = EncodeRatingConfiguration(m_defaults, kRatingFileTag);
    GetParam().spoil(file);
    RatingConfiguration configuration;
    EXPECT_EQ(LoadBytes(file, configuration), GetParam().result);
    EXPECT_TRUE(SameBlocks(configuration, m_defaults));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, RefusedFile,
    testing::Values(
        Refusal{"close tag", [](QByteArray& f) { PutF64(f, 0, 7.7765); }, RatingFileResult::UnknownTag},
        Refusal{"truncated", [](QByteArray& f) { f.chop(1); }, RatingFileResult::WrongSize},
        Refusal{"truncated mid-way", [](QByteArray& f) { f.truncate(1000000); }, RatingFileResult::WrongSize},
        Refusal{"current tag without variations", [](QByteArray& f) { f.truncate(kVariationsOffset); },
                RatingFileResult::WrongSize},
        Refusal{"longer", [](QByteArray& f) { f.append('\0'); }, RatingFileResult::WrongSize},
        Refusal{"empty", [](QByteArray& f) { f.clear(); }, RatingFileResult::WrongSize},
        Refusal{"group count", [](QByteArray& f) { PutU16(f, kTariffsOffset - 2, 65); }, RatingFileResult::Damaged},
        Refusal{"entry count", [](QByteArray& f) { PutU16(f, kPrefixGroupsOffset + 41024, 600); },
                RatingFileResult::Damaged},
        Refusal{"prefix without terminator",
                [](QByteArray& f) { f.replace(kPrefixGroupsOffset + 41026, 16, QByteArray(16, '7')); },
                RatingFileResult::Damaged},
        Refusal{"tariff count", [](QByteArray& f) { PutU16(f, kTariffsOffset + 123904, 65); },
                RatingFileResult::Damaged},
        Refusal{"band count", [](QByteArray& f) { PutU8(f, kTariffsOffset + 1936 + 64, 200); },
                RatingFileResult::Damaged},
        Refusal{"rule count", [](QByteArray& f) { PutU16(f, kRulesOffset, 64 + 1); }, RatingFileResult::Damaged},
        Refusal{"expression count", [](QByteArray& f) { PutU8(f, kRulesOffset + 2 + 262, 9); },
                RatingFileResult::Damaged},
        Refusal{"rule name without terminator",
                [](QByteArray& f) { f.replace(kRulesOffset + 2 + 198, 64, QByteArray(64, 'R')); },
                RatingFileResult::Damaged},
        Refusal{"logo path without terminator",
                [](QByteArray& f) { f.replace(kPrintSettingsOffset + 256, 260, QByteArray(260, 'L')); },
                RatingFileResult::Damaged},
        Refusal{"variation count", [](QByteArray& f) { PutU16(f, kVariationsOffset + 512, 0xFFFF); },
                RatingFileResult::Damaged},
        // Tariff 0, Monday, first band: start at +0, value at +16 of the band; the pulse cost ends the tariff.
        Refusal{"band start NaN",
                [](QByteArray& f) { PutF64(f, kTariffsOffset + 64 + 8, std::numeric_limits<double>::quiet_NaN()); },
                RatingFileResult::Damaged},
        Refusal{"band value infinite",
                [](QByteArray& f) { PutF64(f, kTariffsOffset + 64 + 8 + 16, std::numeric_limits<double>::infinity()); },
                RatingFileResult::Damaged},
        Refusal{"pulse cost NaN",
                [](QByteArray& f) { PutF64(f, kTariffsOffset + 1928, std::numeric_limits<double>::quiet_NaN()); },
                RatingFileResult::Damaged},
        Refusal{"variation NaN",
                [](QByteArray& f) { PutF64(f, kVariationsOffset + 2 * 8, std::numeric_limits<double>::quiet_NaN()); },
                RatingFileResult::Damaged},
        Refusal{"variation minus infinity",
                [](QByteArray& f) { PutF64(f, kVariationsOffset, -std::numeric_limits<double>::infinity()); },
                RatingFileResult::Damaged}));

TEST_F(RatingConfigurationFile, MissingFileCannotBeOpened)
{
    RatingConfiguration configuration;
    EXPECT_EQ(LoadRatingConfiguration(m_dir.filePath(QStringLiteral("none.psx")), kRatingFileOlderTag,
                                      kRatingFileTag, configuration),
              RatingFileResult::CannotOpen);
    EXPECT_EQ(configuration.tariffs.Count(), 0);
}

TEST_F(RatingConfigurationFile, FailedSaveIsReported)
{
    ASSERT_TRUE(WriteFile(m_path, "old"));
    const QString underAFile = m_path + QStringLiteral("/PrcCnf.psx");
    EXPECT_EQ(SaveRatingConfiguration(underAFile, kRatingFileTag, m_defaults), RatingFileResult::CannotWrite);
    EXPECT_EQ(SaveRatingConfiguration(m_dir.path(), kRatingFileTag, m_defaults), RatingFileResult::CannotWrite);
}

TEST(RatingConfigurationPath, SharedFolderFile)
{
    TempSuite suite;
    EXPECT_EQ(RatingConfigurationPath(), suite.SharedFolder() + QStringLiteral("PrcCnf.psx"));
}

}  // namespace
