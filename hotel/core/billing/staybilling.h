#pragma once

#include "billline.h"
#include "checkinrecord.h"
#include "compiledrules.h"
#include "conventionrecord.h"
#include "grouprecord.h"
#include "hotelsettings.h"
#include "pricetable.h"
#include "ratingconfiguration.h"
#include "roomrecord.h"
#include "seasontable.h"
#include "servicerecord.h"

#include <functional>
#include <memory>
#include <vector>

namespace lodgix {

class CHotelDatabase;

inline constexpr quint16 kNoRoom = 0xFFFF;

// The index of the room with that id in the room table, or kNoRoom.
quint16 FindRoomIndex(int roomId, const std::vector<RoomRecord>& rooms);
// The season of a day: a low period, else a high one, else the middle season. A period whose start is after
// its end never matches.
Season GetSeason(const OleDate& date, const SeasonTable& seasons);

// Treatments as the front desk numbers them (0 overnight only .. 3 full board); 4 is a price typed by hand.
inline constexpr int kTreatmentCount = 4;

// Builds the bills of stays: the room's nights, its extension's outgoing calls priced with the rating
// program's tariffs, the charged services and the key-card charges. It works on the tables start-up
// loaded (rooms, seasons, rating configuration, settings), which must outlive it.
class StayBilling {
public:
    static constexpr unsigned kPhoneChargeFailedString = 2126;  // asked Yes/No: go on without the calls?
    static constexpr unsigned kPhoneLineString = 2127;          // "Spesa telefonica"
    static constexpr qint64 kPhoneVatHundredths = 2000;         // the phone line's VAT, 20%
    static constexpr int kAreaLabelLength = 63;

    // Asks the question of a string id; true for Yes.
    using Question = std::function<bool(unsigned stringId)>;

    StayBilling(CHotelDatabase& database, const std::vector<RoomRecord>& rooms, const SeasonTable& seasons,
                const RatingConfiguration& rating, const HotelSettings& settings);
    ~StayBilling();

    // "Now" of the nights so far and of today's season; the PC's clock unless a test sets one.
    void SetClock(std::function<OleDate()> clock);

    // Today's daily price of the room with that treatment and the selected services, from the agreement's
    // prices when one is given, and its VAT. False for an unknown room or treatment.
    bool CalcDailyPrice(int roomId, int treatment, const std::vector<ServiceRecord>& services,
                        const ConventionRecord* convention, Money& price, VatRate& vat) const;
    // The same on another day, without an agreement.
    bool CalcDailyPriceOnDate(const OleDate& date, int roomId, int treatment, const std::vector<ServiceRecord>& services,
                              Money& price, VatRate& vat) const;

    // The outgoing calls of the extension that started strictly between start and end, priced one by one by
    // the suite's rating rule and summed, then rounded once to the cent; VAT 20%. False when the PBX's
    // records cannot be read, the calls cannot be read, or a call cannot be priced. An extension without a
    // numeric dialling number has no calls.
    bool ComputePhoneCharges(int pbx, int extension, const OleDate& start, const OleDate& end, Money& amount,
                             VatRate& vat);

    // The stay's bill: the nights (to the last night when checking out, else the nights so far), the phone
    // calls up to the check-out (or now), the services and the key-card charges. When the calls cannot be
    // priced, ask decides on string 2126 whether to go on without them. False, with the list empty, for a
    // room not in the table or a No.
    bool BuildStayBill(const CheckInRecord& stay, std::vector<BillLine>& lines, bool toCheckOut, bool reset,
                       const Question& ask);
    // The bill of every room of the group whose open stay (among those given) belongs to the group, in the
    // group's order, each up to its check-out.
    bool BuildGroupBill(const std::vector<CheckInRecord>& openStays, std::vector<BillLine>& lines,
                        const GroupRecord& group, const Question& ask);

private:
    bool DailyPrice(const OleDate& day, int roomId, int treatment, const std::vector<ServiceRecord>& services,
                    const ConventionRecord* convention, Money& price, VatRate& vat) const;
    void AddKeyCardLines(const CheckInRecord& stay, std::vector<BillLine>& lines);
    const CompiledRules& Rules();

    CHotelDatabase& m_database;
    const std::vector<RoomRecord>& m_rooms;
    const SeasonTable& m_seasons;
    const RatingConfiguration& m_rating;
    const HotelSettings& m_settings;
    std::function<OleDate()> m_clock;
    std::unique_ptr<CompiledRules> m_rules;  // compiled at the first call priced by time
};

}  // namespace lodgix
