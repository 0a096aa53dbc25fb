// The service edit dialog over a real hotel database on each backend, the internet-access sale against a
// gateway peer on 127.0.0.1: the catalogue, the checks of OK, the sale and its cancellation.
#include "clippedtextcheck.h"
#include "gatewaypeer.h"
#include "hoteldbtest.h"
#include "internetgateway.h"
#include "language.h"
#include "numericedit.h"
#include "serviceeditdlg.h"
#include "stringtable.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

const QString kInternet = QString::fromLatin1(kInternetAccessService);
const QString kLaundry = QStringLiteral("Lavanderia");

template <typename T>
T* Child(QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

double Number(QWidget& dialog, int id) { return Child<CNumericEdit>(dialog, id)->GetValue(); }
void SetNumber(QWidget& dialog, int id, double value) { Child<CNumericEdit>(dialog, id)->SetValue(value); }

// Picks a catalogue entry as the clerk does, closing the list on it.
void Choose(CServiceEditDlg& dialog, const QString& entry)
{
    auto combo = Child<QComboBox>(dialog, CServiceEditDlg::kCatalogue);
    const int index = combo->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Presses OK; the message boxes it shows are read and answered with `answer`.
QStringList PressOk(CServiceEditDlg& dialog, QMessageBox::StandardButton answer = QMessageBox::Ok)
{
    QStringList texts;
    ModalAnswerer answerer([&](QDialog* box) {
        if (auto message = qobject_cast<QMessageBox*>(box))
            texts << message->text();
        PressButton(box, answer);
    });
    Child<QPushButton>(dialog, CServiceEditDlg::kOk)->click();
    return texts;
}

QString Confirmation(int hours)
{
    return QStringLiteral("%1 %2 %3").arg(LoadResString(2325)).arg(hours).arg(LoadResString(2324));
}

class ServiceEditDlgTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        PrepareHotel();  // the catalogue holds "Internet access" from the start
        int id = 0;
        ASSERT_EQ(Db().InsertClientService(kLaundry, Money::FromCents(800), VatRate::FromHundredths(1000), id), kNoError);
        GuestRecord guest;
        guest.name = QStringLiteral("Mario Rossi");
        guest.birthPlace = QStringLiteral("Parma");
        guest.dateOfBirth = QDate(1980, 2, 1);
        guest.documentType = QStringLiteral("Passaporto");
        guest.documentNumber = QStringLiteral("YA1234567");
        ASSERT_EQ(Db().InsertGuest(guest, m_guest), kNoError);
    }

    // An internet sale of `hours` at 2.00 an hour, confirmed, in a shown dialog.
    void StartSale(CServiceEditDlg& dialog, int hours)
    {
        dialog.show();
        Choose(dialog, kInternet);
        SetNumber(dialog, CServiceEditDlg::kPrice, 2.0);
        SetNumber(dialog, CServiceEditDlg::kQuantity, hours);
        EXPECT_EQ(PressOk(dialog, QMessageBox::Yes), QStringList{Confirmation(hours)});
    }

    int m_guest = 0;
};

TEST_P(ServiceEditDlgTest, CatalogueEntryLocksTheDescriptionAndGenericUnlocksIt)
{
    CServiceEditDlg dialog(CServiceEditDlg::kPlain, 0, Db());
    auto combo = Child<QComboBox>(dialog, CServiceEditDlg::kCatalogue);
    auto description = Child<QLineEdit>(dialog, CServiceEditDlg::kDescription);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Servizio generico"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nuovo servizio"));

    Choose(dialog, kLaundry);
    EXPECT_EQ(description->text(), kLaundry);
    EXPECT_FALSE(description->isEnabled());
    EXPECT_DOUBLE_EQ(Number(dialog, CServiceEditDlg::kPrice), 8.0);
    EXPECT_DOUBLE_EQ(Number(dialog, CServiceEditDlg::kVat), 10.0);

    Choose(dialog, QStringLiteral("Servizio generico"));
    EXPECT_TRUE(description->text().isEmpty());
    EXPECT_TRUE(description->isEnabled());
    EXPECT_DOUBLE_EQ(Number(dialog, CServiceEditDlg::kPrice), 0.0);
    EXPECT_DOUBLE_EQ(Number(dialog, CServiceEditDlg::kVat), 20.0);
}

TEST_P(ServiceEditDlgTest, OkWantsADescriptionAndAPriceButAcceptsNoVat)
{
    CServiceEditDlg dialog(CServiceEditDlg::kPlain, 0, Db());
    dialog.show();
    EXPECT_EQ(PressOk(dialog), QStringList{LoadResString(2037)});
    Child<QLineEdit>(dialog, CServiceEditDlg::kDescription)->setText(QStringLiteral("Cena"));
    EXPECT_EQ(PressOk(dialog), QStringList{LoadResString(2118)});
    EXPECT_TRUE(dialog.isVisible());

    SetNumber(dialog, CServiceEditDlg::kPrice, 25.5);
    SetNumber(dialog, CServiceEditDlg::kVat, 0.0);
    SetNumber(dialog, CServiceEditDlg::kQuantity, 2);
    EXPECT_TRUE(PressOk(dialog).isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Description(), QStringLiteral("Cena"));
    EXPECT_EQ(dialog.Price(), Money::FromCents(2550));
    EXPECT_EQ(dialog.Vat(), VatRate());
    EXPECT_EQ(dialog.Quantity(), 2);
    EXPECT_FALSE(dialog.Sold());
}

