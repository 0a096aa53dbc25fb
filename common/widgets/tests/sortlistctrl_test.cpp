#include "sortlistctrl.h"

#include "clippedtextcheck.h"
#include "language.h"
#include "oledatetext.h"
#include "sortlistrowsink.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QHeaderView>
#include <QLocale>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

enum Column { kName, kAmount, kDay };

// Three columns of each sort type; rows given as (name, amount, day), each row's item data its position.
struct SortListFixture {
    SortListFixture()
    {
        list.InsertColumn(kName, QStringLiteral("Nome"), CSortListCtrl::kText);
        list.InsertColumn(kAmount, QStringLiteral("Importo"), CSortListCtrl::kNumber, Qt::AlignRight);
        list.InsertColumn(kDay, QStringLiteral("Data"), CSortListCtrl::kDate, Qt::AlignLeft, 160);
        list.resize(420, 200);
    }
    void Fill(const std::vector<QStringList>& rows)
    {
        SortListRowSink sink(list);
        sink.DeleteAll();
        qint64 key = 0;
        for (const QStringList& row : rows)
            sink.Append(row, key++);
    }
    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list.ItemCount(); ++row)
            texts << list.ItemText(row, column);
        return texts;
    }
    void ClickHeader(int column) { emit list.header()->sectionClicked(column); }

    CSortListCtrl list;
};

QString Day(int year, int month, int day)
{
    return FormatOleDate(OleDate(year, month, day, 9, 30, 0), QLocale());
}

TEST(SortListCtrl, ClicksSortByTypeAndFlipEachColumnsDirection)
{
    SetLanguage(kLanguageItalian);
    SortListFixture f;
    f.Fill({{"bianchi", "10", Day(2024, 12, 10)},
            {"Rossi", "9", Day(2025, 1, 2)},
            {"Verdi", "100", QStringLiteral("non una data")},
            {"azzurri", "9.5", Day(2024, 12, 9)}});
    const struct {
        int column;
        QStringList expected;
        bool descending;
    } clicks[] = {
        {kName, {"Verdi", "Rossi", "bianchi", "azzurri"}, true},
        {kName, {"azzurri", "bianchi", "Rossi", "Verdi"}, false},
        {kAmount, {"100", "10", "9.5", "9"}, true},  // by value, not as text
        {kAmount, {"9", "9.5", "10", "100"}, false},
        {kDay, {Day(2025, 1, 2), Day(2024, 12, 10), Day(2024, 12, 9), "non una data"}, true},
        {kName, {"Verdi", "Rossi", "bianchi", "azzurri"}, true},  // its own direction goes on from ascending
        {kDay, {"non una data", Day(2024, 12, 9), Day(2024, 12, 10), Day(2025, 1, 2)}, false},
    };
    for (const auto& click : clicks) {
        f.ClickHeader(click.column);
        EXPECT_EQ(f.list.SortColumn(), click.column);
        EXPECT_EQ(f.list.IsDescending(click.column), click.descending);
        EXPECT_EQ(f.Column(click.column), click.expected) << click.column;
    }
    f.list.show();
    ASSERT_TRUE(WaitFor([&] { return f.list.windowHandle() && f.list.windowHandle()->isExposed(); }));
    EXPECT_TRUE(HasNoClippedText(f.list));
    SaveScreenshot(f.list, QStringLiteral("sortlistctrl"));
}

TEST(SortListCtrl, RowsKeepTheirItemDataAndRowsSharingAKeyStayTogether)
{
    SortListFixture f;
    f.Fill({{"b", "1", {}}, {"a", "1", {}}, {"c", "2", {}}, {"a", "1", {}}});
    f.ClickHeader(kName);
    ASSERT_EQ(f.Column(kName), QStringList({"c", "b", "a", "a"}));
    EXPECT_EQ(f.list.ItemData(0), 2);
    EXPECT_EQ(f.list.ItemData(1), 0);
    EXPECT_EQ(f.list.ItemText(2, kAmount), "1");
    EXPECT_EQ(f.list.ItemText(3, kAmount), "1");
}

