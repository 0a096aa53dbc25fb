// The client services window over a real hotel database on each backend, with the internet-access gateway
// played by a peer on 127.0.0.1: slots added, changed and deleted in the database and in the window's own
// copy of the stay, the ticket of a sold access, and the window opened and closed by the front-desk view.
#include "clientservicesdlg.h"
#include "clippedtextcheck.h"
#include "gatewaypeer.h"
#include "internetgateway.h"
#include "language.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"
#include "lodgixview.h"
#include "modalscript.h"
#include "numericedit.h"
#include "serviceeditdlg.h"
#include "servicestest.h"
#include "settingsfile.h"
#include "sortlistctrl.h"
#include "stringtable.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

constexpr std::uint64_t kPrintPreview = 57609;

// The notices the window posted to its owner.
class RecordedNotices : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t) override { seen.emplace_back(message, wParam); }
    std::vector<std::pair<std::uint32_t, std::uint64_t>> seen;
};

template <typename T>
T* Child(QWidget& window, int id)
{
    return window.findChild<T*>(QString::number(id));
}

// Answers the service edit dialog: the catalogue entry (or a description of its own), unit price, quantity.
ModalScript::Answer Edit(const QString& service, double price, int quantity = 1)
{
    return [=](QDialog* shown) {
        auto dialog = qobject_cast<CServiceEditDlg*>(shown);
        ASSERT_NE(dialog, nullptr);
        auto combo = Child<QComboBox>(*dialog, CServiceEditDlg::kCatalogue);
        if (const int entry = combo->findText(service); entry > 0) {
            combo->setCurrentIndex(entry);
            emit combo->activated(entry);
        } else {
            Child<QLineEdit>(*dialog, CServiceEditDlg::kDescription)->setText(service);
        }
        Child<CNumericEdit>(*dialog, CServiceEditDlg::kPrice)->SetValue(price);
        Child<CNumericEdit>(*dialog, CServiceEditDlg::kQuantity)->SetValue(quantity);
        Child<QPushButton>(*dialog, CServiceEditDlg::kOk)->click();
        // A sale goes on after OK; its end closes the dialog.
        EXPECT_TRUE(QTest::qWaitFor([dialog] { return !dialog->IsSelling(); }, 10000));
    };
}

// Presses a button of the window, answering the modal windows it opens in turn; the message boxes' texts.
QStringList Press(QWidget& window, int button, std::deque<ModalScript::Answer> answers)
{
    ModalScript script(std::move(answers));
    Child<QPushButton>(window, button)->click();
    QApplication::processEvents();  // what the window posted to its owner (the ticket's preview)
    EXPECT_EQ(script.Left(), 0);
    return script.Boxes();
}

void SelectSlot(CClientServicesDlg& window, int slot)
{
    CSortListCtrl& list = window.ServiceList();
    for (int row = 0; row < list.ItemCount(); ++row) {
        if (list.ItemData(row) == slot)
            list.setCurrentItem(list.topLevelItem(row));
    }
}

