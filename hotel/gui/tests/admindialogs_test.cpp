// The small administration dialogs on their own: texts in both languages, the settings' periods, hours
// and key-card address, service prices by kind, common area codes, company and agreement fields.
#include "clippedtextcheck.h"
#include "commonareaeditdlg.h"
#include "companydatadlg.h"
#include "conventiondlg.h"
#include "hotelsettingsdlg.h"
#include "language.h"
#include "numericedit.h"
#include "roomservicesdlg.h"
#include "seasonpricesdlg.h"
#include "servicepricedlg.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

template <typename Widget = QLineEdit>
Widget* Control(QWidget& dialog, int id)
{
    return dialog.findChild<Widget*>(QString::number(id));
}

void Press(QWidget& dialog, int id)
{
    Control<QPushButton>(dialog, id)->click();
}

void CheckShown(QDialog& dialog, const QString& name, int language)
{
    dialog.show();
    EXPECT_TRUE(HasNoClippedText(dialog)) << name.toStdString() << " " << language;
    SaveScreenshot(dialog, QStringLiteral("lodgix_%1_%2").arg(name, language == 2 ? "en" : "it"));
    dialog.hide();
}

TEST(HotelAdminDialogs, ShowTheirTextsUnclippedInBothLanguages)
{
    for (int language : {1, 2}) {
        SetLanguage(language);
        const bool it = language == 1;
        for (auto kind : {CServicePriceDlg::kFeature, CServicePriceDlg::kOptionalService, CServicePriceDlg::kClientService}) {
            CServicePriceDlg dialog(kind);
            CheckShown(dialog, QStringLiteral("servicepricedlg_kind%1").arg(kind), language);
        }
        CServicePriceDlg feature(CServicePriceDlg::kFeature);
        EXPECT_EQ(feature.windowTitle(), it ? "Nuova caratteristica" : "New feature");
        feature.SetService(QStringLiteral("Frigobar"), Money(), VatRate());
        EXPECT_EQ(feature.windowTitle(), it ? "Modifica caratteristica" : "Change feature");

        CSeasonPricesDlg prices(Season::kHigh, {Money::FromCents(5000), Money::FromCents(6000), Money::FromCents(7000),
                                                Money::FromCents(8000)});
        EXPECT_EQ(prices.windowTitle(), it ? "Prezzi (Alta stagione)" : "Prices (High season)");
        CheckShown(prices, QStringLiteral("seasonpricesdlg"), language);

        CHotelSettingsDlg settings(HotelSettings(), SeasonTable::Defaults());
        EXPECT_EQ(settings.windowTitle(), it ? "Impostazioni Hotel" : "Hotel settings");
        CheckShown(settings, QStringLiteral("hotelsettingsdlg"), language);

        std::vector<ServiceRecord> services = {{3, Money::FromCents(1500), QStringLiteral("Colazione in camera"), true},
                                               {4, Money::FromCents(-500), QStringLiteral("Sconto fedeltà"), false}};
        CRoomServicesDlg roomServices(services);
        CheckShown(roomServices, QStringLiteral("roomservicesdlg"), language);

        CommonAreaRecord area;
        CCommonAreaEditDlg newArea(area);
        EXPECT_EQ(newArea.windowTitle(), it ? "Nuova zona comune" : "New common area");
        CheckShown(newArea, QStringLiteral("commonareaeditdlg"), language);
        area.id = 4;
        CCommonAreaEditDlg oldArea(area);
        EXPECT_EQ(oldArea.windowTitle(), it ? "Modifica zona comune" : "Change common area");

        CCompanyDataDlg company{CompanyRecord()};
        EXPECT_EQ(company.windowTitle(), it ? "Nuova azienda" : "New company");
        CheckShown(company, QStringLiteral("companydatadlg"), language);

        ConventionRecord convention;
        CConventionDlg conventionDialog(convention);
        CheckShown(conventionDialog, QStringLiteral("conventiondlg"), language);
    }
    SetLanguage(1);
}

// The settings dialog with the low season's first bounds typed.
struct PeriodCase {
    const char* what;
    std::vector<const char*> low;
    bool accepted;
};

