// CHotelDatabase: the guest and company registers.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "sqldate.h"
#include "statementtext.h"

#include <QStringList>

#include <algorithm>

namespace lodgix {

namespace {

// The guest's columns in the order of GuestValues: its texts, the date of birth, the visibility.
QStringList GuestColumns()
{
    QStringList columns;
    for (const TextColumn<GuestRecord>& text : GuestRecord::Columns())
        columns << QLatin1String(text.column);
    return columns << QStringLiteral("DataDiNascita") << QStringLiteral("IsVisible");
}

QStringList CompanyColumns()
{
    QStringList columns;
    for (const TextColumn<CompanyRecord>& text : CompanyRecord::Columns())
        columns << QLatin1String(text.column);
    return columns << QStringLiteral("IsVisible");
}

// The stored text of a date of birth; empty when the record holds no usable date.
QString BirthDateText(const QDate& date)
{
    return date.isValid() ? SqlDateText(OleDate(date.year(), date.month(), date.day())) : QString();
}

}  // namespace

int CHotelDatabase::InsertGuest(const GuestRecord& guest, int& id)
{
    const QString birth = BirthDateText(guest.dateOfBirth);
    if (birth.isEmpty())
        return kDbStatementFailed;
    QVariantList values;
    for (const TextColumn<GuestRecord>& text : GuestRecord::Columns())
        values << HotelTextValue(HotelTable::kGuestConfiguration, text.column, guest.*text.field);
    values << birth << 1;
    const QVariant name = values.first();
    const QVariant place = HotelTextValue(HotelTable::kGuestConfiguration, "LuogoDiNascita", guest.birthPlace);
    const QStringList columns = GuestColumns();
    return WithTableLock(HotelTable::kGuestConfiguration, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDGuest FROM GuestConfiguration WHERE Nome = ? AND DataDiNascita = ? "
                                  "AND LuogoDiNascita = ? AND IsVisible = 1"),
                   {name, birth, place}, found) != kNoError ||
            found)
            return static_cast<int>(kDbStatementFailed);
        return InsertReturning(QStringLiteral("INSERT INTO GuestConfiguration (%1) VALUES (%2)")
                                   .arg(columns.join(u','), Placeholders(columns.size())),
                               values, "IDGuest", id);
    });
}

int CHotelDatabase::UpdateGuest(int id, const GuestRecord& guest)
{
    const QString birth = BirthDateText(guest.dateOfBirth);
    if (birth.isEmpty())
        return kDbStatementFailed;
    QVariantList values;
    for (const TextColumn<GuestRecord>& text : GuestRecord::Columns())
        values << HotelTextValue(HotelTable::kGuestConfiguration, text.column, guest.*text.field);
    values << birth << 1 << id;
    const QVariant name = values.first();
    const QVariant place = HotelTextValue(HotelTable::kGuestConfiguration, "LuogoDiNascita", guest.birthPlace);
    return WithTableLock(HotelTable::kGuestConfiguration, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDGuest FROM GuestConfiguration WHERE Nome = ? AND DataDiNascita = ? "
                                  "AND LuogoDiNascita = ? AND IsVisible = 1 AND IDGuest <> ?"),
                   {name, birth, place, id}, found) != kNoError ||
            found)
            return static_cast<int>(kDbStatementFailed);
        return Execute(
            QStringLiteral("UPDATE GuestConfiguration SET %1 WHERE IDGuest = ?").arg(Assignments(GuestColumns())),
            values);
    });
}

int CHotelDatabase::DeleteGuest(int id)
{
    return Execute(QStringLiteral("UPDATE GuestConfiguration SET IsVisible = 0 WHERE IDGuest = ?"), {id});
}

bool CHotelDatabase::LoadGuest(int id, GuestRecord& guest)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM GuestConfiguration WHERE IDGuest = ?"), {id}) != kNoError ||
        IsEof())
        return false;
    GuestRecord loaded;
    FieldReader row(*this);
    for (const TextColumn<GuestRecord>& text : GuestRecord::Columns())
        loaded.*text.field = row.Text(text.column);
    loaded.dateOfBirth = row.Day(QStringLiteral("DataDiNascita"));
    CloseRecordset();
    if (!row.Ok())
        return false;
    guest = loaded;
    return true;
}