class ClientServicesTest : public ServicesDbTest {
protected:
    void SetUp() override
    {
        ServicesDbTest::SetUp();
        if (IsSkipped())
            return;
        for (const char* label : {"101", "102"}) {
            RoomRecord room;
            room.label = QLatin1String(label);
            ASSERT_EQ(Db().InsertRoom(m_hotel, room), kNoError);
        }
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("pw"), true, m_operator), kNoError);

        m_state.database = Connect();
        m_state.serverName = kServer;
        m_state.hotelId = m_hotel;
        m_state.currentOperator = {QStringLiteral("mario"), true, m_operator};
        ASSERT_EQ(m_state.database->LoadRooms(m_hotel, m_state.rooms), kNoError);
        m_state.roomCount = static_cast<int>(m_state.rooms.size());
        SetDefaultPrintSettings(m_state.printSettings);
        ASSERT_TRUE(m_folder.isValid());
        m_state.settingsFile = m_folder.filePath(QStringLiteral("LodgixSettings.cfg"));
        ASSERT_TRUE(SaveSettings(m_state.settingsFile, m_state.printSettings, m_state.hotelSettings));
        m_links.owner = &m_notices;
        m_links.print = &m_print;

        CheckInRecord stay;
        stay.roomId = m_state.rooms[0].id;
        stay.userId = m_operator;
        stay.guestIds[0] = m_guest;
        stay.startDate = OleDate(2024, 3, 8);
        stay.endDate = OleDate(2024, 3, 12);
        stay.checkInDate = OleDate(2024, 3, 8, 14, 0, 0);
        stay.dailyPrice = Money::FromCents(9000);
        ASSERT_EQ(Db().InsertCheckIn(m_hotel, stay), kNoError) << Db().LastError().toStdString();
        m_stay = stay;
    }

    void TearDown() override
    {
        m_state.Shutdown();
        ServicesDbTest::TearDown();
    }

    // The stay as the database holds it now.
    CheckInRecord Stored()
    {
        std::vector<CheckInRecord> stays;
        EXPECT_EQ(Db().LoadCheckIns(m_hotel, m_stay.roomId, stays), kNoError);
        return stays.empty() ? CheckInRecord() : stays.front();
    }

    // Stores `count` services in the stay, and takes it again.
    void AddServices(int count, Money price = Money::FromCents(300))
    {
        for (int slot = 0; slot < count; ++slot)
            ASSERT_EQ(Db().AddStayService(m_hotel, m_stay.checkInId, QStringLiteral("Bar %1").arg(slot), price,
                                          VatRate::FromHundredths(2200), m_operator),
                      kNoError);
        m_stay = Stored();
    }

    QTemporaryDir m_folder;
    int m_operator = 0;
    CheckInRecord m_stay;
    LodgixState m_state;
    RecordedNotices m_notices;
    PrintRequest m_print;
    DeskWindowLinks m_links;
};

