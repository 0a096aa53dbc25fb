#include "ratingrequest.h"

#include <gtest/gtest.h>

namespace {

const QLocale kItalian(QStringLiteral("it_IT"));

TEST(ExtractSwitchValue, CutsTheSwitchOutAndKeepsItsValueUntrimmed)
{
    struct Case {
        const char* line;
        const char* name;
        const char* value;
        const char* rest;
    } const cases[] = {
        {" -SOURCE:BILL -DER:3", " -SOURCE:", "BILL", " -DER:3"},
        {" -DER:3 -SOURCE:BILL", " -SOURCE:", "BILL", " -DER:3"},
        {" -INIT:01/12/2026 00:00:00 -END:x", " -INIT:", "01/12/2026 00:00:00", " -END:x"},
        {" -APPLY:1 ", " -APPLY:", "1 ", ""},
        {" -CLOSE", " -CLOSE", "", ""},  // no colon: no value
    };
    for (const Case& c : cases) {
        QString line = QString::fromUtf8(c.line);
        const qsizetype position = line.indexOf(QString::fromUtf8(c.name));
        ASSERT_GE(position, 0) << c.line;
        EXPECT_EQ(ExtractSwitchValue(line, position), QString::fromUtf8(c.value)) << c.line;
        EXPECT_EQ(line, QString::fromUtf8(c.rest)) << c.line;
    }
}

TEST(ParseRatingRequest, ReadsAnAccountRunInTheSendersLocale)
{
    const RatingRequest request = ParseRatingRequest(
        QStringLiteral(" -SOURCE:BILL -INIT:01/12/2026 00:00:00 -END:31/12/2026 23:59:59 -PBX:0 -DER:3 -APPLY:1 "
                       "-CLOSE:1"),
        kItalian);
    EXPECT_TRUE(request.hasSource);
    EXPECT_TRUE(request.IsAccount());
    EXPECT_EQ(request.pbx, 0);
    EXPECT_EQ(request.extension, 3);
    EXPECT_EQ(request.start, OleDate(2026, 12, 1));
    EXPECT_EQ(request.end, OleDate(2026, 12, 31, 23, 59, 59));
    EXPECT_EQ(request.apply, 1);
    EXPECT_EQ(request.close, 1);
}

TEST(ParseRatingRequest, IndexesAreWholeNumbersBelow256OrUnavailable)
{
    struct Case {
        const char* request;
        int extension;
        int pbx;
    } const cases[] = {
        {" -SOURCE:STAT -PBX:0 -DER:0", 0, 0},
        {" -SOURCE:STAT -PBX:0", RatingRequest::kAbsent, 0},
        {" -SOURCE:BILL -PBX:0 -DER:300", RatingRequest::kNotAnIndex, 0},  // never extension 44
        {" -SOURCE:BILL -PBX:-1 -DER:2x", RatingRequest::kNotAnIndex, RatingRequest::kNotAnIndex},
        {" -SOURCE:BILL -PBX:255 -DER:255", 255, 255},
    };
    for (const Case& c : cases) {
        const RatingRequest request = ParseRatingRequest(QString::fromUtf8(c.request), kItalian);
        EXPECT_EQ(request.extension, c.extension) << c.request;
        EXPECT_EQ(request.pbx, c.pbx) << c.request;
    }
}

TEST(ParseRatingRequest, UnreadableOrZeroDatesAndMissingSourceAreLeftAlone)
{
    const RatingRequest garbage =
        ParseRatingRequest(QStringLiteral(" -SOURCE:STORICO -DER:1 -PBX:0 -INIT:garbage -END:30/12/1899"), kItalian);
    EXPECT_TRUE(garbage.IsHistory());
    EXPECT_FALSE(garbage.start.IsValid());
    EXPECT_FALSE(garbage.end.IsValid());  // day 0 counts as not given
    EXPECT_EQ(garbage.apply, 0);

    EXPECT_FALSE(ParseRatingRequest(QStringLiteral(" -DER:1 -PBX:0"), kItalian).hasSource);
    EXPECT_FALSE(ParseRatingRequest(QStringLiteral(" -SOURCE:bill"), kItalian).IsAccount());  // case counts
}

TEST(RequestFromArguments, NeedsTheProgramsOwnPathFirst)
{
    const QString own = QStringLiteral("/opt/suite/Tarivo/Tarivo");
    EXPECT_EQ(RequestFromArguments({own + QStringLiteral(" -SOURCE:BILL")}, own), QStringLiteral(" -SOURCE:BILL"));
    EXPECT_EQ(RequestFromArguments({QStringLiteral("-platform"), own}, own), QString());
    EXPECT_FALSE(RequestFromArguments({}, own));
    EXPECT_FALSE(RequestFromArguments({QStringLiteral("-x")}, own));
    EXPECT_FALSE(RequestFromArguments({QStringLiteral("/copy/Tarivo/Tarivo -SOURCE:BILL")}, own));
}

}  // namespace
