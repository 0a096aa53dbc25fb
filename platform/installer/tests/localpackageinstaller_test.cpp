#include "localpackageinstaller.h"
#include "msipackage.h"
#include "testpackage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kProduct = QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}");
const QString kPackageCode = QStringLiteral("{D29DCF7A-8199-4373-BA0D-2F3635EC940C}");

class LocalPackageInstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestPackage package;
        package.properties = {{QStringLiteral("ProductCode"), kProduct}};
        package.cabinets = {QStringLiteral("SqlRun.Cab")};
        package.packageCode = kPackageCode;
        ASSERT_TRUE(package.Build(Path(QStringLiteral("p.msi"))));
        QFile cabinet(Path(QStringLiteral("SqlRun.Cab")));
        ASSERT_TRUE(cabinet.open(QIODevice::WriteOnly));
        m_installer.EnableLog(Path(QStringLiteral("install.log")));
        m_installer.SetHiddenProperties({QStringLiteral("SAPWD")});
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    ProductRegistry m_registry{m_dir.filePath(QStringLiteral("Registry.ini"))};
    LocalPackageInstaller m_installer{m_registry, QStringLiteral("/suite/Installer/")};
};

TEST_F(LocalPackageInstallerTest, RegistersProductInstanceAndLocation)
{
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("p.msi")), QStringLiteral("SAPWD=\"top secret\" INSTANCENAME=Hotel")), 0u);
    EXPECT_EQ(m_registry.RegisteredPackageCode(kProduct), kPackageCode);
    EXPECT_EQ(m_registry.InstalledInstances(), QStringList{QStringLiteral("Hotel")});
    EXPECT_EQ(m_registry.InstallerLocation(), QStringLiteral("/suite/Installer/"));
    QFile log(Path(QStringLiteral("install.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("SAPWD=********")) << text.constData();
    EXPECT_FALSE(text.contains("secret"));

    EXPECT_EQ(m_installer.UninstallProduct(kProduct), 0u);
    EXPECT_FALSE(m_registry.IsProductRegistered(kProduct));
    EXPECT_TRUE(m_registry.InstalledInstances().isEmpty());
    EXPECT_EQ(m_installer.UninstallProduct(kProduct), InstallerError::kUnknownProduct);
}

TEST_F(LocalPackageInstallerTest, RefusesWhatCannotBeInstalled)
{
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("p.msi")), QStringLiteral("SAPWD=\"open")),
              InstallerError::kInvalidCommandLine);
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("none.msi")), QString()), InstallerError::kPackageOpenFailed);
    ASSERT_TRUE(m_registry.RegisterProduct(kProduct, QStringLiteral("{00000000-0000-0000-0000-000000000009}"), QStringLiteral("X")));
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("p.msi")), QString()), InstallerError::kProductVersion);
    ASSERT_TRUE(m_registry.UnregisterProduct(kProduct));
    ASSERT_TRUE(QFile::remove(Path(QStringLiteral("SqlRun.Cab"))));
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("p.msi")), QString()), InstallerError::kInstallFailure);
    EXPECT_FALSE(m_registry.IsProductRegistered(kProduct));
    EXPECT_TRUE(m_registry.InstalledInstances().isEmpty());
}

TEST_F(LocalPackageInstallerTest, OneInstanceNameBelongsToOneProduct)
{
    const QString other = QStringLiteral("{689404D2-1C94-44B3-9203-BEC5594FDA7A}");
    TestPackage second;
    second.properties = {{QStringLiteral("ProductCode"), other}};
    second.packageCode = QStringLiteral("{741C0CE6-E272-409D-B3F0-20635C29FA35}");
    ASSERT_TRUE(second.Build(Path(QStringLiteral("q.msi"))));

    ASSERT_EQ(m_installer.InstallProduct(Path(QStringLiteral("p.msi")), QStringLiteral("INSTANCENAME=Hotel")), 0u);
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("q.msi")), QStringLiteral("INSTANCENAME=HOTEL")),
              InstallerError::kInstallFailure);
    EXPECT_FALSE(m_registry.IsProductRegistered(other));
    EXPECT_EQ(m_installer.UninstallProduct(other), InstallerError::kUnknownProduct);
    EXPECT_EQ(m_registry.InstalledInstances(), QStringList{QStringLiteral("Hotel")});
    // The same product again (a repair) keeps its name; another name is free for the second product.
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("p.msi")), QStringLiteral("INSTANCENAME=Hotel")), 0u);
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("q.msi")), QStringLiteral("INSTANCENAME=Spa")), 0u);
    EXPECT_EQ(m_registry.InstalledInstances(), (QStringList{QStringLiteral("Hotel"), QStringLiteral("Spa")}));
    ASSERT_EQ(m_installer.UninstallProduct(other), 0u);

    // Two products on one name, as an older registry file may hold them: the name stays until the last goes.
    ASSERT_TRUE(m_registry.RegisterProduct(other, second.packageCode, QStringLiteral("hotel")));
    EXPECT_EQ(m_installer.UninstallProduct(kProduct), 0u);
    EXPECT_EQ(m_registry.InstalledInstances(), QStringList{QStringLiteral("Hotel")});
    EXPECT_EQ(m_installer.UninstallProduct(other), 0u);
    EXPECT_TRUE(m_registry.InstalledInstances().isEmpty());
}

TEST_F(LocalPackageInstallerTest, TheFirstLogLineMakesTheLogFolder)
{
    const QString log = Path(QStringLiteral("Shared/MSDE2kLog.txt"));
    m_installer.EnableLog(log);
    EXPECT_EQ(m_installer.InstallProduct(Path(QStringLiteral("none.msi")), QString()), InstallerError::kPackageOpenFailed);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains("Installing " + QFile::encodeName(Path(QStringLiteral("none.msi"))))) << lines[0].constData();
}

}  // namespace
