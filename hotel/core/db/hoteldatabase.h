#pragma once

#include "availabilityrecord.h"
#include "bookingrecord.h"
#include "checkinrecord.h"
#include "commonarearecord.h"
#include "companyrecord.h"
#include "conventionrecord.h"
#include "grouprecord.h"
#include "guestrecord.h"
#include "hotelcolumns.h"
#include "hotelrecord.h"
#include "messagerecord.h"
#include "roomdayrecords.h"
#include "roomrecord.h"
#include "seasontable.h"
#include "servicerecord.h"
#include "sqldatabase.h"

#include <QString>
#include <QVariantList>

#include <functional>
#include <unordered_map>
#include <vector>

class RowSink;

namespace lodgix {

class FieldReader;

// The hotel program's database object: its tables (created and upgraded here) and the operations on the
// master records. Results are EngineErrorCode values: 0; 44 a statement or field failed, or a duplicate of
// a hotel, guest, operator or service; 46 a duplicate or a missing row of a company, agreement, group,
// period or common area, or a stored count beyond its slots; 53 a table test failed; 55 a table could not be
// created; 56 a column could not be added; 57 an unusable date. Every value is bound. Rows are hidden
// (IsVisible = 0), never deleted. A duplicate test and its write run in one transaction that holds the
// table's write lock, so two workstations saving one name at once cannot both succeed.
class CHotelDatabase : public CSqlDatabase {
public:
    static constexpr int kTestOnly = 0;     // the table-test form: 0 present, 46 missing
    static constexpr int kCreate = 1;       // create the table when it is missing
    // What the list and combo fillers give besides the code of a field that could not be read.
    static constexpr int kFilled = 1;
    static constexpr int kFillFailed = 0;  // the query failed

    CHotelDatabase();
    explicit CHotelDatabase(const DbParameters& parameters);

    // --- Tables ---
    // A global table: test and, unless mode is kTestOnly, create when missing.
    int EnsureGlobalTable(HotelTable table, int mode = kCreate);
    // A per-hotel table of the hotel.
    int EnsureHotelTable(HotelTable table, int hotelId);
    // Adds the missing columns first..last of a table's run (its own table name, or the hotel's).
    int AddMissingColumns(HotelTable table, int hotelId, int first, int last);
    int AddConventionNameColumn();
    int AddRoomBookingColumns(int hotelId);  // TipoTrattamento .. Service32, then GroupID
    int AddCheckInColumns(int hotelId);      // Service40UserID .. CardID5, in the three steps of old versions
    int CreateHotelGroupsTable();
    int AddBookingGroupColumn();
    int EnsureGuestConventionsTable(int mode);
    int EnsureCommonAreasTable(int mode);
    // Drops and creates the hotel's room table (ids start again).
    int RecreateRoomTable(int hotelId);
    // The room table made anew with these rooms, in one transaction: on failure the old rooms stay.
    int ReplaceRooms(int hotelId, const std::vector<RoomRecord>& rooms);

    // --- Hotels and seasons ---
    int LoadHotelList(std::vector<HotelListEntry>& hotels);  // ordered by name
    int InsertHotel(const HotelRecord& hotel, int roomCount, int& id);
    // A new hotel row and its room table with these rooms, in one transaction: on any failure nothing is
    // stored, so the same hotel can be saved again. The new id comes back in `id`.
    int CreateHotel(const HotelRecord& hotel, const std::vector<RoomRecord>& rooms, int& id);
    int UpdateHotel(int id, const HotelRecord& hotel, int roomCount);
    int LoadHotel(HotelRecord& hotel, int& roomCount, int id);
    int LoadHotelPeriods(int hotelId, SeasonTable& seasons);  // 46 when the hotel has no row
    int SaveHotelPeriods(int hotelId, const SeasonTable& seasons);
    int UpdateHotelPeriods(int hotelId, const SeasonTable& seasons);

    // --- Rooms ---
    int InsertRoom(int hotelId, const RoomRecord& room, int* id = nullptr);
    int UpdateRoom(int hotelId, const RoomRecord& room);
    int DeleteRoom(int hotelId, const RoomRecord& room);
    int LoadRooms(int hotelId, std::vector<RoomRecord>& rooms);  // visible rooms by label, as text

