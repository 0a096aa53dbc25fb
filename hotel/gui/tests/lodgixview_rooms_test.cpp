// The view's administration commands as the menu reaches them, on each backend: the rules of the room
// commands and the room limit, one register window at a time, the operator's change from the menu.
#include "hotelconfigdlg.h"
#include "language.h"
#include "modalscript.h"
#include "registrylistdlg.h"
#include "viewtestbase.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

class LodgixViewRoomsTest : public LodgixViewTestBase {
protected:
    void SetUp() override
    {
        HotelPbxTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        ListPbxs(1);
        SavePbx(0, 8);  // eight extensions: at most eight rooms
        const int hotelId = PrepareHotel();
        for (int n = 0; n < 7; ++n) {
            RoomRecord room = CHotelConfigDlg::DefaultRoom();
            room.label = QString::number(101 + n);
            room.extension = n;
            ASSERT_EQ(Db().InsertRoom(hotelId, room), kNoError);
        }
        int id = 0;
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("pw"), true, id), kNoError);
        LoadState(hotelId, QStringLiteral("mario"), id);
        LoadPbxTables();
    }
};

TEST_P(LodgixViewRoomsTest, RoomCommandsFollowTheSelectionAndTheRoomLimit)
{
    CLodgixView& view = Open();
    EXPECT_FALSE(view.IsCommandEnabled(32772)) << "no second hotel";
    EXPECT_TRUE(view.IsCommandEnabled(32779)) << "7 rooms on a PBX of 8 extensions";
    EXPECT_FALSE(view.IsCommandEnabled(32780)) << "no room selected";
    EXPECT_FALSE(view.IsCommandEnabled(32781));
    view.SelectCell(m_state.rooms[0].id, 10);
    EXPECT_TRUE(view.IsCommandEnabled(32780));
    EXPECT_TRUE(view.IsCommandEnabled(32781));

    const auto describe = [](QDialog* shown) {
        auto wizard = qobject_cast<CHotelConfigDlg*>(shown);
        ASSERT_TRUE(wizard);
        wizard->findChild<QLineEdit*>(QString::number(CHotelConfigDlg::kRoomNumber))->setText(QStringLiteral("108"));
        wizard->findChild<QPushButton*>(QString::number(CHotelConfigDlg::kNext))->click();
    };
    {
        ModalScript script({describe, ModalScript::Yes()});
        Run(32779);
    }
    EXPECT_EQ(m_state.roomCount, 8);
    EXPECT_EQ(view.Rooms().size(), 8u) << "the planner has the new room";
    EXPECT_FALSE(view.IsCommandEnabled(32779)) << "8 rooms on a PBX of 8 extensions";
    m_state.currentOperator.administrator = false;
    view.SelectCell(m_state.rooms[0].id, 10);
    EXPECT_FALSE(view.IsCommandEnabled(32780)) << "administrators only";
}

TEST_P(LodgixViewRoomsTest, OneRegisterWindowAtATimeAndItsClosingFreesTheSlot)
{
    CLodgixView& view = Open();
    Run(32776);
    auto registry = qobject_cast<CRegistryListDlg*>(view.WindowSlots().At(ModelessWindowSlots::kRegistry));
    ASSERT_TRUE(registry);
    EXPECT_EQ(registry->RegistryKind(), CRegistryListDlg::kGuests);
    EXPECT_FALSE(view.IsCommandEnabled(32777)) << "a window of the view is open";
    Run(32777);
    EXPECT_EQ(view.WindowSlots().At(ModelessWindowSlots::kRegistry), registry) << "the open one stays";
    registry->close();
    QApplication::processEvents();
    EXPECT_FALSE(view.WindowSlots().IsOpen(ModelessWindowSlots::kRegistry));
    EXPECT_TRUE(view.IsCommandEnabled(32814));
    Run(32814);
    registry = qobject_cast<CRegistryListDlg*>(view.WindowSlots().At(ModelessWindowSlots::kRegistry));
    ASSERT_TRUE(registry);
    EXPECT_EQ(registry->RegistryKind(), CRegistryListDlg::kConventions);
}

INSTANTIATE_DB_TEST(LodgixViewRoomsTest);

}  // namespace
}  // namespace lodgix
