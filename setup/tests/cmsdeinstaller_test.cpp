#include "cmsdeinstaller.h"

#include "customactions.h"
#include "installersession.h"
#include "instanceslots.h"
#include "packageinstaller.h"
#include "productregistry.h"
#include "registrykey.h"
#include "setupprompt.h"
#include "setuptesting.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FakeInstaller : public PackageInstaller {
public:
    void EnableLog(const QString& path) override { logPath = path; }
    unsigned InstallProduct(const QString& packagePath, const QString& commandLine) override
    {
        installedPackage = packagePath;
        installedCommandLine = commandLine;
        packageExisted = QFileInfo(packagePath).isFile();
        return result;
    }
    unsigned result = 0;
    QString logPath, installedPackage, installedCommandLine;
    bool packageExisted = false;
};

class CountingPrompt : public SetupPrompt {
public:
    void ShowUsage() override { ++usage; }
    void ShowTooManyInstances() override { ++tooMany; }
    int usage = 0;
    int tooMany = 0;
};

class CMsdeInstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseLeakSuppressions();
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(TempFolder());
        qputenv("TMPDIR", QFile::encodeName(TempFolder()));
        QFile cabinet(Path(QStringLiteral("SqlRun.Cab")));
        ASSERT_TRUE(cabinet.open(QIODevice::WriteOnly));
        cabinet.write(QByteArray(70000, 'c'));  // several 260-byte reads and a short last one
        cabinet.close();
        ASSERT_TRUE(BuildInstancePackage(Path(QStringLiteral("SqlRun01.Msi"))));
    }
    void TearDown() override { qunsetenv("TMPDIR"); }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString TempFolder() const { return m_dir.filePath(QStringLiteral("tmp")); }
    QString SetupPackage(const QList<QPair<QString, QString>>& properties = {}, const QString& helper = HELPER_PROGRAM,
                         bool withCabinet = true)
    {
        const QString path = Path(QStringLiteral("setup.msi"));
        QFile::remove(path);
        EXPECT_TRUE(BuildSetupPackage(path, properties, withCabinet ? Path(QStringLiteral("SqlRun.Cab")) : QString(),
                                      Path(QStringLiteral("SqlRun01.Msi")), helper));
        return path;
    }
    unsigned RunInstall(InstallerSession& session)
    {
        return SVInstallMSDE2000(session, SetupServices{m_installer, m_prompt, m_registry});
    }
    bool Logged(const InstallerSession& session, const QString& text) const
    {
        for (const InstallerRecord& record : session.Records()) {
            if (record.text.contains(text))
                return true;
        }
        return false;
    }

    QTemporaryDir m_dir;
    TempSuite m_suite{QStringLiteral("SVMSDE2000Helper")};
    ProductRegistry m_registry;
    FakeInstaller m_installer;
    CountingPrompt m_prompt;
};

TEST_F(CMsdeInstallerTest, InstallsTheFirstFreeSlotWithTheHelpersRewrite)
{
    TakeSlots(m_registry, 1, 2);
    InstallerSession session(SetupPackage({{QStringLiteral("SAPWD"), QStringLiteral("s3cret pw")},
                                           {QStringLiteral("INSTANCENAME"), QStringLiteral("Hotel")}}),
                             {});
    EXPECT_EQ(RunInstall(session), 0u);
    const InstanceSlot& slot3 = InstanceSlotTable()[2];
    EXPECT_EQ(QFileInfo(m_installer.installedPackage).fileName(), QStringLiteral("SqlRun03.msi"));
    EXPECT_TRUE(m_installer.packageExisted);
    EXPECT_EQ(m_installer.installedCommandLine,
              QStringLiteral("REBOOT=ReallySuppress SAPWD=\"s3cret pw\" INSTANCENAME=Hotel "));
    EXPECT_EQ(m_installer.logPath, m_suite.SharedFolder() + QStringLiteral("MSDE2kLog.txt"));
    EXPECT_EQ(session.PropertiesSet(), (QList<QPair<QString, QString>>{{QStringLiteral("SVMSDE2KUNINST"), slot3.productCode}}));
    EXPECT_TRUE(Logged(session, QStringLiteral("SVMSDE2000 Object: ProductCode:%1 PackageCode:%2 FileName:SqlRun03.msi")
                                    .arg(slot3.productCode, slot3.packageCode)));
    EXPECT_TRUE(Logged(session, QStringLiteral("SVMSDE2000 Object:  Modifed Temp Package")));
    EXPECT_TRUE(Logged(session, QStringLiteral("SAPWD=********")));
    EXPECT_FALSE(Logged(session, QStringLiteral("s3cret")));
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList());
}

