#include "sqlname.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlName, PbxIdentifiersArePlainNamesOfUpTo20)
{
    struct Case {
        QString identifier;
        bool valid;
    };
    const Case cases[] = {
        {QStringLiteral("PBX1"), true},
        {QStringLiteral("Main_Office_2"), true},
        {QStringLiteral("12345678901234567890"), true},
        {QStringLiteral("123456789012345678901"), false},
        {QString(), false},
        {QStringLiteral("A B"), false},
        {QStringLiteral("X'; DROP TABLE LogCalls; --"), false},
        {QStringLiteral("Status%"), false},
        {QStringLiteral("Città"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidPbxIdentifier(c.identifier), c.valid) << c.identifier.toStdString();
}

TEST(SqlName, OtherNamesMayBeLonger)
{
    EXPECT_TRUE(IsValidSqlName(QStringLiteral("DerivedProgrammations_12345678901234567890")));
    EXPECT_FALSE(IsValidSqlName(QStringLiteral("corvanti-test")));
    EXPECT_FALSE(IsValidSqlName(QString(64, u'a')));
}

}  // namespace
