// The colour list: where items go, and the colours they are drawn in.
#include "colorlistbox.h"

#include "clippedtextcheck.h"
#include "widgettesting.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;

// The colours of the pixels of an item's row, the text's among them.
QSet<QRgb> RowColours(CColorListBox& list, int row)
{
    const QRect rect = list.visualItemRect(list.item(row));
    const QImage image = list.viewport()->grab().toImage();
    QSet<QRgb> colours;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFF);
    return colours;
}

TEST(ColorListBox, InsertsAtTheIndexOrAtTheEndAndKeepsTheColour)
{
    CColorListBox list;
    EXPECT_EQ(list.InsertColoredString(-1, QStringLiteral("b"), kRed), 0);
    EXPECT_EQ(list.InsertColoredString(0, QStringLiteral("a"), kBlue), 0);
    EXPECT_EQ(list.InsertColoredString(2, QStringLiteral("c"), 0), 2);
    EXPECT_EQ(list.InsertColoredString(5, QStringLiteral("x"), kRed), -1);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("a"));
    EXPECT_EQ(list.ItemColour(0), kBlue);
    EXPECT_EQ(list.ItemColour(1), kRed);
    EXPECT_EQ(list.ItemColour(2), 0u);
}

TEST(ColorListBox, TextsInTheirColoursSelectionFilledDisabledGrey)
{
    CColorListBox list;
    list.resize(300, 200);
    list.InsertColoredString(-1, QStringLiteral("Clienti in arrivo"), kRed);
    list.InsertColoredString(-1, QStringLiteral("Camere occupate"), 0);
    list.InsertColoredString(-1, QStringLiteral("Emergenze"), kBlue);
    list.InsertColoredString(-1, QStringLiteral("Messaggi da lasciare"), kBlue);
    list.item(3)->setFlags(list.item(3)->flags() & ~Qt::ItemIsEnabled);
    list.show();
    const QRgb red = 0xFF0000, blue = 0x0000FF;
    EXPECT_TRUE(RowColours(list, 0).contains(red));
    EXPECT_FALSE(RowColours(list, 1).contains(red));  // colour 0: the normal text colour
    EXPECT_TRUE(RowColours(list, 1).contains(list.palette().color(QPalette::Text).rgb() & 0xFFFFFF));
    EXPECT_FALSE(RowColours(list, 3).contains(blue)) << "a disabled item is grey";

    list.setCurrentRow(2);
    const QSet<QRgb> selected = RowColours(list, 2);
    EXPECT_TRUE(selected.contains(blue));
    EXPECT_TRUE(selected.contains(0xFFFFFF)) << "the text reads on the item's colour";
    EXPECT_GE(list.visualItemRect(list.item(0)).height(), list.fontMetrics().height());
    EXPECT_TRUE(HasNoClippedText(list));
    SaveScreenshot(list, QStringLiteral("lodgix_colorlistbox"));
}

}  // namespace
