// CSqlDatabase: the address book that the operator consoles of all workstations share. A contact is this
// workstation's private one (Manager "@@@LOCAL@@@" + computer name) or a shared one ("@@@GLOBAL@@@" +
// the owner's computer name), which Updatable 0 closes to changes by other workstations.
#include "sqldatabase.h"

#include "computername.h"
#include "engineerrorcode.h"
#include "rowsink.h"
#include "sqlname.h"

namespace {

constexpr int kContactTexts = 16;  // Name ... OfficeFaxNumber
constexpr int kFirstNumber = 8;    // HomeNumber1
constexpr int kNumbers = 8;        // HomeNumber1 ... OfficeFaxNumber
constexpr int kManagerColumn = 16;
constexpr int kUpdatableColumn = 17;
constexpr int kLocalBook = 0;
constexpr int kSharedBook = 1;
constexpr int kMaxComputerName = 100;  // what the markers keep of a computer's name
// Results of the address book beyond 0, 44 and 47.
constexpr int kContactKept = kDbTableDropFailed;         // 54: not overwritten, or closed to deletion
constexpr int kNumberTaken = kDbTableUpdateFailed;       // 56: another contact holds one of the numbers
constexpr int kContactClosed = kDbRowInsertFailed;       // 57: another workstation's, closed to changes
const QString kShownOwnerless = QStringLiteral("XXX");
const QString kShownYes = QStringLiteral("X");

ColumnRun Columns() { return Table(EngineTable::kAddressBook).columns; }
QString ColumnName(int column) { return QString::fromLatin1(Columns()[static_cast<std::size_t>(column)].name); }

// Search fields 0-7: Name, Address, City, Provincie, CAP, Country, MailAddress, WebAddress.
constexpr int kSearchColumns[] = {0, 1, 2, 4, 3, 5, 6, 7};

}  // namespace

void CSqlDatabase::SetComputerName(const QString& name) { m_computerName = name.left(kMaxComputerName); }

QString CSqlDatabase::ThisComputer() const
{
    return m_computerName.isNull() ? ComputerName().left(kMaxComputerName) : m_computerName;
}

QString CSqlDatabase::LocalMarker() const { return kLocalContactMarker + ThisComputer(); }

// The condition of a book: this workstation's private contacts, the shared ones, or both.
QString CSqlDatabase::BookCondition(int book, QVariantList& values) const
{
    const QString shared = QStringLiteral("Manager LIKE '") + kSharedContactMarker + QStringLiteral("%'");
    if (book == kSharedBook)
        return shared;
    values << LocalMarker();
    if (book == kLocalBook)
        return QStringLiteral("Manager = ?");
    return QStringLiteral("(Manager = ? OR ") + shared + u')';
}

QString CSqlDatabase::ContactSearch(int field, const QString& text, int book, QVariantList& values) const
{
    const QString pattern = EscapeLike(text) + u'%';
    QString condition;
    if (field >= 0 && field < static_cast<int>(std::size(kSearchColumns))) {
        condition = ColumnName(kSearchColumns[field]) + QStringLiteral(" LIKE ? ESCAPE '\\'");
        values << pattern;
    } else {
        QStringList numbers;
        for (int column = kFirstNumber; column < kFirstNumber + kNumbers; ++column) {
            numbers << ColumnName(column) + QStringLiteral(" LIKE ? ESCAPE '\\'");
            values << pattern;
        }
        condition = u'(' + numbers.join(QStringLiteral(" OR ")) + u')';
    }
    condition = u'(' + condition + QStringLiteral(" AND ") + BookCondition(book, values) + u')';
    return QStringLiteral("SELECT * FROM AddressBook WHERE ") + condition + QStringLiteral(" ORDER BY Name");
}

int CSqlDatabase::SearchContacts(int field, const QString& text, int book, RowSink& rows)
{
    if (!IsOpen())
        return kDbNotConnected;
    QVariantList values;
    const QString sql = ContactSearch(field, text, book, values);
    QStringList columns;
    for (int column = 0; column <= kUpdatableColumn; ++column)
        columns << ColumnName(column);
    // The owner without its marker, "X" for a shared contact and "X" for one open to changes.
    return FillRows(sql, values, columns, {}, rows,
                    [](QStringList& texts) {
                        const QString manager = texts.takeAt(kManagerColumn);
                        const QString updatable = texts.takeAt(kManagerColumn);
                        if (manager.startsWith(kSharedContactMarker))
                            texts << manager.mid(kSharedContactMarker.size()) << kShownYes
                                  << (updatable != QStringLiteral("0") ? kShownYes : QString());
                        else if (manager.startsWith(kLocalContactMarker))
                            texts << manager.mid(kLocalContactMarker.size()) << QString() << QString();
                        else
                            texts << manager << kShownOwnerless << kShownOwnerless;
                    },
                    kDbStatementFailed);
}

