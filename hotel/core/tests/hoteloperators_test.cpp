#include "hoteldbtest.h"
#include "saltedpassword.h"

#include <latch>
#include <thread>

namespace lodgix {
namespace {

class HotelOperatorsTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_EQ(Db().EnsureGlobalTable(HotelTable::kOperators), kNoError);
        }
    }
};

TEST_P(HotelOperatorsTest, PasswordsAreComparedExactlyAndUserNamesWithoutCase)
{
    int id = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("Admin"), QStringLiteral("a'B"), true, id), kNoError);
    struct Case {
        const char* user;
        const char* password;
        bool accepted;
    };
    const Case cases[] = {
        {"Admin", "a'B", true}, {"admin", "a'B", true}, {"Admin", "a'b", false},
        {"Admin", "a'B ", false}, {"Admin", "", false}, {"Other", "a'B", false},
    };
    for (const Case& c : cases) {
        bool administrator = false;
        int found = 0;
        EXPECT_EQ(Db().CheckOperatorLogin(QLatin1String(c.user), QLatin1String(c.password), administrator, found),
                  c.accepted)
            << c.user << " / " << c.password;
        if (c.accepted) {
            EXPECT_TRUE(administrator);
            EXPECT_EQ(found, id);
        }
    }
    // The store holds a salted hash, never the text.
    ASSERT_EQ(Db().OpenRecordset(QStringLiteral("SELECT Password FROM Operatori")), kNoError);
    QString stored;
    double number = 0;
    ASSERT_EQ(Db().GetFieldValue(QStringLiteral("Password"), stored, number), kNoError);
    Db().CloseRecordset();
    EXPECT_FALSE(stored.contains(QStringLiteral("a'B")));
    // 32 hexadecimal digits of salt, 64 of hash, '*' and the iteration count.
    EXPECT_EQ(stored, stored.left(96) + u'*' + QString::number(SaltedPassword::IterationsForNewPasswords()));

    ASSERT_EQ(Db().ChangeOperatorPassword(id, QStringLiteral("nuova")), kNoError);
    bool administrator = false;
    int found = 0;
    EXPECT_FALSE(Db().CheckOperatorLogin(QStringLiteral("Admin"), QStringLiteral("a'B"), administrator, found));
    EXPECT_TRUE(Db().CheckOperatorLogin(QStringLiteral("Admin"), QStringLiteral("nuova"), administrator, found));
}

TEST_P(HotelOperatorsTest, ADeletedOperatorKeepsItsNameButNotItsLogin)
{
    int first = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("Giulia"), QStringLiteral("x"), false, first), kNoError);
    int duplicate = 0;
    EXPECT_EQ(Db().InsertOperator(QStringLiteral("GIULIA"), QStringLiteral("y"), false, duplicate), kDbStatementFailed);
    ASSERT_EQ(Db().DeleteOperator(first), kNoError);
    bool administrator = true;
    int found = 0;
    EXPECT_FALSE(Db().CheckOperatorLogin(QStringLiteral("Giulia"), QStringLiteral("x"), administrator, found));
    EXPECT_EQ(Db().GetOperatorName(first), QStringLiteral("Giulia"));
    EXPECT_EQ(Db().GetOperatorName(first + 100), QString());

    int second = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("Giulia"), QStringLiteral("z"), false, second), kNoError);
    EXPECT_NE(second, first);
    EXPECT_TRUE(Db().CheckOperatorLogin(QStringLiteral("Giulia"), QStringLiteral("z"), administrator, found));
    EXPECT_FALSE(administrator);
    EXPECT_EQ(found, second);
}

TEST_P(HotelOperatorsTest, TwoConnectionsInsertingOneNameAtOnceGiveOneOperator)
{
    constexpr int kNames = 8;
    std::vector<int> results[2];
    const auto insertAll = [&](int side, std::latch& start) {
        CHotelDatabase database(Parameters());
        const bool connected = database.Connect(kServer) == kNoError;
        start.arrive_and_wait();
        for (int n = 0; n < kNames; ++n) {
            int id = 0;
            results[side].push_back(connected ? database.InsertOperator(QStringLiteral("user%1").arg(n),
                                                                        QStringLiteral("pw"), false, id)
                                              : -1);
        }
    };
    std::latch start(2);
    std::thread left(insertAll, 0, std::ref(start));
    std::thread right(insertAll, 1, std::ref(start));
    left.join();
    right.join();
    for (int n = 0; n < kNames; ++n) {
        std::vector<int> pair = {results[0][static_cast<std::size_t>(n)], results[1][static_cast<std::size_t>(n)]};
        std::sort(pair.begin(), pair.end());
        EXPECT_EQ(pair, (std::vector<int>{kNoError, kDbStatementFailed})) << "user" << n;
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM Operatori")), kNames);
}

INSTANTIATE_DB_TEST(HotelOperatorsTest);

}  // namespace
}  // namespace lodgix