    // --- Guests and companies ---
    int InsertGuest(const GuestRecord& guest, int& id);
    int UpdateGuest(int id, const GuestRecord& guest);
    int DeleteGuest(int id);
    bool LoadGuest(int id, GuestRecord& guest);
    bool GetGuestConvention(int id, QString& conventionName);
    // The names of the guests with these ids (deleted ones too), added to `names` by id; ids not found are
    // left out. 0 or 44.
    int LoadGuestNames(const std::vector<int>& ids, std::unordered_map<int, QString>& names);
    // On a duplicate tax code (46) the record's name becomes the company that has it.
    int InsertCompany(CompanyRecord& company, int& id);
    int UpdateCompany(int id, CompanyRecord& company);
    int DeleteCompany(int id);
    bool LoadCompany(int id, CompanyRecord& company);

    // Lists of the visible guests and companies by name: every text (a guest's date of birth as the date
    // alone, in the user's locale), the key as item data. Combos: one text per row.
    int FillGuestList(RowSink& rows);
    int FillGuestCombo(RowSink& rows);
    int FillCompanyList(RowSink& rows);
    int FillCompanyCombo(RowSink& rows);

    // --- Operators ---
    int InsertOperator(const QString& userName, const QString& password, bool administrator, int& id);
    // The password is compared exactly; the user name as the database compares texts (without case).
    bool CheckOperatorLogin(const QString& userName, const QString& password, bool& administrator, int& id);
    QString GetOperatorName(int id);  // deleted operators too; empty when there is none
    int ChangeOperatorPassword(int id, const QString& password);
    int DeleteOperator(int id);
    int FillOperatorList(RowSink& rows);  // name, "X" for an administrator

    // --- Room services (features cost 0) and client services ---
    int InsertRoomService(const QString& name, Money price, VatRate vat, int& id);
    int UpdateRoomService(int id, const QString& name, Money price, VatRate vat);
    bool LoadRoomServices(std::vector<ServiceRecord>& services);  // the optional ones, by name
    QString GetRoomServiceName(int id);
    Money GetRoomServicePrice(int id);
    int InsertClientService(const QString& name, Money price, VatRate vat, int& id);
    int UpdateClientService(int id, const QString& name, Money price, VatRate vat);
    int DeleteClientService(const QString& name);
    Money GetClientServicePrice(int id);
    VatRate GetClientServiceVat(int id);
    int FillRoomFeatureList(RowSink& rows);      // name, price
    int FillOptionalServiceList(RowSink& rows);  // name, price
    int FillClientServiceList(RowSink& rows);    // name, price, VAT
    // Adds the names after the caller's first row, which it keeps.
    bool FillClientServiceCombo(RowSink& rows);

    // --- Groups and agreements ---
    int InsertGroup(int bookingGroup, GroupRecord& group);  // stores the new id in the record
    int UpdateGroup(const GroupRecord& group);
    int DeleteGroup(int id);
    int LoadGroup(int id, GroupRecord& group);
    // The hotel's visible groups of that booking-group value, and those written before the value existed.
    int LoadGroups(int hotelId, int bookingGroup, std::vector<GroupListEntry>& groups);
    // A booking group and one booking per room, written together or not at all: the group (booking-group
    // flag 1) gets the rooms, each booking the group's id and its room; the new keys come back in the
    // records. More rooms than a group holds are refused (46) before anything is written.
    int InsertGroupBooking(int hotelId, GroupRecord& group, const std::vector<int>& roomIds,
                           BookingRecord& booking, std::vector<int>* bookingIds = nullptr);
    int InsertConvention(const ConventionRecord& convention, int* id = nullptr);
    int UpdateConvention(int id, const ConventionRecord& convention);
    int DeleteConvention(int id);
    int LoadConvention(int id, ConventionRecord& convention);
    // Deleted agreements too, so that a guest keeps its agreement's prices.
    bool LoadConventionByLabel(const QString& label, ConventionRecord& convention);
    int FillConventionList(RowSink& rows);  // label, the twelve prices in column order, VAT
    // The caller's text as row 0 with item data 0 (no agreement), then the labels.
    int FillConventionCombo(RowSink& rows, const QString& firstText);

    // --- Common areas ---
    int InsertCommonArea(const CommonAreaRecord& area, int* id = nullptr);
    int UpdateCommonArea(int id, const CommonAreaRecord& area);
    int DeleteCommonArea(int id);
    int LoadCommonArea(int id, CommonAreaRecord& area);
    int LoadCommonAreas(std::vector<CommonAreaRecord>& areas);
    int LoadChargeableAreas(std::vector<CommonAreaRecord>& areas);

