// The hotel configuration wizard on each backend: a new hotel page by page, the copy of the first room's
// prices, the editing of the hotel or of one room, the extension list without PBX records and a new hotel
// whose save fails and is tried again.
#include "clippedtextcheck.h"
#include "configlistdlg.h"
#include "guistartupwindows.h"
#include "hotelconfigdlg.h"
#include "hoteldbtest.h"
#include "language.h"
#include "modalscript.h"
#include "numericedit.h"
#include "sortlistctrl.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

const QString kConfirm = QStringLiteral("Confermi i dati inseriti?");
const QString kCopyPrices = QStringLiteral("Copiare la configurazione dei prezzi su tutte le altre stanze?");
const QString kSaveFailed = QStringLiteral("Errore nell'inserimento del nuovo Hotel.\nAccertarsi che il nome sia univoco.");

class HotelConfigTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        m_existing = PrepareHotel();
    }

    static QLineEdit* Edit(QWidget& dialog, int id) { return dialog.findChild<QLineEdit*>(QString::number(id)); }
    static QPushButton* Button(QWidget& dialog, int id) { return dialog.findChild<QPushButton*>(QString::number(id)); }
    static QTableWidget* Grid(QWidget& dialog)
    {
        return dialog.findChild<QTableWidget*>(QString::number(CHotelConfigDlg::kPriceGrid));
    }

    // Types the hotel page of a new hotel with that many rooms and goes on to the first room.
    static void TypeHotelPage(CHotelConfigDlg& dialog, int rooms)
    {
        const std::pair<int, const char*> texts[] = {
            {1004, "Hotel Nuovo"}, {1009, "Italia"}, {1016, "Nuovo S.r.l."}, {1017, "01234567890"}};
        for (const auto& [id, text] : texts)
            Edit(dialog, id)->setText(QString::fromUtf8(text));
        dialog.findChild<CNumericEdit*>(QString::number(CHotelConfigDlg::kRoomCount))->SetValue(rooms);
        Button(dialog, CHotelConfigDlg::kNext)->click();
        ASSERT_EQ(dialog.Page(), 1);
    }

    // Names the room of the page and presses the next button, answering the questions that come.
    static QStringList NextRoom(CHotelConfigDlg& dialog, const QString& number, std::deque<ModalScript::Answer> answers)
    {
        Edit(dialog, CHotelConfigDlg::kRoomNumber)->setText(number);
        ModalScript script(std::move(answers));
        Button(dialog, CHotelConfigDlg::kNext)->click();
        return script.Boxes();
    }

    int HotelCount()
    {
        std::vector<HotelListEntry> hotels;
        EXPECT_EQ(Db().LoadHotelList(hotels), kNoError);
        return static_cast<int>(hotels.size());
    }

    int m_existing = 0;
};

TEST_P(HotelConfigTest, PagesShowTheirTextsUnclippedInBothLanguages)
{
    for (int language : {1, 2}) {
        SetLanguage(language);
        CHotelConfigDlg dialog(Db());
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), language == 1 ? "Configurazione nuovo Hotel" : "New hotel configuration");
        EXPECT_FALSE(Button(dialog, CHotelConfigDlg::kBack)->isEnabled());
        EXPECT_TRUE(HasNoClippedText(dialog)) << language;
        SaveScreenshot(dialog, QStringLiteral("lodgix_hotelconfigdlg_hotel_%1").arg(language == 2 ? "en" : "it"));
        TypeHotelPage(dialog, 2);
        EXPECT_EQ(dialog.windowTitle(), language == 1 ? "Configurazione camera 1" : "Room configuration 1");
        EXPECT_TRUE(HasNoClippedText(dialog)) << language;
        SaveScreenshot(dialog, QStringLiteral("lodgix_hotelconfigdlg_room_%1").arg(language == 2 ? "en" : "it"));

        CHotelConfigDlg editing(Db());
        editing.SetHotelId(m_existing);
        editing.SetRoomCount(0);
        editing.SetPage(0);
        editing.show();
        EXPECT_EQ(editing.windowTitle(), language == 1 ? "Modifica configurazione hotel" : "Change hotel configuration");
        EXPECT_TRUE(HasNoClippedText(editing)) << language;
        SaveScreenshot(editing, QStringLiteral("lodgix_hotelconfigdlg_edit_%1").arg(language == 2 ? "en" : "it"));
    }
    SetLanguage(1);
}

