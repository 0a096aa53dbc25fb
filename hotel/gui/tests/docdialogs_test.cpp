// The check-out data, document number and bill data dialogs over a real hotel database on each backend:
// their checks and results, and each one shown at its size in both languages.
#include "billdatadlg.h"
#include "checkoutdlg.h"
#include "clippedtextcheck.h"
#include "companydatadlg.h"
#include "documentedit.h"
#include "documentfiles.h"
#include "documentnumberdlg.h"
#include "hoteldbtest.h"
#include "language.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"
#include "lodgixview.h"
#include "modalscript.h"
#include "numericedit.h"
#include "printsettings.h"
#include "serviceeditdlg.h"
#include "sortlistctrl.h"
#include "stringtable.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

template <typename T>
T* Child(QWidget& dialog, int id)
{
    T* child = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
}

void Press(QWidget& dialog, int id)
{
    Child<QPushButton>(dialog, id)->click();
}

// Types into a numeric edit and commits it as Enter does.
void TypeNumber(QWidget& dialog, int id, const QString& text)
{
    auto edit = Child<CNumericEdit>(dialog, id);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Presses the button and answers the windows it opens in turn; the message boxes' texts.
QStringList PressAndAnswer(QWidget& dialog, int id, std::deque<ModalScript::Answer> answers = {})
{
    ModalScript script(std::move(answers));
    Press(dialog, id);
    return script.Boxes();
}

void CheckShown(QDialog& dialog, const QString& name, int language)
{
    dialog.show();
    EXPECT_TRUE(HasNoClippedText(dialog)) << name.toStdString() << " " << language;
    SaveScreenshot(dialog, QStringLiteral("lodgix_%1_%2").arg(name, language == 2 ? "en" : "it"));
    dialog.hide();
}

// Fills the company dialog's required fields and presses its OK.
ModalScript::Answer FillCompany(const QString& name, const QString& taxCode)
{
    return [name, taxCode](QDialog* shown) {
        int edit = 0;
        for (QLineEdit* field : shown->findChildren<QLineEdit*>())
            field->setText(QStringLiteral("x%1").arg(++edit));
        shown->findChild<QLineEdit*>(QString::number(CCompanyDataDlg::kCompanyName))->setText(name);
        shown->findChild<QLineEdit*>(QString::number(CCompanyDataDlg::kTaxCode))->setText(taxCode);
        shown->findChild<QPushButton*>(QString::number(CCompanyDataDlg::kOk))->click();
    };
}

const QString kCash = QStringLiteral("Contanti");
const VatRate kTenPercent = VatRate::FromHundredths(1000);

// Clicks a row of the list (shown) as the user does.
void ClickRow(CSortListCtrl& list, int row)
{
    const QRect cell = list.visualItemRect(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
}

QStringList RowTexts(const CSortListCtrl& list, int row)
{
    QStringList texts;
    for (int column = 0; column < list.columnCount(); ++column)
        texts << list.ItemText(row, column);
    return texts;
}

// An invoice of two lines to a company with every text filled.
DocumentRecord Invoice()
{
    DocumentRecord record;
    record.type = DocumentRecord::kInvoice;
    record.number = DocumentNumberText(12, 2024);
    record.guestName = QStringLiteral("Rossi Mario");
    record.paymentType = kCash;
    record.companyName = QStringLiteral("Acme Srl");
    record.companyAddress = QStringLiteral("Via Roma 1");
    record.companyCity = QStringLiteral("Milano");
    record.companyProvince = QStringLiteral("MI");
    record.companyPostCode = QStringLiteral("20100");
    record.companyCountry = QStringLiteral("Italia");
    record.companyVatNumber = QStringLiteral("01234567890");
    record.companyTaxCode = QStringLiteral("01234567890");
    record.lines = {BillLine::Make(QStringLiteral("Pernottamento"), 3, Money::FromCents(11000), kTenPercent),
                    BillLine::Make(QStringLiteral("Minibar"), 2, Money::FromCents(550), kTenPercent)};
    return record;
}

DocumentRecord Receipt()
{
    DocumentRecord record = Invoice();
    record.type = DocumentRecord::kReceipt;
    record.number = DocumentNumberText(7, 2007);
    record.companyName = record.companyAddress = record.companyCity = record.companyProvince = QString();
    record.companyPostCode = record.companyCountry = record.companyVatNumber = record.companyTaxCode = QString();
    return record;
}

class DocDialogTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        m_hotel = PrepareHotel();
        m_mario = Guest(QStringLiteral("Rossi Mario"), QStringLiteral("Roma"), QDate(1970, 5, 2));
        m_anna = Guest(QStringLiteral("Bianchi Anna"), QStringLiteral("Pisa"), QDate(1981, 11, 23));
    }

    int Guest(const QString& name, const QString& place, const QDate& born)
    {
        GuestRecord guest;
        guest.name = name;
        guest.birthPlace = place;
        guest.dateOfBirth = born;
        int id = 0;
        EXPECT_EQ(Db().InsertGuest(guest, id), kNoError);
        return id;
    }

    int Company(const QString& name, const QString& taxCode)
    {
        CompanyRecord company;
        company.companyName = name;
        company.taxCode = taxCode;
        int id = 0;
        EXPECT_EQ(Db().InsertCompany(company, id), kNoError);
        return id;
    }

    // Document k of n of a stay of Mario (and of Anna as fourth guest), from `start` to `end`.
    std::unique_ptr<CCheckOutDlg> CheckOut(int k, int n, const OleDate& start, const OleDate& end)
    {
        auto dialog = std::make_unique<CCheckOutDlg>(k, n, std::array<int, 4>{m_mario, 0, 0, m_anna}, Db());
        dialog->SetNextNumbers(7, 3);
        dialog->SetDates(start, end);
        return dialog;
    }

    int m_hotel = 0;
    int m_mario = 0;
    int m_anna = 0;
};