TEST_F(CMsdeInstallerTest, InstallerResultsAndFailures)
{
    const QString script = Path(QStringLiteral("failing-helper"));
    ASSERT_TRUE(WriteScript(script, QStringLiteral("exit 1")));
    const struct Case {
        const char* name;
        unsigned installerResult;
        int slotsTaken;
        bool withCabinet;
        bool failingHelper;
        unsigned result;
        const char* logged;
        const char* property;  // set besides SVMSDE2KUNINST, or none
    } cases[] = {
        {"reboot", 3010, 0, true, false, 0, " Value of Install Command Line: REBOOT=ReallySuppress", "SVMSDE2KREBOOTREQ"},
        {"install failure", 1603, 0, true, false, 1603, " Value of Install Command Line", nullptr},
        {"all slots taken", 0, 16, true, false, CMsdeInstaller::kFailed, "Failed to Get Valid MSDE 2000 Instance", nullptr},
        {"missing stream", 0, 0, false, false, CMsdeInstaller::kFailed,
         "Error SVMSDE2000.SqlRunCab.39438627_C68D_4d9f_9027_47DD3C239F98 Not found in _Streams table.  MSI Error: 259",
         nullptr},
        {"helper exit 1", 0, 0, true, true, CMsdeInstaller::kFailed, "Failed to Modify MSDE 2000 MSI File", nullptr},
    };
    for (const Case& c : cases) {
        QFile::remove(m_registry.IniFile());
        TakeSlots(m_registry, 1, c.slotsTaken);
        m_installer = FakeInstaller();
        m_installer.result = c.installerResult;
        m_prompt = CountingPrompt();
        InstallerSession session(SetupPackage({}, c.failingHelper ? script : QStringLiteral(HELPER_PROGRAM), c.withCabinet), {});
        EXPECT_EQ(RunInstall(session), c.result) << c.name;
        EXPECT_TRUE(Logged(session, QString::fromUtf8(c.logged))) << c.name;
        EXPECT_EQ(m_prompt.tooMany, c.slotsTaken == 16 ? 1 : 0) << c.name;
        const bool installed = c.result != CMsdeInstaller::kFailed;
        EXPECT_EQ(m_installer.installedPackage.isEmpty(), !installed) << c.name;
        if (c.property) {
            EXPECT_TRUE(session.PropertiesSet().contains(qMakePair(QString::fromUtf8(c.property), QStringLiteral("1"))))
                << c.name;
        }
        EXPECT_EQ(session.PropertiesSet().size(), (installed ? 1 : 0) + (c.property ? 1 : 0)) << c.name;
        EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList()) << c.name;
    }
}

TEST_F(CMsdeInstallerTest, Windows9xDefersTheInstallation)
{
    InstallerSession session(SetupPackage({{QStringLiteral("TARGETDIR"), QStringLiteral("/opt/engine")}}),
                             {{QStringLiteral("Version9X"), QStringLiteral("4.10")}});
    EXPECT_EQ(RunInstall(session), 0u);
    EXPECT_TRUE(m_installer.installedPackage.isEmpty());
    const RegistryKey key(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Setuvar\\ObjectSetups\\SVMSDE2000\\Temp"));
    EXPECT_EQ(key.ReadString(QStringLiteral("CmdLine")), QStringLiteral("REBOOT=ReallySuppress TARGETDIR=/opt/engine "));
    EXPECT_EQ(key.ReadString(QStringLiteral("MsiFile")), QStringLiteral("SqlRun01.Msi"));
    const QString deferred = key.ReadString(QStringLiteral("TempPath"));
    EXPECT_TRUE(deferred.endsWith(QStringLiteral("Temp9X")));
    EXPECT_EQ(key.ReadString(QStringLiteral("FileLoc")), deferred + QStringLiteral("/SqlRun01.Msi"));
    for (const char* name : {"SqlRun01.Msi", "SqlRun.Cab", "Helper.Exe"})
        EXPECT_TRUE(QFileInfo(deferred + u'/' + QString::fromLatin1(name)).isFile()) << name;
    // The work folder is gone; its deferred sibling stays for the later run.
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList{QFileInfo(deferred).fileName()});
}

