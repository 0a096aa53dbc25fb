#pragma once

#include "billline.h"
#include "checkinrecord.h"
#include "deskcommands.h"
#include "documentlinecounts.h"
#include "grouprecord.h"

#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QWidget;

namespace lodgix {

class StayBilling;
struct LodgixState;

// One document of a check-out as the check-out data dialog sees it: what it is given, and what it gives
// back on OK. The next numbers and the last night travel from one document's dialog to the next.
struct CheckOutDocumentData {
    int document = 1;  // 1 .. documents
    int documents = 1;
    std::array<int, CheckInRecord::kGuests> guestIds{};
    OleDate stayStart;
    OleDate lastNight;  // proposed; the first document's dialog may change it
    int nextReceipt = 1;
    int nextInvoice = 1;
    QString file;  // "Recv" or "Fatt", year, number, ".psx": the number asked for
    QString paymentType;
    int payerId = 0;            // a guest for a receipt, a company for an invoice
    bool disableCalls = false;  // the last document's box: outside calls and wake-up call off
};

// The windows the check-out opens that come from elsewhere, each behind a hook so that the command can run
// without them (the view gives the program's own).
struct CheckOutHooks {
    // The check-out data dialog for data.document; false on Cancel.
    std::function<bool(CheckOutDocumentData& data, QWidget* parent)> documentData;
    // The room bill at check-out: splits the lines over the documents the stay's slots name; the lines come
    // back in document order with their counts. False unless confirmed.
    std::function<bool(std::vector<BillLine>& lines, DocumentLineCounts& counts, const CheckInRecord& stay,
                       QWidget* parent)>
        roomBill;
    // The first document previewed and the others queued; one document previewed.
    std::function<void(const QStringList& files)> printDocuments;
    std::function<bool(const QString& file)> printDocument;
};

// The check-out of the selected room's stay, alone or with its group: the documents chosen, the bill split
// over them, then the documents issued into the data folder and the stays closed in one transaction. Only
// a successful close switches the rooms' extensions and composes the key-card records; a failed one removes
// the documents this check-out issued and leaves every stay open.
class CCheckOutCommand {
public:
    static constexpr int kCommandId = 32790;

    CCheckOutCommand(LodgixState& state, DeskServices& desk, StayBilling& billing, DeskCommandHost& host,
                     CheckOutHooks hooks);

    // A room is selected and occupied on the selected day.
    bool CanRun() const;
    void Run();

private:
    enum class GroupAnswer { kSingle, kGroup, kCancelled };
    // Whether the stay's group checks out with it (2299/2300, then the group confirmation).
    GroupAnswer ConfirmGroup(const CheckInRecord& stay, GroupRecord& group);
    int ChooseAccounts();
    // The stays of the group's rooms occupied on the day by a stay of the group, in the group's order.
    std::vector<CheckInRecord> GroupStays(const GroupRecord& group, const OleDate& day) const;
    bool BuildBill(std::vector<CheckInRecord>& stays, const GroupRecord* group, std::vector<BillLine>& lines);
    // Issues the documents of the split bill; their names into the stay's slots. False, with the files
    // issued so far removed, when one cannot be written.
    bool IssueDocuments(CheckInRecord& stay, const std::vector<CheckOutDocumentData>& data,
                        const std::vector<BillLine>& lines, const DocumentLineCounts& counts, QStringList& issued);
    void RemoveIssued(const QStringList& issued) const;
    void LeaveRooms(const std::vector<int>& rooms, bool disableCalls);
    void Stop(unsigned stringId);
    bool Ask(const QString& text, int icon);

    LodgixState& m_state;
    DeskServices& m_desk;
    StayBilling& m_billing;
    DeskCommandHost& m_host;
    CheckOutHooks m_hooks;
};

}  // namespace lodgix
