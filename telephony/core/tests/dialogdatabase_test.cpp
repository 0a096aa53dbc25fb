#include "dialogdatabase.h"

#include "computername.h"
#include "databasesettings.h"
#include "dbtest.h"
#include "installationsettings.h"

#include <QTemporaryDir>

namespace {

// The installation store as the programs read it: written, then loaded.
InstallationSettings Installation(std::uint8_t mode, const DatabaseSettings& database = {})
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Installation.ini"));
    InstallationSettings written(path);
    written.SetInstallationMode(mode);
    written.SetServerName(QStringLiteral("CENTRALINO"));
    written.SetDatabase(database);
    EXPECT_TRUE(written.Save());
    InstallationSettings installation(path);
    installation.Load();
    return installation;
}

TEST(DialogDatabase, ServerByInstallationMode)
{
    const struct {
        std::uint8_t mode;
        std::optional<QString> server;
    } cases[] = {
        {InstallationSettings::kModeNotConfigured, std::nullopt},
        {InstallationSettings::kModeServer, ComputerName()},
        {InstallationSettings::kModeClient, QStringLiteral("CENTRALINO")},
        {InstallationSettings::kModeReconfigure, std::nullopt},
        {InstallationSettings::kModeSimulation, ComputerName()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatabaseServerFor(Installation(c.mode)), c.server) << int(c.mode);
    EXPECT_EQ(DatabaseServerFor(InstallationSettings(QStringLiteral("/nonexistent/Installation.ini"))), std::nullopt);
}

class DialogDatabaseTest : public DbTest {};

TEST_P(DialogDatabaseTest, ConnectsInModesOneToFourButThree)
{
    StartEngineDatabaseWithPbx(0, QStringLiteral("PBX1"));
    DatabaseSettings settings;
    if (GetParam() == DbBackend::kPostgres) {
        settings.backend = DatabaseSettings::Backend::PostgreSql;
        settings.host = Parameters().host;
        settings.port = Parameters().port;
        settings.user = Parameters().user;
        settings.password = Parameters().password;
        settings.catalog = Parameters().database;
    } else {
        settings.file = Parameters().file;
    }
    const struct {
        std::uint8_t mode;
        int code;
    } cases[] = {{1, kNoError}, {2, kNoError}, {3, kNoDialogDatabaseServer}, {4, kNoError}, {0, kNoDialogDatabaseServer}};
    for (const auto& c : cases) {
        CSqlDatabase database;
        EXPECT_EQ(ConnectDialogDatabase(database, Installation(c.mode, settings)), c.code) << int(c.mode);
        EXPECT_EQ(database.IsOpen(), c.code == kNoError);
        EXPECT_EQ(database.PbxCount(), c.code == kNoError ? 1 : 0);
    }
}

INSTANTIATE_DB_TEST(DialogDatabaseTest);

}  // namespace
