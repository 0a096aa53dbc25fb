// CHotelDatabase: the lists and combo boxes of the registers, operators, services and agreements, filled
// through a row sink.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "rowsink.h"

#include <QLocale>

namespace lodgix {

namespace {

constexpr char kAdministratorMark[] = "X";

// A date of birth as the lists show it: the date alone, in the user's locale.
QString DayText(const QDate& date) { return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString(); }

QStringList GuestTexts(FieldReader& row)
{
    QStringList texts;
    for (const TextColumn<GuestRecord>& text : GuestRecord::Columns()) {
        if (qstrcmp(text.column, "LuogoDiNascita") == 0)
            texts << DayText(row.Day(QStringLiteral("DataDiNascita")));
        texts << row.Text(text.column);
    }
    return texts;
}

QStringList ServiceTexts(FieldReader& row, bool withVat)
{
    QStringList texts = {row.Text(QStringLiteral("NomeServizio")), row.Amount(QStringLiteral("Prezzo")).Text()};
    if (withVat)
        texts << row.Rate(QStringLiteral("IVA")).Text();
    return texts;
}

const QString kClientServices = QStringLiteral("SELECT * FROM ClientServices WHERE IsVisible = 1 ORDER BY NomeServizio");
const QString kConventions = QStringLiteral("SELECT * FROM GuestConventions WHERE IsVisible = 1 ORDER BY Label");
const QString kGuests = QStringLiteral("SELECT * FROM GuestConfiguration WHERE IsVisible = 1 ORDER BY Nome");
const QString kCompanies =
    QStringLiteral("SELECT * FROM CompanyConfiguration WHERE IsVisible = 1 ORDER BY RagioneSociale");

}  // namespace

int CHotelDatabase::FillRows(const QString& sql, RowSink& rows, bool clear, const char* idColumn,
                             const std::function<QStringList(FieldReader&)>& texts)
{
    if (clear)
        rows.DeleteAll();
    if (OpenRecordset(sql) != kNoError)
        return kFillFailed;
    FieldReader row(*this);
    while (!IsEof()) {
        const QStringList line = texts(row);
        const int id = row.Int(QLatin1String(idColumn));
        if (!row.Ok()) {
            CloseRecordset();
            return row.Result();  // the rows added so far stay
        }
        rows.Append(line, id);
        if (MoveNext() != kNoError) {
            CloseRecordset();
            return kDbStatementFailed;
        }
    }
    CloseRecordset();
    return kFilled;
}

int CHotelDatabase::FillGuestList(RowSink& rows)
{
    return FillRows(kGuests, rows, true, "IDGuest", GuestTexts);
}

int CHotelDatabase::FillGuestCombo(RowSink& rows)
{
    return FillRows(kGuests, rows, true, "IDGuest", [](FieldReader& row) {
        return QStringList{row.Text(QStringLiteral("Nome")) + QStringLiteral(" - ") +
                           row.Text(QStringLiteral("LuogoDiNascita")) + QStringLiteral(", ") +
                           DayText(row.Day(QStringLiteral("DataDiNascita")))};
    });
}

int CHotelDatabase::FillCompanyList(RowSink& rows)
{
    return FillRows(kCompanies, rows, true, "IDCompany", [](FieldReader& row) {
        QStringList texts;
        for (const TextColumn<CompanyRecord>& text : CompanyRecord::Columns())
            texts << row.Text(text.column);
        return texts;
    });
}

int CHotelDatabase::FillCompanyCombo(RowSink& rows)
{
    return FillRows(kCompanies, rows, true, "IDCompany", [](FieldReader& row) {
        return QStringList{row.Text(QStringLiteral("RagioneSociale")) + QStringLiteral(", ") +
                           row.Text(QStringLiteral("Citta")) + QStringLiteral("(") +
                           row.Text(QStringLiteral("ProvinciaStato")) + QStringLiteral("), P. IVA ") +
                           row.Text(QStringLiteral("PartitaIVA"))};
    });
}

int CHotelDatabase::FillOperatorList(RowSink& rows)
{
    return FillRows(QStringLiteral("SELECT * FROM Operatori WHERE IsVisible = 1 ORDER BY NomeUtente"), rows, true,
                    "IDOperatore", [](FieldReader& row) {
                        const bool administrator = row.Int(QStringLiteral("IsAdministrator")) == 1;
                        return QStringList{row.Text(QStringLiteral("NomeUtente")),
                                           administrator ? QLatin1String(kAdministratorMark) : QString()};
                    });
}

int CHotelDatabase::FillRoomFeatureList(RowSink& rows)
{
    return FillRows(QStringLiteral("SELECT * FROM RoomServices WHERE Prezzo = 0 AND IsVisible = 1 ORDER BY NomeServizio"),
                    rows, true, "IDRoomService", [](FieldReader& row) { return ServiceTexts(row, false); });
}

int CHotelDatabase::FillOptionalServiceList(RowSink& rows)
{
    return FillRows(QStringLiteral("SELECT * FROM RoomServices WHERE Prezzo <> 0 AND IsVisible = 1 ORDER BY NomeServizio"),
                    rows, true, "IDRoomService", [](FieldReader& row) { return ServiceTexts(row, false); });
}

int CHotelDatabase::FillClientServiceList(RowSink& rows)
{
    return FillRows(kClientServices, rows, true, "IDRoomService",
                    [](FieldReader& row) { return ServiceTexts(row, true); });
}

bool CHotelDatabase::FillClientServiceCombo(RowSink& rows)
{
    // Row 0 is the caller's own entry: the rows are added after it.
    return FillRows(kClientServices, rows, false, "IDRoomService", [](FieldReader& row) {
               return QStringList{row.Text(QStringLiteral("NomeServizio"))};
           }) == kFilled;
}

int CHotelDatabase::FillConventionList(RowSink& rows)
{
    return FillRows(kConventions, rows, true, "IDGuestConvenction", [](FieldReader& row) {
        QStringList texts = {row.Text(QStringLiteral("Label"))};
        // The prices in column order: within a season OB, BB, FB, HB.
        for (const ColumnDefinition& column : HotelColumns(HotelTable::kGuestConventions).subspan(2, PriceTable::kCount))
            texts << row.Amount(QLatin1String(column.name)).Text();
        return texts << row.Rate(QStringLiteral("IVA")).Text();
    });
}

int CHotelDatabase::FillConventionCombo(RowSink& rows, const QString& firstText)
{
    rows.DeleteAll();
    rows.Append({firstText}, 0);  // no agreement
    return FillRows(kConventions, rows, false, "IDGuestConvenction",
                    [](FieldReader& row) { return QStringList{row.Text(QStringLiteral("Label"))}; });
}

}  // namespace lodgix
