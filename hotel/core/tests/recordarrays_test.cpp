#include "listfileexport.h"
#include "roomarray.h"
#include "statisticitem.h"

#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

TEST(RoomArray, FindRemoveAndServices)
{
    std::vector<RoomRecord> rooms(3);
    rooms[0].id = 4;
    rooms[1].id = 40000;
    rooms[2].id = 9;
    rooms[1].services = {2, 7};
    EXPECT_EQ(FindRoomRecord(40000, rooms), 1);
    EXPECT_EQ(FindRoomRecord(5, rooms), -1);
    EXPECT_TRUE(RoomHasService(7, rooms[1]));
    EXPECT_FALSE(RoomHasService(3, rooms[1]));
    RemoveRoomRecord(rooms, 5);
    EXPECT_EQ(rooms.size(), 3u);
    RemoveRoomRecord(rooms, 40000);
    ASSERT_EQ(rooms.size(), 2u);
    EXPECT_EQ(rooms[1].id, 9);
}

TEST(StatisticItems, AddingAKeyAgainSumsAndCounts)
{
    std::vector<StatisticItem> items;
    EXPECT_EQ(FindStatisticItem({1, 0, Money(), 0}, items), -1);
    AddStatisticItem({70000, 3, Money::FromCents(12050), 99}, items);
    AddStatisticItem({2, 1, Money::FromCents(1), 0}, items);
    AddStatisticItem({70000, 100000, Money::FromCents(999999999), 0}, items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], (StatisticItem{70000, 100003, Money::FromCents(1000012049), 2}));
    EXPECT_EQ(items[1].count, 1);
    EXPECT_EQ(FindStatisticItem({2, 0, Money(), 0}, items), 1);
}

TEST(ReverseBytes, ReversesInPlace)
{
    std::array<quint8, 4> address = {192, 168, 1, 20};
    EXPECT_EQ(ReverseBytes(address), 2);
    EXPECT_EQ(address, (std::array<quint8, 4>{20, 1, 168, 192}));
    std::array<quint8, 3> odd = {1, 2, 3};
    EXPECT_EQ(ReverseBytes(odd), 1);
    EXPECT_EQ(odd, (std::array<quint8, 3>{3, 2, 1}));
    EXPECT_EQ(ReverseBytes({}), 0);
}

TEST(ListFile, NamesGetTheFiltersExtension)
{
    EXPECT_EQ(ListFileName("/tmp/elenco", false), QStringLiteral("/tmp/elenco.txt"));
    EXPECT_EQ(ListFileName("/tmp/elenco", true), QStringLiteral("/tmp/elenco.csv"));
    EXPECT_EQ(ListFileName("/tmp/elenco.dat", true), QStringLiteral("/tmp/elenco.dat"));
}

TEST(ListFile, WritesCsvByKindAndTabFilesWhole)
{
    QStandardItemModel list(2, 3);
    list.setHorizontalHeaderLabels({"Prezzo", "Telefono", "Nota"});
    const QList<QStringList> rows = {{"12.50", "0039 06", "a;b"}, {"3.00", "33\"1", "riga\nnuova\tcolonna"}};
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < 3; ++column)
            list.setItem(row, column, new QStandardItem(rows[row][column]));
    const std::vector<ListColumnKind> kinds = {ListColumnKind::kNumeric, ListColumnKind::kText};

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QLocale italian(QStringLiteral("it_IT"));
    const QString csv = dir.filePath("elenco.csv");
    ASSERT_TRUE(WriteListFile(list, kinds, csv, italian));
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csvFile.readAll()),
              QStringLiteral("Prezzo;Telefono;Nota\r\n12,50;=\"0039 06\";\"a;b\"\r\n"
                             "3,00;=\"33\"\"1\";\"riga\nnuova\tcolonna\"\r\n"));

    const QString text = dir.filePath("elenco.txt");
    ASSERT_TRUE(WriteListFile(list, kinds, text, italian));
    QFile textFile(text);
    ASSERT_TRUE(textFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(textFile.readAll()),
              QStringLiteral("Prezzo\tTelefono\tNota\r\n12.50\t0039 06\ta;b\r\n3.00\t33\"1\triga nuova colonna\r\n"));

    EXPECT_FALSE(WriteListFile(list, kinds, dir.filePath("no/elenco.csv"), italian));
    EXPECT_FALSE(QFile::exists(dir.filePath("no/elenco.csv")));
}

}  // namespace
}  // namespace lodgix