TEST_P(ServiceEditDlgTest, PresetsShowTheLineToChange)
{
    struct PresetCase {
        CServiceEditDlg::Mode mode;
        QString description;
        bool catalogueOn, descriptionOn, quantityShown;
    };
    const PresetCase cases[] = {
        {CServiceEditDlg::kPlain, kLaundry, true, false, true},
        {CServiceEditDlg::kPlain, QStringLiteral("Cena"), true, true, true},
        {CServiceEditDlg::kClientServices, kLaundry, true, false, false},
        {CServiceEditDlg::kClientServices, kInternet + QStringLiteral(" (AB12CD34EF56)"), false, false, false},
        // An ordinary bill line in plain mode, whatever its name.
        {CServiceEditDlg::kPlain, kInternet + QStringLiteral(" (AB12CD34EF56)"), true, true, true},
    };
    for (const PresetCase& preset : cases) {
        CServiceEditDlg dialog(preset.mode, 0, Db());
        dialog.SetDescription(preset.description);
        dialog.SetPrice(Money::FromCents(350));
        dialog.SetVat(VatRate::FromHundredths(400));
        dialog.SetQuantity(4);
        dialog.show();
        const std::string what = preset.description.toStdString() + " mode " + std::to_string(preset.mode);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Modifica servizio")) << what;
        EXPECT_EQ(Child<QComboBox>(dialog, CServiceEditDlg::kCatalogue)->currentText(),
                  preset.description == kLaundry ? kLaundry : QStringLiteral("Servizio generico"))
            << what;
        EXPECT_EQ(Child<QComboBox>(dialog, CServiceEditDlg::kCatalogue)->isEnabled(), preset.catalogueOn) << what;
        EXPECT_EQ(Child<QLineEdit>(dialog, CServiceEditDlg::kDescription)->isEnabled(), preset.descriptionOn) << what;
        EXPECT_EQ(Child<QLineEdit>(dialog, CServiceEditDlg::kDescription)->text(), preset.description) << what;
        EXPECT_EQ(Child<CNumericEdit>(dialog, CServiceEditDlg::kQuantity)->isVisible(), preset.quantityShown) << what;
        EXPECT_DOUBLE_EQ(Number(dialog, CServiceEditDlg::kPrice), 3.5) << what;
        EXPECT_DOUBLE_EQ(Number(dialog, CServiceEditDlg::kVat), 4.0) << what;
        EXPECT_DOUBLE_EQ(Number(dialog, CServiceEditDlg::kQuantity), 4.0) << what;
    }
}

TEST_P(ServiceEditDlgTest, InternetAccessInPlainModeIsAnOrdinaryLine)
{
    GatewayPeer peer([](const QByteArray& request, int) { return GatewayPeer::Reply(request); });
    CServiceEditDlg dialog(CServiceEditDlg::kPlain, m_guest, Db());
    dialog.SetGatewayLink(peer.Link());
    dialog.show();
    Choose(dialog, kInternet);
    SetNumber(dialog, CServiceEditDlg::kPrice, 2.0);
    SetNumber(dialog, CServiceEditDlg::kQuantity, 3);
    EXPECT_TRUE(PressOk(dialog).isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Description(), kInternet);
    EXPECT_EQ(dialog.Price(), Money::FromCents(200));
    EXPECT_EQ(dialog.Quantity(), 3);
    EXPECT_FALSE(dialog.Sold());
    EXPECT_TRUE(peer.Requests().empty());
}

TEST_P(ServiceEditDlgTest, ThreeHoursAtTwoAreOneUnitNamedWithTheCode)
{
    GatewayPeer peer([](const QByteArray& request, int) { return GatewayPeer::Reply(request); });
    CServiceEditDlg dialog(CServiceEditDlg::kClientServices, m_guest, Db());
    dialog.SetGatewayLink(peer.Link());
    StartSale(dialog, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.result() == QDialog::Accepted; }, 10000));

    ASSERT_TRUE(dialog.Sold());
    EXPECT_EQ(dialog.AccessCode().size(), 12);
    EXPECT_EQ(dialog.Description(), kInternet + QStringLiteral(" (") + dialog.AccessCode() + QStringLiteral(")"));
    EXPECT_EQ(dialog.Price(), Money::FromCents(600));
    EXPECT_EQ(dialog.Vat(), VatRate::FromHundredths(2000));
    EXPECT_EQ(dialog.Quantity(), 1);
    EXPECT_EQ(dialog.Hours(), 3);
    EXPECT_EQ(dialog.GuestName(), QStringLiteral("Mario Rossi"));
    const std::vector<QByteArray> requests = peer.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const QByteArray& r = requests[0];
    EXPECT_EQ(r.mid(8, 12), dialog.AccessCode().toLatin1());
    EXPECT_EQ(r.mid(24).left(11), QByteArray("Mario Rossi"));
    const QString birth = QStringLiteral("Parma, ") + QLocale().toString(QDate(1980, 2, 1), QLocale::ShortFormat);
    EXPECT_EQ(QString::fromLatin1(r.mid(88, birth.size())), birth);
    EXPECT_EQ(r.mid(152, 20), QByteArray("Passaporto YA1234567"));
    EXPECT_EQ(static_cast<quint8>(r.at(216)) | static_cast<quint8>(r.at(217)) << 8, 180);  // minutes
}