TEST_F(CMsdeInstallerTest, CommandLinesFromThePropertyTable)
{
    const QString longValue(300, u'd');
    const struct Case {
        const char* name;
        QList<QPair<QString, QString>> table;
        QMap<QString, QString> session;
        QString commandLine;
    } cases[] = {
        {"empty SAPWD", {{"SAPWD", ""}, {"BLANKSAPWD", "1"}}, {}, "REBOOT=ReallySuppress BLANKSAPWD=1 "},
        {"DISABLEMSDE", {{"DISABLEMSDE", "0"}, {"COLLATION", "Latin1_General_CI_AS"}}, {},
         "REBOOT=ReallySuppress COLLATION=Latin1_General_CI_AS ARPNOREMOVE=1 "},
        {"upgrade ignored without MSDE 1.0", {{"UPGRADE", "1"}, {"UPGRADEUSER", "sa"}}, {}, "REBOOT=ReallySuppress "},
        {"upgrade with MSDE 1.0", {{"UPGRADE", "1"}, {"UPGRADEUSER", "sa"}, {"UPGRADEPWD", "pw"}}, {{"MSDE10INSTALLED", "1.0"}},
         "REBOOT=ReallySuppress UPGRADEPWD=pw UPGRADE=1 UPGRADEUSER=sa "},
        {"blank", {{"DATADIR", "/data/my engine"}}, {}, "REBOOT=ReallySuppress DATADIR=\"/data/my engine\" "},
        {"300 characters", {{"TARGETDIR", longValue}}, {}, "REBOOT=ReallySuppress TARGETDIR=" + longValue + u' '},
    };
    for (const Case& c : cases) {
        InstallerSession session(SetupPackage(c.table), c.session);
        CMsdeInstaller installer(session, m_installer, m_prompt, m_registry);
        QString commandLine;
        EXPECT_TRUE(installer.BuildInstallCommandLine(commandLine));
        EXPECT_EQ(commandLine, c.commandLine) << c.name;
    }
}

TEST_F(CMsdeInstallerTest, UninstallRunsTheInstallerFront)
{
    const QString front = Path(QStringLiteral("front"));
    QDir().mkpath(front);
    const QString record = Path(QStringLiteral("front.args"));
    ASSERT_TRUE(WriteScript(front + QStringLiteral("/MSIEXEC"), QStringLiteral("echo \"$@\" >> '%1'").arg(record)));
    InstallerSession noKey(Path(QStringLiteral("none.msi")), {{QStringLiteral("SVMSDE2KUNINSTALL"), QStringLiteral("{X}")}});
    EXPECT_EQ(SVUninstallMSDE2000(noKey, SetupServices{m_installer, m_prompt, m_registry}), 0u);
    EXPECT_TRUE(Logged(noKey, QStringLiteral(" Uninstall Key was not found")));

    m_registry.SetInstallerLocation(front);
    for (const QString& code : {QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}"), QString()}) {
        InstallerSession session(Path(QStringLiteral("none.msi")), {{QStringLiteral("SVMSDE2KUNINSTALL"), code}});
        EXPECT_EQ(SVUninstallMSDE2000(session, SetupServices{m_installer, m_prompt, m_registry}), 0u);
        EXPECT_TRUE(Logged(session, QStringLiteral(" Value of SVMSDE2KUNINSTALL: ") + code));
        EXPECT_TRUE(Logged(session, QStringLiteral(" Uninstall Command Line: %1/MSIEXEC /x%2 /qb").arg(front, code)));
    }
    QFile args(record);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(args.readAll(), QByteArray("/x{E09B48B5-E141-427A-AB0C-D3605127224A} /qb\n/x /qb\n"));
}

}  // namespace
