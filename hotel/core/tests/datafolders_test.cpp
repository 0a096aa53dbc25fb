#include "datafolders.h"

#include "installationsettings.h"
#include "registrykey.h"
#include "suitelocation.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

// A suite tree of its own, with the hotel program in <suite>/Lodgix/Lodgix.
class DataFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_suite.isValid());
        QDir(m_suite.path()).mkpath(QStringLiteral("Shared"));
        SetProgramFilePath(m_suite.filePath(QStringLiteral("Lodgix/Lodgix")));
    }
    void TearDown() override { SetProgramFilePath(QString()); }

    QString Suite() const { return m_suite.path() + u'/'; }

    InstallationSettings Installation(std::uint8_t mode)
    {
        InstallationSettings settings(m_suite.filePath(QStringLiteral("Shared/Installation.ini")));
        settings.Load();
        settings.SetInstallationMode(mode);
        settings.SetServerName(QStringLiteral("frontdesk"));
        return settings;
    }

    QStringList SetUpFolders(const InstallationSettings& settings)
    {
        QStringList warnings;
        SetupSharedDataFolder(settings, [&](const QString& text) { warnings << text; });
        return warnings;
    }

    static void SetRegistry(const char* name, const QString& value)
    {
        ASSERT_TRUE(RegistryKey(QStringLiteral("Lodgix")).WriteString(QLatin1String(name), value));
    }

private:
    QTemporaryDir m_suite;
};

TEST_F(DataFoldersTest, TheServerKeepsItsDocumentsInItsLocalFolder)
{
    for (const std::uint8_t mode : {InstallationSettings::kModeServer, InstallationSettings::kModeSimulation}) {
        const InstallationSettings settings = Installation(mode);
        EXPECT_EQ(GetLocalDataFolder(), Suite() + QStringLiteral("Data/Lodgix/"));
        EXPECT_EQ(GetDataFolder(settings), GetLocalDataFolder());
        EXPECT_TRUE(SetUpFolders(settings).isEmpty());
        EXPECT_TRUE(QFileInfo(GetLocalDataFolder()).isDir());
    }
    SetRegistry("LocalDataFolder", Suite() + QStringLiteral("Documenti"));
    EXPECT_EQ(GetDataFolder(Installation(InstallationSettings::kModeServer)), Suite() + QStringLiteral("Documenti/"));
}

TEST_F(DataFoldersTest, AClientUsesTheMountedServerFolderAndWarnsOnceWhenItIsMissing)
{
    const InstallationSettings client = Installation(InstallationSettings::kModeClient);
    EXPECT_EQ(GetDataFolder(client), QStringLiteral("/mnt/frontdesk/LodgixAdmin/"));

    const QString mounted = Suite() + QStringLiteral("mnt/frontdesk/LodgixAdmin");
    SetRegistry("ServerDataFolder", mounted);
    EXPECT_EQ(GetDataFolder(client), mounted + u'/');
    const QStringList missing = SetUpFolders(client);
    ASSERT_EQ(missing.size(), 1);
    EXPECT_TRUE(missing.first().startsWith(QStringLiteral("Impossibile connettersi con le risorse condivise")));
    EXPECT_TRUE(QFileInfo(GetLocalDataFolder()).isDir());  // made in any case

    ASSERT_TRUE(QDir().mkpath(mounted));
    EXPECT_TRUE(SetUpFolders(client).isEmpty());
    EXPECT_EQ(GetDataFolder(client), mounted + u'/');
}

TEST_F(DataFoldersTest, AnUnconfiguredWorkstationKnowsNoServer)
{
    const InstallationSettings settings = Installation(InstallationSettings::kModeNotConfigured);
    EXPECT_EQ(GetDataFolder(settings), QStringLiteral("/mnt//LodgixAdmin/"));
    EXPECT_EQ(SetUpFolders(settings).size(), 1);
}

}  // namespace
}  // namespace lodgix
