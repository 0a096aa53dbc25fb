#include "hoteldbtest.h"

#include <latch>
#include <thread>

namespace lodgix {
namespace {

class HotelStaysTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped())
            m_hotel = PrepareHotel();
    }

    CheckInRecord Stay(int room, const OleDate& start, const OleDate& end)
    {
        CheckInRecord stay;
        stay.roomId = room;
        stay.userId = 2;
        stay.guestIds = {11, 0, 0, 0};
        stay.startDate = start;
        stay.endDate = end;
        stay.checkInDate = OleDate(start.Year(), start.Month(), start.Day(), 14, 5, 9);
        stay.treatment = QStringLiteral("Pernottamento");
        stay.dailyPrice = Money::FromCents(8950);
        stay.vat = VatRate::FromHundredths(1000);
        stay.notes = QStringLiteral("Cliente dell'anno scorso");
        return stay;
    }

    int Insert(CheckInRecord stay)
    {
        EXPECT_EQ(Db().InsertCheckIn(m_hotel, stay), kNoError) << Db().LastError().toStdString();
        return stay.checkInId;
    }

    CheckInRecord Load(int id, CHotelDatabase& database)
    {
        std::vector<CheckInRecord> stays;
        EXPECT_EQ(database.LoadCheckIns(m_hotel, OleDate(2000, 1, 1), OleDate(2100, 1, 1), 0xFFFF, stays), kNoError);
        for (const CheckInRecord& stay : stays)
            if (stay.checkInId == id)
                return stay;
        ADD_FAILURE() << "stay " << id << " not visible";
        return {};
    }
    CheckInRecord Load(int id) { return Load(id, Db()); }

    static std::vector<int> Ids(const std::vector<CheckInRecord>& stays)
    {
        std::vector<int> ids;
        for (const CheckInRecord& stay : stays)
            ids.push_back(stay.checkInId);
        return ids;
    }

    void Run(const QString& sql)
    {
        ASSERT_EQ(Db().OpenRecordset(sql), kNoError) << sql.toStdString();
        Db().CloseRecordset();
    }

    int VisibleMessages()
    {
        std::vector<MessageRecord> messages;
        EXPECT_EQ(Db().LoadMessages(m_hotel, messages), kNoError);
        return static_cast<int>(messages.size());
    }

    int AddMessage(int stay, const QString& text)
    {
        MessageRecord message;
        message.checkInId = stay;
        message.from = QStringLiteral("Reception");
        message.text = text;
        EXPECT_EQ(Db().InsertMessage(m_hotel, message), kNoError);
        return message.messageId;
    }

    int m_hotel = 0;
};

TEST_P(HotelStaysTest, AStayComesBackAsItWasWritten)
{
    CheckInRecord stay = Stay(40000, OleDate(2027, 3, 10, 16, 0), OleDate(2027, 3, 12, 9, 0));
    stay.guestIds = {11, 70000, 13, 14};
    stay.companyId = 70001;
    stay.groupId = 3;
    stay.bookingId = 99;
    stay.checkOutUserId = 4;
    for (int n = 0; n < CheckInRecord::kDocuments; ++n)
        stay.documents[static_cast<std::size_t>(n)] = {n + 1, QStringLiteral("R%1.txt").arg(n), "Contanti",
                                                       Money::FromCents(1000 * (n + 1))};
    stay.cards = {"A1", "B2", "C3", "D4", QString(20, u'9')};
    stay.checkInId = Insert(stay);
    stay.startDate = OleDate(2027, 3, 10);
    stay.endDate = OleDate(2027, 3, 12);
    stay.cards[4] = QString(16, u'9');
    EXPECT_EQ(Load(stay.checkInId), stay);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM RoomCheckIn_%1 WHERE CheckOutDate IS NULL AND "
                                   "NumServices = 0")
                        .arg(m_hotel)),
              1);
}