TEST_P(DocDialogTest, CheckOutOpensOnAReceiptToTheFirstGuest)
{
    auto dialog = CheckOut(2, 3, OleDate(2024, 6, 1), OleDate(2024, 6, 4, 11, 30));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Check out, documento 2"));
    auto guests = Child<QComboBox>(*dialog, CCheckOutDlg::kGuest);
    ASSERT_EQ(guests->count(), 2);
    EXPECT_EQ(guests->itemText(0), QStringLiteral("Rossi Mario - Roma, ") + QLocale().toString(QDate(1970, 5, 2), QLocale::ShortFormat));
    EXPECT_EQ(guests->itemData(1).toInt(), m_anna);
    EXPECT_TRUE(guests->isEnabled());
    EXPECT_EQ(Child<QLabel>(*dialog, CCheckOutDlg::kYear)->text(), QStringLiteral("/2024"));
    EXPECT_EQ(Child<QLabel>(*dialog, CCheckOutDlg::kNights)->text(), QStringLiteral("3 Notti"));
    EXPECT_EQ(Child<CNumericEdit>(*dialog, CCheckOutDlg::kNumber)->GetValue(), 7);
    EXPECT_EQ(Child<QLineEdit>(*dialog, CCheckOutDlg::kPaymentText)->text(), kCash);
    EXPECT_FALSE(Child<QLineEdit>(*dialog, CCheckOutDlg::kPaymentText)->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(*dialog, CCheckOutDlg::kNewCompany)->isEnabled());
    EXPECT_FALSE(Child<QComboBox>(*dialog, CCheckOutDlg::kCompany)->isEnabled());
    EXPECT_FALSE(Child<QDateEdit>(*dialog, CCheckOutDlg::kStartDate)->isEnabled());

    // Anna, by debit card, on a later day: the end keeps its time of day.
    guests->setCurrentIndex(1);
    Child<QComboBox>(*dialog, CCheckOutDlg::kPayment)->setCurrentIndex(CCheckOutDlg::kDebitCard);
    EXPECT_TRUE(PressAndAnswer(*dialog, CCheckOutDlg::kOk).isEmpty());
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->FileName(), QStringLiteral("Recv202400007.psx"));
    EXPECT_EQ(dialog->ClientId(), m_anna);
    EXPECT_EQ(dialog->PaymentText(), QStringLiteral("Bancomat"));
    EXPECT_EQ(dialog->NextReceipt(), 8);
    EXPECT_EQ(dialog->NextInvoice(), 3);
    EXPECT_EQ(dialog->EndDate(), OleDate(2024, 6, 4, 11, 30));
    EXPECT_FALSE(dialog->DisableOutsideCalls());
}

TEST_P(DocDialogTest, CheckOutNumberStaysBetweenTheNextFreeAndTheLastFileNumber)
{
    struct Case {
        const char* name;
        int type;
        QString typed;
        QString file;
        int nextReceipt, nextInvoice;
    };
    const Case cases[] = {
        {"receipt below the next free number", CCheckOutDlg::kReceiptIndex, QStringLiteral("5"),
         QStringLiteral("Recv202400007.psx"), 8, 3},
        {"receipt raised", CCheckOutDlg::kReceiptIndex, QStringLiteral("12"), QStringLiteral("Recv202400012.psx"), 13, 3},
        {"receipt past five digits", CCheckOutDlg::kReceiptIndex, QStringLiteral("123456"),
         QStringLiteral("Recv202499999.psx"), 100000, 3},
        {"invoice at its own next number", CCheckOutDlg::kInvoiceIndex, QStringLiteral("2"),
         QStringLiteral("Fatt202400003.psx"), 7, 4},
    };
    const int company = Company(QStringLiteral("Acme"), QStringLiteral("IT123"));
    for (const Case& c : cases) {
        auto dialog = CheckOut(1, 2, OleDate(2024, 6, 1), OleDate(2024, 6, 4));
        Child<QComboBox>(*dialog, CCheckOutDlg::kType)->setCurrentIndex(c.type);
        TypeNumber(*dialog, CCheckOutDlg::kNumber, c.typed);
        EXPECT_TRUE(PressAndAnswer(*dialog, CCheckOutDlg::kOk).isEmpty()) << c.name;
        ASSERT_EQ(dialog->result(), QDialog::Accepted) << c.name;
        EXPECT_EQ(dialog->FileName(), c.file) << c.name;
        EXPECT_EQ(dialog->ClientId(), c.type == CCheckOutDlg::kInvoiceIndex ? company : m_mario) << c.name;
        EXPECT_EQ(dialog->NextReceipt(), c.nextReceipt) << c.name;
        EXPECT_EQ(dialog->NextInvoice(), c.nextInvoice) << c.name;
    }
}