int CSqlDatabase::SearchContactNumbers(int field, const QString& text, int book, RowSink& rows)
{
    if (!IsOpen())
        return kDbNotConnected;
    QVariantList values;
    const QString sql = ContactSearch(field, text, book, values);
    QStringList columns{ColumnName(0)};
    for (int column = kFirstNumber; column < kFirstNumber + kNumbers; ++column)
        columns << ColumnName(column);
    return FillRows(sql, values, columns, {}, rows, {}, kDbStatementFailed);
}

int CSqlDatabase::FindContactByNumber(const QString& number, QString& name)
{
    name.clear();
    if (!IsOpen())
        return kDbNotConnected;
    QVariantList values;
    QStringList numbers;
    for (int column = kFirstNumber; column < kFirstNumber + kNumbers; ++column) {
        numbers << ColumnName(column) + QStringLiteral(" = ?");
        values << number;
    }
    const QString sql = QStringLiteral("SELECT Name FROM AddressBook WHERE ((") + numbers.join(QStringLiteral(" OR ")) +
                        QStringLiteral(") AND ") + BookCondition(2, values) + u')';
    if (OpenRecordset(sql, values) != kNoError)
        return kDbStatementFailed;
    if (IsEof()) {
        CloseRecordset();
        return kDbTableCheckFailed;  // no contact holds the number
    }
    const int result = FieldText(QStringLiteral("Name"), name);
    CloseRecordset();
    return result == kNoError ? kNoError : kDbStatementFailed;
}

QVariantList CSqlDatabase::ContactValues(const QStringList& contact) const
{
    QVariantList values;
    for (int column = 0; column < kContactTexts; ++column)
        values << FitColumn(contact.value(column), Columns()[static_cast<std::size_t>(column)]);
    return values;
}

int CSqlDatabase::InsertContactFromList(const QStringList& contact, bool shared, bool updatable)
{
    if (!IsOpen())
        return kDbNotConnected;
    QStringList names;
    for (int column = 0; column <= kUpdatableColumn; ++column)
        names << ColumnName(column);
    QVariantList values = ContactValues(contact);
    values << FitColumn((shared ? kSharedContactMarker : kLocalContactMarker) + ThisComputer(), Columns()[kManagerColumn])
           << (updatable ? 1 : 0);
    QStringList marks;
    for (qsizetype i = 0; i < values.size(); ++i)
        marks << QStringLiteral("?");
    return Run(QStringLiteral("INSERT INTO AddressBook(%1) VALUES (%2)").arg(names.join(u','), marks.join(u',')), values,
               kDbStatementFailed);
}

