// The register of customers, companies and agreements on each backend: refills, refusals, the customer
// dialog's agreement and title, the export and the owner's notice when the window closes.
#include "clippedtextcheck.h"
#include "companydatadlg.h"
#include "exportlisttofile.h"
#include "guestdatadlg.h"
#include "hoteldbtest.h"
#include "language.h"
#include "modalscript.h"
#include "registrylistdlg.h"
#include "sortlistctrl.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

QPushButton* Button(QWidget& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QString::number(id));
}

struct RecordingTarget : MessageTarget {
    std::vector<std::uint32_t> messages;
    void Post(std::uint32_t message, std::uint64_t, std::int64_t) override { messages.push_back(message); }
};

class RegistryListTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        PrepareHotel();
    }

    static GuestRecord Guest(const QString& name, const QString& convention = {})
    {
        GuestRecord guest;
        guest.name = name;
        guest.address = QStringLiteral("Via Roma 2");
        guest.city = QStringLiteral("Roma");
        guest.province = QStringLiteral("RM");
        guest.country = QStringLiteral("Italia");
        guest.phone1 = QStringLiteral("0039 06 5550123");
        guest.documentType = QStringLiteral("Passaporto");
        guest.documentNumber = QStringLiteral("YA1234567");
        guest.issuedBy = QStringLiteral("Questura");
        guest.dateOfBirth = QDate(1975, 6, 30);
        guest.birthPlace = QStringLiteral("Napoli (NA)");
        guest.birthCountry = QStringLiteral("Italia");
        guest.conventionName = convention;
        return guest;
    }

    static CompanyRecord Company(const QString& name, const QString& taxCode)
    {
        CompanyRecord company;
        company.companyName = name;
        company.address = QStringLiteral("Via Po 1");
        company.city = QStringLiteral("Torino");
        company.province = QStringLiteral("TO");
        company.country = QStringLiteral("Italia");
        company.vatNumber = QStringLiteral("01234567890");
        company.taxCode = taxCode;
        return company;
    }

    static void Select(CRegistryListDlg& dialog, int row)
    {
        dialog.List().clearSelection();
        dialog.List().topLevelItem(row)->setSelected(true);
    }
};

TEST_P(RegistryListTest, EachKindShowsItsListAndTheButtonsFollowTheSelection)
{
    int id = 0;
    ASSERT_EQ(Db().InsertGuest(Guest(QStringLiteral("Bianchi Anna")), id), kNoError);
    ASSERT_EQ(Db().InsertGuest(Guest(QStringLiteral("Verdi Luca")), id), kNoError);
    ConventionRecord convention;
    convention.label = QStringLiteral("Aziende");
    ASSERT_EQ(Db().InsertConvention(convention), kNoError);
    const struct {
        CRegistryListDlg::Kind kind;
        const char* title;
        int columns;
        int rows;
    } cases[] = {
        {CRegistryListDlg::kGuests, "Lista clienti", 18, 2},
        {CRegistryListDlg::kCompanies, "Lista aziende", 14, 0},
        {CRegistryListDlg::kConventions, "Lista convenzioni cliente", 14, 1},
    };
    for (int language : {1, 2}) {
        SetLanguage(language);
        for (const auto& c : cases) {
            CRegistryListDlg dialog(c.kind, Db(), nullptr);
            if (language == 1) {
                EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
            }
            EXPECT_EQ(dialog.List().columnCount(), c.columns);
            EXPECT_EQ(dialog.List().ItemCount(), c.rows);
            EXPECT_EQ(Button(dialog, CRegistryListDlg::kSave)->isEnabled(), c.rows > 0) << "an empty list is not saved";
            dialog.show();
            EXPECT_TRUE(HasNoClippedText(dialog)) << c.kind << " " << language;
            SaveScreenshot(dialog, QStringLiteral("lodgix_registrylistdlg_kind%1_%2").arg(c.kind).arg(language == 2 ? "en" : "it"));
            if (c.rows == 0)
                continue;
            Select(dialog, 0);
            EXPECT_TRUE(Button(dialog, CRegistryListDlg::kModify)->isEnabled());
            EXPECT_TRUE(Button(dialog, CRegistryListDlg::kDelete)->isEnabled());
            dialog.Fill();
            EXPECT_FALSE(Button(dialog, CRegistryListDlg::kModify)->isEnabled()) << "after a refill";
            EXPECT_FALSE(Button(dialog, CRegistryListDlg::kDelete)->isEnabled());
        }
    }
    SetLanguage(1);
    CGuestDataDlg guest(Guest(QStringLiteral("Bianchi Anna")), Db());
    guest.show();
    EXPECT_TRUE(HasNoClippedText(guest));
    SaveScreenshot(guest, QStringLiteral("lodgix_guestdatadlg_it"));
}

