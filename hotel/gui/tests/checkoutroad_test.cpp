// The check-out's whole road through the real engine, on each backend: Pultex in simulation with Simulvex
// as the PBX, the front-desk view in this process. A room whose extension has index 1 and is dialled as 202
// is checked in with outside calls, gets a wake-up call and places a call; its check-out in two accounts
// switches both off on the PBX, issues the two documents with the call's rated price and closes the stay.
// A close that the database refuses leaves the PBX, the stay and the data folder as they were.
#include "callcost.h"
#include "callrating.h"
#include "checkindlg.h"
#include "checkoutdlg.h"
#include "checkouttest.h"
#include "companyrecord.h"
#include "consolesuite.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "extensionswitches.h"
#include "guestrecord.h"
#include "hotelcolumns.h"
#include "hoteltablesetup.h"
#include "language.h"
#include "loggedcallreader.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"
#include "lodgixview.h"
#include "numericedit.h"
#include "pbxobjecttype.h"
#include "roombilldlg.h"
#include "staybilling.h"
#include "stringtable.h"
#include "waitfor.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

namespace lodgix {
namespace {

constexpr std::uint8_t kPbx = 0;
constexpr int kExtension = 1;  // dialled as 202: three extensions numbered from 201
constexpr int kExtensionNumber = 202;
const QString kDialled = QStringLiteral("0612345678");

QString PdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class CheckOutRoadTest : public ::testing::TestWithParam<DbBackend> {
protected:
    void SetUp() override
    {
        QString skipReason;
        if (!TestDatabaseSettings(GetParam(), m_settings, skipReason))
            GTEST_SKIP() << skipReason.toStdString();
        ASSERT_TRUE(m_suite.IsValid());
        const QString failure =
            m_suite.StartInSimulation({QStringLiteral("set extensions 3"), QStringLiteral("set lines 2")}, m_settings);
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
        m_started = true;
        SetLanguage(kLanguageItalian);

        m_state.database = std::make_unique<CHotelDatabase>(m_suite.CatalogParameters(m_settings));
        CHotelDatabase& db = *m_state.database;
        ASSERT_EQ(db.Connect(QString()), kNoError);
        ASSERT_EQ(db.EnsureGlobalTable(HotelTable::kOperators), kNoError);
        ASSERT_EQ(CreateMasterTables(db), kNoError) << db.LastError().toStdString();
        ASSERT_EQ(db.EnsureGlobalTable(HotelTable::kHotelConfiguration), kNoError);
        HotelRecord hotel;
        // The catalog of a shared server keeps the hotels and companies of earlier runs: names of this run.
        hotel.name = QStringLiteral("Hotel ") + m_run;
        ASSERT_EQ(db.InsertHotel(hotel, 0, m_state.hotelId), kNoError);
        ASSERT_EQ(CreateHotelTables(db, m_state.hotelId), kNoError) << db.LastError().toStdString();
        ASSERT_EQ(db.RecreateRoomTable(m_state.hotelId), kNoError);
        RoomRecord room;
        room.label = QStringLiteral("12");
        room.pbx = kPbx;
        room.extension = kExtension;
        room.vat = VatRate::FromHundredths(1000);
        for (const Season season : {Season::kLow, Season::kMedium, Season::kHigh})
            room.prices.Price(season, Treatment::kOvernight) = Money::FromCents(6000);
        ASSERT_EQ(db.InsertRoom(m_state.hotelId, room), kNoError);
        ASSERT_EQ(db.LoadRooms(m_state.hotelId, m_state.rooms), kNoError);
        ASSERT_EQ(m_state.rooms.size(), 1u);
        m_roomId = m_state.rooms[0].id;
        m_state.roomCount = 1;
        m_state.currentOperator = {QStringLiteral("mario"), true, 3};
        ASSERT_TRUE(m_folder.isValid());
        m_state.dataFolder = m_folder.path() + u'/';
        m_state.seasons = SeasonTable::Defaults();
        SetDefaultPrintSettings(m_state.printSettings);  // as start-up leaves them without a settings file
        RatingConfiguration& rating = m_state.rating;
        BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), rating.prefixGroups);
        BuildDefaultTariffs(rating.tariffs, rating.variations);
        BuildDefaultRules(rating.rules, rating.prefixGroups);
        rating.tariffs.tariffs[TariffTable::kPulseTariff].pulseCost = 0.12;
        rating.tariffs.tariffs[TariffTable::kPulseTariff].answerCharge = 0.05;
        m_state.engine = std::make_unique<CEngineClient>("127.0.0.1", m_suite.Ports().requestPort);
        m_state.extensions.LoadPbxTables(db, m_state.roomCount);
        m_state.extensions.LoadExtensionStates(db, m_state.rooms);
        ASSERT_TRUE(m_state.extensions.RoomAt(0).valid);