int CSqlDatabase::SaveContact(const QStringList& contact, bool shared, bool updatable, bool overwrite,
                              const QString& previousName, QString& found, const QString& previousOwner)
{
    found.clear();
    if (!IsOpen())
        return kDbNotConnected;
    const QString previous = previousName.isEmpty() ? contact.value(0) : previousName;
    const QString manager = (shared ? kSharedContactMarker : kLocalContactMarker) + ThisComputer();
    const int book = shared ? kSharedBook : kLocalBook;

    // Another contact of the book with one of the numbers. Without numbers there is nothing to check.
    QVariantList values;
    QStringList numbers;
    for (int column = kFirstNumber; column < kFirstNumber + kNumbers; ++column) {
        if (!contact.value(column).isEmpty()) {
            numbers << ColumnName(column) + QStringLiteral("=?");
            values << contact.value(column);
        }
    }
    if (!numbers.isEmpty()) {
        const QString sql = QStringLiteral("SELECT Name FROM AddressBook WHERE ((") + numbers.join(QStringLiteral(" OR ")) +
                            QStringLiteral(") AND ") + BookCondition(book, values) + u')';
        if (OpenRecordset(sql, values) != kNoError)
            return kDbStatementFailed;
        for (; !IsEof(); MoveNext()) {
            QString name;
            if (FieldText(QStringLiteral("Name"), name) != kNoError)
                return kDbStatementFailed;
            if (name.compare(previous, Qt::CaseInsensitive) != 0) {
                CloseRecordset();
                found = name;
                return kNumberTaken;
            }
        }
        CloseRecordset();
    }

    // The contact being changed, in its book: a shared one of the owner given, when one is.
    values.clear();
    values << previous;
    QString bookCondition;
    if (shared && !previousOwner.isEmpty()) {
        bookCondition = QStringLiteral("Manager = ?");
        values << kSharedContactMarker + previousOwner;
    } else {
        bookCondition = BookCondition(book, values);
    }
    const QString sql = QStringLiteral("SELECT Manager,Updatable FROM AddressBook WHERE Name = ? AND ") + bookCondition;
    if (OpenRecordset(sql, values) != kNoError)
        return kDbStatementFailed;
    if (IsEof()) {
        CloseRecordset();
        return InsertContactFromList(contact, shared, updatable);
    }
    QString storedManager;
    QString storedUpdatable;
    if (FieldText(QStringLiteral("Manager"), storedManager) != kNoError ||
        FieldText(QStringLiteral("Updatable"), storedUpdatable) != kNoError)
        return kDbStatementFailed;
    CloseRecordset();
    const bool ours = storedManager.compare(manager, Qt::CaseInsensitive) == 0;
    if (!ours && storedUpdatable == QStringLiteral("0")) {
        found = storedManager.mid(kSharedContactMarker.size());
        return kContactClosed;
    }
    if (!overwrite)
        return kContactKept;

    // Only the row found is changed; another workstation's contact keeps its owner and its Updatable.
    QStringList assignments;
    for (int column = 0; column < kContactTexts; ++column)
        assignments << ColumnName(column) + QStringLiteral("=?");
    values = ContactValues(contact);
    if (ours) {
        assignments << QStringLiteral("Manager=?") << QStringLiteral("Updatable=?");
        values << storedManager << (updatable ? 1 : 0);
    }
    values << previous << storedManager;
    return Run(QStringLiteral("UPDATE AddressBook SET ") + assignments.join(u',') +
                   QStringLiteral(" WHERE Name = ? AND Manager = ?"),
               values, kDbStatementFailed);
}

int CSqlDatabase::DeleteLocalContact(const QString& name)
{
    if (!IsOpen())
        return kDbNotConnected;
    return Run(QStringLiteral("DELETE FROM AddressBook WHERE Name = ? AND Manager = ?"), {name, LocalMarker()},
               kDbStatementFailed);
}

int CSqlDatabase::DeleteSharedContact(const QString& name, QString& owner, const QString& rowOwner)
{
    owner.clear();
    if (!IsOpen())
        return kDbNotConnected;
    const bool ownerGiven = !rowOwner.isEmpty();
    const QString sql = QStringLiteral("SELECT Manager,Updatable FROM AddressBook WHERE Name = ? AND ") +
                        (ownerGiven ? QStringLiteral("Manager = ?")
                                    : QStringLiteral("Manager LIKE '") + kSharedContactMarker + QStringLiteral("%'"));
    QVariantList values{name};
    if (ownerGiven)
        values << kSharedContactMarker + rowOwner;
    if (OpenRecordset(sql, values) != kNoError)
        return kDbStatementFailed;
    // This workstation's own contact of that name first; else the first other one.
    const QString own = kSharedContactMarker + ThisComputer();
    QString manager;
    QString updatable;
    for (; !IsEof(); MoveNext()) {
        QString rowManager;
        QString rowUpdatable;
        if (FieldText(QStringLiteral("Manager"), rowManager) != kNoError ||
            FieldText(QStringLiteral("Updatable"), rowUpdatable) != kNoError)
            return kDbStatementFailed;
        if (manager.isEmpty() || rowManager.compare(own, Qt::CaseInsensitive) == 0) {
            manager = rowManager;
            updatable = rowUpdatable;
        }
    }
    CloseRecordset();
    if (manager.isEmpty())
        return kNoError;  // no shared contact of that name
    if (manager.compare(own, Qt::CaseInsensitive) != 0 && updatable == QStringLiteral("0")) {
        owner = manager.mid(kSharedContactMarker.size());
        return kContactKept;
    }
    return Run(QStringLiteral("DELETE FROM AddressBook WHERE Name = ? AND Manager = ?"), {name, manager},
               kDbStatementFailed);
}
