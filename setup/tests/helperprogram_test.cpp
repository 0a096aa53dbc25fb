#include "helperprogram.h"

#include "instanceslots.h"
#include "localpackageinstaller.h"
#include "msipackage.h"
#include "productregistry.h"
#include "setuplog.h"
#include "setupprompt.h"
#include "setuptesting.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class CountingPrompt : public SetupPrompt {
public:
    void ShowUsage() override { ++usage; }
    void ShowTooManyInstances() override { ++tooMany; }
    int usage = 0;
    int tooMany = 0;
};

QString ProductCodeOf(const QString& package)
{
    const auto opened = MsiPackage::Open(package, MsiPackage::Mode::ReadOnly);
    return opened ? opened->PropertyValue(QStringLiteral("ProductCode")).value_or(QString()) : QString();
}

QString PackageCodeOf(const QString& package)
{
    const auto opened = MsiPackage::Open(package, MsiPackage::Mode::ReadOnly);
    return opened ? opened->RevisionNumber() : QString();
}

class HelperProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(TempFolder());
        qputenv("TMPDIR", QFile::encodeName(TempFolder()));
        ASSERT_TRUE(BuildInstancePackage(Package()));
        QFile cabinet(m_suite.ProgramFolder() + QStringLiteral("SqlRun.Cab"));
        ASSERT_TRUE(cabinet.open(QIODevice::WriteOnly));
        cabinet.close();
        QFile ini(m_suite.ProgramFolder() + QStringLiteral("Setup.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Options]\r\nINSTANCENAME=Hotel\r\nSECURITYMODE=SQL\r\n");
        m_installer.SetHiddenProperties(HiddenSetupProperties());
    }
    void TearDown() override { qunsetenv("TMPDIR"); }

    QString TempFolder() const { return m_dir.filePath(QStringLiteral("tmp")); }
    QString Package() const { return m_suite.ProgramFolder() + QStringLiteral("SqlRun01.Msi"); }
    int Run(const QString& commandLine) { return m_helper.Run(commandLine, m_suite.ProgramFolder()); }

    QTemporaryDir m_dir;
    TempSuite m_suite{QStringLiteral("Helper")};
    ProductRegistry m_registry;
    LocalPackageInstaller m_installer{m_registry, m_suite.SuiteFolder() + QStringLiteral("Installer/")};
    CountingPrompt m_prompt;
    HelperProgram m_helper{m_prompt, m_installer, m_registry};
};

TEST_F(HelperProgramTest, RewriteModeAndUsage)
{
    const QString folder = m_dir.filePath(QStringLiteral("with blank"));
    QDir().mkpath(folder);
    const QString copy = folder + QStringLiteral("/SqlRun01.Msi");
    ASSERT_TRUE(QFile::copy(Package(), copy));
    const InstanceSlot& slot15 = InstanceSlotTable()[14];
    const QString line = QStringLiteral("/F \"%1\" /P %2 /K %3").arg(copy, InstanceSlotTable()[0].productCode, slot15.packageCode);
    EXPECT_EQ(Run(line), 0);
    EXPECT_EQ(ProductCodeOf(copy), InstanceSlotTable()[0].productCode);
    EXPECT_EQ(PackageCodeOf(copy), slot15.packageCode);

    EXPECT_EQ(Run(QStringLiteral("/f \"%1\" /p %2").arg(copy, slot15.productCode)), 0);
    EXPECT_EQ(ProductCodeOf(copy), slot15.productCode);
    EXPECT_EQ(PackageCodeOf(copy), slot15.packageCode);

    EXPECT_EQ(Run(QStringLiteral("/F %1 /P %2").arg(m_dir.filePath(QStringLiteral("none.msi")), slot15.productCode)), 1);
    EXPECT_EQ(Run(QStringLiteral("/?  /F x")), 0);
    EXPECT_EQ(m_prompt.usage, 1);
    EXPECT_FALSE(m_registry.IsProductRegistered(slot15.productCode));
}

