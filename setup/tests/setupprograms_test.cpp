// The setup programs as the setup package runs them, in a suite tree of their own.
#include "instanceslots.h"
#include "msipackage.h"
#include "productregistry.h"
#include "setuptesting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

// The product code and the package code of a package.
QStringList PackageCodes(const QString& path)
{
    const auto package = MsiPackage::Open(path, MsiPackage::Mode::ReadOnly);
    if (!package)
        return {};
    return {package->PropertyValue(QStringLiteral("ProductCode")).value_or(QString()), package->RevisionNumber()};
}

class SetupProgramsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseLeakSuppressions();
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(TempFolder());
        QDir().mkpath(Suite() + QStringLiteral("Shared"));
        ASSERT_TRUE(Place(SVMSDE2000HELPER_PROGRAM, QStringLiteral("SVMSDE2000Helper/SVMSDE2000Helper")));
        ASSERT_TRUE(Place(KELVANE_PROGRAM, QStringLiteral("Kelvane/Kelvane")));
        ASSERT_TRUE(Place(MSIEXEC_PROGRAM, QStringLiteral("Installer/MSIEXEC")));
        QFile cabinet(m_dir.filePath(QStringLiteral("SqlRun.Cab")));
        ASSERT_TRUE(cabinet.open(QIODevice::WriteOnly));
        cabinet.write("cabinet");
        cabinet.close();
        ASSERT_TRUE(BuildInstancePackage(m_dir.filePath(QStringLiteral("SqlRun01.Msi"))));
    }

    QString Suite() const { return m_dir.filePath(QStringLiteral("suite/")); }
    QString TempFolder() const { return m_dir.filePath(QStringLiteral("tmp")); }
    bool Place(const char* program, const QString& target) const
    {
        QDir().mkpath(QFileInfo(Suite() + target).path());
        const QByteArray from(program);
        const QByteArray to = QFile::encodeName(Suite() + target);
        return ::link(from.constData(), to.constData()) == 0 || QFile::copy(QString::fromUtf8(from), Suite() + target);
    }
    QString SetupPackage(const QString& helper = QStringLiteral(HELPER_PROGRAM))
    {
        const QString path = m_dir.filePath(QStringLiteral("setup.msi"));
        QFile::remove(path);
        EXPECT_TRUE(BuildSetupPackage(path, {{QStringLiteral("INSTANCENAME"), QStringLiteral("Hotel")},
                                             {QStringLiteral("SAPWD"), QStringLiteral("pw")}},
                                      m_dir.filePath(QStringLiteral("SqlRun.Cab")),
                                      m_dir.filePath(QStringLiteral("SqlRun01.Msi")), helper));
        return path;
    }
    void Start(QProcess& process, const QString& program, const QStringList& arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), TempFolder());
        process.setProcessEnvironment(environment);
        process.start(Suite() + program, arguments);
    }
    Outcome Run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        Start(process, program, arguments);
        Outcome outcome;
        if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
            outcome.exitCode = process.exitCode();
        outcome.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
        return outcome;
    }

    QTemporaryDir m_dir;
    ProductRegistry m_registry{Suite() + QStringLiteral("Shared/Registry.ini")};
};

TEST_F(SetupProgramsTest, InstallIntoSlotThreeAndUninstall)
{
    TakeSlots(m_registry, 1, 2);
    const InstanceSlot& slot3 = InstanceSlotTable()[2];
    const QString package = SetupPackage();

    const Outcome check = Run(QStringLiteral("Kelvane/Kelvane"), {package});
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.out, QString());

    const Outcome install = Run(QStringLiteral("SVMSDE2000Helper/SVMSDE2000Helper"), {QStringLiteral("install"), package});
    ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();
    EXPECT_EQ(install.out, QStringLiteral("SVMSDE2KUNINST=%1\n").arg(slot3.productCode));
    EXPECT_TRUE(install.err.contains(QStringLiteral("Info: SVMSDE2000 Object:  Modifed Temp Package")));
    EXPECT_EQ(m_registry.RegisteredPackageCode(slot3.productCode), slot3.packageCode);
    EXPECT_TRUE(m_registry.InstalledInstances().contains(QStringLiteral("Hotel")));
    EXPECT_EQ(m_registry.InstallerLocation(), Suite() + QStringLiteral("Installer/"));
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList());

    const Outcome clash = Run(QStringLiteral("Kelvane/Kelvane"), {package, QStringLiteral("INSTANCENAME=HOTEL")});
    EXPECT_EQ(clash.out, QStringLiteral("INSTANCEFOUND=FOUND\n"));

    const Outcome uninstall = Run(QStringLiteral("SVMSDE2000Helper/SVMSDE2000Helper"),
                                  {QStringLiteral("uninstall"), package, QStringLiteral("SVMSDE2KUNINSTALL=") + slot3.productCode});
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.err.toStdString();
    EXPECT_FALSE(m_registry.IsProductRegistered(slot3.productCode));
    EXPECT_FALSE(m_registry.InstalledInstances().contains(QStringLiteral("Hotel")));
    EXPECT_TRUE(m_registry.IsProductRegistered(InstanceSlotTable()[1].productCode));

    // An empty product code still runs the front with "/x", which refuses it.
    const Outcome empty = Run(QStringLiteral("SVMSDE2000Helper/SVMSDE2000Helper"),
                              {QStringLiteral("uninstall"), package, QStringLiteral("SVMSDE2KUNINSTALL=")});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(empty.err.contains(QStringLiteral(" Uninstall Command Line: %1Installer/MSIEXEC /x /qb").arg(Suite())))
        << empty.err.toStdString();
    EXPECT_TRUE(empty.err.contains(QStringLiteral("MSIEXEC: result 1639"))) << empty.err.toStdString();
}