        // The check-in dialog takes its main guest from the registry.
        GuestRecord guest;
        guest.name = QStringLiteral("Rossi ") + m_run;
        guest.dateOfBirth = QDate(1970, 1, 1);
        int guestId = 0;
        ASSERT_EQ(db.InsertGuest(guest, guestId), kNoError);
        CompanyRecord company;
        company.companyName = m_companyName;
        company.vatNumber = m_run.right(11);
        company.taxCode = m_run;
        ASSERT_EQ(db.InsertCompany(company, m_company), kNoError);

        m_view = std::make_unique<CLodgixView>(m_state);
        m_view->OnInitialUpdate();
    }

    void TearDown() override
    {
        m_view.reset();
        m_state.Shutdown();
        if (m_started) {
            EXPECT_EQ(m_suite.StopConsole(), 0);
        }
    }

    CEngineClient Engine() const { return CEngineClient("127.0.0.1", m_suite.Ports().requestPort); }
    int OutsideCallsOnPbx()
    {
        ProgrammingRecord record{};
        EXPECT_EQ(Engine().ReadProgrammation(kPbx, kObjectExtension, kExtension, record, kPbxRequestSeconds), kNoError);
        return record[kOutsideCallsByte];
    }
    int WakeUpModeOnPbx()
    {
        WakeUpBytes onPbx{};
        EXPECT_EQ(Engine().ReadWakeUp(kPbx, kExtension, onPbx, kPbxRequestSeconds), kNoError);
        return onPbx[kWakeUpModeByte];
    }

    // Checks the room in for one night today with outside calls, through the view's command and the real
    // check-in dialog; then sets a single wake-up call at 07:30.
    void CheckIn()
    {
        // The guest arrived a minute ago: the calls from the room start after the check-in moment.
        m_view->SetClock([] { return QDateTime::currentDateTime().addSecs(-60); });
        m_view->SelectCell(m_roomId, m_view->Today().Day());
        EXPECT_FALSE(m_view->IsCommandEnabled(CCheckOutCommand::kCommandId)) << "a free room";
        ModalScript script({[](QDialog* dialog) {
                                auto treatment = dialog->findChild<QComboBox*>(QString::number(CCheckInDlg::kTreatment));
                                treatment->setCurrentIndex(0);  // overnight only, priced from the room
                                emit treatment->activated(0);
                                auto nights = dialog->findChild<CNumericEdit*>(QString::number(CCheckInDlg::kNights));
                                nights->setText(QStringLiteral("1"));
                                QTest::keyClick(nights, Qt::Key_Return);
                                dialog->findChild<QCheckBox*>(QString::number(CCheckInDlg::kCityCalls))->setChecked(true);
                                dialog->findChild<QPushButton*>(QString::number(CCheckInDlg::kOk))->click();
                            },
                            ModalScript::Yes()});
        m_view->PostCommand(32788);
        QApplication::processEvents();
        ASSERT_EQ(script.Left(), 0);
        std::vector<CheckInRecord> open;
        ASSERT_EQ(m_state.database->LoadCheckIns(m_state.hotelId, m_roomId, open), kNoError);
        ASSERT_EQ(open.size(), 1u);
        m_checkInMoment = open[0].checkInDate;
        ASSERT_EQ(SendWakeUp(*m_state.engine, *m_state.database, m_state.extensions, 0,
                             QByteArray("\x01\x02\x07\x1e\x00", 5)),
                  kNoError);
    }