TEST_P(HotelStaysTest, DatesGiveOpenAndClosedStaysWithoutThemOnlyOpenOnes)
{
    const int open = Insert(Stay(1, OleDate(2027, 3, 1), OleDate(2027, 3, 5)));
    CheckInRecord closed = Stay(2, OleDate(2027, 3, 2), OleDate(2027, 3, 4));
    closed.checkInId = Insert(closed);
    closed.checkOutDate = OleDate(2027, 3, 5, 10, 30, 15);
    closed.checkOutUserId = 5;
    ASSERT_EQ(Db().CloseCheckIn(m_hotel, closed), kNoError);

    std::vector<CheckInRecord> stays;
    ASSERT_EQ(Db().LoadCheckIns(m_hotel, OleDate(2027, 3, 1), OleDate(2027, 3, 31), 0xFFFF, stays), kNoError);
    EXPECT_EQ(Ids(stays), (std::vector<int>{open, closed.checkInId}));
    EXPECT_EQ(stays[1].checkOutDate, OleDate(2027, 3, 5, 10, 30, 15));
    EXPECT_EQ(stays[1].checkOutUserId, 5);
    ASSERT_EQ(Db().LoadCheckIns(m_hotel, 0xFFFF, stays), kNoError);
    EXPECT_EQ(Ids(stays), std::vector<int>{open});
    ASSERT_EQ(Db().LoadCheckIns(m_hotel, 2, stays), kNoError);
    EXPECT_TRUE(stays.empty());
}

TEST_P(HotelStaysTest, ClosedStaysOfAGuestInAnyOfTheFourPlaces)
{
    std::vector<int> closedOfGuest;
    for (int place = 0; place < CheckInRecord::kGuests + 1; ++place) {
        CheckInRecord stay = Stay(place + 1, OleDate(2027, 4, 1), OleDate(2027, 4, 2));
        stay.guestIds = {20, 21, 22, 23};
        if (place < CheckInRecord::kGuests)
            stay.guestIds[static_cast<std::size_t>(place)] = 500;
        stay.checkInId = Insert(stay);
        stay.checkOutDate = OleDate(2027, 4, 3, 10, 0);
        ASSERT_EQ(Db().CloseCheckIn(m_hotel, stay), kNoError);
        if (place < CheckInRecord::kGuests)
            closedOfGuest.push_back(stay.checkInId);
    }
    Insert(Stay(9, OleDate(2027, 4, 1), OleDate(2027, 4, 2)));  // open: never a closed stay

    std::vector<CheckInRecord> stays;
    ASSERT_EQ(Db().LoadClosedStays(m_hotel, OleDate(2027, 4, 1), OleDate(2027, 4, 30), 0xFFFF, 500, stays), kNoError);
    EXPECT_EQ(Ids(stays), closedOfGuest);
    ASSERT_EQ(Db().LoadClosedStays(m_hotel, OleDate(2027, 4, 1), OleDate(2027, 4, 30), 3, 500, stays), kNoError);
    EXPECT_EQ(Ids(stays), std::vector<int>{closedOfGuest[2]});
    ASSERT_EQ(Db().LoadClosedStays(m_hotel, OleDate(2027, 4, 1), OleDate(2027, 4, 30), 0xFFFF, 0xFFFF, stays),
              kNoError);
    EXPECT_EQ(stays.size(), 5u);
    ASSERT_EQ(Db().LoadClosedStays(m_hotel, OleDate(2027, 4, 3), OleDate(2027, 4, 30), 0xFFFF, 0xFFFF, stays),
              kNoError);
    EXPECT_TRUE(stays.empty());
}