// As the read-only attribute on Windows, the owner's write bit decides, also for root.
TEST_F(HelperProgramTest, RewriteKeepsTheModeAndRefusesAReadOnlyPackage)
{
    const InstanceSlot& slot2 = InstanceSlotTable()[1];
    const QString line = QStringLiteral("/F \"%1\" /P %2 /K %3").arg(Package(), slot2.productCode, slot2.packageCode);
    const QByteArray file = QFile::encodeName(Package());
    const auto contents = [&] {
        QFile package(Package());
        return package.open(QIODevice::ReadOnly) ? package.readAll() : QByteArray();
    };
    for (const mode_t mode : {0444, 0400, 0044}) {
        ASSERT_EQ(::chmod(file.constData(), mode), 0);
        const QByteArray before = contents();
        EXPECT_EQ(Run(line), 1) << std::oct << mode;
        EXPECT_EQ(contents(), before);
        struct stat status {};
        ASSERT_EQ(::stat(file.constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode);
    }
    ASSERT_EQ(::chmod(file.constData(), 0640), 0);
    EXPECT_EQ(Run(line), 0);
    EXPECT_EQ(ProductCodeOf(Package()), slot2.productCode);
    EXPECT_EQ(PackageCodeOf(Package()), slot2.packageCode);
    struct stat status {};
    ASSERT_EQ(::stat(file.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(HelperProgramTest, StandAloneInstallsIntoTheFreeSlot)
{
    // Fresh: slot 1 in place.
    EXPECT_EQ(Run(QStringLiteral("/S pw")), 0);
    const InstanceSlot& slot1 = InstanceSlotTable()[0];
    EXPECT_EQ(m_registry.RegisteredPackageCode(slot1.productCode), slot1.packageCode);
    EXPECT_EQ(m_registry.RegisteredInstance(slot1.productCode), QStringLiteral("Hotel"));
    QFile log(m_suite.SharedFolder() + QStringLiteral("MSDE2kLog.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray logText = log.readAll();
    EXPECT_TRUE(logText.contains("INSTANCENAME=Hotel SECURITYMODE=SQL SAPWD=********")) << logText.constData();

    // The instance exists: nothing without /R, the same slot again with it.
    EXPECT_EQ(Run(QString()), 0);
    m_registry.UnregisterProduct(slot1.productCode);
    EXPECT_EQ(Run(QString()), 0);
    EXPECT_FALSE(m_registry.IsProductRegistered(slot1.productCode));
    EXPECT_EQ(Run(QStringLiteral("/R")), 0);
    EXPECT_TRUE(m_registry.IsProductRegistered(slot1.productCode));
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList());
}

TEST_F(HelperProgramTest, StandAloneCopiesForAnotherSlotOrAReadOnlyPackage)
{
    TakeSlots(m_registry, 1, 1);
    const QByteArray original = [&] {
        QFile file(Package());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    EXPECT_EQ(Run(QString()), 0);
    const InstanceSlot& slot2 = InstanceSlotTable()[1];
    EXPECT_EQ(m_registry.RegisteredPackageCode(slot2.productCode), slot2.packageCode);
    QFile unchanged(Package());
    ASSERT_TRUE(unchanged.open(QIODevice::ReadOnly));
    EXPECT_EQ(unchanged.readAll(), original);
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList());

    // Slot 1 free again but the package read-only: a rewritten copy is installed.
    QFile::remove(m_registry.IniFile());
    ASSERT_TRUE(QFile::setPermissions(Package(), QFile::ReadOwner));
    EXPECT_EQ(Run(QString()), 0);
    EXPECT_TRUE(m_registry.IsProductRegistered(InstanceSlotTable()[0].productCode));
    EXPECT_EQ(QFileInfo(Package()).permissions() & QFile::WriteOwner, 0);
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList());
}

TEST_F(HelperProgramTest, StandAloneWithAllSlotsTakenDoesNothing)
{
    TakeSlots(m_registry, 1, 16);
    const QStringList before = m_registry.InstalledInstances();
    EXPECT_EQ(Run(QString()), 1);
    EXPECT_EQ(m_registry.InstalledInstances(), before);
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList());
    EXPECT_FALSE(QFileInfo::exists(m_suite.SharedFolder() + QStringLiteral("MSDE2kLog.txt")));
}

TEST_F(HelperProgramTest, StandAloneFailedInstallationExitsOne)
{
    QFile::remove(m_suite.ProgramFolder() + QStringLiteral("SqlRun.Cab"));
    EXPECT_EQ(Run(QString()), 1);
    EXPECT_FALSE(m_registry.IsProductRegistered(InstanceSlotTable()[0].productCode));
}

}  // namespace
