// The updater's decisions without a server: which patch names count, which patch is chosen, how the
// installed version is read, the settings file and the download's progress figures.
#include "installedversion.h"
#include "patchcatalog.h"
#include "patchdownload.h"
#include "registrykey.h"
#include "tempsuite.h"
#include "updatesettings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <ostream>
#include <vector>

namespace {

struct Listed {
    const char* name;
    std::int64_t size;
};

struct ChoiceCase {
    const char* title;
    std::vector<Listed> folder;
    PatchVersion installed;
    std::optional<PatchVersion> expected;
    bool anotherSeriesFollows;
    std::int64_t expectedSize;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.title; }

class PatchChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(PatchChoice, ChoosesTheNewestBuildOfThisSeriesOrTheNextSeries)
{
    const ChoiceCase& c = GetParam();
    PatchCatalog catalog;
    for (const Listed& entry : c.folder)
        catalog.Offer(QString::fromLatin1(entry.name), entry.size);
    const auto choice = catalog.Choose(c.installed);
    ASSERT_EQ(choice.has_value(), c.expected.has_value());
    if (!choice)
        return;
    EXPECT_EQ(choice->version.series, c.expected->series);
    EXPECT_EQ(choice->version.build, c.expected->build);
    EXPECT_EQ(choice->size, c.expectedSize);
    EXPECT_EQ(choice->anotherSeriesFollows, c.anotherSeriesFollows);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, PatchChoice,
    ::testing::Values(
        ChoiceCase{"installed build is the newest of its series: the next series", {{"Refresko00010023.exe", 10}, {"Refresko00020001.exe", 20}}, {1, 23}, PatchVersion{2, 1}, false, 20},
        ChoiceCase{"newer build of this series while the next exists: asks to repeat", {{"Refresko00010007.exe", 70}, {"Refresko00020001.exe", 20}}, {1, 5}, PatchVersion{1, 7}, true, 70},
        ChoiceCase{"highest build of a series wins, with its own size", {{"Refresko00010006.exe", 60}, {"Refresko00010009.exe", 90}, {"Refresko00010008.exe", 80}}, {1, 5}, PatchVersion{1, 9}, false, 90},
        ChoiceCase{"nothing newer", {{"Refresko00010005.exe", 50}, {"Refresko00000009.exe", 9}}, {1, 5}, std::nullopt, false, 0},
        ChoiceCase{"series two ahead is not offered", {{"Refresko00030001.exe", 30}}, {1, 5}, std::nullopt, false, 0},
        ChoiceCase{"empty folder", {}, {1, 1}, std::nullopt, false, 0},
        ChoiceCase{"one character more is ignored", {{"Refresko000100070.exe", 70}, {"XRefresko00010007.exe", 70}}, {1, 5}, std::nullopt, false, 0},
        ChoiceCase{"letters or signs among the digits are ignored", {{"Refresko0001000a.exe", 1}, {"Refresko 0010007.exe", 1}, {"Refresko-0010007.exe", 1}, {"Refresko0001+007.exe", 1}}, {1, 5}, std::nullopt, false, 0},
        ChoiceCase{"both parts somewhere else in a name of the same length are ignored", {{"0001Refresko0007.exe", 1}, {"Refresko.exe00010007", 1}}, {1, 5}, std::nullopt, false, 0},
        ChoiceCase{"series 1024 and above are ignored", {{"Refresko10240001.exe", 1}, {"Refresko99990001.exe", 1}}, {1023, 1}, std::nullopt, false, 0},
        ChoiceCase{"series 1023 has no next series", {{"Refresko10230009.exe", 5}}, {1023, 1}, PatchVersion{1023, 9}, false, 5},
        ChoiceCase{"from series 1022 the next is 1023", {{"Refresko10230001.exe", 5}}, {1022, 4}, PatchVersion{1023, 1}, false, 5},
        ChoiceCase{"an installed series past the table finds nothing", {{"Refresko00010009.exe", 5}}, {4000, 1}, std::nullopt, false, 0}));

TEST(PatchName, FileNameAndRemotePathHaveFourDigitsEach)
{
    EXPECT_EQ(PatchFileName({2, 17}), QStringLiteral("Refresko00020017.exe"));
    EXPECT_EQ(PatchRemotePath({1023, 9999}), QStringLiteral("Pezzola/Refresko10239999.exe"));
    const auto parsed = ParsePatchName(QStringLiteral("Refresko10239999.exe"));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->series, 1023);
    EXPECT_EQ(parsed->build, 9999);
}

struct VersionCase {
    const char* text;
    std::uint16_t series;
    std::uint16_t build;
    bool result;
};

TEST(DisplayVersion, OneDotTwoDotsNoneAndNumbersTooLarge)
{
    const VersionCase cases[] = {
        {"2.4.31", 4, 31, true},
        {"2.4", 4, 5, false},           // one dot: the series changes, the build stays
        {"2.4.", 4, 0, true},           // nothing after the second dot reads as 0
        {"24", 1, 5, false},            // no dot: nothing changes
        {"", 1, 5, false},
        {"2.7x.9b", 7, 9, true},        // numbers end at the first non-digit
        {"2.65536.3", 1, 5, false},     // a series past 16 bits changes nothing
        {"2.3.70000", 1, 5, false},     // nor does such a build
        {"2.65535.65535", 65535, 65535, true},
    };
    for (const VersionCase& c : cases) {
        std::uint16_t series = 1;
        std::uint16_t build = 5;
        EXPECT_EQ(ApplyDisplayVersion(QString::fromLatin1(c.text), series, build), c.result) << c.text;
        EXPECT_EQ(series, c.series) << c.text;
        EXPECT_EQ(build, c.build) << c.text;
    }
}

