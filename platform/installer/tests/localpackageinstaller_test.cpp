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

}  // namespace