// Rows were found again by their item data to be compared: rows sharing one compared as the same row.
TEST(SortListCtrl, RowsSharingAnItemDataSortByTheirOwnCells)
{
    SortListFixture f;
    for (const char* amount : {"3", "30", "1", "20"}) {
        const int row = f.list.InsertItem(f.list.ItemCount(), QStringLiteral("x"), 7);
        f.list.SetItemText(row, kAmount, QString::fromLatin1(amount));
    }
    f.ClickHeader(kAmount);
    EXPECT_EQ(f.Column(kAmount), QStringList({"30", "20", "3", "1"}));
}

TEST(SortListCtrl, RefillStartsDescendingAgainAndKeepsTheTypes)
{
    SortListFixture f;
    f.Fill({{"a", "2", {}}, {"b", "10", {}}});
    f.ClickHeader(kAmount);
    f.ClickHeader(kAmount);
    ASSERT_FALSE(f.list.IsDescending(kAmount));
    f.Fill({{"a", "2", {}}, {"b", "10", {}}, {"c", "3", {}}});
    EXPECT_FALSE(f.list.IsDescending(kAmount));
    EXPECT_EQ(f.list.SortColumn(), 0);
    f.ClickHeader(kAmount);
    EXPECT_EQ(f.Column(kAmount), QStringList({"10", "3", "2"}));
    EXPECT_EQ(f.list.ColumnSortType(kAmount), CSortListCtrl::kNumber);
}

TEST(SortListCtrl, DateColumnSortsByTheStoredValueWhateverTheText)
{
    SortListFixture f;
    // Texts in a form no locale parses: the values stored with the cells decide.
    const struct {
        const char* text;
        QDateTime value;
    } rows[] = {{"lunedì 9", QDateTime(QDate(2024, 12, 9), QTime(8, 0))},
                {"ieri", QDateTime(QDate(2025, 1, 2), QTime(7, 0))},
                {"oggi alle 7", QDateTime(QDate(2025, 1, 2), QTime(7, 0, 1))}};
    for (const auto& row : rows) {
        const int at = f.list.InsertItem(f.list.ItemCount(), QStringLiteral("x"));
        f.list.SetItemText(at, kDay, QString::fromUtf8(row.text));
        f.list.SetSortValue(at, kDay, row.value);
    }
    f.list.SortByColumn(kDay);
    EXPECT_EQ(f.Column(kDay), QStringList({"oggi alle 7", "ieri", "lunedì 9"}));
    f.list.SortByColumn(kDay);
    EXPECT_EQ(f.Column(kDay), QStringList({"lunedì 9", "ieri", "oggi alle 7"}));
}

TEST(SortListCtrl, ColumnsInsertedBeforeOthersAndPastTheLimit)
{
    CSortListCtrl list;
    EXPECT_EQ(list.InsertColumn(0, QStringLiteral("B"), CSortListCtrl::kNumber), 0);
    EXPECT_EQ(list.InsertColumn(0, QStringLiteral("A"), CSortListCtrl::kDate), 0);
    EXPECT_EQ(list.InsertColumn(9, QStringLiteral("C"), CSortListCtrl::kText), 2);
    EXPECT_EQ(list.headerItem()->text(1), "B");
    EXPECT_EQ(list.ColumnSortType(0), CSortListCtrl::kDate);
    EXPECT_EQ(list.ColumnSortType(1), CSortListCtrl::kNumber);
    for (int column = 3; column < CSortListCtrl::kMaxColumns; ++column)
        list.InsertColumn(column, QString::number(column), CSortListCtrl::kText);
    EXPECT_EQ(list.InsertColumn(0, QStringLiteral("X"), CSortListCtrl::kText), -1);
}

}  // namespace

namespace {

// The database's texts carry the locale's short date: in Italian a two-digit year.
TEST(SortListCtrl, DateTextsWithTwoDigitYearsSortInTheirCentury)
{
    SetLanguage(kLanguageItalian);
    SortListFixture f;
    f.Fill({{"a", "", "09/12/24 23:59:59"}, {"b", "", "02/01/30 08:00:00"}, {"c", "", "02/01/25 08:00:00"},
            {"d", "", "31/12/1999 10:00:00"}});
    f.ClickHeader(kDay);
    EXPECT_EQ(f.Column(kName), QStringList({"c", "a", "d", "b"}));
}

}  // namespace
