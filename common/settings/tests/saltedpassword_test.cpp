#include "saltedpassword.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>

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
    // The whole derived key is kept: a random hexadecimal text can hold "abc" by chance, so its size is what tells.
    EXPECT_EQ(first.HashHex().size(), 2 * SaltedPassword::kHashSize);
}

TEST(SaltedPassword, EmptyTextIsNoPassword)
{
    const SaltedPassword none = SaltedPassword::FromText(QString());
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_FALSE(none.Matches(QString()));
    EXPECT_TRUE(none.SaltHex().isEmpty());
}

// The one test at the count the programs use (the others run at the tests' small count).
TEST(SaltedPassword, ProgramsStoreAtTheRealCount)
{
    const int testCount = SaltedPassword::IterationsForNewPasswords();
    SaltedPassword::SetIterationsForNewPasswords(SaltedPassword::kIterations);
    const SaltedPassword password = SaltedPassword::FromText(QStringLiteral("Tamp5830"));
    SaltedPassword::SetIterationsForNewPasswords(testCount);
    EXPECT_GE(password.Iterations(), 200000);
    EXPECT_TRUE(password.Matches(QStringLiteral("Tamp5830")));
}

TEST(SaltedPassword, NewPasswordsTakeTheCountInForce)
{
    EXPECT_LT(SaltedPassword::IterationsForNewPasswords(), SaltedPassword::kIterations);
    EXPECT_EQ(SaltedPassword::FromText(QStringLiteral("x")).Iterations(), SaltedPassword::IterationsForNewPasswords());
}

TEST(SaltedPassword, StoredFormRoundTrips)
{
    const SaltedPassword password = SaltedPassword::FromText(QStringLiteral("Tamp5830"));
    SaltedPassword restored;
    ASSERT_TRUE(SaltedPassword::FromStored(password.SaltHex(), password.HashHex(), password.Iterations(), restored));
    EXPECT_EQ(restored, password);
    EXPECT_TRUE(restored.Matches(QStringLiteral("Tamp5830")));
    EXPECT_FALSE(restored.Matches(QStringLiteral("Tamp5831")));

    // The count is part of the stored form: the same salt and key under another count match nothing.
    ASSERT_TRUE(SaltedPassword::FromStored(password.SaltHex(), password.HashHex(), password.Iterations() - 1, restored));
    EXPECT_FALSE(restored.Matches(QStringLiteral("Tamp5830")));

    ASSERT_TRUE(SaltedPassword::FromStored(QString(), QString(), SaltedPassword::kIterations, restored));
    EXPECT_TRUE(restored.IsEmpty());
}

TEST(SaltedPassword, KeyIsPbkdf2OfTheSaltAndCount)
{
    const SaltedPassword password = SaltedPassword::FromText(QStringLiteral("Segreto1"));
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, QByteArrayLiteral("Segreto1"), QByteArray::fromHex(password.SaltHex().toLatin1()),
        password.Iterations(), SaltedPassword::kHashSize);
    EXPECT_EQ(password.HashHex(), QString::fromLatin1(key.toHex()));
}

TEST(SaltedPassword, EarlierSingleHashFormStillMatches)
{
    const QByteArray salt = QByteArray::fromHex("00112233445566778899aabbccddeeff");
    const QByteArray hash = QCryptographicHash::hash(salt + QByteArrayLiteral("Vecchia"), QCryptographicHash::Sha256);
    SaltedPassword restored;
    ASSERT_TRUE(SaltedPassword::FromStored(QString::fromLatin1(salt.toHex()), QString::fromLatin1(hash.toHex()),
                                           SaltedPassword::kLegacyIterations, restored));
    EXPECT_TRUE(restored.Matches(QStringLiteral("Vecchia")));
    EXPECT_FALSE(restored.Matches(QStringLiteral("vecchia")));
}

TEST(SaltedPassword, MalformedStoredFormIsRefused)
{
    const SaltedPassword password = SaltedPassword::FromText(QStringLiteral("x"));
    const QString salt = password.SaltHex();
    const QString hash = password.HashHex();
    const int count = password.Iterations();
    const struct {
        QString salt;
        QString hash;
        int iterations;
    } cases[] = {
        {salt, QString(), count},
        {QString(), hash, count},
        {salt.left(30), hash, count},
        {salt, hash + QStringLiteral("00"), count},
        {salt, QStringLiteral("zz") + hash.mid(2), count},
        {salt, hash, -1},
        {salt, hash, SaltedPassword::kMaxIterations + 1},
    };
    for (const auto& stored : cases) {
        SaltedPassword restored;
        EXPECT_FALSE(SaltedPassword::FromStored(stored.salt, stored.hash, stored.iterations, restored))
            << stored.salt.toStdString() << " " << stored.iterations;
    }
}

}  // namespace