TEST_P(ClientServicesTest, SoldAccessIsOneSlotWithItsCodeAndPrintsItsTicket)
{
    GatewayPeer peer([](const QByteArray& request, int) { return GatewayPeer::Reply(request); });
    CClientServicesDlg window(m_state, m_links, m_stay);
    window.SetGatewayLink(peer.Link());
    window.show();
    EXPECT_EQ(Press(window, CClientServicesDlg::kNewService, {Edit(kInternet, 2.0, 3), ModalScript::Yes()}).size(), 1);

    ASSERT_EQ(peer.Requests().size(), 1u);
    const QString code = QString::fromLatin1(peer.Requests()[0].mid(8, 12));
    const QString name = kInternet + QStringLiteral(" (") + code + QStringLiteral(")");
    for (const CheckInRecord& stay : {window.Stay(), Stored()}) {
        ASSERT_EQ(stay.serviceCount, 1);
        EXPECT_EQ(stay.services[0].name, name);
        EXPECT_EQ(stay.services[0].price, Money::FromCents(600));
        EXPECT_EQ(stay.services[0].vat, VatRate::FromHundredths(2000));
        EXPECT_EQ(stay.services[0].userId, m_operator);
    }
    ASSERT_EQ(window.ServiceList().ItemCount(), 1);
    EXPECT_EQ(window.ServiceList().ItemText(0, 1), QStringLiteral("6.00"));
    EXPECT_EQ(window.ServiceList().ItemText(0, 4), QStringLiteral("mario"));

    // The ticket, as kind 8 through the owner's preview.
    EXPECT_EQ(m_print.kind, kPrintInternetAccess);
    EXPECT_EQ(m_print.list, &window.TicketList());
    ASSERT_FALSE(m_notices.seen.empty());
    EXPECT_EQ(m_notices.seen.back(), std::make_pair(std::uint32_t{WM_COMMAND}, kPrintPreview));
    const CSortListCtrl& ticket = window.TicketList();
    ASSERT_EQ(ticket.ItemCount(), 6);
    const QStringList labels = {QStringLiteral("Username"), QStringLiteral("Camera"), QStringLiteral("Data"),
                                QStringLiteral("Codice di accesso"), QStringLiteral("Durata massima della connessione"),
                                QStringLiteral("Prezzo (€)")};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(ticket.ItemText(row, 0), labels[row]);
    EXPECT_EQ(ticket.ItemText(0, 1), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(ticket.ItemText(1, 1), QStringLiteral("101"));
    EXPECT_EQ(ticket.ItemText(3, 1), code);
    EXPECT_EQ(ticket.ItemText(4, 1), QStringLiteral("3 ore"));
    EXPECT_EQ(ticket.ItemText(5, 1), QStringLiteral("6.00"));
}

TEST_P(ClientServicesTest, EachUnitTakesASlotAndAQuantityBeyondTheFreeSlotsAddsNothing)
{
    AddServices(37);
    ASSERT_EQ(Db().UpdateStayService(m_hotel, m_stay.checkInId, 5, QStringLiteral("Bar 5"), Money(), VatRate(), m_operator),
              kNoError);  // a deleted slot still counts
    m_stay = Stored();
    CClientServicesDlg window(m_state, m_links, m_stay);
    window.show();
    EXPECT_EQ(window.ServiceList().ItemCount(), 36);
    auto newService = Child<QPushButton>(window, CClientServicesDlg::kNewService);
    EXPECT_TRUE(newService->isEnabled());

    // Three more than the three free slots hold: refused whole.
    EXPECT_EQ(Press(window, CClientServicesDlg::kNewService, {Edit(kLaundry, 8.0, 4), ModalScript::Ok()}),
              QStringList{QStringLiteral("Il soggiorno ha posto soltanto per altri 3 servizi.")});
    EXPECT_EQ(Stored().serviceCount, 37);
    EXPECT_EQ(window.Stay().serviceCount, 37);

    EXPECT_TRUE(Press(window, CClientServicesDlg::kNewService, {Edit(kLaundry, 8.0, 3)}).isEmpty());
    const CheckInRecord stored = Stored();
    EXPECT_EQ(stored.serviceCount, 40);
    EXPECT_EQ(window.Stay().serviceCount, 40);
    for (int slot = 37; slot < 40; ++slot) {
        EXPECT_EQ(window.Stay().services[slot].name, kLaundry) << slot;
        EXPECT_EQ(window.Stay().services[slot].price, Money::FromCents(800)) << slot;
        EXPECT_EQ(stored.services[slot].name, kLaundry) << slot;
    }
    EXPECT_EQ(window.ServiceList().ItemCount(), 39);
    EXPECT_FALSE(newService->isEnabled());
}

TEST_P(ClientServicesTest, AddThatTheDatabaseRefusesLeavesTheCopyAsStored)
{
    // Another station filled the stay meanwhile: the window's copy still shows room for three.
    AddServices(37);
    CClientServicesDlg window(m_state, m_links, m_stay);
    window.show();
    for (int slot = 37; slot < 39; ++slot)
        ASSERT_EQ(Db().AddStayService(m_hotel, m_stay.checkInId, QStringLiteral("Altro"), Money::FromCents(100),
                                      VatRate(), m_operator),
                  kNoError);
    EXPECT_EQ(Press(window, CClientServicesDlg::kNewService, {Edit(kLaundry, 8.0, 2), ModalScript::Ok()}),
              QStringList{QStringLiteral("Errore nell'aggiunta del servizio cliente")});
    EXPECT_EQ(window.Stay().serviceCount, 38) << "the unit stored before the refusal stays";
    EXPECT_EQ(Stored().serviceCount, 40);
    EXPECT_EQ(window.ServiceList().ItemCount(), 38);
}

TEST_P(ClientServicesTest, SoldAccessThatCannotBeChargedIsRemovedFromTheGateway)
{
    AddServices(39);
    GatewayPeer peer([](const QByteArray& request, int) { return GatewayPeer::Reply(request); });
    CClientServicesDlg window(m_state, m_links, m_stay);
    window.SetGatewayLink(peer.Link());
    window.show();
    ASSERT_EQ(Db().AddStayService(m_hotel, m_stay.checkInId, QStringLiteral("Altro"), Money::FromCents(100), VatRate(),
                                  m_operator),
              kNoError);  // the last slot, taken by another station
    EXPECT_EQ(Press(window, CClientServicesDlg::kNewService, {Edit(kInternet, 2.0, 1), ModalScript::Yes(), ModalScript::Ok()}),
              (QStringList{QStringLiteral("%1 1 ore").arg(LoadResString(2325)), LoadResString(2120)}));
    const std::vector<QByteArray> requests = peer.WaitForRequests(2);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].at(7), 1) << "a delete";
    EXPECT_EQ(requests[1].mid(8, 12), requests[0].mid(8, 12));
    EXPECT_EQ(window.Stay().serviceCount, 39);
    EXPECT_EQ(m_print.list, nullptr) << "no ticket";
}

