#include "suitelocationregistry.h"

#include "registrykey.h"
#include "tempsuite.h"

#include "qstringprinter.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

TEST(SuiteLocationRegistry, WritesTheSuiteFolderWithoutItsTrailingSlash)
{
    TempSuite suite(QStringLiteral("Pultex"));
    QString expected = suite.SuiteFolder();
    expected.chop(1);
    {
        // A value left by an earlier installation elsewhere is replaced; other values stay.
        QSettings registry(suite.SharedFolder() + QStringLiteral("Registry.ini"), QSettings::IniFormat);
        registry.setValue(QStringLiteral("SOFTWARE/Utensa/InstallLocation"), QStringLiteral("/opt/old"));
        registry.setValue(QStringLiteral("Network/TcpPort"), 14443);
    }

    ASSERT_TRUE(RegisterSuiteLocation());
    EXPECT_EQ(RegistryKey(QStringLiteral("SOFTWARE\\Utensa")).ReadString(QStringLiteral("InstallLocation")), expected);
    EXPECT_FALSE(expected.endsWith(u'/'));
    EXPECT_EQ(RegistryKey(QStringLiteral("Network")).ReadInt(QStringLiteral("TcpPort"), 0), 14443);
}

}  // namespace
