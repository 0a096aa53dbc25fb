#include "installationsettings.h"

#include "language.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using LoadResult = InstallationSettings::LoadResult;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExpectDefaults(const InstallationSettings& settings)
{
    EXPECT_TRUE(settings.ServerName().isEmpty());
    EXPECT_EQ(settings.InstallationMode(), InstallationSettings::kModeNotConfigured);
    EXPECT_EQ(settings.PbxIdentifier(), 0);
    EXPECT_EQ(settings.AssociatedExtension(), 0);
    EXPECT_EQ(settings.Language(), 0);
    EXPECT_EQ(settings.Protection(), InstallationSettings::kProtectionAdministrator);
    EXPECT_TRUE(settings.AccessPassword().IsEmpty());
    EXPECT_EQ(settings.Database(), DatabaseSettings());
}

TEST(InstallationSettings, StoreLiesInTheSharedFolder)
{
    TempSuite suite;
    EXPECT_EQ(InstallationSettings::DefaultStorePath(), suite.SharedFolder() + QStringLiteral("Installation.ini"));
    EXPECT_EQ(DatabaseSettings::DefaultSqliteFile(), suite.SuiteFolder() + QStringLiteral("Data/Corvanti.sqlite"));
}

TEST(InstallationSettings, MissingStoreOnTheFirstStartLoadsDefaults)
{
    TempSuite suite;
    InstallationSettings settings;
    EXPECT_EQ(settings.Load(), LoadResult::FirstStart);
    EXPECT_TRUE(settings.IsLoaded());
    ExpectDefaults(settings);
    EXPECT_TRUE(settings.NeedsSetupWizard());

    // So the wizard's choices can be saved, and the next start is an ordinary one.
    settings.SetInstallationMode(InstallationSettings::kModeServer);
    ASSERT_TRUE(settings.Save());
    InstallationSettings next;
    EXPECT_EQ(next.Load(), LoadResult::Loaded);
    EXPECT_EQ(next.InstallationMode(), InstallationSettings::kModeServer);
    EXPECT_FALSE(next.NeedsSetupWizard());
    EXPECT_TRUE(next.IsServerStation());
}

TEST(InstallationSettings, SaveKeepsEveryField)
{
    TempSuite suite;
    InstallationSettings settings;
    settings.Load();
    settings.SetServerName(QStringLiteral("RECEPTION-PC; \"front\" = desk"));
    settings.SetInstallationMode(InstallationSettings::kModeClient);
    settings.SetPbxIdentifier(3);
    settings.SetAssociatedExtension(254);
    settings.SetLanguage(2);
    settings.SetProtection(InstallationSettings::kProtectionUser);
    ASSERT_TRUE(settings.SetAccessPassword(QStringLiteral("Pa55word")));
    DatabaseSettings database;
    database.backend = DatabaseSettings::Backend::PostgreSql;
    database.file = QStringLiteral("/var/lib/corvanti/Corvanti.sqlite");
    database.host = QStringLiteral("/tmp/pg");
    database.port = 6543;
    database.user = QStringLiteral("corvanti");
    database.password = QStringLiteral("db secret");
    database.catalog = QStringLiteral("corvanti_branch");
    settings.SetDatabase(database);
    ASSERT_TRUE(settings.Save());

    const QByteArray stored = ReadFile(InstallationSettings::DefaultStorePath());
    EXPECT_TRUE(stored.contains("[Database]"));
    EXPECT_TRUE(stored.contains("Backend=postgresql"));
    EXPECT_TRUE(stored.contains("Catalog=corvanti_branch"));
    EXPECT_FALSE(stored.contains("Pa55word"));
    EXPECT_TRUE(stored.contains("AccessPasswordIterations=" + QByteArray::number(SaltedPassword::IterationsForNewPasswords())));

    InstallationSettings loaded;
    ASSERT_EQ(loaded.Load(), LoadResult::Loaded);
    EXPECT_EQ(loaded.ServerName(), settings.ServerName());
    EXPECT_EQ(loaded.InstallationMode(), InstallationSettings::kModeClient);
    EXPECT_EQ(loaded.GetAssociatedPbx(), 3);
    EXPECT_EQ(loaded.AssociatedExtension(), 254);
    EXPECT_EQ(loaded.Language(), 2);
    EXPECT_EQ(loaded.Protection(), InstallationSettings::kProtectionUser);
    EXPECT_TRUE(loaded.CheckAccessPassword(QStringLiteral("Pa55word")));
    EXPECT_FALSE(loaded.CheckAccessPassword(QStringLiteral("pa55word")));
    EXPECT_EQ(loaded.AccessPassword(), settings.AccessPassword());
    EXPECT_EQ(loaded.Database(), database);
}

TEST(InstallationSettings, HandWrittenStoreWithMissingKeysKeepsTheirDefaults)
{
    TempSuite suite;
    WriteFile(InstallationSettings::DefaultStorePath(),
              "[Installation]\nMode=2\nServerName=SERVER\n[Database]\nBackend=PostgreSQL\nHost=db.local\n");
    InstallationSettings settings;
    ASSERT_EQ(settings.Load(), LoadResult::Loaded);
    EXPECT_EQ(settings.InstallationMode(), InstallationSettings::kModeClient);
    EXPECT_EQ(settings.ServerName(), QStringLiteral("SERVER"));
    EXPECT_EQ(settings.Language(), 0);
    EXPECT_EQ(settings.Database().backend, DatabaseSettings::Backend::PostgreSql);
    EXPECT_EQ(settings.Database().port, DatabaseSettings::kDefaultPostgresPort);
}