    // --- Bookings, unavailability periods and stays of a hotel ---
    // The range loaders return the visible rows whose [start, end] shares an instant with [from, to] (both
    // bounds included), of one room or of all (kAllRooms). A failure leaves the caller's vector as it was.
    static constexpr int kAllRooms = 0xFFFF;
    static constexpr int kAnyGuest = 0xFFFF;
    int LoadBookings(int hotelId, const OleDate& from, const OleDate& to, int roomId,
                     std::vector<BookingRecord>& bookings);
    int LoadBookings(int hotelId, int roomId, std::vector<BookingRecord>& bookings);  // every visible one
    int LoadBooking(int hotelId, int bookingId, BookingRecord& booking);  // hidden ones too
    // The start and end are written cut to their day; the new key comes back in the record.
    int InsertBooking(int hotelId, BookingRecord& booking);
    int UpdateBooking(int hotelId, const BookingRecord& booking);  // also makes a hidden booking visible
    int DeleteBooking(int hotelId, int bookingId);
    // Empty when the booking cannot be read.
    QString GetBookingClientName(int hotelId, int bookingId);
    QString GetBookingNameAndPhone(int hotelId, int bookingId);  // "name (phone)"
    QString GetBookingNameAndNotes(int hotelId, int bookingId);  // "name - annotation"

    int LoadUnavailability(int hotelId, const OleDate& from, const OleDate& to, int roomId,
                           std::vector<AvailabilityRecord>& periods);
    int InsertUnavailability(int hotelId, AvailabilityRecord& period);  // the new key comes back in the record
    int UpdateUnavailability(int hotelId, const AvailabilityRecord& period);
    int DeleteUnavailability(int hotelId, int periodId);

    // With dates the stays of the range, open and closed; without, every open stay.
    int LoadCheckIns(int hotelId, const OleDate& from, const OleDate& to, int roomId,
                     std::vector<CheckInRecord>& stays);
    int LoadCheckIns(int hotelId, int roomId, std::vector<CheckInRecord>& stays);
    // The closed stays of the range, of a guest in any of the four places (or kAnyGuest).
    int LoadClosedStays(int hotelId, const OleDate& from, const OleDate& to, int roomId, int guestId,
                        std::vector<CheckInRecord>& stays);
    // A new open stay, without services; the new key comes back in the record.
    int InsertCheckIn(int hotelId, CheckInRecord& stay);
    // Rewrites a stay that is still open (46 otherwise); its services stay as stored.
    int UpdateCheckIn(int hotelId, const CheckInRecord& stay);
    // Writes the check-out (the record's check-out date and operator, documents) and makes the stay
    // visible; the stay's messages are hidden in the same transaction.
    int CloseCheckIn(int hotelId, const CheckInRecord& stay);
    // Appends a service dated now in the next free slot (46 when all 40 are used).
    int AddStayService(int hotelId, int checkInId, const QString& name, Money price, VatRate vat, int userId);
    // Rewrites a used slot (index from 0), dated now.
    int UpdateStayService(int hotelId, int checkInId, int index, const QString& name, Money price, VatRate vat,
                          int userId);
    // Hides the stay and its messages.
    int DeleteCheckIn(int hotelId, int checkInId);

    // --- Guest messages of a hotel; written dated now ---
    int LoadMessages(int hotelId, std::vector<MessageRecord>& messages);  // every visible one
    int InsertMessage(int hotelId, MessageRecord& message);  // the new key comes back in the record
    int UpdateMessage(int hotelId, const MessageRecord& message);  // also makes it visible again
    int DeleteMessage(int hotelId, int messageId);
    int DeleteStayMessages(int hotelId, int checkInId);

    // --- Group membership of bookings and stays ---
    // Moves the room from the old group to the new one, under the groups' write lock: a group left without
    // rooms is hidden, a group that cannot be loaded is passed over. Nothing when the two are the same.
    int UpdateGroupMembership(int oldGroupId, int newGroupId, int roomId);
    // The table operation with the membership change, in one transaction: either both or neither.
    int InsertBookingWithGroup(int hotelId, BookingRecord& booking);
    int UpdateBookingWithGroup(int hotelId, int oldGroupId, const BookingRecord& booking);
    int DeleteBookingWithGroup(int hotelId, const BookingRecord& booking);
    int UpdateCheckInWithGroup(int hotelId, int oldGroupId, const CheckInRecord& stay);
    int DeleteCheckInWithGroup(int hotelId, const CheckInRecord& stay);
    int CheckOutWithGroup(int hotelId, const CheckInRecord& stay);
    // Closes every stay given (each as CheckOutWithGroup does) in one transaction: all or none. A stay that
    // is no longer open (checked out or deleted elsewhere meanwhile) refuses the whole (46).
    int CheckOutStays(int hotelId, const std::vector<CheckInRecord>& stays);