TEST(HotelAdminDialogs, SettingsRefuseWrongPeriodsAndKeepWhatTheyDoNotEdit)
{
    SetLanguage(1);
    const PeriodCase cases[] = {
        {"December before January", {"0112", "3112", "0101", "3101"}, false},
        {"January before December", {"0101", "3101", "0112", "3112"}, true},
        {"a start without its end", {"1503", "0000"}, false},
        {"one day", {"1503", "1503"}, true},
        {"a third period after an unused second", {"0101", "3101", "0000", "0000", "0103", "3103"}, false},
        {"29 February", {"2902", "0103"}, true},
        {"30 February", {"3002", "0103"}, false},
        {"a month 13", {"0013", "0103"}, false},
        {"three digits", {"123", "0103"}, false},
    };
    HotelSettings settings;
    settings.reserved3 = 7;
    settings.reserved9 = 9;
    settings.reserved10 = 10;
    settings.reserved11 = 11;
    for (const PeriodCase& c : cases) {
        CHotelSettingsDlg dialog(settings, SeasonTable());
        dialog.show();
        for (std::size_t i = 0; i < c.low.size(); ++i)
            Control(dialog, CHotelSettingsDlg::kLowStart + static_cast<int>(i))->setText(QLatin1String(c.low[i]));
        MessageBoxRecorder boxes;
        Press(dialog, CHotelSettingsDlg::kOk);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.what;
        if (!c.accepted) {
            ASSERT_EQ(boxes.Seen().size(), 1u) << c.what;
            EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Impostazione dei periodi non valida"));
            EXPECT_EQ(dialog.Seasons(), SeasonTable()) << "nothing stored: " << c.what;
        }
    }

    CHotelSettingsDlg dialog(settings, SeasonTable());
    dialog.show();
    EXPECT_FALSE(Control<CNumericEdit>(dialog, CHotelSettingsDlg::kEarliestCheckIn)->isEnabled());
    EXPECT_FALSE(Control<CNumericEdit>(dialog, CHotelSettingsDlg::kLatestCheckIn)->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>(dialog, CHotelSettingsDlg::kBooking)->isEnabled());
    Control(dialog, CHotelSettingsDlg::kServer)->setText(QStringLiteral("192.168.1.10"));
    Control(dialog, CHotelSettingsDlg::kTerminal)->setText(QStringLiteral("0"));
    {
        MessageBoxRecorder boxes;
        Press(dialog, CHotelSettingsDlg::kOk);
        ASSERT_EQ(boxes.Seen().size(), 1u) << "terminal 0 is out of range";
        EXPECT_TRUE(dialog.isVisible());
    }
    Control(dialog, CHotelSettingsDlg::kTerminal)->setText(QStringLiteral("255"));
    Control<QCheckBox>(dialog, CHotelSettingsDlg::kCharging)->setChecked(true);
    Control<CNumericEdit>(dialog, CHotelSettingsDlg::kLatestCheckOut)->SetValue(10);
    Press(dialog, CHotelSettingsDlg::kOk);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const QByteArray bytes = dialog.Settings().Encode();
    EXPECT_EQ(quint8(bytes[12]), 192);
    EXPECT_EQ(quint8(bytes[15]), 10);
    EXPECT_EQ(quint8(bytes[3]), 7);
    EXPECT_EQ(quint8(bytes[9]), 9);
    EXPECT_EQ(quint8(bytes[10]), 10);
    EXPECT_EQ(quint8(bytes[11]), 11);
    EXPECT_EQ(quint8(bytes[4]), 255);
    EXPECT_EQ(quint8(bytes[8]), 1);
    EXPECT_EQ(quint8(bytes[2]), 10);
}

TEST(HotelAdminDialogs, ServicePricesByKind)
{
    SetLanguage(1);
    struct ServiceCase {
        const char* what;
        CServicePriceDlg::Kind kind;
        QString name;
        double price;
        QString box;  // empty: accepted
    };
    const ServiceCase cases[] = {
        {"a discount", CServicePriceDlg::kOptionalService, "Sconto", -5.0, ""},
        {"an optional service without price", CServicePriceDlg::kOptionalService, "Culla", 0.0,
         "Impostare il prezzo giornaliero e l'IVA"},
        {"a client service without price", CServicePriceDlg::kClientService, "Lavanderia", 0.0,
         "Impostare il prezzo giornaliero e l'IVA"},
        {"a client service below 0", CServicePriceDlg::kClientService, "Lavanderia", -5.0,
         "Impostare il prezzo giornaliero e l'IVA"},  // the edit keeps it at 0
        {"a feature without name", CServicePriceDlg::kFeature, "", 0.0, "Mancano alcuni dati obbligatori"},
        {"a feature", CServicePriceDlg::kFeature, "Balcone", 0.0, ""},
    };
    for (const ServiceCase& c : cases) {
        CServicePriceDlg dialog(c.kind);
        dialog.show();
        Control(dialog, CServicePriceDlg::kName)->setText(c.name);
        Control<CNumericEdit>(dialog, CServicePriceDlg::kPrice)->SetValue(c.price);
        MessageBoxRecorder boxes;
        Press(dialog, CServicePriceDlg::kOk);
        if (c.box.isEmpty()) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.what;
            EXPECT_EQ(dialog.Price(), Money::FromCents(static_cast<qint64>(c.price * 100))) << c.what;
            EXPECT_TRUE(boxes.Seen().empty()) << c.what;
        } else {
            ASSERT_EQ(boxes.Seen().size(), 1u) << c.what;
            EXPECT_EQ(boxes.Seen()[0].text, c.box) << c.what;
            EXPECT_TRUE(dialog.isVisible()) << c.what;
        }
    }
    CServicePriceDlg builtIn(CServicePriceDlg::kClientService);
    builtIn.SetService(QStringLiteral("Internet access"), Money::FromCents(100), VatRate::FromHundredths(2000));
    EXPECT_FALSE(Control(builtIn, CServicePriceDlg::kName)->isEnabled());
}

