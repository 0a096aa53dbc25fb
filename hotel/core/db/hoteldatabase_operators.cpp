// CHotelDatabase: the operators (front-desk users).
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "operatorpassword.h"

namespace lodgix {

int CHotelDatabase::InsertOperator(const QString& userName, const QString& password, bool administrator, int& id)
{
    const QVariant name = HotelTextValue(HotelTable::kOperators, "NomeUtente", userName);
    const QString stored = StoredOperatorPassword(password);
    return WithTableLock(HotelTable::kOperators, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDOperatore FROM Operatori WHERE NomeUtente = ? AND IsVisible = 1"), {name},
                   found) != kNoError ||
            found)
            return static_cast<int>(kDbStatementFailed);
        return InsertReturning(QStringLiteral("INSERT INTO Operatori (NomeUtente,Password,IsAdministrator,IsVisible) "
                                              "VALUES (?,?,?,1)"),
                               {name, stored, administrator ? 1 : 0}, "IDOperatore", id);
    });
}

bool CHotelDatabase::CheckOperatorLogin(const QString& userName, const QString& password, bool& administrator, int& id)
{
    const QVariant name = HotelTextValue(HotelTable::kOperators, "NomeUtente", userName);
    if (OpenRecordset(QStringLiteral("SELECT * FROM Operatori WHERE NomeUtente = ? AND IsVisible = 1"), {name}) !=
        kNoError)
        return false;
    FieldReader row(*this);
    while (!IsEof() && row.Ok()) {
        if (OperatorPasswordMatches(row.Text(QStringLiteral("Password")), password)) {
            const bool isAdministrator = row.Int(QStringLiteral("IsAdministrator")) == 1;
            const int operatorId = row.Int(QStringLiteral("IDOperatore"));
            CloseRecordset();
            if (!row.Ok())
                return false;
            administrator = isAdministrator;
            id = operatorId;
            return true;
        }
        if (MoveNext() != kNoError)
            break;
    }
    CloseRecordset();
    return false;
}

QString CHotelDatabase::GetOperatorName(int id)
{
    if (OpenRecordset(QStringLiteral("SELECT NomeUtente FROM Operatori WHERE IDOperatore = ?"), {id}) != kNoError ||
        IsEof())
        return {};
    FieldReader row(*this);
    const QString name = row.Text(QStringLiteral("NomeUtente"));
    CloseRecordset();
    return name;
}

int CHotelDatabase::ChangeOperatorPassword(int id, const QString& password)
{
    return Execute(QStringLiteral("UPDATE Operatori SET Password = ? WHERE IDOperatore = ?"),
                   {StoredOperatorPassword(password), id});
}

int CHotelDatabase::DeleteOperator(int id)
{
    return Execute(QStringLiteral("UPDATE Operatori SET IsVisible = 0 WHERE IDOperatore = ?"), {id});
}

}  // namespace lodgix
