// The configuration lists on each backend: their modes, the operators' own row, the built-in client
// service, the choice of a room's services and the common areas.
#include "clippedtextcheck.h"
#include "configlistdlg.h"
#include "hoteldbtest.h"
#include "language.h"
#include "modalscript.h"
#include "numericedit.h"
#include "servicepricedlg.h"
#include "sortlistctrl.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

QPushButton* Button(QWidget& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QString::number(id));
}

void Select(CConfigListDlg& dialog, int row)
{
    dialog.List().clearSelection();
    dialog.List().topLevelItem(row)->setSelected(true);
}

int Row(CConfigListDlg& dialog, const QString& text)
{
    for (int row = 0; row < dialog.List().ItemCount(); ++row) {
        if (dialog.List().ItemText(row, 0) == text)
            return row;
    }
    return -1;
}

// Types into the dialog of a new or changed row and presses its OK.
ModalScript::Answer Fill(std::function<void(QDialog*)> type, int ok)
{
    return [type = std::move(type), ok](QDialog* shown) {
        type(shown);
        shown->findChild<QPushButton*>(QString::number(ok))->click();
    };
}

class ConfigListTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        PrepareHotel();
    }
};

TEST_P(ConfigListTest, EveryModeShowsItsTitleAndButtonsUnclipped)
{
    struct ModeCase {
        short mode;
        const char* title;
        const char* last;
        int columns;
    };
    const ModeCase cases[] = {
        {1, "Lista operatori", "Esci", 2},
        {CConfigListDlg::kFeatures, "Lista caratteristiche camera", "Esci", 1},
        {CConfigListDlg::kClientServices, "Lista servizi al cliente", "Esci", 3},
        {CConfigListDlg::kOptionalServices, "Lista servizi opzionali in camera", "Esci", 2},
        {CConfigListDlg::kChooseFeatures, "Lista caratteristiche camera", "Applica", 1},
        {CConfigListDlg::kChooseOptionalServices, "Lista servizi opzionali in camera", "Applica", 2},
        {CConfigListDlg::kCommonAreas, "Lista zone di accesso comuni", "Elimina", 3},
    };
    for (int language : {1, 2}) {
        SetLanguage(language);
        for (const ModeCase& c : cases) {
            CConfigListDlg dialog(c.mode, Db());
            if (language == 1) {
                EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
                EXPECT_EQ(Button(dialog, CConfigListDlg::kLast)->text(), QString::fromUtf8(c.last));
            }
            EXPECT_EQ(dialog.List().columnCount(), c.columns);
            EXPECT_FALSE(Button(dialog, CConfigListDlg::kModify)->isEnabled());
            EXPECT_EQ(Button(dialog, CConfigListDlg::kLast)->isEnabled(), c.mode != CConfigListDlg::kCommonAreas);
            dialog.show();
            EXPECT_TRUE(HasNoClippedText(dialog)) << c.mode << " " << language;
            SaveScreenshot(dialog, QStringLiteral("lodgix_configlistdlg_mode%1_%2")
                                       .arg(c.mode < 0 ? QString::number(-c.mode) : QStringLiteral("operators"),
                                            language == 2 ? "en" : "it"));
        }
    }
    SetLanguage(1);
}

TEST_P(ConfigListTest, TheLoggedInOperatorIsMarkedAndCannotBeDeleted)
{
    int me = 0;
    int other = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("admin"), QStringLiteral("Segreta1"), true, me), kNoError);
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("Segreta2"), false, other), kNoError);
    CConfigListDlg dialog(static_cast<short>(me), Db());
    dialog.show();
    const int own = Row(dialog, QStringLiteral("admin (CONNESSO)"));
    ASSERT_GE(own, 0);
    EXPECT_EQ(dialog.List().ItemText(own, 1), QStringLiteral("X"));
    Select(dialog, own);
    EXPECT_FALSE(Button(dialog, CConfigListDlg::kModify)->isEnabled());
    Select(dialog, Row(dialog, QStringLiteral("mario")));
    ASSERT_TRUE(Button(dialog, CConfigListDlg::kModify)->isEnabled());
    Button(dialog, CConfigListDlg::kModify)->click();
    EXPECT_EQ(dialog.List().ItemCount(), 1);
    EXPECT_FALSE(Button(dialog, CConfigListDlg::kModify)->isEnabled()) << "after the refill";
}

