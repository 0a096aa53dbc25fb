// The own country code from Registry.ini, with its default.
#include "owncountrycode.h"
#include "registrykey.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

TEST(OwnCountryCode, SettingOrDefault)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString ini = folder.filePath(QStringLiteral("Registry.ini"));
    EXPECT_EQ(OwnCountryCode(ini), "39");  // no file
    const RegistryKey key(QStringLiteral("Telephony"), ini);
    ASSERT_TRUE(key.WriteString(QStringLiteral("CountryCode"), QStringLiteral(" ")));
    EXPECT_EQ(OwnCountryCode(ini), "39");  // empty
    ASSERT_TRUE(key.WriteString(QStringLiteral("CountryCode"), QStringLiteral("44")));
    EXPECT_EQ(OwnCountryCode(ini), "44");
}

}  // namespace