TEST(DisplayVersion, IsReadFromTheSuitesUninstallKey)
{
    TempSuite suite(QStringLiteral("Refresko"));
    UpdateSettings settings;
    EXPECT_FALSE(ReadInstalledVersion(settings));
    EXPECT_EQ(settings.series, 1);
    ASSERT_TRUE(RegistryKey(kSuiteUninstallKey).WriteString(kDisplayVersionValue, QStringLiteral("3.12.40")));
    EXPECT_TRUE(ReadInstalledVersion(settings));
    EXPECT_EQ(settings.series, 12);
    EXPECT_EQ(settings.build, 40);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

TEST(UpdateSettingsFile, RoundTripsByteForByteWithEveryFieldAtItsOffset)
{
    TempSuite suite(QStringLiteral("Refresko"));
    UpdateSettings settings;
    settings.userAgent = QStringLiteral("Agente è");
    settings.connectionType = 1;
    settings.ftpMode = 1;
    settings.proxyServer = QStringLiteral("proxy.local:8080");
    settings.proxyUser = QStringLiteral("ospite");
    settings.proxyPassword = QStringLiteral("segreta");
    settings.proxyServerPort = 2121;
    settings.series = 0x0102;
    settings.build = 0xFFFE;
    ASSERT_TRUE(SaveUpdateSettings(settings));
    const QByteArray bytes = ReadFile(UpdateSettingsPath());
    ASSERT_EQ(bytes.size(), 524);
    EXPECT_EQ(bytes.first(4), QByteArray::fromHex("67224356"));
    EXPECT_EQ(bytes.mid(4, 9), QByteArray("Agente \xE8\0", 9));
    EXPECT_EQ(bytes[132], 1);
    EXPECT_EQ(bytes[133], 1);
    EXPECT_EQ(bytes.mid(134, 17), QByteArray("proxy.local:8080\0", 17));
    EXPECT_EQ(bytes.mid(262, 7), QByteArray("ospite\0", 7));
    EXPECT_EQ(bytes.mid(390, 8), QByteArray("segreta\0", 8));
    EXPECT_EQ(bytes.mid(518, 6), QByteArray::fromHex("4908" "0201" "feff"));

    UpdateSettings loaded;
    ASSERT_TRUE(LoadUpdateSettings(loaded));
    EXPECT_EQ(loaded.Encode(), bytes);
    EXPECT_EQ(loaded.userAgent, settings.userAgent);
    EXPECT_EQ(loaded.build, 0xFFFE);
}

TEST(UpdateSettingsFile, DefaultsAndRefusedFiles)
{
    TempSuite suite(QStringLiteral("Refresko"));
    const QByteArray defaults = UpdateSettings().Encode();
    EXPECT_EQ(defaults.mid(4, 28), QByteArray("Microsoft Internet Explorer\0", 28));
    EXPECT_EQ(defaults.mid(132, 2), QByteArray(2, '\0'));
    EXPECT_EQ(defaults.mid(518, 6), QByteArray::fromHex("0000" "0100" "0100"));

    UpdateSettings changed;
    changed.series = 9;
    QByteArray wrongMagic = changed.Encode();
    wrongMagic[3] = 0x57;
    const QByteArray cases[] = {changed.Encode().first(523), wrongMagic, changed.Encode() + '\0'};
    for (const QByteArray& bytes : cases) {
        ASSERT_TRUE(WriteFile(UpdateSettingsPath(), bytes));
        UpdateSettings settings;
        EXPECT_FALSE(LoadUpdateSettings(settings)) << bytes.size();
        EXPECT_EQ(settings.Encode(), defaults);
    }
    QFile::remove(UpdateSettingsPath());
    UpdateSettings settings;
    EXPECT_FALSE(LoadUpdateSettings(settings));
}

TEST(DownloadProgress, SixtyFourBitArithmeticNeverPastNinety)
{
    constexpr std::int64_t kMegabyte = 1024 * 1024;
    EXPECT_EQ(DownloadProgressPercent(0, 0), 10);
    EXPECT_EQ(DownloadProgressPercent(4096, 0), 10);  // a listed size of 0 divides nothing
    EXPECT_EQ(DownloadProgressPercent(0, 100), 10);
    EXPECT_EQ(DownloadProgressPercent(50, 100), 50);
    EXPECT_EQ(DownloadProgressPercent(100, 100), 90);
    EXPECT_EQ(DownloadProgressPercent(4096, 100), 90);  // more than listed stays at 90
    // Past 26 MB k x 327,680 no longer fitted 32 bits.
    EXPECT_EQ(DownloadProgressPercent(30 * kMegabyte, 40 * kMegabyte), 70);
    EXPECT_EQ(DownloadProgressPercent(3 * 1024 * kMegabyte, 4 * 1024 * kMegabyte), 70);
    EXPECT_EQ(WholeKilobytes(5 * 1024 * kMegabyte + 1023), 5 * 1024 * 1024);
    EXPECT_EQ(KilobyteCounter(2047, 5 * 1024 * kMegabyte), QStringLiteral(" 1 / 5242880 KB..."));
}

TEST(PatchFolder, OnlyAFolderNobodyElseCanWriteRunsPatches)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Shared"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QFileDevice::Permissions mine = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
        | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    struct Case {
        QFileDevice::Permissions permissions;
        bool expected;
    };
    for (const Case c : {Case{mine, true}, Case{mine | QFileDevice::WriteGroup, false}, Case{mine | QFileDevice::WriteOther, false}}) {
        ASSERT_TRUE(QFile::setPermissions(folder, c.permissions));
        EXPECT_EQ(IsFolderWritableOnlyByUser(folder), c.expected) << c.permissions.toInt();
    }
    EXPECT_FALSE(IsFolderWritableOnlyByUser(dir.filePath(QStringLiteral("missing"))));
}

}  // namespace
