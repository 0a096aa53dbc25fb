// The planning grid: what SetCell accepts, the colours a cell is drawn in, and what a click signals.
#include "planninggridctrl.h"

#include "clippedtextcheck.h"
#include "language.h"
#include "widgettesting.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // COLORREF: 0x00BBGGRR
constexpr std::uint32_t kNoColour = 0xFFFFFFFF;
constexpr int kDays = 7;
constexpr QSize kGridSize(640, 260);

// A week's grid: headings, the weekday row and three rooms with their ids.
struct GridFixture {
    GridFixture()
    {
        grid.resize(kGridSize);
        grid.AddColumn(0, QStringLiteral("Camera"));
        for (int day = 1; day <= kDays; ++day)
            grid.AddColumn(day, QString::number(day));
        grid.AddRow(0, QString(), 0);
        for (int day = 1; day <= kDays; ++day)
            grid.SetCell(0, day, QLocale().dayName(day, QLocale::ShortFormat), kNoColour);
        for (const auto& [name, id] : {std::pair{"101", 11}, {"102", 12}, {"Suite Belvedere", 13}})
            grid.AddRow(grid.RowCount(), QString::fromLatin1(name), id);
        grid.show();
    }

    QColor Pixel(int row, int column)
    {
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        const QImage image = grid.viewport()->grab().toImage();
        return image.pixelColor(cell.left() + 2, cell.top() + 2);
    }

    void Click(int row, int column)
    {
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }

    CPlanningGridCtrl grid;
};

TEST(PlanningGridCtrl, SetCellOnlyForAnExistingRowAndAColumnBelow32)
{
    CPlanningGridCtrl grid;
    for (int column = 0; column < 34; ++column)
        grid.AddColumn(column, QString::number(column));
    grid.AddRow(0, QStringLiteral("giorni"), 0);
    grid.AddRow(1, QStringLiteral("101"), 11);
    struct SetCase {
        int row;
        int column;
        int result;
    };
    const SetCase cases[] = {{1, 31, 1}, {1, 32, 0}, {1, 33, 0}, {2, 5, 0}, {-1, 5, 0}, {1, -1, 0}, {0, 1, 1}};
    for (const SetCase& c : cases) {
        EXPECT_EQ(grid.SetCell(c.row, c.column, QStringLiteral("x"), kRed), c.result) << c.row << "," << c.column;
        EXPECT_EQ(grid.CellText(c.row, c.column), c.result ? QStringLiteral("x") : QString()) << c.row << "," << c.column;
    }
    EXPECT_EQ(grid.CellColour(1, 32), kNoColour);

    // A row and a column of nothing: no row can be added.
    CPlanningGridCtrl empty;
    EXPECT_EQ(empty.AddRow(0, QStringLiteral("101"), 11), -1);
    EXPECT_EQ(empty.RowCount(), 0);
}

TEST(PlanningGridCtrl, TextsWidenTheirColumnsAndClearRemovesEverything)
{
    GridFixture f;
    const int before = f.grid.columnWidth(2);
    f.grid.SetCell(1, 2, QStringLiteral("Rossi Mario e famiglia"), kRed);
    EXPECT_GT(f.grid.columnWidth(2), before);
    EXPECT_GE(f.grid.columnWidth(0), f.grid.fontMetrics().horizontalAdvance(QStringLiteral("Suite Belvedere")));
    f.Click(1, 3);
    ASSERT_TRUE(f.grid.ClickedCell().isValid());
    f.grid.Clear();
    EXPECT_EQ(f.grid.RowCount(), 0);
    EXPECT_EQ(f.grid.ColumnCount(), 0);
    EXPECT_FALSE(f.grid.ClickedCell().isValid());
}

TEST(PlanningGridCtrl, CellsAreDrawnInTheirColoursWhiteWhenNeverSet)
{
    GridFixture f;
    f.grid.SetCell(1, 1, QString(), kRed);
    f.grid.SetCell(2, 2, QString(), 0x00FF00);
    f.grid.SetCell(3, 3, QString(), 0x12FF0000);  // the top byte is not a colour
    f.grid.SetCell(0, 0, QString(), kRed);         // the corner stays white
    struct PixelCase {
        int row;
        int column;
        QColor colour;
    };
    const PixelCase cases[] = {{1, 1, Qt::red},  {2, 2, QColor(0, 255, 0)}, {3, 3, Qt::blue},
                               {1, 2, Qt::white}, {0, 0, Qt::white},         {0, 4, Qt::white}};
    for (const PixelCase& c : cases)
        EXPECT_EQ(f.Pixel(c.row, c.column), c.colour) << c.row << "," << c.column;
    EXPECT_EQ(f.grid.CellColour(1, 1), kRed) << "the COLORREF is kept as given";
}

TEST(PlanningGridCtrl, AClickOnADayOfARoomSignalsItAndBlackensTheCell)
{
    GridFixture f;
    QSignalSpy clicks(&f.grid, &CPlanningGridCtrl::CellClicked);
    f.Click(0, 3);  // the weekday row
    f.Click(2, 0);  // a room's name
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(f.grid.ClickedCell().isValid());

    f.grid.SetCell(2, 4, QString(), kRed);
    f.Click(2, 4);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 12);
    EXPECT_EQ(clicks.at(0).at(1).toInt(), 4);
    EXPECT_EQ(f.Pixel(2, 4), Qt::black);
    f.Click(0, 1);  // a click elsewhere forgets it
    EXPECT_EQ(f.Pixel(2, 4), Qt::red);
}

TEST(PlanningGridCtrl, EveryRoomHasItsColoursPastTheOldTableOf1024Rows)
{
    // The weekday row and 1,024 rooms: the last room's colours are kept like the first's.
    CPlanningGridCtrl grid;
    grid.AddColumn(0, QStringLiteral("Camera"));
    grid.AddColumn(1, QStringLiteral("1"));
    grid.AddRow(0, QString(), 0);
    for (int room = 1; room <= 1024; ++room)
        grid.AddRow(room, QString::number(room), room);
    ASSERT_EQ(grid.SetCell(1024, 1, QStringLiteral("ultima"), kRed), 1);
    EXPECT_EQ(grid.CellColour(1024, 1), kRed);
    EXPECT_EQ(grid.CellColour(1, 1), kNoColour);
}

TEST(PlanningGridCtrl, AGridInEveryColourShowsItsTextsWholeInBothLanguages)
{
    const std::uint32_t colours[] = {kRed, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xC0C0C0, 0x808080};
    for (const int language : {1, 2}) {
        SetLanguage(language);
        GridFixture f;
        for (int row = 1; row < f.grid.RowCount(); ++row)
            for (int day = 1; day <= kDays; ++day)
                f.grid.SetCell(row, day, day % 2 ? QStringLiteral("Rossi") : QString(), colours[(row + day) % 7]);
        f.Click(2, 5);
        EXPECT_TRUE(HasNoClippedText(f.grid)) << language;
        SaveScreenshot(f.grid, QStringLiteral("lodgix_planninggrid_%1").arg(language == 2 ? "en" : "it"));
    }
    SetLanguage(1);
}

}  // namespace