TEST_P(HotelStaysTest, ServicesTakeTheNextSlotUntilFortyAreUsed)
{
    const int id = Insert(Stay(1, OleDate(2027, 3, 1), OleDate(2027, 3, 5)));
    Db().SetClock([] { return OleDate(2027, 3, 2, 8, 45, 0); });
    for (int n = 0; n < CheckInRecord::kMaxServices; ++n)
        ASSERT_EQ(Db().AddStayService(m_hotel, id, QStringLiteral("Bar %1").arg(n), Money::FromCents(350 + n),
                                      VatRate::FromHundredths(2200), 7),
                  kNoError);
    const CheckInRecord full = Load(id);
    EXPECT_EQ(full.serviceCount, 40);
    EXPECT_EQ(full.services[39], (StayService{"Bar 39", Money::FromCents(389), VatRate::FromHundredths(2200), 7,
                                              OleDate(2027, 3, 2, 8, 45, 0)}));
    EXPECT_EQ(Db().AddStayService(m_hotel, id, "Bar", Money::FromCents(1), VatRate(), 7), kDbRecordSelection);
    EXPECT_EQ(Load(id), full);

    Db().SetClock([] { return OleDate(2027, 3, 3, 9, 0, 0); });
    ASSERT_EQ(Db().UpdateStayService(m_hotel, id, 0, "Minibar", Money::FromCents(1200), VatRate(), 8), kNoError);
    EXPECT_EQ(Load(id).services[0],
              (StayService{"Minibar", Money::FromCents(1200), VatRate(), 8, OleDate(2027, 3, 3, 9, 0, 0)}));
    EXPECT_EQ(Db().UpdateStayService(m_hotel, id, 40, "x", Money(), VatRate(), 8), kDbRecordSelection);
    EXPECT_EQ(Db().UpdateStayService(m_hotel, id, -1, "x", Money(), VatRate(), 8), kDbRecordSelection);
    EXPECT_EQ(Db().AddStayService(m_hotel, id + 1, "x", Money(), VatRate(), 8), kDbRecordSelection);

    // A count beyond the slots is never read past.
    Run(QStringLiteral("UPDATE RoomCheckIn_%1 SET NumServices = 41").arg(m_hotel));
    std::vector<CheckInRecord> stays;
    EXPECT_EQ(Db().LoadCheckIns(m_hotel, 0xFFFF, stays), kDbRecordSelection);
    EXPECT_EQ(Db().UpdateStayService(m_hotel, id, 40, "x", Money(), VatRate(), 8), kDbRecordSelection);
}

TEST_P(HotelStaysTest, TwoWorkstationsAddingAServiceAtOnceTakeTwoSlots)
{
    const int id = Insert(Stay(1, OleDate(2027, 3, 1), OleDate(2027, 3, 5)));
    constexpr int kRounds = 6;
    int results[2] = {-1, -1};
    std::latch start(2);
    const auto addOne = [&](int side) {
        CHotelDatabase database(Parameters());
        const bool connected = database.Connect(kServer) == kNoError;
        start.arrive_and_wait();
        int result = connected ? kNoError : -1;
        for (int round = 0; round < kRounds && result == kNoError; ++round)
            result = database.AddStayService(m_hotel, id, QStringLiteral("side %1").arg(side), Money::FromCents(100),
                                             VatRate(), side);
        results[side] = result;
    };
    std::thread left(addOne, 0);
    std::thread right(addOne, 1);
    left.join();
    right.join();
    EXPECT_EQ(results[0], kNoError);
    EXPECT_EQ(results[1], kNoError);
    const CheckInRecord stay = Load(id);
    EXPECT_EQ(stay.serviceCount, 2 * kRounds);
    int bySide[2] = {0, 0};
    for (int n = 0; n < stay.serviceCount; ++n)
        ++bySide[stay.services[static_cast<std::size_t>(n)].userId];
    EXPECT_EQ(bySide[0], kRounds);
    EXPECT_EQ(bySide[1], kRounds);
}