TEST_P(DocDialogTest, CheckOutRefusesBadDatesAndMissingData)
{
    const QString badDates = LoadResString(2137);
    const QString missing = LoadResString(2037);
    struct Case {
        const char* name;
        OleDate start, end;
        int type;
        int payment;
        QString nights;
        QStringList boxes;  // empty: accepted
    };
    const Case cases[] = {
        {"same-day stay", OleDate(2024, 6, 4), OleDate(2024, 6, 4), 0, 0, QStringLiteral("1 Notte"), {}},
        {"one night", OleDate(2024, 6, 3), OleDate(2024, 6, 4), 0, 2, QStringLiteral("1 Notte"), {}},
        {"256 nights", OleDate(2024, 1, 1), OleDate(2024, 1, 1).AddDays(256), 0, 0, QStringLiteral("256 Notti"), {}},
        {"257 nights", OleDate(2024, 1, 1), OleDate(2024, 1, 1).AddDays(257), 0, 0, QStringLiteral("Selezione non valida"), {}},
        {"end before start", OleDate(2024, 6, 5), OleDate(2024, 6, 4), 0, 0, QStringLiteral("Selezione non valida"), {badDates}},
        {"invoice, no company", OleDate(2024, 6, 1), OleDate(2024, 6, 4), 1, 0, QStringLiteral("3 Notti"), {missing}},
        {"other payment left empty", OleDate(2024, 6, 1), OleDate(2024, 6, 4), 0, 3, QStringLiteral("3 Notti"), {missing}},
    };
    for (const Case& c : cases) {
        auto dialog = CheckOut(1, 2, c.start, c.end);
        Child<QComboBox>(*dialog, CCheckOutDlg::kType)->setCurrentIndex(c.type);
        Child<QComboBox>(*dialog, CCheckOutDlg::kPayment)->setCurrentIndex(c.payment);
        EXPECT_EQ(Child<QLabel>(*dialog, CCheckOutDlg::kNights)->text(), c.nights) << c.name;
        EXPECT_EQ(PressAndAnswer(*dialog, CCheckOutDlg::kOk, {ModalScript::Ok()}), c.boxes) << c.name;
        EXPECT_EQ(dialog->result() == QDialog::Accepted, c.boxes.isEmpty()) << c.name;
    }

    // The nights follow the end date; the year stays the one of the proposed end.
    auto dialog = CheckOut(1, 2, OleDate(2024, 12, 30), OleDate(2024, 12, 31));
    Child<QDateEdit>(*dialog, CCheckOutDlg::kEndDate)->setDate(QDate(2025, 1, 2));
    EXPECT_EQ(Child<QLabel>(*dialog, CCheckOutDlg::kNights)->text(), QStringLiteral("3 Notti"));
    EXPECT_EQ(Child<QLabel>(*dialog, CCheckOutDlg::kYear)->text(), QStringLiteral("/2024"));
    // "Altro": the clerk's own text.
    Child<QComboBox>(*dialog, CCheckOutDlg::kPayment)->setCurrentIndex(CCheckOutDlg::kOtherPayment);
    auto text = Child<QLineEdit>(*dialog, CCheckOutDlg::kPaymentText);
    EXPECT_TRUE(text->isEnabled());
    text->setText(QStringLiteral("Bonifico"));
    EXPECT_TRUE(PressAndAnswer(*dialog, CCheckOutDlg::kOk).isEmpty());
    EXPECT_EQ(dialog->PaymentText(), QStringLiteral("Bonifico"));
    EXPECT_EQ(dialog->FileName(), QStringLiteral("Recv202400007.psx"));
    EXPECT_EQ(dialog->EndDate(), OleDate(2025, 1, 2));
}

TEST_P(DocDialogTest, OnlyTheFirstDocumentSetsTheDateAndOnlyTheLastAsksAboutOutsideCalls)
{
    struct Case {
        int k, n;
        bool dateEnabled, boxShown;
    };
    for (const Case& c : {Case{1, 2, true, false}, Case{2, 2, false, true}, Case{1, 1, true, true}, Case{2, 3, false, false}}) {
        auto dialog = CheckOut(c.k, c.n, OleDate(2024, 6, 1), OleDate(2024, 6, 4));
        dialog->show();
        const std::string name = std::to_string(c.k) + " of " + std::to_string(c.n);
        EXPECT_EQ(Child<QDateEdit>(*dialog, CCheckOutDlg::kEndDate)->isEnabled(), c.dateEnabled) << name;
        auto box = Child<QCheckBox>(*dialog, CCheckOutDlg::kDisableCalls);
        EXPECT_EQ(box->isVisible(), c.boxShown) << name;
        EXPECT_EQ(box->isChecked(), c.boxShown) << name;
        // The last document asks for confirmation: No keeps the dialog open.
        const QStringList first = PressAndAnswer(*dialog, CCheckOutDlg::kOk, {ModalScript::No()});
        EXPECT_EQ(first, c.boxShown ? QStringList{LoadResString(2039)} : QStringList()) << name;
        EXPECT_EQ(dialog->result() == QDialog::Accepted, !c.boxShown) << name;
        if (c.boxShown) {
            box->setChecked(false);
            PressAndAnswer(*dialog, CCheckOutDlg::kOk, {ModalScript::Yes()});
            EXPECT_EQ(dialog->result(), QDialog::Accepted) << name;
            EXPECT_FALSE(dialog->DisableOutsideCalls()) << name;
        }
    }
    auto last = CheckOut(3, 3, OleDate(2024, 6, 1), OleDate(2024, 6, 4));
    PressAndAnswer(*last, CCheckOutDlg::kOk, {ModalScript::Yes()});
    EXPECT_TRUE(last->DisableOutsideCalls());
}

