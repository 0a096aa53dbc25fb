#include "hotelrating.h"
#include "hotelsettings.h"
#include "settingsfile.h"

#include "binaryrecord.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QString Path() const { return m_folder.filePath(QLatin1String(kSettingsFileName)); }

    void Write(const QByteArray& bytes)
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray Read()
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A current file with these hours and the key card switched on, cut to `size` bytes.
    QByteArray File(qsizetype size)
    {
        PrintSettings print;
        SetDefaultPrintSettings(print);
        print.title = QStringLiteral("Hotel Aurora");
        HotelSettings hotel;
        hotel.earliestCheckInHour = 14;
        hotel.latestNightCheckInHour = 2;
        hotel.latestCheckOutHour = 10;
        hotel.keyCardEnabled = 1;
        hotel.keyCardSystemId = 9;
        EXPECT_TRUE(SaveSettings(Path(), print, hotel));
        return Read().left(size);
    }

    QTemporaryDir m_folder;
};

TEST_F(SettingsFileTest, TheBlockHasItsDefaultsAndTheAddressInNetworkOrder)
{
    HotelSettings settings;
    settings.earliestCheckInHour = 1;
    settings.keyCardCharging = 1;
    settings.keyCardServer = 0x0A000002;
    SetDefaultKeyCardSettings(settings);
    EXPECT_EQ(settings.earliestCheckInHour, 1);
    EXPECT_EQ(settings.keyCardCharging, 0);
    SetDefaultHotelSettings(settings);
    EXPECT_EQ(settings.Encode(), QByteArray::fromHex("0c030b000100000000000000" "7f000001"));
    settings.keyCardServer = 0xC0A80105;  // 192.168.1.5
    EXPECT_EQ(HotelSettings::Decode(settings.Encode()), settings);
    EXPECT_EQ(settings.Encode().right(4), QByteArray::fromHex("c0a80105"));
}

TEST_F(SettingsFileTest, AnOlderFileIsUpgradedAtOnceKeepingItsHours)
{
    Write(File(1035));
    PrintSettings print;
    HotelSettings hotel;
    ASSERT_EQ(LoadSettings(Path(), print, hotel), 1);
    EXPECT_EQ(print.title, QStringLiteral("Hotel Aurora"));
    HotelSettings expected;
    expected.earliestCheckInHour = 14;
    expected.latestNightCheckInHour = 2;
    expected.latestCheckOutHour = 10;
    EXPECT_EQ(hotel, expected);  // the key-card part as a new file has it
    const QByteArray upgraded = Read();
    ASSERT_EQ(upgraded.size(), 1048);
    EXPECT_EQ(upgraded.right(16), expected.Encode());
}

TEST_F(SettingsFileTest, AFileOfAnotherShapeIsReplacedByTheDefaults)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QByteArray otherMagic = File(1048);
    PutU32(otherMagic, 0, 0x15439873);
    const Case cases[] = {{"other magic", otherMagic}, {"1,047 bytes", File(1047)}, {"1,049 bytes", File(1048) + 'x'},
                          {"magic only", File(4)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.bytes);
        PrintSettings print;
        print.title = QStringLiteral("untouched");
        HotelSettings hotel;
        hotel.latestCheckOutHour = 5;
        EXPECT_EQ(LoadSettings(Path(), print, hotel), 0);
        EXPECT_EQ(print.title, QStringLiteral("untouched"));
        EXPECT_EQ(hotel.latestCheckOutHour, 5);
        ASSERT_TRUE(LoadOrCreateSettings(Path(), print, hotel));
        EXPECT_EQ(hotel, HotelSettings());
        PrintSettings defaults;
        SetDefaultPrintSettings(defaults);
        EXPECT_EQ(print.title, defaults.title);
        const QByteArray written = Read();
        ASSERT_EQ(written.size(), 1048);
        EXPECT_EQ(GetU32(written, 0), kSettingsMagic);
        EXPECT_EQ(LoadSettings(Path(), print, hotel), 1);
    }
    PrintSettings print;
    HotelSettings hotel;
    EXPECT_EQ(LoadSettings(m_folder.filePath(QStringLiteral("missing.cfg")), print, hotel), 0);
}

TEST_F(SettingsFileTest, TheRatingFileLoadsByItsTwoTags)
{
    RatingConfiguration source;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), source.prefixGroups);
    BuildDefaultTariffs(source.tariffs, source.variations);
    BuildDefaultRules(source.rules, source.prefixGroups);
    source.variations.values[1] = 12.5;
    const QString path = m_folder.filePath(QLatin1String(kRatingFileName));
    struct Case {
        double tag;
        bool loads;
        double variation;
    };
    for (const Case& c : {Case{kRatingFileTag, true, 12.5}, Case{kRatingFileOlderTag, true, 0.0},
                          Case{kExportFileTag, false, 0.0}}) {
        SCOPED_TRACE(c.tag);
        ASSERT_EQ(SaveRatingConfiguration(path, c.tag, source), RatingFileResult::Ok);
        RatingConfiguration loaded;
        ASSERT_EQ(LoadHotelRatingConfiguration(loaded, path), c.loads);
        if (c.loads) {
            EXPECT_EQ(loaded.variations.values[1], c.variation);
            EXPECT_EQ(loaded.tariffs.Count(), source.tariffs.Count());
        }
    }
}

}  // namespace
}  // namespace lodgix