    // The check-out of the selected room through the view's command and the program's dialogs: two
    // accounts, a receipt to the main guest paid in cash and an invoice to the company paid by transfer, the
    // phone line moved to the invoice in the room bill; each preview shown is printed to a PDF of
    // `previews`, in turn. The message boxes shown are kept.
    void CheckOut(QStringList previews)
    {
        m_view->SelectCell(m_roomId, m_view->Today().Day());
        ASSERT_TRUE(m_view->IsCommandEnabled(CCheckOutCommand::kCommandId));
        const auto press = [](QDialog* dialog, int id) {
            dialog->findChild<QPushButton*>(QString::number(id))->click();
        };
        std::deque<ModalScript::Answer> answers{
            Accounts(2),
            [press](QDialog* dialog) { press(dialog, CCheckOutDlg::kOk); },
            [this, press](QDialog* dialog) {
                dialog->findChild<QComboBox*>(QString::number(CCheckOutDlg::kType))
                    ->setCurrentIndex(CCheckOutDlg::kInvoiceIndex);
                auto company = dialog->findChild<QComboBox*>(QString::number(CCheckOutDlg::kCompany));
                company->setCurrentIndex(company->findData(m_company));
                dialog->findChild<QComboBox*>(QString::number(CCheckOutDlg::kPayment))
                    ->setCurrentIndex(CCheckOutDlg::kOtherPayment);
                auto payment = dialog->findChild<QLineEdit*>(QString::number(CCheckOutDlg::kPaymentText));
                payment->setText(QStringLiteral("Bonifico"));
                press(dialog, CCheckOutDlg::kOk);
            },
            ModalScript::Yes(),  // the last document's data confirmed
            [press](QDialog* dialog) {
                auto list = dialog->findChild<QTreeWidget*>(QString::number(CRoomBillDlg::kLists[0]));
                const auto phone = list->findItems(LoadResString(StayBilling::kPhoneLineString), Qt::MatchExactly);
                if (!phone.isEmpty())
                    phone.front()->setSelected(true);
                press(dialog, CRoomBillDlg::kMoveRight[0]);
                press(dialog, CRoomBillDlg::kConfirm);
            },
            ModalScript::Yes(),  // the check-out confirmed for good
        };
        for (const QString& name : previews)
            answers.push_back([this, path = m_folder.filePath(name)](QDialog* dialog) {
                QPrinter& printer = m_view->Printing().Printer();
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(path);
                m_view->Printing().PrintAll(printer);
                dialog->accept();  // as the preview does after it printed
            });
        if (previews.isEmpty())
            answers.push_back(ModalScript::Ok());
        ModalScript script(std::move(answers));
        m_view->PostCommand(CCheckOutCommand::kCommandId);
        EXPECT_TRUE(WaitFor(
            [&] {
                QApplication::processEvents();
                return script.Left() == 0;
            },
            10000));
        QApplication::processEvents();
        m_boxes = script.Boxes();
    }

    DatabaseSettings m_settings;
    ConsoleSuite m_suite;
    bool m_started = false;
    LodgixState m_state;
    QTemporaryDir m_folder;
    std::unique_ptr<CLodgixView> m_view;
    int m_roomId = 0;
    const QString m_run = QString::number(QDateTime::currentMSecsSinceEpoch());
    const QString m_companyName = QStringLiteral("Viaggi Sud ") + m_run;
    int m_company = 0;
    OleDate m_checkInMoment;
    QStringList m_boxes;
};

TEST_P(CheckOutRoadTest, ACheckOutInTwoAccountsChargesTheCallAndSwitchesTheExtensionOff)
{
    CheckIn();
    ASSERT_EQ(OutsideCallsOnPbx(), 1);
    ASSERT_EQ(WakeUpModeOnPbx(), 2);

    // The room's call, stored by the engine under the extension's dialling number, priced alone.
    ASSERT_TRUE(m_suite.PlaceCall(kExtension, 0, kDialled, 125));
    const OleDate after = OleDate::Now().AddDays(1);
    LoggedCallFilter filter;
    filter.pbx = kPbx;
    filter.extensionNumber = kExtensionNumber;
    filter.start = &m_checkInMoment;
    filter.end = &after;
    std::vector<LoggedCall> calls;
    int count = -1;
    ASSERT_TRUE(WaitFor(
        [&] { return SelectLoggedCalls(*m_state.database, filter, &calls, count) == kNoError && count == 1; }, 20000));
    QByteArray configuration;
    ASSERT_EQ(m_state.database->ReadSystemConfiguration(kPbx, configuration), kNoError);
    const RatingConfiguration& rating = m_state.rating;
    const CallRating rated =
        RateLoggedCall(calls[0], configuration, rating.rules, rating.prefixGroups, rating.tariffs, rating.variations);
    ASSERT_EQ(rated.result, kCostDone);
    ASSERT_GT(rated.cost, 0.0);
    const Money phonePrice = Money::FromCents(std::llround(rated.cost * 100));

    // The guest leaves a few minutes after the call ended (the PBX logs it with its clock at the hang-up).
    const QDateTime leaving = QDateTime::currentDateTime().addSecs(300);
    m_view->SetClock([leaving] { return leaving; });
    CheckOut({QStringLiteral("receipt.pdf"), QStringLiteral("invoice.pdf")});
    EXPECT_EQ(m_boxes, (QStringList{LoadResString(2039), LoadResString(2139)}));

    EXPECT_EQ(OutsideCallsOnPbx(), 0);
    EXPECT_EQ(WakeUpModeOnPbx(), 0);

    const QStringList files = DocumentFiles(m_state.dataFolder);
    const QString receiptName = DocumentFileName(DocumentKind::kReceipt, m_view->Today().Year(), 1);
    const QString invoiceName = DocumentFileName(DocumentKind::kInvoice, m_view->Today().Year(), 1);
    EXPECT_EQ(files, (QStringList{invoiceName, receiptName}));
    const DocumentRecord receipt = ReadDocument(m_state.dataFolder, receiptName);
    const DocumentRecord invoice = ReadDocument(m_state.dataFolder, invoiceName);
    ASSERT_EQ(receipt.lines.size(), 1u);
    EXPECT_EQ(receipt.lines[0].unitPrice, Money::FromCents(6000));
    ASSERT_EQ(invoice.lines.size(), 1u);
    EXPECT_EQ(invoice.lines[0].description, QStringLiteral("Spesa telefonica"));
    EXPECT_EQ(invoice.lines[0].unitPrice, phonePrice);
    EXPECT_EQ(invoice.companyName, m_companyName);

    std::vector<CheckInRecord> closed;
    ASSERT_EQ(m_state.database->LoadClosedStays(m_state.hotelId, m_view->Today().AddDays(-1), m_view->Today().AddDays(1),
                                                m_roomId, CHotelDatabase::kAnyGuest, closed),
              kNoError);
    ASSERT_EQ(closed.size(), 1u);
    const CheckInRecord& stay = closed[0];
    EXPECT_EQ(stay.checkOutUserId, 3);
    EXPECT_EQ(stay.endDate, m_view->Today());
    EXPECT_NE(stay.guestIds[0], 0);
    EXPECT_EQ(stay.documents[0],
              (StayDocument{stay.guestIds[0], receiptName, QStringLiteral("Contanti"), Money::FromCents(6000)}));
    EXPECT_EQ(stay.documents[1], (StayDocument{m_company, invoiceName, QStringLiteral("Bonifico"), phonePrice}));

    // Both documents, previewed one after the other, on paper.
    const QString receiptText = PdfText(m_folder.filePath(QStringLiteral("receipt.pdf")));
    const QString invoiceText = PdfText(m_folder.filePath(QStringLiteral("invoice.pdf")));
    EXPECT_TRUE(receiptText.contains(QStringLiteral("RICEVUTA FISCALE N. 1 / %1").arg(m_view->Today().Year())))
        << receiptText.toStdString();
    EXPECT_TRUE(receiptText.contains(Money::FromCents(6000).Text()));
    EXPECT_TRUE(receiptText.contains(QStringLiteral("TOTALE")));
    EXPECT_TRUE(invoiceText.contains(QStringLiteral("FATTURA N. 1 / %1").arg(m_view->Today().Year())))
        << invoiceText.toStdString();
    EXPECT_TRUE(invoiceText.contains(QStringLiteral("Spesa telefonica")));
    EXPECT_TRUE(invoiceText.contains(phonePrice.Text()));
    EXPECT_TRUE(invoiceText.contains(QStringLiteral("TOTALE")));
}