TEST_P(DocDialogTest, CheckOutCreatesAndChangesTheInvoicedCompany)
{
    auto dialog = CheckOut(1, 2, OleDate(2024, 6, 1), OleDate(2024, 6, 4));
    Child<QComboBox>(*dialog, CCheckOutDlg::kType)->setCurrentIndex(CCheckOutDlg::kInvoiceIndex);
    auto companies = Child<QComboBox>(*dialog, CCheckOutDlg::kCompany);
    EXPECT_FALSE(companies->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(*dialog, CCheckOutDlg::kEditCompany)->isEnabled());
    EXPECT_FALSE(Child<QComboBox>(*dialog, CCheckOutDlg::kGuest)->isEnabled());
    EXPECT_EQ(Child<CNumericEdit>(*dialog, CCheckOutDlg::kNumber)->GetValue(), 3);

    EXPECT_TRUE(PressAndAnswer(*dialog, CCheckOutDlg::kNewCompany, {FillCompany(QStringLiteral("Zeta Srl"), QStringLiteral("IT9"))}).isEmpty());
    ASSERT_EQ(companies->count(), 1);
    EXPECT_TRUE(companies->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(*dialog, CCheckOutDlg::kEditCompany)->isEnabled());
    const int zeta = companies->currentData().toInt();
    EXPECT_GT(zeta, 0);

    // Another one sorts first by name; the new one is selected all the same.
    EXPECT_TRUE(PressAndAnswer(*dialog, CCheckOutDlg::kNewCompany, {FillCompany(QStringLiteral("Alfa Spa"), QStringLiteral("IT1"))}).isEmpty());
    ASSERT_EQ(companies->count(), 2);
    EXPECT_TRUE(companies->currentText().startsWith(QStringLiteral("Alfa Spa,")));
    const int alfa = companies->currentData().toInt();

    // A tax code that another company has: 2264 with that company's name; nothing changes.
    const QString duplicate = LoadResString(2264) + QStringLiteral(" Zeta Srl");
    EXPECT_EQ(PressAndAnswer(*dialog, CCheckOutDlg::kNewCompany, {FillCompany(QStringLiteral("Beta"), QStringLiteral("IT9")), ModalScript::Ok()}),
              QStringList{duplicate});
    EXPECT_EQ(companies->count(), 2);
    EXPECT_EQ(PressAndAnswer(*dialog, CCheckOutDlg::kEditCompany, {FillCompany(QStringLiteral("Alfa Spa"), QStringLiteral("IT9")), ModalScript::Ok()}),
              QStringList{duplicate});

    // Changed: renamed and still selected.
    EXPECT_TRUE(PressAndAnswer(*dialog, CCheckOutDlg::kEditCompany, {FillCompany(QStringLiteral("Alfa Group"), QStringLiteral("IT1"))}).isEmpty());
    EXPECT_TRUE(companies->currentText().startsWith(QStringLiteral("Alfa Group,")));
    EXPECT_EQ(companies->currentData().toInt(), alfa);
    CompanyRecord stored;
    ASSERT_TRUE(Db().LoadCompany(alfa, stored));
    EXPECT_EQ(stored.companyName, QStringLiteral("Alfa Group"));

    companies->setCurrentIndex(companies->findData(zeta));
    EXPECT_TRUE(PressAndAnswer(*dialog, CCheckOutDlg::kOk).isEmpty());
    EXPECT_EQ(dialog->FileName(), QStringLiteral("Fatt202400003.psx"));
    EXPECT_EQ(dialog->ClientId(), zeta);
    EXPECT_EQ(dialog->NextInvoice(), 4);
    EXPECT_EQ(dialog->NextReceipt(), 7);
}

