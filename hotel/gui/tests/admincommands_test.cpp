// The front desk's administration commands on the program's state, on each backend: a room with an open
// stay, the room limit of the PBXs, the change of operator, the hotel settings' stores and the
// access-control program.
#include "admincommands.h"
#include "hotelconfigdlg.h"
#include "hotelpbxtest.h"
#include "language.h"
#include "lodgixstate.h"
#include "messagetarget.h"
#include "modalscript.h"
#include "settingsfile.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

struct PostedMessages : MessageTarget {
    std::vector<std::pair<std::uint32_t, std::uint64_t>> posted;
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t) override { posted.emplace_back(message, wParam); }
};

class AdminCommandsTest : public HotelPbxTest {
protected:
    void SetUp() override
    {
        HotelPbxTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        m_state.database = Connect();
        m_state.hotelId = PrepareHotel();
        m_state.hotel.name = QStringLiteral("Hotel Aurora");
        ASSERT_TRUE(m_folder.isValid());
        m_state.settingsFile = m_folder.filePath(QStringLiteral("LodgixSettings.cfg"));
        int id = 0;
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("admin"), QStringLiteral("Segreta1"), true, id), kNoError);
        m_state.currentOperator = {QStringLiteral("admin"), true, id};
    }

    void AddRooms(int count)
    {
        for (int n = 0; n < count; ++n) {
            RoomRecord room = CHotelConfigDlg::DefaultRoom();
            room.label = QString::number(101 + n);
            room.extension = n;
            ASSERT_EQ(Db().InsertRoom(m_state.hotelId, room), kNoError);
        }
        ASSERT_EQ(Db().LoadRooms(m_state.hotelId, m_state.rooms), kNoError);
        m_state.roomCount = static_cast<int>(m_state.rooms.size());
    }

    AdminCommands Commands(int selectedRoom = 0)
    {
        AdminCommands::Hooks hooks;
        hooks.refreshPlanning = [this] { ++m_refreshes; };
        hooks.operatorChanged = [this] { ++m_operatorChanges; };
        hooks.selectedRoomId = [selectedRoom] { return selectedRoom; };
        hooks.mainWindow = [this] { return &m_frame; };
        hooks.startDetached = [this](const QString& program, const QStringList& arguments) {
            m_started << program << arguments;
        };
        return AdminCommands(m_state, nullptr, hooks);
    }

    LodgixState m_state;
    QTemporaryDir m_folder;
    PostedMessages m_frame;
    int m_refreshes = 0;
    int m_operatorChanges = 0;
    QStringList m_started;
};

TEST_P(AdminCommandsTest, ARoomWithAnOpenStayIsNotDeleted)
{
    AddRooms(2);
    CheckInRecord stay;
    stay.roomId = m_state.rooms[0].id;
    stay.startDate = OleDate(2027, 3, 10, 0, 0);
    stay.endDate = OleDate(2027, 3, 12, 0, 0);
    stay.checkInDate = OleDate(2027, 3, 10, 14, 0);
    ASSERT_EQ(Db().InsertCheckIn(m_state.hotelId, stay), kNoError);
    {
        ModalScript script({ModalScript::Ok()});
        Commands(m_state.rooms[0].id).DeleteRoom();
        ASSERT_EQ(script.Boxes().size(), 1);
        EXPECT_TRUE(script.Boxes()[0].startsWith(QStringLiteral("Impossibile rimuovere la camera")));
    }
    EXPECT_EQ(m_state.roomCount, 2);
    {
        ModalScript script({ModalScript::Yes()});
        Commands(m_state.rooms[1].id).DeleteRoom();
        EXPECT_EQ(script.Boxes(), QStringList{QStringLiteral("Confermi l'eliminazione della camera '102' ?")});
    }
    EXPECT_EQ(m_state.roomCount, 1) << "the room table is read again";
    EXPECT_EQ(m_state.rooms[0].label, QStringLiteral("101"));
    EXPECT_EQ(m_refreshes, 1);
}