TEST_P(HotelConfigTest, OneRoomFinishesOnItsFirstPageWithoutThePriceQuestion)
{
    CHotelConfigDlg dialog(Db());
    dialog.show();
    TypeHotelPage(dialog, 1);
    EXPECT_EQ(Button(dialog, CHotelConfigDlg::kNext)->text(), QStringLiteral("Termina"));
    EXPECT_EQ(NextRoom(dialog, QStringLiteral("101"), {ModalScript::Yes()}), QStringList{kConfirm});
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_NE(dialog.HotelId(), CHotelConfigDlg::kNewHotel);
    EXPECT_EQ(dialog.RoomCount(), 1);
    std::vector<RoomRecord> rooms;
    ASSERT_EQ(Db().LoadRooms(dialog.HotelId(), rooms), kNoError);
    ASSERT_EQ(rooms.size(), 1u);
    EXPECT_EQ(rooms[0].label, QStringLiteral("101"));
    EXPECT_EQ(rooms[0].services, (std::vector<int>{1, 6, 7}));
    EXPECT_EQ(dialog.Rooms()[0].id, rooms[0].id) << "the rooms come back as stored";
}

TEST_P(HotelConfigTest, TheFirstRoomsPricesAreCopiedButNotItsVatOrServices)
{
    CHotelConfigDlg dialog(Db());
    RoomRecord first = CHotelConfigDlg::DefaultRoom();
    first.services = {2};
    dialog.SetRooms({first});
    dialog.show();
    TypeHotelPage(dialog, 3);
    Grid(dialog)->item(0, 1)->setText(QStringLiteral("55.00"));  // low season, overnight only
    Grid(dialog)->item(2, 3)->setText(QStringLiteral("99.50"));  // high season, half board
    dialog.findChild<CNumericEdit*>(QString::number(CHotelConfigDlg::kVat))->SetValue(10);
    EXPECT_EQ(NextRoom(dialog, QStringLiteral("1"), {ModalScript::Yes()}), QStringList{kCopyPrices});
    ASSERT_EQ(dialog.Page(), 2);
    EXPECT_EQ(Grid(dialog)->item(0, 1)->text(), QStringLiteral("55.00"));
    EXPECT_EQ(NextRoom(dialog, QStringLiteral("2"), {}), QStringList()) << "asked only on the first room";
    EXPECT_EQ(Button(dialog, CHotelConfigDlg::kNext)->text(), QStringLiteral("Termina"));
    const std::vector<RoomRecord> rooms = dialog.Rooms();
    ASSERT_EQ(rooms.size(), 3u);
    EXPECT_EQ(rooms[0].prices.Price(Season::kLow, Treatment::kOvernight), Money::FromCents(5500));
    EXPECT_EQ(rooms[0].prices.Price(Season::kHigh, Treatment::kHalfBoard), Money::FromCents(9950));
    for (std::size_t i = 1; i < rooms.size(); ++i) {
        EXPECT_EQ(rooms[i].prices, rooms[0].prices) << i;
        EXPECT_EQ(rooms[i].vat, VatRate::FromHundredths(2000)) << i;
        EXPECT_EQ(rooms[i].services, (std::vector<int>{1, 6, 7})) << i;
    }
    EXPECT_EQ(rooms[0].vat, VatRate::FromHundredths(1000));
    // Back shows the previous page without storing the one left.
    Edit(dialog, CHotelConfigDlg::kRoomNumber)->setText(QStringLiteral("scartato"));
    Button(dialog, CHotelConfigDlg::kBack)->click();
    EXPECT_EQ(dialog.Page(), 2);
    EXPECT_EQ(dialog.Rooms()[2].label, QString());
}

TEST_P(HotelConfigTest, EditingTheHotelWritesOnlyItsRowAndARoomWithoutIdIsInserted)
{
    ASSERT_EQ(Db().InsertRoom(m_existing, CHotelConfigDlg::DefaultRoom()), kNoError);
    {
        CHotelConfigDlg dialog(Db());
        dialog.SetHotelId(m_existing);
        dialog.SetRoomCount(1);
        HotelRecord hotel;
        hotel.name = QStringLiteral("Hotel Aurora");
        hotel.country = QStringLiteral("Italia");
        hotel.companyName = QStringLiteral("Aurora S.r.l.");
        dialog.SetHotel(hotel);
        dialog.SetPage(0);
        dialog.show();
        EXPECT_FALSE(dialog.findChild<CNumericEdit*>(QString::number(CHotelConfigDlg::kRoomCount))->isEnabled());
        EXPECT_EQ(Button(dialog, CHotelConfigDlg::kBack)->text(), QStringLiteral("Annulla"));
        {
            MessageBoxRecorder boxes;
            Button(dialog, CHotelConfigDlg::kNext)->click();
            ASSERT_EQ(boxes.Seen().size(), 1u) << "no VAT number";
            EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Mancano alcuni dati obbligatori"));
        }
        Edit(dialog, 1017)->setText(QStringLiteral("09876543210"));
        Edit(dialog, 1006)->setText(QStringLiteral("Siena"));
        ModalScript script({ModalScript::Yes()});
        Button(dialog, CHotelConfigDlg::kNext)->click();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
    }
    HotelRecord stored;
    int roomCount = 0;
    ASSERT_EQ(Db().LoadHotel(stored, roomCount, m_existing), kNoError);
    EXPECT_EQ(stored.city, QStringLiteral("Siena"));
    std::vector<RoomRecord> rooms;
    ASSERT_EQ(Db().LoadRooms(m_existing, rooms), kNoError);
    ASSERT_EQ(rooms.size(), 1u) << "the rooms are left alone";

    CHotelConfigDlg dialog(Db());
    dialog.SetHotelId(m_existing);
    dialog.SetRoomCount(2);
    std::vector<RoomRecord> withNew = rooms;
    withNew.push_back(CHotelConfigDlg::DefaultRoom());  // id 0: not stored yet
    dialog.SetRooms(withNew);
    dialog.SetPage(2);
    dialog.show();
    EXPECT_EQ(Button(dialog, CHotelConfigDlg::kNext)->text(), QStringLiteral("OK"));
    EXPECT_EQ(NextRoom(dialog, QStringLiteral("202"), {ModalScript::Yes()}), QStringList{kConfirm});
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(Db().LoadRooms(m_existing, rooms), kNoError);
    ASSERT_EQ(rooms.size(), 2u);
    EXPECT_EQ(dialog.RoomCount(), 2);
}