TEST(DocumentNumberDlgTest, TakesNumbersOfFiveDigitsAndYearsOfFour)
{
    SetLanguage(1);
    const QString numberRange = LoadResString(49026).arg(1).arg(99999);
    const QString yearRange = LoadResString(49026).arg(2007).arg(9999);
    struct Case {
        QString number, year;
        int type;
        QStringList boxes;  // empty: accepted
    };
    const Case cases[] = {
        {QStringLiteral("7"), QStringLiteral("2007"), 0, {}},
        {QStringLiteral("99999"), QStringLiteral("9999"), 1, {}},
        {QStringLiteral("0"), QStringLiteral("2024"), 0, {numberRange}},
        {QString(), QStringLiteral("2024"), 0, {numberRange}},
        {QStringLiteral("5"), QStringLiteral("2006"), 0, {yearRange}},
        {QStringLiteral("5"), QStringLiteral("10000"), 0, {yearRange}},
    };
    for (const Case& c : cases) {
        CDocumentNumberDlg dialog;
        EXPECT_EQ(Child<QLineEdit>(dialog, CDocumentNumberDlg::kYear)->text(), QString::number(QDate::currentDate().year()));
        EXPECT_EQ(Child<QLineEdit>(dialog, CDocumentNumberDlg::kNumber)->text(), QStringLiteral("1"));
        EXPECT_EQ(Child<QComboBox>(dialog, CDocumentNumberDlg::kType)->currentIndex(), 0);
        Child<QLineEdit>(dialog, CDocumentNumberDlg::kNumber)->setText(c.number);
        Child<QLineEdit>(dialog, CDocumentNumberDlg::kYear)->setText(c.year);
        Child<QComboBox>(dialog, CDocumentNumberDlg::kType)->setCurrentIndex(c.type);
        const std::string name = (c.number + QLatin1Char('/') + c.year).toStdString();
        EXPECT_EQ(PressAndAnswer(dialog, CDocumentNumberDlg::kConfirm, {ModalScript::Ok()}), c.boxes) << name;
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.boxes.isEmpty()) << name;
        if (c.boxes.isEmpty()) {
            EXPECT_EQ(dialog.Number(), c.number.toInt()) << name;
            EXPECT_EQ(dialog.Year(), c.year.toInt()) << name;
            EXPECT_EQ(dialog.Type(), c.type) << name;
        }
    }
    // Letters never get in.
    CDocumentNumberDlg dialog;
    QTest::keyClicks(Child<QLineEdit>(dialog, CDocumentNumberDlg::kNumber), QStringLiteral("a4b"));
    EXPECT_EQ(Child<QLineEdit>(dialog, CDocumentNumberDlg::kNumber)->text(), QStringLiteral("14"));
}

TEST_P(DocDialogTest, DialogsShowTheirWholeTextsInBothLanguages)
{
    Company(QStringLiteral("Società Cooperativa Alberghiera del Lago Srl"), QStringLiteral("IT5"));
    for (const int language : {1, 2}) {
        SetLanguage(language);
        auto checkOut = CheckOut(2, 2, OleDate(2024, 6, 1), OleDate(2024, 6, 4));
        CheckShown(*checkOut, QStringLiteral("checkoutdata"), language);
        Child<QComboBox>(*checkOut, CCheckOutDlg::kType)->setCurrentIndex(CCheckOutDlg::kInvoiceIndex);
        CheckShown(*checkOut, QStringLiteral("checkoutdata_invoice"), language);
        CDocumentNumberDlg number;
        CheckShown(number, QStringLiteral("documentnumber"), language);
        DocumentRecord invoice = Invoice();
        invoice.lines[1].description = QStringLiteral("Servizio lavanderia e stireria express");
        CBillDataDlg invoiceData(invoice, Db());
        CheckShown(invoiceData, QStringLiteral("billdata_invoice"), language);
        DocumentRecord receipt = Receipt();
        CBillDataDlg receiptData(receipt, Db());
        CheckShown(receiptData, QStringLiteral("billdata_receipt"), language);
    }
    SetLanguage(1);
}

TEST_P(DocDialogTest, BillDataOfAnInvoiceListsNetTaxAndGross)
{
    DocumentRecord record = Invoice();
    CBillDataDlg dialog(record, Db());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Modifica Fattura 12 / 2024"));
    EXPECT_EQ(Child<QLineEdit>(dialog, CBillDataDlg::kTaxCode)->text(), QStringLiteral("01234567890"));
    EXPECT_TRUE(Child<QLineEdit>(dialog, CBillDataDlg::kCompanyName)->isEnabled());
    EXPECT_EQ(Child<QLabel>(dialog, 1435)->text(), QStringLiteral("Ragione sociale*"));
    EXPECT_EQ(Child<QLabel>(dialog, 1441)->text(), QStringLiteral("CAP"));
    EXPECT_EQ(Child<QLabel>(dialog, 1449)->text(), QStringLiteral("Metodo di pagamento *"));
    CSortListCtrl& list = dialog.List();
    ASSERT_EQ(list.columnCount(), 7);
    EXPECT_EQ(list.headerItem()->text(6), QStringLiteral("Prezzo totale"));
    ASSERT_EQ(list.ItemCount(), 4);
    EXPECT_EQ(RowTexts(list, 0), (QStringList{"Pernottamento", "100.00", "10.00", "3", "300.00", "30.00", "330.00"}));
    EXPECT_EQ(RowTexts(list, 2), QStringList(7, QString()));
    EXPECT_EQ(RowTexts(list, 3), (QStringList{"", "", "", "TOTALE:", "310.00", "31.00", "341.00"}));

    // Only a line's row lets its line be changed or deleted.
    auto edit = Child<QPushButton>(dialog, CBillDataDlg::kEditLine);
    auto remove = Child<QPushButton>(dialog, CBillDataDlg::kDeleteLine);
    EXPECT_FALSE(edit->isEnabled());
    ClickRow(list, 3);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    ClickRow(list, 1);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_EQ(PressAndAnswer(dialog, CBillDataDlg::kDeleteLine, {ModalScript::No()}), QStringList{LoadResString(2124)});
    EXPECT_EQ(record.lines.size(), 2u);
    PressAndAnswer(dialog, CBillDataDlg::kDeleteLine, {ModalScript::Yes()});
    ASSERT_EQ(record.lines.size(), 1u);
    EXPECT_EQ(RowTexts(list, 2), (QStringList{"", "", "", "TOTALE:", "300.00", "30.00", "330.00"}));
    EXPECT_FALSE(remove->isEnabled());
}