TEST_P(AdminCommandsTest, NewRoomsStopAtTheSmallestCapacityOfThePbxs)
{
    ListPbxs(1);
    SavePbx(0, 8);
    m_state.database = Connect();
    AddRooms(7);
    m_state.extensions.LoadPbxTables(*m_state.database, m_state.roomCount);
    EXPECT_TRUE(Commands().CanAddRoom());
    m_state.currentOperator.administrator = false;
    EXPECT_FALSE(Commands().CanAddRoom()) << "administrators only";
    m_state.currentOperator.administrator = true;

    // The wizard opens on the new room's page.
    const auto describe = [](QDialog* shown) {
        auto wizard = qobject_cast<CHotelConfigDlg*>(shown);
        ASSERT_TRUE(wizard);
        EXPECT_EQ(wizard->Page(), 8);
        wizard->findChild<QLineEdit*>(QString::number(CHotelConfigDlg::kRoomNumber))->setText(QStringLiteral("108"));
        wizard->findChild<QPushButton*>(QString::number(CHotelConfigDlg::kNext))->click();
    };
    ModalScript script({describe, ModalScript::Yes()});
    Commands().NewRoom();
    EXPECT_EQ(m_state.roomCount, 8);
    EXPECT_EQ(m_refreshes, 1);
    EXPECT_EQ(m_state.extensions.RoomCount(), 8) << "the extension states are read for the new room";
    EXPECT_FALSE(Commands().CanAddRoom()) << "8 rooms on a PBX of 8 extensions";
}

TEST_P(AdminCommandsTest, LeavingTheLoginEndsTheProgramAndAWrongOneIsToldAndAskedAgain)
{
    int other = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("Banco22"), false, other), kNoError);
    const auto login = [](const QString& user, const QString& password) {
        return [user, password](QDialog* shown) {
            shown->findChild<QLineEdit*>(QStringLiteral("1100"))->setText(user);
            shown->findChild<QLineEdit*>(QStringLiteral("1102"))->setText(password);
            shown->accept();
        };
    };
    {
        ModalScript script({login(QStringLiteral("mario"), QStringLiteral("banco22")), ModalScript::Ok(),
                            login(QStringLiteral("mario"), QStringLiteral("Banco22"))});
        Commands().ChangeOperator();
        EXPECT_EQ(script.Boxes(), QStringList{QStringLiteral("Informazioni di accesso non valide")});
    }
    EXPECT_EQ(m_state.currentOperator.userName, QStringLiteral("mario"));
    EXPECT_FALSE(m_state.currentOperator.administrator);
    EXPECT_EQ(m_operatorChanges, 1);
    EXPECT_TRUE(m_frame.posted.empty());
    {
        ModalScript script({[](QDialog* shown) { shown->reject(); }});
        Commands().ChangeOperator();
    }
    ASSERT_EQ(m_frame.posted.size(), 1u);
    EXPECT_EQ(m_frame.posted[0], (std::pair<std::uint32_t, std::uint64_t>(WM_COMMAND, 57665)));
}

TEST_P(AdminCommandsTest, SettingsThatCannotBeStoredChangeNothing)
{
    const auto changeCheckOut = [](QDialog* shown) {
        shown->findChild<QLineEdit*>(QStringLiteral("1275"))->setText(QStringLiteral("0101"));
        shown->findChild<QLineEdit*>(QStringLiteral("1276"))->setText(QStringLiteral("3101"));
        shown->findChild<QPushButton*>(QStringLiteral("1316"))->click();
    };
    const SeasonTable before = m_state.seasons;
    m_state.settingsFile = m_folder.filePath(QStringLiteral("missing/LodgixSettings.cfg"));
    {
        ModalScript script({changeCheckOut, ModalScript::Ok()});
        Commands().HotelSettings();
        EXPECT_EQ(script.Boxes(), QStringList{QStringLiteral("Errore nel salvataggio dei dati.\nRiprovare in seguito")});
    }
    EXPECT_EQ(m_state.seasons, before);
    SeasonTable stored;
    EXPECT_EQ(Db().LoadHotelPeriods(m_state.hotelId, stored), kNoError);
    EXPECT_EQ(stored, before) << "the periods are taken back";
    EXPECT_EQ(m_refreshes, 0);

    m_state.settingsFile = m_folder.filePath(QStringLiteral("LodgixSettings.cfg"));
    {
        ModalScript script({changeCheckOut});
        Commands().HotelSettings();
        EXPECT_TRUE(script.Boxes().isEmpty());
    }
    EXPECT_EQ(m_state.seasons.low[0], (SeasonRange{SeasonTable::Day(1, 1), SeasonTable::Day(1, 31)}));
    ASSERT_EQ(Db().LoadHotelPeriods(m_state.hotelId, stored), kNoError);
    EXPECT_EQ(stored, m_state.seasons);
    EXPECT_TRUE(QFile::exists(m_state.settingsFile));
    EXPECT_EQ(m_refreshes, 1);
}

TEST_P(AdminCommandsTest, TheAccessManagerIsStartedWithItsToken)
{
    Commands().AccessManager();
    ASSERT_EQ(m_started.size(), 2);
    EXPECT_TRUE(m_started[0].endsWith(QStringLiteral("/Varcosec/Varcosec")));
    EXPECT_EQ(m_started[1], QStringLiteral("TamborKelpVista"));
}

INSTANTIATE_DB_TEST(AdminCommandsTest);

}  // namespace
}  // namespace lodgix