TEST_P(HotelStaysTest, AStaleEditDoesNotReopenAStayCheckedOutElsewhere)
{
    CheckInRecord stay = Stay(1, OleDate(2027, 3, 1), OleDate(2027, 3, 5));
    stay.checkInId = Insert(stay);
    ASSERT_EQ(Db().AddStayService(m_hotel, stay.checkInId, "Bar", Money::FromCents(500), VatRate(), 2), kNoError);

    // An edit on this workstation keeps the services added meanwhile.
    CheckInRecord edited = stay;
    edited.notes = QStringLiteral("Late arrival");
    ASSERT_EQ(Db().UpdateCheckIn(m_hotel, edited), kNoError);
    EXPECT_EQ(Load(stay.checkInId).serviceCount, 1);
    EXPECT_EQ(Load(stay.checkInId).notes, QStringLiteral("Late arrival"));

    const auto other = Connect();
    CheckInRecord closed = stay;
    closed.checkOutDate = OleDate(2027, 3, 6, 10, 0);
    closed.documents[0] = {7, "F0007.txt", "Carta", Money::FromCents(45000)};
    ASSERT_EQ(other->CloseCheckIn(m_hotel, closed), kNoError);

    EXPECT_EQ(Db().UpdateCheckIn(m_hotel, edited), kDbRecordSelection);
    const CheckInRecord stored = Load(stay.checkInId);
    EXPECT_EQ(stored.checkOutDate, closed.checkOutDate);
    EXPECT_EQ(stored.documents[0], closed.documents[0]);
    EXPECT_EQ(stored.notes, stay.notes);
}

TEST_P(HotelStaysTest, ClosingAHiddenStayShowsItAndHidesItsMessages)
{
    CheckInRecord stay = Stay(1, OleDate(2027, 3, 1), OleDate(2027, 3, 5));
    stay.checkInId = Insert(stay);
    const int other = Insert(Stay(2, OleDate(2027, 3, 1), OleDate(2027, 3, 5)));
    AddMessage(stay.checkInId, "Ha chiamato l'ufficio");
    AddMessage(stay.checkInId, "Richiamare");
    AddMessage(other, "Pacco in portineria");
    Run(QStringLiteral("UPDATE RoomCheckIn_%1 SET IsVisible = 0 WHERE CheckInID = %2").arg(m_hotel).arg(stay.checkInId));

    stay.checkOutDate = OleDate(2027, 3, 6, 11, 0);
    ASSERT_EQ(Db().CloseCheckIn(m_hotel, stay), kNoError);
    EXPECT_EQ(Load(stay.checkInId).checkOutDate, stay.checkOutDate);
    std::vector<MessageRecord> messages;
    ASSERT_EQ(Db().LoadMessages(m_hotel, messages), kNoError);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].checkInId, other);

    CheckInRecord missing = stay;
    missing.checkInId = other + 100;
    EXPECT_EQ(Db().CloseCheckIn(m_hotel, missing), kDbRecordSelection);
    stay.checkOutDate = OleDate::Invalid();
    EXPECT_EQ(Db().CloseCheckIn(m_hotel, stay), kDbRowInsertFailed);

    // Deleting a stay hides it and its messages together.
    ASSERT_EQ(Db().DeleteCheckIn(m_hotel, other), kNoError);
    EXPECT_EQ(VisibleMessages(), 0);
    std::vector<CheckInRecord> stays;
    ASSERT_EQ(Db().LoadCheckIns(m_hotel, 0xFFFF, stays), kNoError);
    EXPECT_TRUE(stays.empty());
}

