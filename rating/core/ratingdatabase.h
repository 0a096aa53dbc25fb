#pragma once

#include "extensiongroup.h"
#include "loggedcall.h"
#include "sqldatabase.h"

#include <vector>

// The rating program's database: the shared SQL layer plus the extension groups (table Groups), the
// outgoing calls of LogCalls by extension, PBX or line over a period, and the billing mark of an account.
// Results: 0, 44 statement or read, 46 duplicate or unreadable group, 47 not connected, 53 bad period or
// table check, 55 table creation. A period is both ends or none; its bounds are inclusive.
class CRatingDatabase : public CSqlDatabase {
public:
    static constexpr int kAllExtensionNumbers = 0xFFFF;
    static constexpr int kAllLines = 255;

    using CSqlDatabase::CSqlDatabase;

    int CreateGroupsTable();
    int SelectGroups(int pbx, std::vector<GroupListEntry>& entries);
    int SelectGroup(std::int32_t id, ExtensionGroup& group);
    int InsertGroup(const ExtensionGroup& group);
    int UpdateGroup(const ExtensionGroup& group);
    int DeleteGroup(std::int32_t id);

    // Outgoing calls (Uscente 1) in start order, counted and, when `rows` is given, read into it in the
    // same pass. The extension is its dialling number as the engine stores it in IndiceDerivato.
    int SelectExtensionCalls(int pbx, int extensionNumber, const OleDate* start, const OleDate* end,
                             std::vector<LoggedCall>* rows, int& count);
    int SelectPbxCalls(int pbx, const OleDate* start, const OleDate* end, std::vector<LoggedCall>* rows, int& count);
    int SelectLineCalls(int pbx, int line, const OleDate* start, const OleDate* end, std::vector<LoggedCall>* rows,
                        int& count);

    // Marks billed the outgoing calls of the extension that started at the given seconds, all or none.
    int MarkCallsBilled(int pbx, int extensionNumber, const std::vector<OleDate>& starts);

private:
    enum class CallFilter { kExtension, kPbx, kLine };
    int SelectCalls(CallFilter filter, int pbx, int value, const OleDate* start, const OleDate* end,
                    std::vector<LoggedCall>* rows, int& count);
    int ReadGroupRow(ExtensionGroup& group);
    int IsNameTaken(const ExtensionGroup& group, bool exceptItself, bool& taken);
    static QVariantList GroupValues(const ExtensionGroup& group);
};