TEST_F(SetupProgramsTest, HelperTakesOptionsGluedToPathsWithBlanks)
{
    ASSERT_TRUE(Place(HELPER_PROGRAM, QStringLiteral("Helper/Helper")));
    const QString folder = m_dir.filePath(QStringLiteral("a b"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString package = folder + QStringLiteral("/p k.msi");
    ASSERT_TRUE(QFile::copy(m_dir.filePath(QStringLiteral("SqlRun01.Msi")), package));
    const InstanceSlot& slot4 = InstanceSlotTable()[3];
    const Outcome glued = Run(QStringLiteral("Helper/Helper"), {QStringLiteral("-F") + package, QStringLiteral("/p") + slot4.productCode,
                                                                 QStringLiteral("-K"), slot4.packageCode});
    EXPECT_EQ(glued.exitCode, 0) << glued.err.toStdString();
    EXPECT_EQ(PackageCodes(package), (QStringList{slot4.productCode, slot4.packageCode}));

    // Read-only: refused and left as it was.
    ASSERT_EQ(::chmod(QFile::encodeName(package).constData(), 0444), 0);
    const InstanceSlot& slot5 = InstanceSlotTable()[4];
    const Outcome refused = Run(QStringLiteral("Helper/Helper"), {QStringLiteral("/F"), package, QStringLiteral("/P"),
                                                                   slot5.productCode, QStringLiteral("/K") + slot5.packageCode});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(PackageCodes(package), (QStringList{slot4.productCode, slot4.packageCode}));
    EXPECT_EQ(QFileInfo(package).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther), 0);
}

TEST_F(SetupProgramsTest, AnInstalledInstanceNameStaysWithItsProduct)
{
    TakeSlots(m_registry, 1, 2);
    const InstanceSlot& slot3 = InstanceSlotTable()[2];
    const InstanceSlot& slot4 = InstanceSlotTable()[3];
    const QString package = SetupPackage();
    ASSERT_EQ(Run(QStringLiteral("SVMSDE2000Helper/SVMSDE2000Helper"), {QStringLiteral("install"), package}).exitCode, 0);

    // Slot 4's package asking for the same instance is refused as the engine's setup refuses it.
    const QString second = m_dir.filePath(QStringLiteral("SqlRun04.msi"));
    ASSERT_TRUE(QFile::copy(m_dir.filePath(QStringLiteral("SqlRun01.Msi")), second));
    ASSERT_TRUE(Place(HELPER_PROGRAM, QStringLiteral("Helper/Helper")));
    ASSERT_EQ(Run(QStringLiteral("Helper/Helper"), {QStringLiteral("/F"), second, QStringLiteral("/P"), slot4.productCode,
                                                    QStringLiteral("/K"), slot4.packageCode}).exitCode, 0);
    const Outcome clash = Run(QStringLiteral("Installer/MSIEXEC"), {QStringLiteral("/i"), second, QStringLiteral("INSTANCENAME=hotel")});
    EXPECT_EQ(clash.exitCode, 1);
    EXPECT_TRUE(clash.err.contains(QStringLiteral("result 1603"))) << clash.err.toStdString();
    EXPECT_FALSE(m_registry.IsProductRegistered(slot4.productCode));
    EXPECT_EQ(Run(QStringLiteral("Installer/MSIEXEC"), {QStringLiteral("/x"), slot4.productCode}).exitCode, 1);

    const auto check = [&] {
        return Run(QStringLiteral("Kelvane/Kelvane"), {package, QStringLiteral("INSTANCENAME=Hotel")}).out;
    };
    EXPECT_EQ(check(), QStringLiteral("INSTANCEFOUND=FOUND\n"));
    ASSERT_EQ(Run(QStringLiteral("Installer/MSIEXEC"), {QStringLiteral("/x"), slot3.productCode}).exitCode, 0);
    EXPECT_EQ(check(), QString());
}

TEST_F(SetupProgramsTest, StopDuringTheHelperEndsInOrder)
{
    const QString marker = m_dir.filePath(QStringLiteral("helper-started"));
    const QString helper = m_dir.filePath(QStringLiteral("slow-helper"));
    ASSERT_TRUE(WriteScript(helper, QStringLiteral("touch '%1'\nexec sleep 5").arg(marker)));
    QProcess process;
    Start(process, QStringLiteral("SVMSDE2000Helper/SVMSDE2000Helper"), {QStringLiteral("install"), SetupPackage(helper)});
    ASSERT_TRUE(process.waitForStarted());
    while (!QFileInfo::exists(marker) && process.state() == QProcess::Running)
        process.waitForFinished(20);
    ASSERT_TRUE(QFileInfo::exists(marker));
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError()).contains(QStringLiteral("Failed to Modify MSDE 2000 MSI File")));
    EXPECT_EQ(WorkFoldersIn(TempFolder()), QStringList());
    EXPECT_FALSE(m_registry.IsProductRegistered(InstanceSlotTable()[0].productCode));
}

}  // namespace