TEST_P(ClientServicesTest, ModifyRewritesTheSlot)
{
    AddServices(2);
    CClientServicesDlg window(m_state, m_links, m_stay);
    window.show();
    auto modify = Child<QPushButton>(window, CClientServicesDlg::kModifyService);
    EXPECT_FALSE(modify->isEnabled());
    SelectSlot(window, 1);
    EXPECT_TRUE(modify->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(window, CClientServicesDlg::kDeleteService)->isEnabled());
    EXPECT_TRUE(Press(window, CClientServicesDlg::kModifyService, {Edit(QStringLiteral("Cena"), 31.5)}).isEmpty());
    for (const CheckInRecord& stay : {window.Stay(), Stored()}) {
        EXPECT_EQ(stay.serviceCount, 2);
        EXPECT_EQ(stay.services[1].name, QStringLiteral("Cena"));
        EXPECT_EQ(stay.services[1].price, Money::FromCents(3150));
        EXPECT_EQ(stay.services[0].name, QStringLiteral("Bar 0"));
    }
    EXPECT_FALSE(modify->isEnabled()) << "the list was filled again";
}

TEST_P(ClientServicesTest, DeleteAsksAndRemovesTheAccessFromTheGateway)
{
    struct DeleteCase {
        const char* what;
        bool internet;
        std::uint8_t gatewayResult;
        std::deque<ModalScript::Answer> answers;
        QStringList boxes;
        bool cleared;
        std::size_t requests;
    };
    const QString ask = LoadResString(2319);
    const QString anyway = LoadResString(2320);
    const QString plain = LoadResString(2124);
    std::vector<DeleteCase> cases;
    cases.push_back({"removed from the gateway", true, 0, {ModalScript::Yes()}, {ask}, true, 1});
    cases.push_back({"gateway fails, cleared anyway", true, 1, {ModalScript::Yes(), ModalScript::Yes()},
                     {ask, anyway}, true, CInternetGateway::kTries});
    cases.push_back({"gateway fails, kept", true, 1, {ModalScript::Yes(), ModalScript::No()}, {ask, anyway}, false,
                     CInternetGateway::kTries});
    cases.push_back({"access kept", true, 0, {ModalScript::No()}, {ask}, false, 0});
    cases.push_back({"ordinary service", false, 0, {ModalScript::Yes()}, {plain}, true, 0});
    cases.push_back({"ordinary service kept", false, 0, {ModalScript::No()}, {plain}, false, 0});
    const QString code = QStringLiteral("AB12CD34EF56");
    for (DeleteCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = c.internet ? kInternet + QStringLiteral(" (") + code + QStringLiteral(")") : kLaundry;
        ASSERT_EQ(Db().AddStayService(m_hotel, m_stay.checkInId, name, Money::FromCents(600), VatRate(), m_operator),
                  kNoError);
        m_stay = Stored();
        const int slot = m_stay.serviceCount - 1;
        GatewayPeer peer([&](const QByteArray& request, int) { return GatewayPeer::Reply(request, c.gatewayResult); });
        CClientServicesDlg window(m_state, m_links, m_stay);
        window.SetGatewayLink(peer.Link());
        window.show();
        SelectSlot(window, slot);
        EXPECT_EQ(Press(window, CClientServicesDlg::kDeleteService, std::move(c.answers)), c.boxes);
        const std::vector<QByteArray> requests = peer.WaitForRequests(c.requests);
        EXPECT_EQ(requests.size(), c.requests);
        for (const QByteArray& request : requests)
            EXPECT_EQ(request.mid(8, 12), code.toLatin1());
        for (const CheckInRecord& stay : {window.Stay(), Stored()}) {
            EXPECT_EQ(stay.serviceCount, slot + 1);
            EXPECT_EQ(stay.services[slot].price.IsZero(), c.cleared);
            EXPECT_EQ(stay.services[slot].name, name);
        }
        EXPECT_EQ(window.ServiceList().ItemCount(), c.cleared ? 0 : 1);
        // The next case starts from an empty list.
        if (!c.cleared) {
            ASSERT_EQ(Db().UpdateStayService(m_hotel, m_stay.checkInId, slot, name, Money(), VatRate(), m_operator),
                      kNoError);
        }
    }
}

