#include "listexport.h"

#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStandardItemModel* MakeList(const QStringList& headings, const QList<QStringList>& rows)
{
    auto* model = new QStandardItemModel(static_cast<int>(rows.size()), static_cast<int>(headings.size()));
    model->setHorizontalHeaderLabels(headings);
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column)
            model->setItem(row, column, new QStandardItem(rows[row][column]));
    return model;
}

// Sets the default locale for the life of the guard.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ListExport, CsvOfOneNumber)
{
    std::unique_ptr<QStandardItemModel> list(MakeList({"Numero"}, {{"0039"}}));
    EXPECT_EQ(ListExportText(*list, QStringLiteral("Storico"), true, QStringLiteral(";")),
              QStringLiteral("Storico\r\nNumero\r\n=\"0039\"\r\n"));
}

TEST(ListExport, TextCellsAsTheyAreQuotesDoubledInCsv)
{
    std::unique_ptr<QStandardItemModel> list(
        MakeList({"Data", "Numero", "Costo"}, {{"15/05/2024", "0712345", "0.02"}, {"", "say \"hi\"", "1.00"}}));
    EXPECT_EQ(ListExportText(*list, QStringLiteral("Conto"), false, QStringLiteral("\t")),
              QStringLiteral("Conto\r\nData\tNumero\tCosto\r\n15/05/2024\t0712345\t0.02\r\n\tsay \"hi\"\t1.00\r\n"));
    EXPECT_EQ(ListExportText(*list, QStringLiteral("Conto"), true, QStringLiteral(",")),
              QStringLiteral("Conto\r\nData,Numero,Costo\r\n=\"15/05/2024\",=\"0712345\",=\"0.02\"\r\n"
                             "=\"\",=\"say \"\"hi\"\"\",=\"1.00\"\r\n"));
}

TEST(ListExport, EmptyListHasTitleAndHeadings)
{
    std::unique_ptr<QStandardItemModel> list(MakeList({"A", "B"}, {}));
    EXPECT_EQ(ListExportText(*list, QString(), false, QStringLiteral("\t")), QStringLiteral("\r\nA\tB\r\n"));
}

TEST(ListExport, ColumnKindsAndAnOptionalTitle)
{
    std::unique_ptr<QStandardItemModel> list(
        MakeList({"Nome; cognome", "Prezzo", "Codice"}, {{"Rossi, Ada", "1.50", "007"}, {"\"A\"\r\nB", "", "x"}}));
    ListExportFormat format = ListExportFormatFor(true, QLocale(QStringLiteral("en_GB")));
    format.kinds = {ListColumnKind::kPlain, ListColumnKind::kNumeric, ListColumnKind::kText, ListColumnKind::kText};
    EXPECT_EQ(ListExportText(*list, format),
              QStringLiteral("Nome; cognome,Prezzo,Codice\r\n\"Rossi, Ada\",1.50,=\"007\"\r\n"
                             "\"\"\"A\"\"\r\nB\",,=\"x\"\r\n"));
    format.title = QStringLiteral("Ospiti");
    format.separator = QStringLiteral(";");
    format.decimalSign = QStringLiteral(",");
    EXPECT_EQ(ListExportText(*list, format),
              QStringLiteral("Ospiti\r\n\"Nome; cognome\";Prezzo;Codice\r\nRossi, Ada;1,50;=\"007\"\r\n"
                             "\"\"\"A\"\"\r\nB\";;=\"x\"\r\n"));
    EXPECT_EQ(ListExportText(*list, ListExportFormatFor(false)),
              QStringLiteral("Nome; cognome\tPrezzo\tCodice\r\nRossi, Ada\t1.50\t007\r\n\"A\"  B\t\tx\r\n"));
}

TEST(ListExport, SeparatorFollowsTheDecimalSeparator)
{
    EXPECT_EQ(ListSeparator(QLocale(QStringLiteral("it_IT"))), QStringLiteral(";"));
    EXPECT_EQ(ListSeparator(QLocale(QStringLiteral("en_GB"))), QStringLiteral(","));
}

TEST(ListExport, FileIsUtf8WithTabsOrTheLocaleSeparator)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::unique_ptr<QStandardItemModel> list(MakeList({"Città", "Costo"}, {{"Forlì", "0.50"}}));

    const QString text = dir.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(ExportListToTextFile(*list, QStringLiteral("Titolo"), text, false));
    EXPECT_EQ(ReadFile(text), QStringLiteral("Titolo\r\nCittà\tCosto\r\nForlì\t0.50\r\n").toUtf8());

    const QString csv = dir.filePath(QStringLiteral("list.csv"));
    {
        const DefaultLocale italian(QLocale(QStringLiteral("it_IT")));
        ASSERT_TRUE(ExportListToTextFile(*list, QStringLiteral("Titolo"), csv, true));
    }
    EXPECT_EQ(ReadFile(csv), QStringLiteral("Titolo\r\nCittà;Costo\r\n=\"Forlì\";=\"0.50\"\r\n").toUtf8());

    EXPECT_FALSE(ExportListToTextFile(*list, QStringLiteral("Titolo"), dir.filePath(QStringLiteral("no/list.txt")),
                                      false));
    EXPECT_FALSE(ExportListToTextFile(*list, QStringLiteral("Titolo"), dir.path(), false));
}

}  // namespace