TEST_P(RegistryListTest, ACompanyWithATaxCodeAlreadyHeldNamesItsHolder)
{
    CompanyRecord holder = Company(QStringLiteral("Rossi S.p.A."), QStringLiteral("RSSMRA80A01L219X"));
    int id = 0;
    ASSERT_EQ(Db().InsertCompany(holder, id), kNoError);
    CRegistryListDlg dialog(CRegistryListDlg::kCompanies, Db(), nullptr);
    dialog.show();
    const auto typeCompany = [](QDialog* shown) {
        const CompanyRecord company = Company(QStringLiteral("Neri S.r.l."), QStringLiteral("RSSMRA80A01L219X"));
        const std::pair<int, QString> texts[] = {{1113, company.companyName}, {1115, company.address},
                                                 {1117, company.city},        {1120, company.province},
                                                 {1124, company.country},     {1137, company.vatNumber},
                                                 {1141, company.taxCode}};
        for (const auto& [control, text] : texts)
            shown->findChild<QLineEdit*>(QString::number(control))->setText(text);
        shown->findChild<QPushButton*>(QString::number(CCompanyDataDlg::kOk))->click();
    };
    ModalScript script({typeCompany, ModalScript::Ok()});
    Button(dialog, CRegistryListDlg::kNew)->click();
    EXPECT_EQ(script.Boxes(),
              QStringList{QStringLiteral("Errore nell'inserimento o nella modifica, il codice fiscale è già presente "
                                         "nell'azienda Rossi S.p.A.")});
    EXPECT_EQ(dialog.List().ItemCount(), 1);
}

TEST_P(RegistryListTest, ACustomerIsChangedFromItsRecordUnderTheNewCustomerTitle)
{
    int id = 0;
    ASSERT_EQ(Db().InsertGuest(Guest(QStringLiteral("Bianchi Anna"), QStringLiteral("Agenzia chiusa")), id), kNoError);
    ConventionRecord convention;
    convention.label = QStringLiteral("Aziende");
    ASSERT_EQ(Db().InsertConvention(convention), kNoError);
    CRegistryListDlg dialog(CRegistryListDlg::kGuests, Db(), nullptr);
    dialog.show();
    Select(dialog, 0);
    QString title;
    QString agreement;
    QDate birth;
    const auto change = [&](QDialog* shown) {
        title = shown->windowTitle();
        agreement = shown->findChild<QComboBox*>(QStringLiteral("1414"))->currentText();
        birth = shown->findChild<QDateEdit*>(QStringLiteral("1081"))->date();
        shown->findChild<QLineEdit*>(QStringLiteral("1060"))->setText(QStringLiteral("Milano"));
        shown->findChild<QPushButton*>(QString::number(CGuestDataDlg::kOk))->click();
    };
    ModalScript script({change});
    Button(dialog, CRegistryListDlg::kModify)->click();
    EXPECT_EQ(title, QStringLiteral("Nuovo cliente"));
    EXPECT_EQ(agreement, QStringLiteral("Nessuna convenzione")) << "an agreement no longer there: the first entry";
    EXPECT_EQ(birth, QDate(1975, 6, 30));
    GuestRecord stored;
    ASSERT_TRUE(Db().LoadGuest(id, stored));
    EXPECT_EQ(stored.city, QStringLiteral("Milano"));
    EXPECT_EQ(stored.dateOfBirth, QDate(1975, 6, 30));
    EXPECT_EQ(dialog.List().ItemText(0, 2), QStringLiteral("Milano"));
    EXPECT_FALSE(Button(dialog, CRegistryListDlg::kModify)->isEnabled());
}

TEST_P(RegistryListTest, TheExportWritesPhonesAsTextAndPricesWithTheLocalesComma)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    int id = 0;
    ASSERT_EQ(Db().InsertGuest(Guest(QStringLiteral("Bianchi Anna")), id), kNoError);
    ConventionRecord convention;
    convention.label = QStringLiteral("Aziende");
    convention.prices.Price(Season::kLow, Treatment::kOvernight) = Money::FromCents(1250);
    ASSERT_EQ(Db().InsertConvention(convention), kNoError);
    const auto save = [](const QString& path) {
        return [path](QDialog* shown) {
            auto dialog = qobject_cast<QFileDialog*>(shown);
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Seleziona il file di destinazione"));
            dialog->selectNameFilter(dialog->nameFilters().value(1));
            if (QWidget* focused = dialog->focusWidget())
                focused->clearFocus();
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        };
    };
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    {
        CRegistryListDlg guests(CRegistryListDlg::kGuests, Db(), nullptr);
        guests.show();
        ModalScript script({save(folder.filePath(QStringLiteral("clienti")))});
        Button(guests, CRegistryListDlg::kSave)->click();
        const QString text = read(folder.filePath(QStringLiteral("clienti.csv")));
        EXPECT_TRUE(text.contains(QStringLiteral(";=\"0039 06 5550123\";"))) << text.toStdString();
    }
    CRegistryListDlg agreements(CRegistryListDlg::kConventions, Db(), nullptr);
    agreements.show();
    {
        ModalScript script({save(folder.filePath(QStringLiteral("convenzioni.csv")))});
        Button(agreements, CRegistryListDlg::kSave)->click();
    }
    const QStringList lines = read(folder.filePath(QStringLiteral("convenzioni.csv"))).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Aziende;12,50;"))) << lines[1].toStdString();

    // A file that cannot be written is told.
    ModalScript failing({ModalScript::Ok()});
    EXPECT_FALSE(SaveListFile(&agreements, agreements.List(), agreements.TextColumns(),
                              folder.filePath(QStringLiteral("missing/convenzioni.csv"))));
    EXPECT_EQ(failing.Boxes(), QStringList{QStringLiteral("Errore nel salvataggio del file")});
}

TEST_P(RegistryListTest, ClosingTheWindowTellsItsOwner)
{
    RecordingTarget owner;
    CRegistryListDlg dialog(CRegistryListDlg::kCompanies, Db(), &owner);
    dialog.show();
    EXPECT_TRUE(owner.messages.empty());
    dialog.close();
    EXPECT_EQ(owner.messages, std::vector<std::uint32_t>{WM_USER + 101});
}

INSTANTIATE_DB_TEST(RegistryListTest);

}  // namespace
}  // namespace lodgix