TEST_P(HotelStaysTest, AnUpdatedMessageIsDatedThenAndVisibleAgain)
{
    const int stay = Insert(Stay(1, OleDate(2027, 3, 1), OleDate(2027, 3, 5)));
    Db().SetClock([] { return OleDate(2027, 3, 2, 10, 0, 0); });
    MessageRecord message;
    message.checkInId = stay;
    message.userId = 4;
    message.from = QStringLiteral("Sig.ra D'Amico");
    message.text = QString(600, u'm');
    message.date = OleDate(2001, 1, 1);  // never written: the moment of the write is
    ASSERT_EQ(Db().InsertMessage(m_hotel, message), kNoError);
    ASSERT_EQ(Db().DeleteMessage(m_hotel, message.messageId), kNoError);
    EXPECT_EQ(VisibleMessages(), 0);

    Db().SetClock([] { return OleDate(2027, 3, 3, 18, 20, 45); });
    message.text = QStringLiteral("Richiama dopo l'una");
    ASSERT_EQ(Db().UpdateMessage(m_hotel, message), kNoError);
    std::vector<MessageRecord> messages;
    ASSERT_EQ(Db().LoadMessages(m_hotel, messages), kNoError);
    ASSERT_EQ(messages.size(), 1u);
    message.date = OleDate(2027, 3, 3, 18, 20, 45);
    EXPECT_EQ(messages[0], message);

    MessageRecord longOne = message;
    longOne.text = QString(600, u'm');
    ASSERT_EQ(Db().InsertMessage(m_hotel, longOne), kNoError);
    ASSERT_EQ(Db().LoadMessages(m_hotel, messages), kNoError);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, QString(512, u'm'));
    ASSERT_EQ(Db().DeleteStayMessages(m_hotel, stay), kNoError);
    EXPECT_EQ(VisibleMessages(), 0);
}

TEST_P(HotelStaysTest, ADocumentsPaymentIsSetByItsFileName)
{
    CheckInRecord stay = Stay(1, OleDate(2027, 3, 1), OleDate(2027, 3, 5));
    for (int n = 0; n < CheckInRecord::kDocuments; ++n)
        stay.documents[static_cast<std::size_t>(n)] = {n + 1, QStringLiteral("Doc%1.txt").arg(n + 1), "Contanti",
                                                       Money::FromCents(100)};
    // A stay before it with a file of the same name but for case: only the exact name counts.
    CheckInRecord other = Stay(2, OleDate(2027, 3, 1), OleDate(2027, 3, 5));
    other.documents[0].file = QStringLiteral("DOC3.TXT");
    other.checkInId = Insert(other);
    stay.checkInId = Insert(stay);

    ASSERT_EQ(Db().FindStayByDocument(m_hotel, "Doc3.txt", Money::FromCents(12345), "Bonifico"), kNoError);
    CheckInRecord expected = stay;
    expected.startDate = OleDate(2027, 3, 1);
    expected.endDate = OleDate(2027, 3, 5);
    expected.documents[2].total = Money::FromCents(12345);
    expected.documents[2].paymentType = QStringLiteral("Bonifico");
    EXPECT_EQ(Load(stay.checkInId), expected);

    ASSERT_EQ(Db().FindStayByDocument(m_hotel, "Doc1.txt", Money::FromCents(50), "Carta"), kNoError);
    expected.documents[0].total = Money::FromCents(50);
    expected.documents[0].paymentType = QStringLiteral("Carta");
    EXPECT_EQ(Load(stay.checkInId), expected);

    EXPECT_EQ(Db().FindStayByDocument(m_hotel, "Nessuno.txt", Money::FromCents(1), "x"), kDbRecordSelection);
    EXPECT_EQ(Db().FindStayByDocument(m_hotel, "doc2.TXT", Money::FromCents(1), "x"), kDbRecordSelection);
    EXPECT_EQ(Db().SetDocumentPayment(m_hotel, 5, stay.checkInId, Money(), "x"), kDbRecordSelection);
    EXPECT_EQ(Db().SetDocumentPayment(m_hotel, 0, stay.checkInId, Money(), "x"), kDbRecordSelection);
    EXPECT_EQ(Load(stay.checkInId), expected);
    EXPECT_EQ(Load(other.checkInId).documents[0].total, Money());
}

INSTANTIATE_DB_TEST(HotelStaysTest);

}  // namespace
}  // namespace lodgix
