#include "saltedpassword.h"

#include <gtest/gtest.h>

namespace {

TEST(SaltedPassword, MatchesOnlyTheSameText)
{
    const SaltedPassword password = SaltedPassword::FromText(QStringLiteral("Segreto1"));
    EXPECT_FALSE(password.IsEmpty());
    EXPECT_TRUE(password.Matches(QStringLiteral("Segreto1")));
    for (const char* other : {"segreto1", "Segreto", "Segreto12", "", " Segreto1"})
        EXPECT_FALSE(password.Matches(QString::fromLatin1(other))) << other;
}

TEST(SaltedPassword, EachPasswordHasItsOwnSalt)
{
    const SaltedPassword first = SaltedPassword::FromText(QStringLiteral("abc"));
    const SaltedPassword second = SaltedPassword::FromText(QStringLiteral("abc"));
    EXPECT_NE(first.SaltHex(), second.SaltHex());
    EXPECT_NE(first.HashHex(), second.HashHex());
    EXPECT_FALSE(first.HashHex().contains(QStringLiteral("abc")));
}

TEST(SaltedPassword, EmptyTextIsNoPassword)
{
    const SaltedPassword none = SaltedPassword::FromText(QString());
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_FALSE(none.Matches(QString()));
    EXPECT_TRUE(none.SaltHex().isEmpty());
}

TEST(SaltedPassword, StoredFormRoundTrips)
{
    const SaltedPassword password = SaltedPassword::FromText(QStringLiteral("Tamp5830"));
    SaltedPassword restored;
    ASSERT_TRUE(SaltedPassword::FromStored(password.SaltHex(), password.HashHex(), restored));
    EXPECT_EQ(restored, password);
    EXPECT_TRUE(restored.Matches(QStringLiteral("Tamp5830")));

    ASSERT_TRUE(SaltedPassword::FromStored(QString(), QString(), restored));
    EXPECT_TRUE(restored.IsEmpty());
}

TEST(SaltedPassword, MalformedStoredFormIsRefused)
{
    const SaltedPassword password = SaltedPassword::FromText(QStringLiteral("x"));
    const QString salt = password.SaltHex();
    const QString hash = password.HashHex();
    const struct {
        QString salt;
        QString hash;
    } cases[] = {
        {salt, QString()},
        {QString(), hash},
        {salt.left(30), hash},
        {salt, hash + QStringLiteral("00")},
        {salt, QStringLiteral("zz") + hash.mid(2)},
    };
    for (const auto& stored : cases) {
        SaltedPassword restored;
        EXPECT_FALSE(SaltedPassword::FromStored(stored.salt, stored.hash, restored)) << stored.salt.toStdString();
    }
}

}  // namespace
