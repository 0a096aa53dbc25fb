#include "chartcontrol.h"
#include "widgettesting.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartControl, PointLabelFormatsGiveDigitsUnitAndPercentages)
{
    struct Case {
        double value;
        const char* format;
        const char* text;
    } const cases[] = {
        {12.345, "0,00 €", "12,35 €"},
        {0.256, "0,0%", "25,6%"},
        {7.0, "0.0 \"min\"", "7.0 min"},
        {3.4, "0", "3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CChartControl::FormatValue(c.value, QString::fromUtf8(c.format)), QString::fromUtf8(c.text))
            << c.format;
}

TEST(ChartControl, HoldsItsTableUntilResetAndDrawsItForPrinting)
{
    CChartControl chart;
    chart.resize(640, 300);
    chart.SetData(3, 2, {1.5, 2.0, 0.0, 4.0, 3.25, 1.0});
    for (int row = 0; row < 3; ++row)
        chart.SetRowLabel(row, QStringLiteral("INT. %1").arg(10 + row));
    chart.SetColumnLabel(0, QStringLiteral("Urbane"));
    chart.SetColumnLabel(1, QStringLiteral("Cellulari"));
    chart.SetPointLabels(-1, true, QStringLiteral("0,00 €"));
    chart.SetPointLabels(1, false, QStringLiteral("0,00 €"));
    chart.SetLegendShown(true);
    chart.SetRowLabel(7, QStringLiteral("ignored"));  // outside the table

    EXPECT_EQ(chart.Value(2, 0), 3.25);
    EXPECT_EQ(chart.Value(3, 0), 0.0);
    EXPECT_TRUE(chart.PointLabelsShown(0));
    EXPECT_FALSE(chart.PointLabelsShown(1));
    EXPECT_EQ(chart.PointLabel(1, 1), QStringLiteral("4,00 €"));

    const QImage printed = chart.Image(QSize(640, 300));
    EXPECT_EQ(printed.size(), QSize(640, 300));
    int coloured = 0;
    for (int x = 0; x < printed.width(); x += 2)
        for (int y = 0; y < printed.height(); y += 2)
            coloured += QColor(printed.pixel(x, y)).saturation() > 60 ? 1 : 0;
    EXPECT_GT(coloured, 100);  // the bars are there
    SaveScreenshot(chart, QStringLiteral("rating_chart"));

    chart.Reset();
    EXPECT_EQ(chart.RowCount(), 0);
    EXPECT_EQ(chart.ColumnLabel(0), QString());
}

}  // namespace