// Fills the service dialog and presses its OK; the presets it showed are kept in `shown`.
ModalScript::Answer Service(const QString& description, const QString& price, const QString& quantity,
                            QStringList* shown = nullptr)
{
    return [=](QDialog* dialog) {
        auto text = dialog->findChild<QLineEdit*>(QString::number(CServiceEditDlg::kDescription));
        if (shown)
            *shown << text->text() << Child<CNumericEdit>(*dialog, CServiceEditDlg::kPrice)->text()
                   << Child<CNumericEdit>(*dialog, CServiceEditDlg::kQuantity)->text();
        text->setText(description);
        TypeNumber(*dialog, CServiceEditDlg::kPrice, price);
        TypeNumber(*dialog, CServiceEditDlg::kVat, QStringLiteral("10"));
        TypeNumber(*dialog, CServiceEditDlg::kQuantity, quantity);
        Press(*dialog, CServiceEditDlg::kOk);
    };
}

TEST_P(DocDialogTest, BillDataLinesComeFromTheServiceDialog)
{
    DocumentRecord record = Invoice();
    CBillDataDlg dialog(record, Db());
    dialog.show();
    CSortListCtrl& list = dialog.List();
    // A new line; then one equal to the minibar's, which adds its quantity.
    PressAndAnswer(dialog, CBillDataDlg::kNewLine, {Service(QStringLiteral("Lavanderia"), QStringLiteral("12"), QStringLiteral("2"))});
    ASSERT_EQ(record.lines.size(), 3u);
    EXPECT_EQ(RowTexts(list, 2), (QStringList{"Lavanderia", "10.91", "10.00", "2", "21.82", "2.18", "24.00"}));
    PressAndAnswer(dialog, CBillDataDlg::kNewLine, {Service(QStringLiteral("Minibar"), QStringLiteral("5.5"), QStringLiteral("1"))});
    ASSERT_EQ(record.lines.size(), 3u);
    EXPECT_EQ(record.lines[1].quantity, 3);
    EXPECT_EQ(RowTexts(list, 4), (QStringList{"", "", "", "TOTALE:", "336.82", "33.68", "370.50"}));
    // Cancelled: nothing changes.
    PressAndAnswer(dialog, CBillDataDlg::kNewLine);
    EXPECT_EQ(record.lines.size(), 3u);

    // Changed: the dialog shows the line, which takes the new quantity and its amounts.
    ClickRow(list, 0);
    QStringList shown;
    PressAndAnswer(dialog, CBillDataDlg::kEditLine, {Service(QStringLiteral("Pernottamento"), QStringLiteral("110"), QStringLiteral("2"), &shown)});
    EXPECT_EQ(shown, (QStringList{"Pernottamento", "110.00", "3"}));
    EXPECT_EQ(RowTexts(list, 0), (QStringList{"Pernottamento", "100.00", "10.00", "2", "200.00", "20.00", "220.00"}));
    EXPECT_FALSE(Child<QPushButton>(dialog, CBillDataDlg::kEditLine)->isEnabled());
}

TEST_P(DocDialogTest, BillDataConfirmsAnInvoiceWithItsCompanyAndALine)
{
    const QStringList missing{LoadResString(2037)};
    struct Case {
        const char* name;
        int emptied;  // an edit left empty, 0 for none
        bool withoutLines;
        QStringList boxes;
    };
    const Case cases[] = {
        {"complete", 0, false, {}},
        {"without CAP", CBillDataDlg::kPostCode, false, {}},
        {"without tax code", CBillDataDlg::kTaxCode, false, missing},
        {"without name", CBillDataDlg::kGuestName, false, missing},
        {"without payment", CBillDataDlg::kPayment, false, missing},
        {"without lines", 0, true, missing},
    };
    for (const Case& c : cases) {
        DocumentRecord record = Invoice();
        if (c.withoutLines)
            record.lines.clear();
        CBillDataDlg dialog(record, Db());
        Child<QLineEdit>(dialog, CBillDataDlg::kCity)->setText(QStringLiteral("Torino"));
        if (c.emptied)
            Child<QLineEdit>(dialog, c.emptied)->clear();
        EXPECT_EQ(PressAndAnswer(dialog, CBillDataDlg::kConfirm, {ModalScript::Ok()}), c.boxes) << c.name;
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.boxes.isEmpty()) << c.name;
        // The texts reach the record only on a confirmation.
        EXPECT_EQ(record.companyCity, c.boxes.isEmpty() ? QStringLiteral("Torino") : QStringLiteral("Milano")) << c.name;
    }
}