TEST_P(CheckOutRoadTest, AFailedCloseRemovesTheDocumentsAndLeavesTheStayAndTheExtensionAsTheyWere)
{
    CheckIn();
    ASSERT_EQ(OutsideCallsOnPbx(), 1);
    // The database refuses to close any stay of the hotel.
    const QString table = HotelTableName(HotelTable::kRoomCheckIn, m_state.hotelId);
    const QString refuse =
        GetParam() == DbBackend::kSqlite
            ? QStringLiteral("CREATE TRIGGER refuse_close BEFORE UPDATE ON %1 WHEN NEW.CheckOutDate IS NOT NULL "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                  .arg(table)
            : QStringLiteral("CREATE OR REPLACE FUNCTION refuse_close() RETURNS trigger AS $$ BEGIN IF "
                             "NEW.CheckOutDate IS NOT NULL THEN RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ "
                             "LANGUAGE plpgsql; CREATE TRIGGER refuse_close BEFORE UPDATE ON %1 FOR EACH ROW "
                             "EXECUTE FUNCTION refuse_close()")
                  .arg(table);
    ASSERT_EQ(m_state.database->OpenRecordset(refuse), kNoError) << m_state.database->LastError().toStdString();
    m_state.database->CloseRecordset();

    CheckOut({});
    EXPECT_EQ(m_boxes, (QStringList{LoadResString(2039), LoadResString(2139), LoadResString(2146)}));
    EXPECT_TRUE(DocumentFiles(m_state.dataFolder).isEmpty()) << "the numbers are free again";
    std::vector<CheckInRecord> open;
    ASSERT_EQ(m_state.database->LoadCheckIns(m_state.hotelId, m_roomId, open), kNoError);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(open[0].documents[0].file.isEmpty());
    EXPECT_EQ(OutsideCallsOnPbx(), 1);
    EXPECT_EQ(WakeUpModeOnPbx(), 2);
    EXPECT_TRUE(m_view->Printing().Queue().isEmpty()) << "nothing printed";
}

INSTANTIATE_TEST_SUITE_P(Databases, CheckOutRoadTest, ::testing::Values(DbBackend::kSqlite, DbBackend::kPostgres),
                         [](const ::testing::TestParamInfo<DbBackend>& info) {
                             return info.param == DbBackend::kSqlite ? std::string("Sqlite") : std::string("Postgres");
                         });

}  // namespace
}  // namespace lodgix
