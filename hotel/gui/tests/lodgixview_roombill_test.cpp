// The partial bill command of the front-desk view, on each backend: its rule, the selected room's open stay's
// bill so far in the room bill dialog, and nothing stored.
#include "language.h"
#include "modalscript.h"
#include "roombilldlg.h"
#include "sortlistctrl.h"
#include "staybilling.h"
#include "stringtable.h"
#include "viewtestbase.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

constexpr int kPartialBill = 32793;
const QDateTime kNow(QDate(2024, 3, 10), QTime(9, 0));

class PartialBillTest : public LodgixViewTestBase {
protected:
    void SetUp() override
    {
        LodgixViewTestBase::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        m_hotelId = PrepareHotel();
        for (int extension : {0, 1}) {
            RoomRecord room;
            room.label = QString::number(101 + extension);
            room.extension = extension;
            ASSERT_EQ(Db().InsertRoom(m_hotelId, room), kNoError);
        }
        LoadState(m_hotelId, QStringLiteral("mario"), 1, [] { return OleDate::FromDateTime(kNow); });

        m_stay.roomId = m_state.rooms[0].id;
        m_stay.userId = 1;
        m_stay.startDate = OleDate(2024, 3, 7);
        m_stay.endDate = OleDate(2024, 3, 12);
        m_stay.checkInDate = OleDate(2024, 3, 7, 14, 30, 0);
        m_stay.treatment = QStringLiteral("Mezza pensione");
        m_stay.dailyPrice = Money::FromCents(8950);
        m_stay.vat = VatRate::FromHundredths(1000);
        ASSERT_EQ(Db().InsertCheckIn(m_hotelId, m_stay), kNoError) << Db().LastError().toStdString();
        ASSERT_EQ(Db().AddStayService(m_hotelId, m_stay.checkInId, QStringLiteral("Internet access (Q1W2E3)"),
                                      Money::FromCents(600), VatRate::FromHundredths(2000), 1),
                  kNoError);
        Open([] { return kNow; });
    }

    std::vector<CheckInRecord> Stays()
    {
        std::vector<CheckInRecord> stays;
        EXPECT_EQ(Db().LoadCheckIns(m_hotelId, m_stay.roomId, stays), kNoError);
        return stays;
    }

    int m_hotelId = 0;
    CheckInRecord m_stay;
};

TEST_P(PartialBillTest, ShowsTheOpenStaysBillSoFarAndStoresNothing)
{
    EXPECT_FALSE(m_view->IsCommandEnabled(kPartialBill)) << "no room selected";
    m_view->SelectCell(m_state.rooms[1].id, 10);
    EXPECT_FALSE(m_view->IsCommandEnabled(kPartialBill)) << "a free room";
    m_view->SelectCell(m_stay.roomId, 13);
    EXPECT_FALSE(m_view->IsCommandEnabled(kPartialBill)) << "after the stay";
    m_view->SelectCell(m_stay.roomId, 10);
    ASSERT_TRUE(m_view->IsCommandEnabled(kPartialBill));
    const std::vector<CheckInRecord> before = Stays();

    // The room's calls cannot be priced here (no PBX): the clerk goes on without them.
    QStringList rows;
    QStringList visible;
    {
    ModalScript script({ModalScript::Yes(), [&](QDialog* shown) {
                            auto list = shown->findChild<CSortListCtrl*>(QStringLiteral("1206"));
                            for (int row = 0; row < list->ItemCount(); ++row)
                                rows << list->ItemText(row, 0) + u'|' + list->ItemText(row, 2) + u'|' +
                                            list->ItemText(row, 3);
                            for (auto button : shown->findChildren<QPushButton*>())
                                if (button->isVisibleTo(shown))
                                    visible << button->objectName();
                        }});
    Run(kPartialBill);
    ASSERT_EQ(script.Left(), 0);
    EXPECT_EQ(script.Boxes(), QStringList{LoadResString(StayBilling::kPhoneChargeFailedString)});
    }
    // Three nights so far (7 to 10 March), the internet access without its code.
    EXPECT_EQ(rows, (QStringList{QStringLiteral("Mezza pensione|3|268.50"), QStringLiteral("Internet access|1|6.00"),
                                 QStringLiteral("||"), QStringLiteral("|TOTALE|274.50")}));
    EXPECT_EQ(visible, QStringList{QStringLiteral("1216")});
    EXPECT_EQ(Stays(), before);

    // No: no bill is shown.
    ModalScript refused({ModalScript::No()});
    Run(kPartialBill);
    EXPECT_EQ(refused.Boxes().size(), 1);
    EXPECT_EQ(refused.Left(), 0);
}

INSTANTIATE_DB_TEST(PartialBillTest);

}  // namespace
}  // namespace lodgix
