#include "sqldate.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

TEST(SqlDate, IsoTextSortsAsTheDates)
{
    EXPECT_EQ(SqlDateText(OleDate(2024, 1, 2, 3, 4, 5)), QStringLiteral("2024-01-02 03:04:05"));
    EXPECT_EQ(SqlDateText(OleDate()), QStringLiteral("1899-12-30 00:00:00"));
    EXPECT_TRUE(SqlDateText(OleDate::Invalid()).isEmpty());
    // 31/12/2023 sorts before 01/01/2024 only in ISO form.
    EXPECT_LT(SqlDateText(OleDate(2023, 12, 31, 23, 0, 0)), SqlDateText(OleDate(2024, 1, 1, 0, 0, 0)));
}

TEST(SqlDate, StoredValuesReadBack)
{
    const OleDate expected(2024, 3, 31, 2, 30, 0);
    struct Case {
        QVariant stored;
        bool valid;
    };
    const Case cases[] = {
        {QStringLiteral("2024-03-31 02:30:00"), true},
        {QStringLiteral("2024-03-31T02:30:00"), true},
        {QDateTime(QDate(2024, 3, 31), QTime(2, 30, 0)), true},
        {QStringLiteral("31/03/2024 02:30:00"), false},  // locale text is no stored value
        {QStringLiteral("2024-03-31 25:30:00"), false},
        {QVariant(), false},
        {QVariant(QMetaType::fromType<QString>()), false},  // NULL
    };
    for (const Case& c : cases) {
        const OleDate date = DateFromStored(c.stored);
        EXPECT_EQ(date.IsValid(), c.valid) << c.stored.toString().toStdString();
        if (c.valid) {
            EXPECT_EQ(date, expected) << c.stored.toString().toStdString();
        }
    }
}

}  // namespace
