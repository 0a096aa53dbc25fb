// The view's list filled row by row keeps what its users look up: each row's data and start, the row
// AddRow answers, the selection, and a sorted list's order.
#include "ratinglist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

constexpr int kCallRows = 500;
constexpr int kTotalData = 9999;
const OleDate kFirstStart(2026, 12, 3, 8, 0, 0);

TEST(RatingList, AppendedRowsKeepTheirPlaceDataAndStart)
{
    CRatingList list;
    list.ShowReport(true, false);
    list.AddColumn(QStringLiteral("Data e Ora"), 120, false);
    list.AddColumn(QStringLiteral("Importo"), 60, true);
    // Texts that sort the other way round: an unsorted list keeps the order added.
    for (int row = 0; row < kCallRows; ++row)
        ASSERT_EQ(list.AddCallRow({QStringLiteral("r%1").arg(kCallRows - row, 4, 10, QChar(u'0')), QStringLiteral("1.00")},
                                  kFirstStart.AddSeconds(row * 60)),
                  row);
    EXPECT_EQ(list.AddRow(QStringList(2), kCallRows), kCallRows);
    EXPECT_EQ(list.AddRow({QString(), QStringLiteral("TOTALE")}, kTotalData), kCallRows + 1);

    ASSERT_EQ(list.RowCount(), kCallRows + 2);
    for (int row = 0; row < kCallRows; ++row) {
        EXPECT_EQ(list.RowData(row), row);
        EXPECT_EQ(list.FindRow(row), row);
        ASSERT_TRUE(list.RowStart(row).has_value()) << row;
        EXPECT_EQ(*list.RowStart(row), kFirstStart.AddSeconds(row * 60));
    }
    EXPECT_FALSE(list.RowStart(kCallRows + 1).has_value());
    EXPECT_EQ(list.FindRow(kTotalData), kCallRows + 1);
    EXPECT_EQ(list.FindRow(kTotalData + 1), -1);
    EXPECT_EQ(list.Text(kCallRows + 1, 1), QStringLiteral("TOTALE"));
    const CRatingListModel& model = *list.Model();
    EXPECT_EQ(model.data(model.index(7, 1), Qt::TextAlignmentRole).toInt(), static_cast<int>(Qt::AlignCenter));
    EXPECT_FALSE(model.data(model.index(7, 0), Qt::TextAlignmentRole).isValid()) << "left as the view aligns";
    EXPECT_EQ(model.data(model.index(kCallRows, 1)).toString(), QString()) << "a row of fewer texts reads empty";

    list.SelectRow(321);
    EXPECT_EQ(list.SelectedRow(), 321);
    EXPECT_EQ(list.RowData(list.SelectedRow()), 321);
    list.SelectRow(-1);
    EXPECT_EQ(list.SelectedRow(), -1);
}

TEST(RatingList, ASortedListPlacesEachRowWhereAStableSortWould)
{
    // Equal texts stay in the order added; the comparison is Qt's, case-sensitive ("C" before "a").
    const QStringList texts = {QStringLiteral("b"), QString(),         QStringLiteral("a"), QStringLiteral("b"),
                               QStringLiteral("C"), QStringLiteral("a"), QString(),         QStringLiteral("ab"),
                               QStringLiteral("b"), QStringLiteral("0")};
    CRatingList list;
    list.ShowReport(true, true);
    list.AddColumn(QStringLiteral("Descrizione"), 120, false);
    list.AddColumn(QStringLiteral("Prefisso"), 60, false);
    for (int i = 0; i < texts.size(); ++i) {
        const int row = list.AddRow({texts[i], QString::number(i)}, i);
        EXPECT_EQ(list.Text(row, 0), texts[i]) << i;
        EXPECT_EQ(list.RowData(row), i);
    }

    std::vector<int> expected(static_cast<std::size_t>(texts.size()));
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) { return texts[a].compare(texts[b]) < 0; });
    ASSERT_EQ(list.RowCount(), texts.size());
    for (int row = 0; row < list.RowCount(); ++row) {
        const int data = expected[static_cast<std::size_t>(row)];
        EXPECT_EQ(list.RowData(row), data) << row;
        EXPECT_EQ(list.Text(row, 1), QString::number(data)) << "a row's columns stay together";
        EXPECT_EQ(list.FindRow(data), row);
    }
    list.SelectRow(list.FindRow(4));
    EXPECT_EQ(list.Text(list.SelectedRow(), 0), QStringLiteral("C"));
}

}  // namespace