TEST(InstallationSettings, LanguageThreeOrMoreIsKeptAndBehavesAsItalian)
{
    for (const int language : {3, 255}) {
        TempSuite suite;
        WriteFile(InstallationSettings::DefaultStorePath(), "[Installation]\nLanguage=" + QByteArray::number(language) + "\n");
        InstallationSettings settings;
        ASSERT_EQ(settings.Load(), LoadResult::Loaded);
        EXPECT_EQ(settings.Language(), language);
        SetLanguage(settings.Language());
        EXPECT_FALSE(IsEnglish());
    }
    SetLanguage(kLanguageItalian);
}

TEST(InstallationSettings, DamagedStoreIsReportedReplacedByDefaultsAndKeptAside)
{
    const QByteArray longName(200, 'N');
    const QByteArray damaged[] = {
        QByteArray("\x01\x02\xff binary\n[Installation\nrubbish\n", 31),
        "[Installation]\nMode=abc\n",
        "[Installation]\nMode=256\n",
        "[Installation]\nLanguage=-1\n",
        "[Installation]\nServerName=" + longName + "\n",
        "[Installation]\nAccessPasswordSalt=00\nAccessPasswordHash=11\n",
        "[Installation]\nAccessPasswordIterations=many\n",
        "[Installation]\nAccessPasswordIterations=-5\n",
        "[Database]\nBackend=oracle\n",
        "[Database]\nPort=70000\n",
    };
    for (const QByteArray& content : damaged) {
        SCOPED_TRACE(content.toStdString());
        TempSuite suite;
        const QString path = InstallationSettings::DefaultStorePath();
        WriteFile(path, "[Installation]\nMode=1\nPbxIdentifier=2\n" + content);

        InstallationSettings settings;
        EXPECT_EQ(settings.Load(), LoadResult::Damaged);
        EXPECT_TRUE(settings.IsLoaded());
        EXPECT_FALSE(settings.LoadProblem().isEmpty());
        ExpectDefaults(settings);

        ASSERT_TRUE(settings.Save());
        EXPECT_EQ(ReadFile(path + QStringLiteral(".damaged")), "[Installation]\nMode=1\nPbxIdentifier=2\n" + content);
        InstallationSettings next;
        EXPECT_EQ(next.Load(), LoadResult::Loaded);
    }
}

TEST(InstallationSettings, UnreadableStoreIsNotLoadedAndReadsAsAnUnnamedClient)
{
    TempSuite suite;
    ASSERT_TRUE(QDir().mkpath(InstallationSettings::DefaultStorePath()));  // a folder where the file should be
    InstallationSettings settings;
    EXPECT_EQ(settings.Load(), LoadResult::Unreadable);
    EXPECT_FALSE(settings.IsLoaded());

    settings.SetServerName(QStringLiteral("SERVER"));
    settings.SetInstallationMode(InstallationSettings::kModeServer);
    settings.SetPbxIdentifier(2);
    settings.SetAssociatedExtension(7);
    settings.SetLanguage(2);
    EXPECT_TRUE(settings.ServerName().isEmpty());
    EXPECT_EQ(settings.InstallationMode(), InstallationSettings::kModeNotLoaded);
    EXPECT_FALSE(settings.NeedsSetupWizard());
    EXPECT_FALSE(settings.IsServerStation());
    EXPECT_EQ(settings.GetAssociatedPbx(), 0);
    EXPECT_EQ(settings.AssociatedExtension(), 0);
    EXPECT_EQ(settings.Language(), 2);  // read as stored
}

TEST(InstallationSettings, DefaultPasswordOpensUntilOneIsStored)
{
    InstallationSettings settings(QStringLiteral("/nonexistent/Installation.ini"));
    EXPECT_TRUE(settings.CheckAccessPassword(QStringLiteral("Tamp5830")));
    EXPECT_FALSE(settings.CheckAccessPassword(QStringLiteral("tamp5830")));
    EXPECT_FALSE(settings.CheckAccessPassword(QString()));

    ASSERT_TRUE(settings.SetAccessPassword(QStringLiteral("12345678")));
    EXPECT_TRUE(settings.CheckAccessPassword(QStringLiteral("12345678")));
    EXPECT_FALSE(settings.CheckAccessPassword(QStringLiteral("Tamp5830")));

    EXPECT_FALSE(settings.SetAccessPassword(QStringLiteral("123456789")));  // the record holds at most 8
    EXPECT_TRUE(settings.CheckAccessPassword(QStringLiteral("12345678")));

    ASSERT_TRUE(settings.SetAccessPassword(QString()));
    EXPECT_TRUE(settings.CheckAccessPassword(QStringLiteral("Tamp5830")));
}

TEST(InstallationSettings, ServerNameIsCutTo199Characters)
{
    TempSuite suite;
    InstallationSettings settings;
    settings.Load();
    settings.SetServerName(QString(250, u'S'));
    EXPECT_EQ(settings.ServerName().size(), InstallationSettings::kServerNameMaxLength);
}

}  // namespace
