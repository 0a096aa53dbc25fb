#include "billline.h"

#include "binaryrecord.h"

#include <gtest/gtest.h>

#include <limits>

namespace lodgix {
namespace {

BillLine Line(const char* description, quint16 quantity, qint64 cents, qint64 vat)
{
    return BillLine::Make(QLatin1String(description), quantity, Money::FromCents(cents), VatRate::FromHundredths(vat));
}

TEST(BillLine, AmountsFollowTheUnitPriceToTheCent)
{
    const BillLine line = Line("Camera", 3, 1220, 2200);
    EXPECT_EQ(line.grossAmount, Money::FromCents(3660));
    EXPECT_EQ(line.netAmount, Money::FromCents(3000));
    EXPECT_EQ(line.taxAmount, Money::FromCents(660));
    EXPECT_EQ(line.netUnitPrice, Money::FromCents(1000));

    // A net amount that is no whole cent is rounded once; the tax takes the rest.
    const BillLine odd = Line("Bar", 1, 1000, 2200);
    EXPECT_EQ(odd.netAmount, Money::FromCents(820));
    EXPECT_EQ(odd.taxAmount, Money::FromCents(180));
}

TEST(BillLine, EqualLinesAddUpAndEmptyOnesAreLeftOut)
{
    std::vector<BillLine> lines;
    AddBillLine(Line("Frigobar", 1, 450, 2200), lines);
    AddBillLine(Line("Frigobar", 1, 450, 2200), lines);
    AddBillLine(Line("frigobar", 1, 450, 2200), lines);  // another description: case counts
    AddBillLine(Line("Frigobar", 1, 450, 1000), lines);  // another VAT
    AddBillLine(Line("Giornale", 1, 0, 400), lines);
    AddBillLine(Line("Giornale", 0, 150, 400), lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].quantity, 2);
    EXPECT_EQ(lines[0].grossAmount, Money::FromCents(900));
    EXPECT_EQ(FindBillLine(Line("Frigobar", 5, 450, 1000), lines), 2);
    EXPECT_EQ(FindBillLine(Line("Frigobar", 1, 451, 1000), lines), kNoBillLine);

    UpdateBillLine(Line("Minibar", 4, 500, 2200), lines, 1);
    EXPECT_EQ(lines[1].description, QStringLiteral("Minibar"));
    EXPECT_EQ(lines[1].grossAmount, Money::FromCents(2000));
    UpdateBillLine(Line("None", 1, 1, 0), lines, 3);
    RemoveBillLine(lines, 3);
    RemoveBillLine(lines, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].description, QStringLiteral("Minibar"));
}

TEST(BillLine, TheFileFormReadsBackToTheCent)
{
    BillLine line = Line("Pensione completa con un nome che supera di molto i sessantaquattro caratteri", 21, 12345, 2200);
    EXPECT_EQ(line.description.size(), BillLine::kMaxDescription);
    QByteArray bytes(BillLine::kSize + 8, '\x7f');
    line.Encode(bytes, 4);
    EXPECT_EQ(bytes.at(4 + 63), '\0');
    EXPECT_EQ(bytes.at(4 + 64), 21);
    EXPECT_EQ(bytes.at(BillLine::kSize + 4), '\x7f');  // nothing written past the line
    EXPECT_EQ(BillLine::Decode(bytes, 4), line);
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1e12f}) {
        QByteArray broken = bytes;
        PutF32(broken, 4 + 68 + 4 * 2, bad);
        EXPECT_FALSE(BillLine::Decode(broken, 4)) << bad;
    }
}

}  // namespace
}  // namespace lodgix
