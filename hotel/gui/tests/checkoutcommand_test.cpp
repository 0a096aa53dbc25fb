// The check-out command over a real hotel database on each backend: the documents it issues into the data
// folder and what the closed stays keep, alone and by group. The view's part is played by a host over the
// stored rows; the check-out data and room bill dialogs by scripts (checkouttest.h).
#include "checkouttest.h"
#include "companyrecord.h"
#include "guestrecord.h"
#include "hotelpbxtest.h"
#include "language.h"
#include "lodgixstate.h"
#include "roomserviceoptions.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QTemporaryDir>

namespace lodgix {
namespace {

const OleDate kNow(2027, 3, 10, 10, 0);
const OleDate kToday(2027, 3, 10);

class StoredRowsHost : public DeskCommandHost {
public:
    explicit StoredRowsHost(LodgixState& state) : m_state(state) {}

    int SelectedRoom() const override { return room; }
    OleDate SelectedDate() const override { return kToday; }
    void RefreshPlanning() override { ++refreshes; }
    QWidget* Window() override { return nullptr; }
    DeskDay RoomDay(int roomId, const OleDate& day, const RoomDayRecords* rows, Except except, int exceptId) const override
    {
        RoomDayRecords stored;
        if (!rows) {
            m_state.database->LoadCheckIns(m_state.hotelId, day, day, CHotelDatabase::kAllRooms, stored.stays);
            rows = &stored;
        }
        return ResolveDeskDay(roomId, day, *rows, except, exceptId);
    }

    int room = 1;
    int refreshes = 0;

private:
    LodgixState& m_state;
};

class CheckOutCommandTest : public HotelPbxTest {
protected:
    void SetUp() override
    {
        HotelPbxTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageItalian);
        // The PBX's records are there with no calls: the bills have no phone line and ask nothing.
        ListPbxs(1);
        SavePbx(0, ExtensionTables::kNoCapacityLimit);
        m_state.hotelId = PrepareHotel();
        m_state.database = Connect();
        m_state.currentOperator = {QStringLiteral("admin"), true, 7};
        ASSERT_TRUE(m_folder.isValid());
        m_state.dataFolder = m_folder.path() + u'/';
        for (int id = 1; id <= 3; ++id) {
            RoomRecord room;
            room.id = id;
            room.label = QStringLiteral("10%1").arg(id);
            room.extension = id;
            m_state.rooms.push_back(room);
        }
        m_state.roomCount = 3;
        m_billing = std::make_unique<StayBilling>(*m_state.database, m_state.rooms, m_state.seasons, m_state.rating,
                                                  m_state.hotelSettings);
        m_billing->SetClock([] { return kNow; });
        m_desk = std::make_unique<DeskServices>(
            DeskServices{*m_state.database, m_state.hotelId, m_state.rooms, *m_billing, [] { return kNow; }, {}, {}});
        m_host = std::make_unique<StoredRowsHost>(m_state);

        GuestRecord guest;
        guest.name = QStringLiteral("Mario Rossi");
        guest.dateOfBirth = QDate(1970, 1, 1);
        ASSERT_EQ(Db().InsertGuest(guest, m_guest), kNoError);
        CompanyRecord company;
        company.companyName = QStringLiteral("Viaggi Sud srl");
        company.address = QStringLiteral("Via Roma 1");
        company.city = QStringLiteral("Bari");
        company.vatNumber = QStringLiteral("01234567890");
        company.taxCode = QStringLiteral("VGGSUD");
        ASSERT_EQ(Db().InsertCompany(company, m_company), kNoError);
    }

    CheckInRecord Open(int room, const OleDate& start, Money price, int group = 0)
    {
        CheckInRecord stay;
        stay.roomId = room;
        stay.groupId = group;
        stay.guestIds[0] = m_guest;
        stay.startDate = start;
        stay.endDate = kToday.AddDays(2);
        stay.checkInDate = start.AddSeconds(15 * 3600);
        stay.treatment = TreatmentText(0);
        stay.dailyPrice = price;
        stay.vat = VatRate::FromHundredths(1000);
        EXPECT_EQ(Db().InsertCheckIn(m_state.hotelId, stay), kNoError);
        return stay;
    }

    CCheckOutCommand Command(CheckOutHooks hooks)
    {
        hooks.printDocuments = [this](const QStringList& files) { m_previewed << files; };
        hooks.printDocument = [this](const QString& file) {
            m_shownAlone << file;
            return true;
        };
        return CCheckOutCommand(m_state, *m_desk, *m_billing, *m_host, std::move(hooks));
    }

    std::vector<CheckInRecord> Stays(bool open)
    {
        std::vector<CheckInRecord> stays;
        if (open)
            EXPECT_EQ(Db().LoadCheckIns(m_state.hotelId, CHotelDatabase::kAllRooms, stays), kNoError);
        else
            EXPECT_EQ(Db().LoadClosedStays(m_state.hotelId, kToday.AddDays(-5), kToday.AddDays(5),
                                           CHotelDatabase::kAllRooms, CHotelDatabase::kAnyGuest, stays),
                      kNoError);
        return stays;
    }

