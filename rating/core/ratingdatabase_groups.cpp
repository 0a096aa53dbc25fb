// CRatingDatabase: the Groups table of extension groups.
#include "ratingdatabase.h"

#include "dbtransaction.h"
#include "engineerrorcode.h"

#include <string>
#include <vector>

namespace {

constexpr int kFixedColumns = 4;  // ID, PBXIdentifier, GroupName, NumElement; then one column per member

// The columns of Groups in creation order. The member columns' names live as long as the program.
ColumnRun GroupColumns()
{
    static const std::vector<std::string> memberNames = [] {
        std::vector<std::string> names;
        for (int i = 1; i <= ExtensionGroup::kMaxMembers; ++i)
            names.push_back("Index" + std::to_string(i));
        return names;
    }();
    static const std::vector<ColumnDefinition> columns = [] {
        std::vector<ColumnDefinition> list{{"ID", "integer not null identity"},
                                           {"PBXIdentifier", "smallint"},
                                           {"GroupName", "varchar(63)"},
                                           {"NumElement", "smallint"}};
        for (const std::string& name : memberNames)
            list.push_back({name.c_str(), "smallint"});
        return list;
    }();
    return columns;
}

QString MemberColumn(int index) { return QStringLiteral("Index%1").arg(index + 1); }

// The columns written by an insert or an update: all but ID.
QStringList WrittenColumns()
{
    QStringList names;
    for (const ColumnDefinition& column : GroupColumns().subspan(1))
        names << QString::fromLatin1(column.name);
    return names;
}

}  // namespace

int CRatingDatabase::CreateGroupsTable() { return EnsureTable(QStringLiteral("Groups"), GroupColumns()); }

int CRatingDatabase::SelectGroups(int pbx, std::vector<GroupListEntry>& entries)
{
    entries.clear();
    if (!IsOpen())
        return kDbNotConnected;
    if (OpenRecordset(QStringLiteral("SELECT ID,GroupName FROM Groups WHERE PBXIdentifier = ? ORDER BY ID"), {pbx}) !=
        kNoError)
        return kDbStatementFailed;
    std::vector<GroupListEntry> read;
    for (; !IsEof(); MoveNext()) {
        GroupListEntry entry;
        QString text;
        double id = 0;
        double number = 0;
        if (GetFieldValue(QStringLiteral("ID"), text, id) != kNoError ||
            GetFieldValue(QStringLiteral("GroupName"), entry.name, number) != kNoError) {
            CloseRecordset();
            return kDbRecordSelection;
        }
        entry.id = static_cast<std::int32_t>(id);
        read.push_back(std::move(entry));
    }
    CloseRecordset();
    entries = std::move(read);
    return kNoError;
}

int CRatingDatabase::ReadGroupRow(ExtensionGroup& group)
{
    QString text;
    double number = 0;
    if (GetFieldValue(QStringLiteral("ID"), text, number) != kNoError)
        return kDbRecordSelection;
    group.id = static_cast<std::int32_t>(number);
    if (GetFieldValue(QStringLiteral("PBXIdentifier"), text, number) != kNoError)
        return kDbRecordSelection;
    group.pbx = static_cast<std::uint8_t>(number);
    if (GetFieldValue(QStringLiteral("GroupName"), group.name, number) != kNoError)
        return kDbRecordSelection;
    if (GetFieldValue(QStringLiteral("NumElement"), text, number) != kNoError)
        return kDbRecordSelection;
    // A count the member columns cannot hold makes the row unreadable rather than overrun them.
    if (number < 0 || number > ExtensionGroup::kMaxMembers)
        return kDbRecordSelection;
    group.memberCount = static_cast<int>(number);
    for (int i = 0; i < ExtensionGroup::kMaxMembers; ++i) {
        if (GetFieldValue(MemberColumn(i), text, number) != kNoError)
            return kDbRecordSelection;
        group.members[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(number);
    }
    return kNoError;
}

int CRatingDatabase::SelectGroup(std::int32_t id, ExtensionGroup& group)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (OpenRecordset(QStringLiteral("SELECT * FROM Groups WHERE ID = ?"), {id}) != kNoError)
        return kDbStatementFailed;
    const int result = IsEof() ? kDbRecordSelection : ReadGroupRow(group);
    CloseRecordset();
    return result;
}

int CRatingDatabase::IsNameTaken(const ExtensionGroup& group, bool exceptItself, bool& taken)
{
    const QString sql = exceptItself ? QStringLiteral("SELECT ID FROM Groups WHERE GroupName = ? AND ID <> ?")
                                     : QStringLiteral("SELECT ID FROM Groups WHERE GroupName = ?");
    QVariantList values{group.name.left(ExtensionGroup::kMaxNameLength)};
    if (exceptItself)
        values << group.id;
    if (OpenRecordset(sql, values) != kNoError)
        return kDbStatementFailed;
    taken = !IsEof();
    CloseRecordset();
    return kNoError;
}

QVariantList CRatingDatabase::GroupValues(const ExtensionGroup& group)
{
    QVariantList values{int{group.pbx}, group.name.left(ExtensionGroup::kMaxNameLength), group.memberCount};
    for (std::uint8_t member : group.members)
        values << int{member};
    return values;
}

int CRatingDatabase::InsertGroup(const ExtensionGroup& group)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (group.memberCount < 0 || group.memberCount > ExtensionGroup::kMaxMembers)
        return kDbRecordSelection;
    // The check and the insert stand together, so that two programs cannot both add one name.
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return kDbStatementFailed;
    bool taken = false;
    if (const int result = IsNameTaken(group, false, taken); result != kNoError)
        return result;
    if (taken)
        return kDbRecordSelection;
    const QStringList columns = WrittenColumns();
    const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(u',');
    if (OpenRecordset(QStringLiteral("INSERT INTO Groups (%1) VALUES (%2)").arg(columns.join(u','), marks),
                      GroupValues(group)) != kNoError)
        return kDbStatementFailed;
    CloseRecordset();
    return transaction.Commit();
}

int CRatingDatabase::UpdateGroup(const ExtensionGroup& group)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (group.memberCount < 0 || group.memberCount > ExtensionGroup::kMaxMembers)
        return kDbRecordSelection;
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return kDbStatementFailed;
    bool taken = false;
    if (const int result = IsNameTaken(group, true, taken); result != kNoError)
        return result;
    if (taken)
        return kDbRecordSelection;
    QStringList assignments;
    for (const QString& column : WrittenColumns())
        assignments << column + QStringLiteral("=?");
    QVariantList values = GroupValues(group);
    values << group.id;
    if (OpenRecordset(QStringLiteral("UPDATE Groups SET %1 WHERE ID = ?").arg(assignments.join(u',')), values) !=
        kNoError)
        return kDbStatementFailed;
    CloseRecordset();
    return transaction.Commit();
}

int CRatingDatabase::DeleteGroup(std::int32_t id)
{
    if (!IsOpen())
        return kDbNotConnected;
    const int result = OpenRecordset(QStringLiteral("DELETE FROM Groups WHERE ID = ?"), {id});
    CloseRecordset();
    return result;
}

static_assert(kFixedColumns + ExtensionGroup::kMaxMembers == 260, "Groups has 260 columns");