TEST_P(ServiceEditDlgTest, SaleWithoutUserStaysOpenSilently)
{
    struct RefusedCase {
        const char* what;
        int guest;
        QMessageBox::StandardButton answer;
        std::uint8_t result;
        std::size_t requests;
    };
    const RefusedCase cases[] = {
        {"clerk says no", m_guest, QMessageBox::No, 0, 0},
        {"no guest", 0, QMessageBox::Yes, 0, 0},
        {"guest not in the register", m_guest + 100, QMessageBox::Yes, 0, 0},
        {"gateway refuses", m_guest, QMessageBox::Yes, 1, CInternetGateway::kTries},
    };
    for (const RefusedCase& refused : cases) {
        GatewayPeer peer([&](const QByteArray& request, int) { return GatewayPeer::Reply(request, refused.result); });
        CServiceEditDlg dialog(CServiceEditDlg::kClientServices, refused.guest, Db());
        dialog.SetGatewayLink(peer.Link());
        dialog.show();
        Choose(dialog, kInternet);
        SetNumber(dialog, CServiceEditDlg::kQuantity, 2);
        EXPECT_EQ(PressOk(dialog, refused.answer), QStringList{Confirmation(2)}) << refused.what;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsSelling(); }, 10000)) << refused.what;
        QTest::qWait(50);  // the end of the sale is delivered to the dialog's thread
        EXPECT_TRUE(dialog.isVisible()) << refused.what;
        EXPECT_FALSE(dialog.Sold()) << refused.what;
        EXPECT_EQ(peer.Requests().size(), refused.requests) << refused.what;
        // The clerk may try again: the fields are back as they were.
        EXPECT_TRUE(Child<QPushButton>(dialog, CServiceEditDlg::kOk)->isEnabled()) << refused.what;
        EXPECT_TRUE(Child<CNumericEdit>(dialog, CServiceEditDlg::kPrice)->isEnabled()) << refused.what;
        EXPECT_FALSE(Child<QLineEdit>(dialog, CServiceEditDlg::kDescription)->isEnabled()) << refused.what;
    }
}

TEST_P(ServiceEditDlgTest, CancelStopsTheGatewayWhileTheWindowAnswers)
{
    GatewayPeer peer([](const QByteArray&, int) { return std::nullopt; });  // a gateway that never answers
    CServiceEditDlg dialog(CServiceEditDlg::kClientServices, m_guest, Db());
    dialog.SetGatewayLink(peer.Link());
    StartSale(dialog, 1);
    ASSERT_TRUE(dialog.IsSelling());
    // The window keeps handling events while the gateway waits for its reply.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !peer.Requests().empty(); }, 5000));
    EXPECT_FALSE(Child<QPushButton>(dialog, CServiceEditDlg::kOk)->isEnabled());
    EXPECT_FALSE(Child<CNumericEdit>(dialog, CServiceEditDlg::kPrice)->isEnabled());
    auto cancel = Child<QPushButton>(dialog, CServiceEditDlg::kCancel);
    ASSERT_TRUE(cancel->isEnabled());

    QElapsedTimer clock;
    clock.start();
    cancel->click();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsSelling());
    QTest::qWait(50);  // a late end of the sale changes nothing
    EXPECT_FALSE(dialog.Sold());
    EXPECT_EQ(peer.Requests().size(), 1u);
}

TEST_P(ServiceEditDlgTest, ShowsItsTextsWholeInBothLanguages)
{
    for (const int language : {1, 2}) {
        SetLanguage(language);
        for (const auto mode : {CServiceEditDlg::kPlain, CServiceEditDlg::kClientServices}) {
            CServiceEditDlg dialog(mode, m_guest, Db());
            if (mode == CServiceEditDlg::kClientServices)
                dialog.SetDescription(kLaundry);
            dialog.show();
            EXPECT_TRUE(HasNoClippedText(dialog)) << language << " mode " << mode;
            SaveScreenshot(dialog, QStringLiteral("lodgix_serviceedit_%1_%2").arg(mode).arg(language == 2 ? "en" : "it"));
        }
    }
    SetLanguage(1);
}

INSTANTIATE_DB_TEST(ServiceEditDlgTest);

}  // namespace
}  // namespace lodgix
