#include "productregistry.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProductRegistry, PackedCodes)
{
    const QPair<QString, QString> cases[] = {
        {"{E09B48B5-E141-427A-AB0C-D3605127224A}", "5B84B90E141EA724BAC03D06157222A4"},
        {"{e09b48b5-e141-427a-ab0c-d3605127224a}", "5B84B90E141EA724BAC03D06157222A4"},
        {"{00000000-0000-0000-0000-000000000001}", "00000000000000000000000000000010"},
        {"E09B48B5-E141-427A-AB0C-D3605127224A", ""},
        {"{E09B48B5-E141-427A-AB0C-D3605127224}", ""},
        {"", ""},
    };
    for (const auto& [code, packed] : cases)
        EXPECT_EQ(ProductRegistry::PackedCode(code), packed) << code.toStdString();
    EXPECT_EQ(ProductRegistry::ProductProbeKey(QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}")),
              QStringLiteral("Installer\\Products\\5B84B90E141EA724BAC03D06157222A4\\SourceList"));
}

TEST(ProductRegistry, ProductsAndInstances)
{
    QTemporaryDir dir;
    ProductRegistry registry(dir.filePath(QStringLiteral("Registry.ini")));
    const QString product = QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}");
    EXPECT_FALSE(registry.IsProductRegistered(product));
    EXPECT_FALSE(registry.HasEngineKey());
    ASSERT_TRUE(registry.RegisterProduct(product, QStringLiteral("{D29DCF7A-8199-4373-BA0D-2F3635EC940C}"), QStringLiteral("Hotel")));
    ASSERT_TRUE(registry.AddInstance(QStringLiteral("Hotel")));
    ASSERT_TRUE(registry.AddInstance(QStringLiteral("HOTEL")));
    ASSERT_TRUE(registry.AddInstance(QStringLiteral("Other, one")));
    EXPECT_TRUE(registry.IsProductRegistered(product));
    EXPECT_EQ(registry.RegisteredInstance(product), QStringLiteral("Hotel"));
    EXPECT_EQ(registry.InstalledInstances(), (QStringList{QStringLiteral("Hotel"), QStringLiteral("Other, one")}));
    ASSERT_TRUE(registry.RemoveInstance(QStringLiteral("hotel")));
    ASSERT_TRUE(registry.UnregisterProduct(product));
    EXPECT_FALSE(registry.IsProductRegistered(product));
    EXPECT_EQ(registry.InstalledInstances(), QStringList{QStringLiteral("Other, one")});
    EXPECT_TRUE(registry.HasEngineKey());
    ASSERT_TRUE(registry.SetInstallerLocation(QStringLiteral("/opt/installer/")));
    EXPECT_EQ(ProductRegistry(registry.IniFile()).InstallerLocation(), QStringLiteral("/opt/installer/"));
}

}  // namespace