    // --- Checked writes of a room's period (front desk) ---
    // Each loads the room's bookings, unavailable periods and stays of the period inside the transaction
    // that writes, holding the write locks of the groups and of those three tables, and writes only when
    // the check finds the period free: two workstations taking one room for one night cannot both pass.
    // The result is 0, a database code, or kDayTaken when the check refused (nothing is written then).
    using DayCheck = std::function<bool(const RoomDayRecords& rows)>;
    static constexpr int kDayTaken = 200;  // none of the EngineErrorCode values
    int InsertBookingChecked(int hotelId, BookingRecord& booking, const DayCheck& isFree);
    int UpdateBookingChecked(int hotelId, int oldGroupId, const BookingRecord& booking, const DayCheck& isFree);
    int InsertUnavailabilityChecked(int hotelId, AvailabilityRecord& period, const DayCheck& isFree);
    int UpdateUnavailabilityChecked(int hotelId, const AvailabilityRecord& period, const DayCheck& isFree);
    // A new stay, checked from `from` to its last night. Its booking (when it has one) is hidden first in
    // the same transaction, so the check sees that booking gone and a refusal leaves it as it was.
    int InsertCheckInChecked(int hotelId, CheckInRecord& stay, const OleDate& from, const DayCheck& isFree);
    // A stored stay rewritten with UpdateCheckInWithGroup, checked from `from` to its last night.
    int UpdateCheckInChecked(int hotelId, int oldGroupId, const CheckInRecord& stay, const OleDate& from,
                             const DayCheck& isFree);

    // --- Payment of an issued document ---
    // Finds the stay that holds the document file (compared exactly) and sets that document's amount and
    // payment type; 46 when no stay holds it.
    int FindStayByDocument(int hotelId, const QString& file, Money amount, const QString& paymentType);
    // Document 1 to 4 of the stay (46 for another number).
    int SetDocumentPayment(int hotelId, int document, int checkInId, Money amount, const QString& paymentType);

protected:
    // Runs a statement and forgets its rows: 0 or 44.
    int Execute(const QString& sql, const QVariantList& values = {});
    // Whether a query returns a row: 0 or 44.
    int Exists(const QString& sql, const QVariantList& values, bool& found);
    // An INSERT with "RETURNING key" added, giving the new key.
    int InsertReturning(const QString& sql, const QVariantList& values, const char* key, int& id);
    // Runs a query and hands its first row to read: true when there was a row and it was read whole.
    bool ReadFirstRow(const QString& sql, const QVariantList& values, const std::function<void(FieldReader&)>& read);
    // Runs the body in one transaction holding the table's write lock; it commits when the body gives 0.
    int WithTableLock(HotelTable table, const std::function<int()>& body);
    int WithTableLock(HotelTable table, int hotelId, const std::function<int()>& body);
    // Runs the body in one transaction; it commits when the body gives 0.
    int InTransaction(const std::function<int()>& body);
    // Runs a statement: 0 and the rows it changed, or 44.
    int ExecuteCounting(const QString& sql, const QVariantList& values, int& rows);

private:
    int TableTest(const QString& name, int mode, ColumnRun columns);
    // 46, with the record's name set to the visible company (other than exceptId) that has the tax code.
    int RefuseDuplicateCompany(const QVariant& taxCode, int exceptId, CompanyRecord& company);
    // Reads every row of the query into the sink (after emptying it when asked): kFilled, kFillFailed, or
    // the code of a field that could not be read, the rows added so far kept.
    int FillRows(const QString& sql, RowSink& rows, bool clear, const char* idColumn,
                 const std::function<QStringList(FieldReader&)>& texts);
    int InsertService(HotelTable table, const QString& name, Money price, VatRate vat, int& id);
    int UpdateService(HotelTable table, int id, const QString& name, Money price, VatRate vat);
    int LoadAreas(const QString& sql, std::vector<CommonAreaRecord>& areas);
    // Hands every row of a query to readRow: 0, 44 for a failed statement or field, or readRow's code.
    int ReadRows(const QString& sql, const QVariantList& values, const std::function<int(FieldReader&)>& readRow);
    // The stay's stored service count, or 44/46.
    int StoredServiceCount(const QString& table, int checkInId, int& count);
    // Runs write in one transaction holding the locks of the checked writes, after the check passed over
    // the room's rows of [from, to] loaded there.
    int CheckedWrite(int hotelId, int roomId, const OleDate& from, const OleDate& to, const DayCheck& isFree,
                     const std::function<int()>& write, const std::function<int()>& before = {});
    int WriteStayService(int hotelId, int checkInId, int slot, const QString& name, Money price, VatRate vat,
                         int userId);
};

}  // namespace lodgix