TEST_P(HotelConfigTest, WithoutPbxRecordsTheExtensionsAreNumberedUpTo255)
{
    CHotelConfigDlg dialog(Db());
    dialog.show();
    TypeHotelPage(dialog, 1);
    auto extensions = dialog.findChild<QComboBox*>(QString::number(CHotelConfigDlg::kExtension));
    ASSERT_EQ(extensions->count(), 255);
    EXPECT_EQ(extensions->itemText(0), QStringLiteral("INT. 1"));
    EXPECT_EQ(extensions->itemText(254), QStringLiteral("INT. 255"));
}

TEST_P(HotelConfigTest, AFailedSaveStoresNothingKeepsThePageAndCanBeRepeated)
{
    CHotelConfigDlg dialog(Db());
    std::vector<RoomRecord> rooms(3, CHotelConfigDlg::DefaultRoom());
    // Ids no service has: the feature list treats them as features, and a room cannot store 37.
    rooms[2].services.clear();
    for (int id = 100; id < 100 + RoomRecord::kMaxServices + 1; ++id)
        rooms[2].services.push_back(id);
    dialog.SetRooms(rooms);
    dialog.show();
    TypeHotelPage(dialog, 3);
    NextRoom(dialog, QStringLiteral("1"), {ModalScript::No()});
    NextRoom(dialog, QStringLiteral("2"), {});
    EXPECT_EQ(NextRoom(dialog, QStringLiteral("3"), {ModalScript::Yes(), ModalScript::Ok()}),
              (QStringList{kConfirm, kSaveFailed}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Page(), 3);
    EXPECT_EQ(HotelCount(), 1) << "no hotel row is left behind";

    // The operator clears the room's features and saves again.
    {
        const auto untickAll = [](QDialog* shown) {
            auto list = qobject_cast<CConfigListDlg*>(shown);
            ASSERT_TRUE(list);
            for (int row = 0; row < list->List().ItemCount(); ++row)
                list->List().topLevelItem(row)->setCheckState(0, Qt::Unchecked);
            list->findChild<QPushButton*>(QString::number(CConfigListDlg::kLast))->click();
        };
        ModalScript script({untickAll});
        Button(dialog, CHotelConfigDlg::kModifyFeatures)->click();
    }
    EXPECT_EQ(NextRoom(dialog, QStringLiteral("3"), {ModalScript::Yes()}), QStringList{kConfirm});
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(HotelCount(), 2);
    std::vector<RoomRecord> stored;
    ASSERT_EQ(Db().LoadRooms(dialog.HotelId(), stored), kNoError);
    EXPECT_EQ(stored.size(), 3u);
}

TEST_P(HotelConfigTest, StartUpRunsTheWizardAndTakesTheHotelItCreated)
{
    GuiStartupWindows windows({});
    const auto describe = [](QDialog* shown) {
        auto wizard = qobject_cast<CHotelConfigDlg*>(shown);
        ASSERT_TRUE(wizard);
        TypeHotelPage(*wizard, 1);
        Edit(*wizard, CHotelConfigDlg::kRoomNumber)->setText(QStringLiteral("1"));
        Button(*wizard, CHotelConfigDlg::kNext)->click();
    };
    ModalScript script({describe, ModalScript::Yes()});
    const std::optional<CurrentHotel> created = windows.RunHotelWizard(Db());
    ASSERT_TRUE(created);
    EXPECT_EQ(created->hotel.name, QStringLiteral("Hotel Nuovo"));
    EXPECT_EQ(created->roomCount, 1);
    ASSERT_EQ(created->rooms.size(), 1u);
    EXPECT_NE(created->rooms[0].id, 0);
    EXPECT_EQ(HotelCount(), 2);
    {
        ModalScript cancel({[](QDialog* shown) { shown->reject(); }});
        EXPECT_FALSE(windows.RunHotelWizard(Db())) << "closing the wizard";
    }
}

INSTANTIATE_DB_TEST(HotelConfigTest);

}  // namespace
}  // namespace lodgix
