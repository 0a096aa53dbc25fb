#include "enginesettings.h"
#include "enginesettingsfile.h"

#include "binaryrecord.h"
#include "tempsuite.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const OleDate kCreated(2024, 3, 1, 8, 30, 0);
const OleDate kLastCheck(2024, 2, 20, 12, 0, 0);

// The 32 bytes the console writes: the tag, then the record with every field set.
QByteArray FileBytes(QByteArray tag = QByteArray::fromHex("ed478ac8b08abf3f"))
{
    QByteArray record = QByteArray::fromHex("01 01 01 0e 00000000") + QByteArray(8, '\0');
    PutF64(record, 8, kLastCheck.Value());
    record += QByteArray::fromHex("01 01 000000000000");
    return tag + record;
}

QString WriteSettingsFile(const QByteArray& bytes)
{
    QFile file(EngineSettingsPath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
    return file.fileName();
}

QByteArray ReadSettingsFile()
{
    QFile file(EngineSettingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExpectEveryFieldSet(const EngineSettings& settings)
{
    EXPECT_EQ(settings.incomingCallHandler, EngineSettings::kHandlerOtherProgram);
    EXPECT_EQ(settings.addressBookSource, EngineSettings::kSourceAddressBook);
    EXPECT_EQ(settings.skipAddressBookSync, 1);
    EXPECT_EQ(settings.updateIntervalDays, EngineSettings::kCheckEveryTwoWeeks);
    EXPECT_EQ(settings.lastUpdateCheck, kLastCheck);
    EXPECT_EQ(settings.startOperatorConsole, 1);
    EXPECT_EQ(settings.ringSoundOff, 1);
}

TEST(EngineSettings, DefaultsCheckWeeklyFromTheStart)
{
    const EngineSettings settings(kCreated);
    EXPECT_EQ(settings.incomingCallHandler, EngineSettings::kHandlerTapiDriver);
    EXPECT_EQ(settings.addressBookSource, EngineSettings::kSourceOutlook);
    EXPECT_EQ(settings.skipAddressBookSync, 0);
    EXPECT_EQ(settings.updateIntervalDays, 7);
    EXPECT_EQ(settings.lastUpdateCheck, kCreated);
    EXPECT_EQ(settings.startOperatorConsole, 0);
    EXPECT_EQ(settings.ringSoundOff, 0);
}

TEST(EngineSettings, SavedFileIsTheTagAndTheRecordByteForByte)
{
    TempSuite suite(QStringLiteral("Pultex"));
    EXPECT_EQ(EngineSettingsPath(), suite.ProgramFolder() + QStringLiteral("PxCnf.ers"));
    EngineSettings settings(kCreated);
    settings.incomingCallHandler = 1;
    settings.addressBookSource = 1;
    settings.skipAddressBookSync = 1;
    settings.updateIntervalDays = 14;
    settings.lastUpdateCheck = kLastCheck;
    settings.startOperatorConsole = 1;
    settings.ringSoundOff = 1;
    ASSERT_EQ(SaveEngineSettings(settings), 1);
    EXPECT_EQ(ReadSettingsFile(), FileBytes());
}

TEST(EngineSettings, WholeFileLoadsWithResultOne)
{
    TempSuite suite(QStringLiteral("Pultex"));
    WriteSettingsFile(FileBytes());
    EngineSettings settings(kCreated);
    EXPECT_EQ(LoadEngineSettings(settings), 1);
    ExpectEveryFieldSet(settings);
}

TEST(EngineSettings, ForeignTagIsReadAllTheSame)
{
    TempSuite suite(QStringLiteral("Pultex"));
    WriteSettingsFile(FileBytes(QByteArray::fromHex("0000000000000040")));  // 2.0
    EngineSettings settings(kCreated);
    EXPECT_EQ(LoadEngineSettings(settings), 1);
    ExpectEveryFieldSet(settings);
}

TEST(EngineSettings, ShortFileLoadsWhatItHasAndIsRewrittenWithTheDefaultsAfterIt)
{
    TempSuite suite(QStringLiteral("Pultex"));
    QByteArray bytes = FileBytes();
    bytes[31] = 0x55;
    bytes[30] = 0x66;
    bytes.chop(1);  // 31 bytes: the record's last byte is missing
    WriteSettingsFile(bytes);
    EngineSettings settings(kCreated);
    EXPECT_EQ(LoadEngineSettings(settings), 0);
    ExpectEveryFieldSet(settings);

    // The start-up rewrites a file that did not load whole: 32 bytes, the 24th record byte from the
    // defaults (reserved, 0), and byte 30 (reserved) written as 0.
    ASSERT_EQ(SaveEngineSettings(settings), 1);
    const QByteArray rewritten = ReadSettingsFile();
    EXPECT_EQ(rewritten.size(), kEngineSettingsFileSize);
    EXPECT_EQ(rewritten, FileBytes());
}

TEST(EngineSettings, VeryShortFileKeepsTheLaterDefaults)
{
    TempSuite suite(QStringLiteral("Pultex"));
    WriteSettingsFile(FileBytes().left(10));  // the tag and two record bytes
    EngineSettings settings(kCreated);
    EXPECT_EQ(LoadEngineSettings(settings), 0);
    EXPECT_EQ(settings.incomingCallHandler, 1);
    EXPECT_EQ(settings.addressBookSource, 1);
    EXPECT_EQ(settings.skipAddressBookSync, 0);
    EXPECT_EQ(settings.updateIntervalDays, 7);
    EXPECT_EQ(settings.lastUpdateCheck, kCreated);
}

TEST(EngineSettings, LongFileLoadsTheRecordWithResultZero)
{
    TempSuite suite(QStringLiteral("Pultex"));
    WriteSettingsFile(FileBytes() + QByteArray("trailing"));
    EngineSettings settings(kCreated);
    EXPECT_EQ(LoadEngineSettings(settings), 0);
    ExpectEveryFieldSet(settings);
}

TEST(EngineSettings, MissingOrTaglessFileLeavesTheDefaults)
{
    TempSuite suite(QStringLiteral("Pultex"));
    for (const bool present : {false, true}) {
        if (present)
            WriteSettingsFile(QByteArray("\x01\x02\x03", 3));
        EngineSettings settings(kCreated);
        EXPECT_EQ(LoadEngineSettings(settings), 0);
        EXPECT_EQ(settings.incomingCallHandler, 0);
        EXPECT_EQ(settings.lastUpdateCheck, kCreated);
    }
}

TEST(EngineSettings, UnwritableFileGivesZero)
{
    // Below a device no folder can be made, not even by root (tests may run as root).
    EXPECT_EQ(SaveEngineSettings(EngineSettings(kCreated), QStringLiteral("/dev/null/folder/PxCnf.ers")), 0);
}

}  // namespace