// The view opens the window on the selected room's open stay and takes its services back when it closes.
TEST_P(ClientServicesTest, ViewKeepsTheWindowApartFromItsRebuiltStays)
{
    const QDateTime now(QDate(2024, 3, 10), QTime(9, 0));
    CLodgixView view(m_state);
    view.SetClock([now] { return now; });
    view.OnInitialUpdate();
    view.SelectCell(m_stay.roomId, 10);
    ASSERT_TRUE(view.IsCommandEnabled(32792));
    view.PostCommand(32792);
    QApplication::processEvents();
    auto window = qobject_cast<CClientServicesDlg*>(view.WindowSlots().At(ModelessWindowSlots::kClientServices));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Stay().checkInId, m_stay.checkInId);
    EXPECT_FALSE(view.IsCommandEnabled(32792)) << "one window at a time";

    // Any rebuild frees the view's stays; the window works on its own.
    view.RefreshPlanning();
    EXPECT_TRUE(Press(*window, CClientServicesDlg::kNewService, {Edit(kLaundry, 8.0, 2)}).isEmpty());
    EXPECT_EQ(window->Stay().serviceCount, 2);

    // A sold access: the view previews the ticket list while the window is open.
    GatewayPeer peer([](const QByteArray& request, int) { return GatewayPeer::Reply(request); });
    window->SetGatewayLink(peer.Link());
    int previews = 0;
    const ModalScript::Answer preview = [&](QDialog* dialog) {
        if (qobject_cast<QPrintPreviewDialog*>(dialog)) {
            ++previews;
            EXPECT_EQ(view.Printing().Request().kind, kPrintInternetAccess);
            EXPECT_EQ(view.Printing().Request().list, &window->TicketList()) << "the open window's ticket";
        }
    };
    EXPECT_EQ(Press(*window, CClientServicesDlg::kNewService, {Edit(kInternet, 1.5, 2), ModalScript::Yes(), preview}).size(), 1);
    EXPECT_EQ(previews, 1);

    window->close();  // the close box: WM_USER+105 to the view
    QApplication::processEvents();
    EXPECT_FALSE(view.WindowSlots().AnyOpen());
    view.SelectCell(m_stay.roomId, 10);
    EXPECT_TRUE(view.IsCommandEnabled(32792));
    const auto& stays = view.MonthRecords().stays;
    const auto stay = std::find_if(stays.begin(), stays.end(), [&](const CheckInRecord& s) { return s.checkInId == m_stay.checkInId; });
    ASSERT_NE(stay, stays.end());
    EXPECT_EQ(stay->serviceCount, 3);
    EXPECT_EQ(stay->services[2].price, Money::FromCents(300));
    EXPECT_EQ(Stored().serviceCount, 3);
}

TEST_P(ClientServicesTest, ShowsItsTextsWholeInBothLanguages)
{
    AddServices(3);
    ASSERT_EQ(Db().AddStayService(m_hotel, m_stay.checkInId, kInternet + QStringLiteral(" (AB12CD34EF56)"),
                                  Money::FromCents(600), VatRate::FromHundredths(2000), m_operator),
              kNoError);
    m_stay = Stored();
    for (const int language : {1, 2}) {
        SetLanguage(language);
        CClientServicesDlg window(m_state, m_links, m_stay);
        window.show();
        QApplication::processEvents();
        SelectSlot(window, 3);
        EXPECT_TRUE(HasNoClippedText(window)) << language;
        SaveScreenshot(window, QStringLiteral("lodgix_clientservices_%1").arg(language == 2 ? "en" : "it"));
    }
    SetLanguage(1);
}

INSTANTIATE_DB_TEST(ClientServicesTest);

}  // namespace
}  // namespace lodgix