TEST_P(ConfigListTest, TheBuiltInClientServiceIsNotAddedAgain)
{
    // Hidden, so that only the dialog's own refusal can keep a new one out.
    ASSERT_EQ(Db().DeleteClientService(QStringLiteral("Internet access")), kNoError);
    CConfigListDlg dialog(CConfigListDlg::kClientServices, Db());
    dialog.show();
    const int before = dialog.List().ItemCount();
    const auto typeService = [](const QString& name) {
        return Fill(
            [name](QDialog* shown) {
                shown->findChild<QLineEdit*>(QString::number(CServicePriceDlg::kName))->setText(name);
                shown->findChild<CNumericEdit*>(QString::number(CServicePriceDlg::kPrice))->SetValue(2.5);
            },
            CServicePriceDlg::kOk);
    };
    {
        ModalScript script({typeService(QStringLiteral("Internet access")), ModalScript::Ok()});
        Button(dialog, CConfigListDlg::kNew)->click();
        EXPECT_EQ(script.Boxes(), QStringList{QStringLiteral(
                                      "Errore nell'inserimento del servizio al cliente.\nVerificare che i dati siano univoci.")});
    }
    EXPECT_EQ(dialog.List().ItemCount(), before);
    int id = 0;
    EXPECT_EQ(Db().InsertClientService(QStringLiteral("Internet access"), Money::FromCents(100),
                                       VatRate::FromHundredths(2000), id),
              kNoError)
        << "nothing of that name was stored";
    {
        ModalScript script({typeService(QStringLiteral("Lavanderia"))});
        Button(dialog, CConfigListDlg::kNew)->click();
        EXPECT_TRUE(script.Boxes().isEmpty());
    }
    ASSERT_GE(Row(dialog, QStringLiteral("Lavanderia")), 0);
    EXPECT_EQ(dialog.List().ItemText(Row(dialog, QStringLiteral("Lavanderia")), 1), QStringLiteral("2.50"));
}

TEST_P(ConfigListTest, ApplyHandsBackTheTicksAndRefusesMoreThanARoomHolds)
{
    std::vector<int> features;
    for (int i = 0; i < RoomRecord::kMaxServices + 1; ++i) {
        int id = 0;
        ASSERT_EQ(Db().InsertRoomService(QStringLiteral("Dotazione %1").arg(i, 2, 10, QLatin1Char('0')), Money(),
                                         VatRate(), id),
                  kNoError);
        features.push_back(id);
    }
    {
        CConfigListDlg dialog(CConfigListDlg::kChooseFeatures, Db());
        dialog.SetChosen({features[0]});
        dialog.show();
        const int ticked = Row(dialog, QStringLiteral("Dotazione 00"));
        ASSERT_GE(ticked, 0);
        EXPECT_EQ(dialog.List().topLevelItem(ticked)->checkState(0), Qt::Checked);
        dialog.List().topLevelItem(ticked)->setCheckState(0, Qt::Unchecked);
        Button(dialog, CConfigListDlg::kLast)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(dialog.Chosen().empty());
    }
    CConfigListDlg dialog(CConfigListDlg::kChooseFeatures, Db());
    dialog.SetChosen(features);
    dialog.show();
    MessageBoxRecorder boxes;
    Button(dialog, CConfigListDlg::kLast)->click();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_TRUE(dialog.isVisible()) << "37 ticks stay to be corrected";
    EXPECT_EQ(dialog.Chosen(), features) << "the caller's ids are unchanged";
    dialog.List().topLevelItem(Row(dialog, QStringLiteral("Dotazione 36")))->setCheckState(0, Qt::Unchecked);
    Button(dialog, CConfigListDlg::kLast)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen().size(), static_cast<std::size_t>(RoomRecord::kMaxServices));
}

TEST_P(ConfigListTest, CommonAreasKeepThreeDigitCodesAndUniqueLabels)
{
    CConfigListDlg dialog(CConfigListDlg::kCommonAreas, Db());
    dialog.show();
    const auto typeArea = [](const QString& name, const QString& code) {
        return Fill(
            [name, code](QDialog* shown) {
                EXPECT_TRUE(shown->findChild<QCheckBox*>(QStringLiteral("1444"))->isChecked()) << "new areas are free";
                shown->findChild<QLineEdit*>(QStringLiteral("1442"))->setText(name);
                shown->findChild<QLineEdit*>(QStringLiteral("1443"))->setText(code);
            },
            1447);
    };
    {
        ModalScript script({typeArea(QStringLiteral("Palestra"), QStringLiteral("12"))});
        Button(dialog, CConfigListDlg::kNew)->click();
        EXPECT_TRUE(script.Boxes().isEmpty());
    }
    ASSERT_EQ(dialog.List().ItemCount(), 1);
    EXPECT_EQ(dialog.List().ItemText(0, 1), QStringLiteral("012"));
    EXPECT_EQ(dialog.List().ItemText(0, 2), QStringLiteral("X"));
    {
        ModalScript script({typeArea(QStringLiteral("Palestra"), QStringLiteral("13")), ModalScript::Ok()});
        Button(dialog, CConfigListDlg::kNew)->click();
        ASSERT_EQ(script.Boxes().size(), 1);
        EXPECT_TRUE(script.Boxes()[0].startsWith(QStringLiteral("Errore nell'inserimento o modifica della zona comune")));
    }
    EXPECT_EQ(dialog.List().ItemCount(), 1);
    Select(dialog, 0);
    EXPECT_TRUE(Button(dialog, CConfigListDlg::kLast)->isEnabled());
    {
        ModalScript script({ModalScript::Yes()});
        Button(dialog, CConfigListDlg::kLast)->click();
        ASSERT_EQ(script.Boxes().size(), 1);
        EXPECT_EQ(script.Boxes()[0], QStringLiteral("Confermi l'eliminazione della zone comune Palestra"));
    }
    EXPECT_EQ(dialog.List().ItemCount(), 0);
}

INSTANTIATE_DB_TEST(ConfigListTest);

}  // namespace
}  // namespace lodgix