    CHotelDatabase& Db() { return *m_state.database; }

    LodgixState m_state;
    QTemporaryDir m_folder;
    std::unique_ptr<StayBilling> m_billing;
    std::unique_ptr<DeskServices> m_desk;
    std::unique_ptr<StoredRowsHost> m_host;
    QStringList m_previewed;
    QStringList m_shownAlone;
    int m_guest = 0;
    int m_company = 0;
};

TEST_P(CheckOutCommandTest, FourAccountsIssueFourFilesAndFillTheStaysFourDocuments)
{
    const CheckInRecord stay = Open(1, kToday.AddDays(-2), Money::FromCents(8000));
    for (const auto& [name, cents] : {std::pair{"Minibar", 500}, {"Lavanderia", 1250}, {"Parcheggio", 1000}})
        ASSERT_EQ(Db().AddStayService(m_state.hotelId, stay.checkInId, QLatin1String(name), Money::FromCents(cents),
                                      VatRate::FromHundredths(2200), 7),
                  kNoError);
    const std::vector<ScriptedDocument> documents{
        {DocumentKind::kReceipt, m_guest, QStringLiteral("Contanti")},
        {DocumentKind::kInvoice, m_company, QStringLiteral("Bancomat")},
        {DocumentKind::kReceipt, 0, QStringLiteral("Carta di credito")},
        {DocumentKind::kInvoice, m_company + 50, QStringLiteral("Bonifico")},  // a company not in the registry
    };
    const LineMove onePerDocument = [](std::vector<BillLine>&, DocumentLineCounts& counts) { counts.lines = {1, 1, 1, 1}; };

    // Cancel on the second document: nothing issued, the stay open.
    CheckOutHooks cancelled;
    auto script = ScriptedDocumentData(documents, nullptr);
    cancelled.documentData = [&](CheckOutDocumentData& data, QWidget* parent) {
        return data.document < 2 && script(data, parent);
    };
    cancelled.roomBill = ScriptedRoomBill(onePerDocument, nullptr);
    {
        ModalScript cancelScript({Accounts(4)});
        Command(cancelled).Run();
    }
    EXPECT_TRUE(DocumentFiles(m_state.dataFolder).isEmpty());
    EXPECT_EQ(Stays(true).size(), 1u);

    // Another workstation takes receipt 1 while the first document's dialog is open: the receipt is issued
    // as number 2, and the third document, asked as number 2, becomes number 3.
    std::vector<CheckOutDocumentData> seen;
    std::vector<BillLine> shown;
    CheckOutHooks hooks;
    script = ScriptedDocumentData(documents, &seen);
    hooks.documentData = [&](CheckOutDocumentData& data, QWidget* parent) {
        const bool ok = script(data, parent);
        if (data.document == 1) {
            QFile taken(m_state.dataFolder + data.file);
            EXPECT_TRUE(taken.open(QIODevice::WriteOnly));
        }
        return ok;
    };
    hooks.roomBill = ScriptedRoomBill(onePerDocument, &shown);
    ModalScript answers({Accounts(4), ModalScript::Yes()});
    ASSERT_TRUE(Command(hooks).CanRun());
    Command(hooks).Run();
    EXPECT_EQ(answers.Boxes(), QStringList{LoadResString(2139)});

    // Each dialog saw its document, the stay's guests and the proposed last night (yesterday).
    ASSERT_EQ(seen.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(seen[static_cast<std::size_t>(k)].document, k + 1);
        EXPECT_EQ(seen[static_cast<std::size_t>(k)].documents, 4);
        EXPECT_EQ(seen[static_cast<std::size_t>(k)].lastNight, kToday.AddDays(-1));
        EXPECT_EQ(seen[static_cast<std::size_t>(k)].guestIds, stay.guestIds);
    }
    ASSERT_EQ(shown.size(), 4u) << "two nights and three services";
    EXPECT_EQ(shown[0].quantity, 2);

    const QStringList issued{QStringLiteral("Recv202700002.psx"), QStringLiteral("Fatt202700001.psx"),
                             QStringLiteral("Recv202700003.psx"), QStringLiteral("Fatt202700002.psx")};
    EXPECT_EQ(m_previewed, issued);
    EXPECT_TRUE(m_shownAlone.isEmpty());
    EXPECT_EQ(DocumentFiles(m_state.dataFolder).size(), 5);

    struct Expected {
        quint8 type;
        const char* number;
        const char* guest;
        const char* company;
        int payer;
    };
    const Expected expected[] = {
        {DocumentRecord::kReceipt, "2 / 2027", "Mario Rossi", "", m_guest},
        {DocumentRecord::kInvoice, "1 / 2027", "Mario Rossi", "Viaggi Sud srl", m_company},
        {DocumentRecord::kReceipt, "3 / 2027", "", "", 0},
        {DocumentRecord::kInvoice, "2 / 2027", "Mario Rossi", "", 0},
    };
    const std::vector<CheckInRecord> closed = Stays(false);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_TRUE(Stays(true).empty());
    const CheckInRecord& done = closed[0];
    EXPECT_EQ(done.checkOutDate, kNow);
    EXPECT_EQ(done.endDate, kToday.AddDays(-1));
    EXPECT_EQ(done.checkOutUserId, 7);
    for (std::size_t k = 0; k < 4; ++k) {
        const DocumentRecord record = ReadDocument(m_state.dataFolder, issued[static_cast<qsizetype>(k)]);
        EXPECT_EQ(record.type, expected[k].type) << k;
        EXPECT_EQ(record.number, QLatin1String(expected[k].number)) << k;
        EXPECT_EQ(record.guestName, QLatin1String(expected[k].guest)) << k;
        EXPECT_EQ(record.companyName, QLatin1String(expected[k].company)) << k;
        EXPECT_EQ(record.paymentType, documents[k].paymentType);
        EXPECT_EQ(record.issued, kNow);
        ASSERT_EQ(record.lines.size(), 1u);
        EXPECT_EQ(record.lines[0], shown[k]);
        const StayDocument& slot = done.documents[k];
        EXPECT_EQ(slot.file, issued[static_cast<qsizetype>(k)]);
        EXPECT_EQ(slot.paymentType, documents[k].paymentType);
        EXPECT_EQ(slot.billId, expected[k].payer) << k;
        EXPECT_EQ(slot.total, shown[k].grossAmount) << k;
    }
    EXPECT_EQ(ReadDocument(m_state.dataFolder, issued[1]).companyTaxCode, QStringLiteral("VGGSUD"));
    EXPECT_EQ(done.documents[0].total, Money::FromCents(16000));
    EXPECT_EQ(m_host->refreshes, 1);
}

TEST_P(CheckOutCommandTest, AGroupOfThreeRoomsClosesEveryRoomAndShowsTheFirstDocument)
{
    GroupRecord group;
    group.name = QStringLiteral("Convegno");
    group.hotelId = m_state.hotelId;
    group.creationDate = kNow;
    for (const int room : {1, 2, 3})
        group.rooms[static_cast<std::size_t>(group.roomCount++)] = room;
    ASSERT_EQ(Db().InsertGroup(0, group), kNoError);
    for (const int room : {1, 2, 3})
        Open(room, kToday, Money::FromCents(5000 + 1000 * room), group.id);
    m_host->room = 2;

    std::vector<BillLine> shown;
    CheckInRecord shownStay;
    CheckOutHooks hooks;
    hooks.documentData = ScriptedDocumentData({{DocumentKind::kReceipt, m_guest, QStringLiteral("Contanti")},
                                               {DocumentKind::kReceipt, 0, QStringLiteral("Bancomat")},
                                               {DocumentKind::kInvoice, m_company, QStringLiteral("Contanti")}},
                                              nullptr);
    hooks.roomBill = ScriptedRoomBill([](std::vector<BillLine>&, DocumentLineCounts& counts) { counts.lines = {1, 1, 1, 0}; },
                                      &shown, &shownStay);
    ModalScript answers({ModalScript::Yes(), ConfirmGroup(), Accounts(3), ModalScript::Yes()});
    Command(hooks).Run();
    EXPECT_EQ(answers.Boxes(), (QStringList{LoadResString(2299) + QStringLiteral(" 'Convegno'\n") +
                                                LoadResString(2300) + u'?',
                                            LoadResString(2139)}));

    // The bill of the three rooms, the selected room's first; the documents named in its stay.
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].unitPrice, Money::FromCents(7000));
    EXPECT_EQ(shownStay.roomId, 2);
    EXPECT_EQ(shownStay.documents[0].file, QStringLiteral("Recv202700001.psx"));

    const QStringList issued{QStringLiteral("Recv202700001.psx"), QStringLiteral("Recv202700002.psx"),
                             QStringLiteral("Fatt202700001.psx")};
    EXPECT_EQ(DocumentFiles(m_state.dataFolder), (QStringList{issued[2], issued[0], issued[1]}));
    EXPECT_EQ(m_shownAlone, QStringList{issued[0]});
    EXPECT_TRUE(m_previewed.isEmpty());
    EXPECT_TRUE(Stays(true).empty());
    const std::vector<CheckInRecord> closed = Stays(false);
    ASSERT_EQ(closed.size(), 3u);
    for (const CheckInRecord& stay : closed) {
        EXPECT_EQ(stay.endDate, kToday) << "the stay began today";
        for (int k = 0; k < 3; ++k) {
            const StayDocument& slot = stay.documents[static_cast<std::size_t>(k)];
            EXPECT_EQ(slot.file, issued[k]);
            EXPECT_EQ(slot.total, stay.roomId == 2 ? shown[static_cast<std::size_t>(k)].grossAmount : Money())
                << "amounts in the selected room's stay only";
        }
        EXPECT_EQ(stay.documents[2].billId, m_company);
        EXPECT_TRUE(stay.documents[3].file.isEmpty());
    }
    GroupRecord left;
    ASSERT_EQ(Db().LoadGroup(group.id, left), kNoError);
    EXPECT_EQ(left.roomCount, 0);
}

INSTANTIATE_DB_TEST(CheckOutCommandTest);

}  // namespace
}  // namespace lodgix
