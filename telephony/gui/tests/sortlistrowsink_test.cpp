// A query of the console's database fills a sortable list directly, on both backends.
#include "sortlistrowsink.h"

#include "dbtest.h"
#include "language.h"
#include "noterecord.h"
#include "sortlistctrl.h"

namespace {

constexpr int kPbxId = 1;
constexpr int kExtension = 4;
enum NoteColumn { kExtensionColumn, kDateColumn, kLinkColumn, kNumberColumn, kTextColumn };

class SortListRowSinkTest : public DbTest {};

TEST_P(SortListRowSinkTest, NotesFillTheListAndSortByDateAndNumber)
{
    // In Italian the database writes dates with two-digit years ("09/12/24 23:59:59").
    SetLanguage(kLanguageItalian);
    std::unique_ptr<CSqlDatabase> database = StartEngineDatabaseWithPbx(0, QStringLiteral("PBX1"));
    ASSERT_EQ(database->PrepareOperatorConsoleTables(), kNoError) << database->LastError().toStdString();
    const struct {
        OleDate date;
        const char* number;
    } notes[] = {{OleDate(2024, 12, 10, 9, 0, 0), "9"},
                 {OleDate(2025, 1, 2, 8, 0, 0), "100"},
                 {OleDate(2024, 12, 9, 23, 59, 59), "10"}};
    for (const auto& note : notes) {
        ASSERT_EQ(database->InsertNote(kPbxId, kExtension,
                                       NoteRecord{7, note.date, QString::fromLatin1(note.number), QStringLiteral("nota")}),
                  kNoError);
    }
    CSortListCtrl list;
    for (const auto& [column, type] : {std::pair{kExtensionColumn, CSortListCtrl::kNumber},
                                       {kDateColumn, CSortListCtrl::kDate},
                                       {kLinkColumn, CSortListCtrl::kNumber},
                                       {kNumberColumn, CSortListCtrl::kNumber},
                                       {kTextColumn, CSortListCtrl::kText}})
        list.InsertColumn(column, QString::number(column), type);
    list.InsertItem(0, QStringLiteral("a row from before"));
    SortListRowSink rows(list);
    ASSERT_EQ(database->QueryNotes(kPbxId, 255, nullptr, nullptr, 0, {}, rows), kNoError);
    ASSERT_EQ(list.ItemCount(), 3);
    const auto numbers = [&list] {
        QStringList texts;
        for (int row = 0; row < list.ItemCount(); ++row)
            texts << list.ItemText(row, kNumberColumn);
        return texts;
    };
    EXPECT_EQ(numbers(), QStringList({"10", "9", "100"}));  // the query's order: by date
    EXPECT_GT(list.ItemData(0), 0);
    list.SortByColumn(kDateColumn);
    EXPECT_EQ(numbers(), QStringList({"100", "9", "10"}));
    list.SortByColumn(kNumberColumn);
    EXPECT_EQ(numbers(), QStringList({"100", "10", "9"}));
    list.SortByColumn(kNumberColumn);
    EXPECT_EQ(numbers(), QStringList({"9", "10", "100"}));
}

INSTANTIATE_DB_TEST(SortListRowSinkTest);

}  // namespace