TEST(HotelAdminDialogs, CommonAreaCodesHaveThreeDigitsAndCompaniesTheirRequiredFields)
{
    SetLanguage(1);
    EXPECT_EQ(CCommonAreaEditDlg::CodeText(QStringLiteral("12")), QStringLiteral("012"));
    EXPECT_EQ(CCommonAreaEditDlg::CodeText(QStringLiteral("7")), QStringLiteral("007"));
    CommonAreaRecord area;
    CCommonAreaEditDlg dialog(area);
    dialog.show();
    Control(dialog, CCommonAreaEditDlg::kCode)->setText(QStringLiteral("12"));
    {
        MessageBoxRecorder boxes;
        Press(dialog, CCommonAreaEditDlg::kOk);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Dati immessi non corretti"));
    }
    Control(dialog, CCommonAreaEditDlg::kName)->setText(QStringLiteral("Palestra"));
    Press(dialog, CCommonAreaEditDlg::kOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(area.code, QStringLiteral("012"));
    EXPECT_EQ(area.label, QStringLiteral("Palestra"));

    CompanyRecord company;
    company.companyName = "Rossi S.p.A.";
    company.address = "Via Po 1";
    company.city = "Torino";
    company.province = "TO";
    company.country = "Italia";
    company.vatNumber = "01234567890";
    CCompanyDataDlg companyDialog(company);
    companyDialog.show();
    {
        MessageBoxRecorder boxes;
        Press(companyDialog, CCompanyDataDlg::kOk);
        ASSERT_EQ(boxes.Seen().size(), 1u) << "no tax code";
        EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Mancano alcuni dati obbligatori"));
    }
    Control(companyDialog, CCompanyDataDlg::kTaxCode)->setText(QStringLiteral("RSSMRA80A01L219X"));
    Press(companyDialog, CCompanyDataDlg::kOk);
    ASSERT_EQ(companyDialog.result(), QDialog::Accepted);
    company.taxCode = QStringLiteral("RSSMRA80A01L219X");
    EXPECT_EQ(companyDialog.Record(), company);
}

TEST(HotelAdminDialogs, AnAgreementNeedsANameAndTakesItsPricesByTheirEdits)
{
    SetLanguage(1);
    ConventionRecord convention;
    CConventionDlg dialog(convention);
    dialog.show();
    {
        MessageBoxRecorder boxes;
        Press(dialog, CConventionDlg::kOk);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, QStringLiteral("Nome della convenzione non valido"));
    }
    Control(dialog, CConventionDlg::kName)->setText(QStringLiteral("Aziende"));
    Control<CNumericEdit>(dialog, 1388)->SetValue(45.5);  // low season, bed and breakfast
    Control<CNumericEdit>(dialog, 1402)->SetValue(80);    // high season, half board
    Control<CNumericEdit>(dialog, CConventionDlg::kVat)->SetValue(10);
    Press(dialog, CConventionDlg::kOk);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(convention.label, QStringLiteral("Aziende"));
    EXPECT_EQ(convention.prices.Price(Season::kLow, Treatment::kBedAndBreakfast), Money::FromCents(4550));
    EXPECT_EQ(convention.prices.Price(Season::kHigh, Treatment::kHalfBoard), Money::FromCents(8000));
    EXPECT_EQ(convention.vat, VatRate::FromHundredths(1000));
}

TEST(HotelAdminDialogs, RoomServicesTakeTheirTicksOnlyOnOk)
{
    std::vector<ServiceRecord> services = {{3, Money::FromCents(1500), QStringLiteral("Colazione"), true},
                                           {4, Money::FromCents(900), QStringLiteral("Parcheggio"), false}};
    CRoomServicesDlg dialog(services);
    dialog.show();
    auto list = Control<QTreeWidget>(dialog, CRoomServicesDlg::kList);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("9.00"));
    list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(services[0].selected) << "not before OK";
    Press(dialog, CRoomServicesDlg::kOk);
    EXPECT_FALSE(services[0].selected);
    EXPECT_TRUE(services[1].selected);
}

}  // namespace
}  // namespace lodgix