int CHotelDatabase::LoadGuestNames(const std::vector<int>& ids, std::unordered_map<int, QString>& names)
{
    // In slices, so that no statement carries more values than a backend takes.
    constexpr std::size_t kSlice = 500;
    for (std::size_t first = 0; first < ids.size(); first += kSlice) {
        const std::size_t count = std::min(kSlice, ids.size() - first);
        QVariantList values;
        for (std::size_t i = first; i < first + count; ++i)
            values << ids[i];
        QStringList marks(static_cast<qsizetype>(count), QStringLiteral("?"));
        const int result = ReadRows(
            QStringLiteral("SELECT IDGuest, Nome FROM GuestConfiguration WHERE IDGuest IN (%1)").arg(marks.join(u',')),
            values, [&names](FieldReader& row) {
                const int id = row.Int(QStringLiteral("IDGuest"));
                names[id] = row.Text(QStringLiteral("Nome"));
                return kNoError;
            });
        if (result != kNoError)
            return result;
    }
    return kNoError;
}

bool CHotelDatabase::GetGuestConvention(int id, QString& conventionName)
{
    if (OpenRecordset(QStringLiteral("SELECT ConventionName FROM GuestConfiguration WHERE IDGuest = ?"), {id}) !=
            kNoError ||
        IsEof())
        return false;
    FieldReader row(*this);
    const QString name = row.Text(QStringLiteral("ConventionName"));
    CloseRecordset();
    if (!row.Ok())
        return false;
    conventionName = name;
    return true;
}

int CHotelDatabase::RefuseDuplicateCompany(const QVariant& taxCode, int exceptId, CompanyRecord& company)
{
    if (OpenRecordset(QStringLiteral("SELECT RagioneSociale FROM CompanyConfiguration WHERE CodiceFiscale = ? "
                                     "AND IsVisible = 1 AND IDCompany <> ?"),
                      {taxCode, exceptId}) != kNoError)
        return kDbStatementFailed;
    if (IsEof())
        return kNoError;
    // The caller names the company that has the tax code already.
    FieldReader row(*this);
    const QString existing = row.Text(QStringLiteral("RagioneSociale"));
    CloseRecordset();
    if (!row.Ok())
        return row.Result();
    company.companyName = existing;
    return kDbRecordSelection;
}

int CHotelDatabase::InsertCompany(CompanyRecord& company, int& id)
{
    QVariantList values;
    for (const TextColumn<CompanyRecord>& text : CompanyRecord::Columns())
        values << HotelTextValue(HotelTable::kCompanyConfiguration, text.column, company.*text.field);
    values << 1;
    const QVariant taxCode = HotelTextValue(HotelTable::kCompanyConfiguration, "CodiceFiscale", company.taxCode);
    const QStringList columns = CompanyColumns();
    return WithTableLock(HotelTable::kCompanyConfiguration, [&] {
        const int result = RefuseDuplicateCompany(taxCode, 0, company);
        if (result != kNoError)
            return result;
        return InsertReturning(QStringLiteral("INSERT INTO CompanyConfiguration (%1) VALUES (%2)")
                                   .arg(columns.join(u','), Placeholders(columns.size())),
                               values, "IDCompany", id);
    });
}

int CHotelDatabase::UpdateCompany(int id, CompanyRecord& company)
{
    QVariantList values;
    for (const TextColumn<CompanyRecord>& text : CompanyRecord::Columns())
        values << HotelTextValue(HotelTable::kCompanyConfiguration, text.column, company.*text.field);
    values << 1 << id;
    const QVariant taxCode = HotelTextValue(HotelTable::kCompanyConfiguration, "CodiceFiscale", company.taxCode);
    return WithTableLock(HotelTable::kCompanyConfiguration, [&] {
        const int result = RefuseDuplicateCompany(taxCode, id, company);
        if (result != kNoError)
            return result;
        return Execute(
            QStringLiteral("UPDATE CompanyConfiguration SET %1 WHERE IDCompany = ?").arg(Assignments(CompanyColumns())),
            values);
    });
}

int CHotelDatabase::DeleteCompany(int id)
{
    return Execute(QStringLiteral("UPDATE CompanyConfiguration SET IsVisible = 0 WHERE IDCompany = ?"), {id});
}

bool CHotelDatabase::LoadCompany(int id, CompanyRecord& company)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM CompanyConfiguration WHERE IDCompany = ?"), {id}) != kNoError ||
        IsEof())
        return false;
    CompanyRecord loaded;
    FieldReader row(*this);
    for (const TextColumn<CompanyRecord>& text : CompanyRecord::Columns())
        loaded.*text.field = row.Text(text.column);
    CloseRecordset();
    if (!row.Ok())
        return false;
    company = loaded;
    return true;
}

}  // namespace lodgix