TEST_P(DocDialogTest, BillDataOfAReceiptNeedsNameAndPaymentOnly)
{
    DocumentRecord record = Receipt();
    record.lines.clear();
    CBillDataDlg dialog(record, Db());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Modifica Ricevuta fiscale 7 / 2007"));
    for (int id : {CBillDataDlg::kCompanyName, CBillDataDlg::kAddress, CBillDataDlg::kCity, CBillDataDlg::kPostCode,
                   CBillDataDlg::kProvince, CBillDataDlg::kCountry, CBillDataDlg::kVatNumber, CBillDataDlg::kTaxCode})
        EXPECT_FALSE(Child<QLineEdit>(dialog, id)->isEnabled()) << id;
    CSortListCtrl& list = dialog.List();
    ASSERT_EQ(list.columnCount(), 4);
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(RowTexts(list, 1), (QStringList{"", "", "TOTALE", "0.00"}));
    Child<QLineEdit>(dialog, CBillDataDlg::kPayment)->setText(QStringLiteral("Assegno"));
    EXPECT_TRUE(PressAndAnswer(dialog, CBillDataDlg::kConfirm).isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(record.paymentType, QStringLiteral("Assegno"));
    EXPECT_TRUE(record.companyName.isEmpty());

    DocumentRecord two = Receipt();
    CBillDataDlg withLines(two, Db());
    EXPECT_EQ(RowTexts(withLines.List(), 0), (QStringList{"Pernottamento", "110.00", "3", "330.00"}));
    EXPECT_EQ(RowTexts(withLines.List(), 3), (QStringList{"", "", "TOTALE", "341.00"}));
}

TEST_P(DocDialogTest, BillDataTakesNoNewLineWhenTheFileIsFull)
{
    for (const int count : {DocumentRecord::kMaxLines - 1, DocumentRecord::kMaxLines}) {
        DocumentRecord record = Invoice();
        record.lines.clear();
        for (int line = 0; line < count; ++line)
            record.lines.push_back(BillLine::Make(QStringLiteral("Servizio %1").arg(line), 1, Money::FromCents(100), kTenPercent));
        CBillDataDlg dialog(record, Db());
        EXPECT_EQ(Child<QPushButton>(dialog, CBillDataDlg::kNewLine)->isEnabled(), count < DocumentRecord::kMaxLines) << count;
        EXPECT_EQ(dialog.List().ItemText(count + 1, 6), QString::number(count) + QStringLiteral(".00")) << count;
        EXPECT_TRUE(PressAndAnswer(dialog, CBillDataDlg::kConfirm).isEmpty()) << count;
    }
}

// An issued document of a closed stay in a folder of the test's own.
class DocumentEditTest : public DocDialogTest {
protected:
    void SetUp() override
    {
        DocDialogTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(m_folder.isValid());
        m_links = std::make_unique<DocumentEditLinks>(DocumentEditLinks{Db(), m_hotel, m_folder.path() + u'/',
                                                                         [this](const QString& file) { m_printed << file; }});
    }

    // The file, and a stay that holds it as its second document.
    void Issue(const QString& file, const DocumentRecord& record, bool withStay = true)
    {
        ASSERT_TRUE(SaveDocumentFile(record, m_links->dataFolder + file));
        if (!withStay)
            return;
        CheckInRecord stay;
        stay.roomId = 1;
        stay.startDate = OleDate(2007, 5, 1);
        stay.endDate = OleDate(2007, 5, 3);
        stay.checkInDate = OleDate(2007, 5, 1, 12, 0);
        stay.checkOutDate = OleDate(2007, 5, 4, 10, 0);
        stay.documents[0] = {1, QStringLiteral("Recv200700006.psx"), kCash, Money::FromCents(1000)};
        stay.documents[1] = {2, file, kCash, Money::FromCents(34100)};
        ASSERT_EQ(Db().InsertCheckIn(m_hotel, stay), kNoError) << Db().LastError().toStdString();
        m_stayId = stay.checkInId;
    }

    CheckInRecord Stay()
    {
        std::vector<CheckInRecord> stays;
        EXPECT_EQ(Db().LoadCheckIns(m_hotel, OleDate(2000, 1, 1), OleDate(2100, 1, 1), 0xFFFF, stays), kNoError);
        for (const CheckInRecord& stay : stays)
            if (stay.checkInId == m_stayId)
                return stay;
        ADD_FAILURE() << "no stay " << m_stayId;
        return {};
    }

    QByteArray Bytes(const QString& file)
    {
        QFile stored(m_links->dataFolder + file);
        EXPECT_TRUE(stored.open(QIODevice::ReadOnly));
        return stored.readAll();
    }

    // Answers the number dialog with that document.
    static ModalScript::Answer Ask(int type, int number, int year)
    {
        return [=](QDialog* shown) {
            shown->findChild<QComboBox*>(QString::number(CDocumentNumberDlg::kType))->setCurrentIndex(type);
            shown->findChild<QLineEdit*>(QString::number(CDocumentNumberDlg::kNumber))->setText(QString::number(number));
            shown->findChild<QLineEdit*>(QString::number(CDocumentNumberDlg::kYear))->setText(QString::number(year));
            shown->findChild<QPushButton*>(QString::number(CDocumentNumberDlg::kConfirm))->click();
        };
    }

    // Deletes the first line in the bill data dialog (its question answered by the next answer), sets the
    // payment method and confirms.
    static ModalScript::Answer DeleteFirstLineAndPayBy(const QString& payment)
    {
        return [payment](QDialog* shown) {
            auto& dialog = *qobject_cast<CBillDataDlg*>(shown);
            ClickRow(dialog.List(), 0);
            Press(dialog, CBillDataDlg::kDeleteLine);
            Child<QLineEdit>(dialog, CBillDataDlg::kPayment)->setText(payment);
            Press(dialog, CBillDataDlg::kConfirm);
        };
    }

    QTemporaryDir m_folder;
    std::unique_ptr<DocumentEditLinks> m_links;
    QStringList m_printed;
    int m_stayId = 0;
};

TEST_P(DocumentEditTest, AnEditedReceiptGivesItsStayTheNewTotal)
{
    const QString file = QStringLiteral("Recv200700007.psx");
    Issue(file, Receipt());
    QWidget parent;
    ModalScript script({Ask(0, 7, 2007), DeleteFirstLineAndPayBy(QStringLiteral("Bonifico")), ModalScript::Yes(),
                        ModalScript::Yes()});
    EditIssuedDocument(&parent, *m_links);
    EXPECT_EQ(script.Boxes(), (QStringList{LoadResString(2124), LoadResString(2318)}));
    EXPECT_EQ(script.Left(), 0);
    EXPECT_EQ(m_printed, QStringList{file});
    DocumentRecord saved;
    ASSERT_TRUE(LoadDocumentFile(saved, m_links->dataFolder + file));
    ASSERT_EQ(saved.lines.size(), 1u);
    EXPECT_EQ(saved.lines[0].description, QStringLiteral("Minibar"));
    EXPECT_EQ(saved.paymentType, QStringLiteral("Bonifico"));
    const CheckInRecord stay = Stay();
    EXPECT_EQ(stay.documents[1].total, Money::FromCents(1100));
    EXPECT_EQ(stay.documents[1].paymentType, QStringLiteral("Bonifico"));
    EXPECT_EQ(stay.documents[0].total, Money::FromCents(1000)) << "the other document keeps its own";
}

TEST_P(DocumentEditTest, AMissingOrUnnamedDocumentIsReported)
{
    Issue(QStringLiteral("Recv200700007.psx"), Receipt());
    EXPECT_EQ(EditedDocumentName(0, 2007, 7), QStringLiteral("Recv200700007.psx"));
    EXPECT_EQ(EditedDocumentName(1, 2024, 12345), QStringLiteral("Fatt202412345.psx"));
    const QStringList noDocument{LoadResString(2317)};
    for (const QString& name : {EditedDocumentName(2, 2007, 7), EditedDocumentName(-1, 2007, 7), EditedDocumentName(1, 2007, 7)}) {
        ModalScript script({ModalScript::Ok()});
        QWidget parent;
        EXPECT_FALSE(EditDocumentFile(&parent, *m_links, name)) << name.toStdString();
        EXPECT_EQ(script.Boxes(), noDocument) << name.toStdString();
    }
    // Cancelled anywhere: nothing changes.
    const QByteArray before = Bytes(QStringLiteral("Recv200700007.psx"));
    QWidget parent;
    ModalScript cancelled({Ask(0, 7, 2007)});  // the bill data dialog is cancelled
    EditIssuedDocument(&parent, *m_links);
    EXPECT_EQ(Bytes(QStringLiteral("Recv200700007.psx")), before);
    EXPECT_TRUE(m_printed.isEmpty());
}

TEST_P(DocumentEditTest, AStayThatRefusesTheNewTotalGetsTheOldFileBack)
{
    const QString file = QStringLiteral("Fatt202400012.psx");
    Issue(file, Invoice(), false);
    const QByteArray before = Bytes(file);
    QWidget parent;
    ModalScript script({Ask(1, 12, 2024), DeleteFirstLineAndPayBy(QStringLiteral("Bonifico")), ModalScript::Yes(),
                        ModalScript::Ok()});
    EditIssuedDocument(&parent, *m_links);
    EXPECT_EQ(script.Boxes(), (QStringList{LoadResString(2124), LoadResString(2146)}));
    EXPECT_EQ(Bytes(file), before);
    EXPECT_TRUE(m_printed.isEmpty());
}

TEST_P(DocumentEditTest, TheViewsCommandIsAnAdministratorsAndPreviewsTheSavedDocument)
{
    constexpr int kEditDocumentCommand = 32815;
    const QString file = QStringLiteral("Recv200700007.psx");
    Issue(file, Receipt());
    LodgixState state;
    state.database = Connect();
    state.hotelId = m_hotel;
    state.dataFolder = m_links->dataFolder;
    state.currentOperator = {QStringLiteral("lucia"), false, 2};
    SetDefaultPrintSettings(state.printSettings);
    {
        CLodgixView view(state);
        EXPECT_FALSE(view.IsCommandEnabled(kEditDocumentCommand));
        state.currentOperator.administrator = true;
        EXPECT_TRUE(view.IsCommandEnabled(kEditDocumentCommand));

        ModalScript script({Ask(0, 7, 2007), DeleteFirstLineAndPayBy(QStringLiteral("Bonifico")), ModalScript::Yes(),
                            ModalScript::Yes()});
        view.PostCommand(kEditDocumentCommand);
        QCoreApplication::sendPostedEvents();  // the command, then the preview it posts (closed unanswered)
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(script.Boxes(), (QStringList{LoadResString(2124), LoadResString(2318)}));
        EXPECT_EQ(view.Printing().DocumentBuffer().paymentType, QStringLiteral("Bonifico"));
        EXPECT_EQ(view.Printing().Request().kind, kPrintDocument);
    }
    EXPECT_EQ(Stay().documents[1].total, Money::FromCents(1100));
    state.Shutdown();
}

INSTANTIATE_DB_TEST(DocDialogTest);
INSTANTIATE_DB_TEST(DocumentEditTest);

}  // namespace
}  // namespace lodgix
