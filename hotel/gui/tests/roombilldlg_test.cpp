// The room bill dialog in its two modes, on each backend (the documents' labels read guests and
// companies): documents in use, columns, totals, moves, deletion, the 256-line limit of a document file,
// and the phone-call detail handed to a running or a started rating program.
#include "callhistoryrequest.h"
#include "clippedtextcheck.h"
#include "documentrecord.h"
#include "hoteldbtest.h"
#include "language.h"
#include "modalscript.h"
#include "numericedit.h"
#include "oledatetext.h"
#include "postedmessages.h"
#include "roombilldlg.h"
#include "serviceeditdlg.h"
#include "sortlistctrl.h"
#include "stringtable.h"
#include "suiteipc.h"
#include "tarivowindow.h"
#include "tempsuite.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace lodgix {
namespace {

constexpr int kRoomId = 7;  // the second room of the table: its id is not its index
constexpr int kPbx = 1;
constexpr int kExtension = 5;
const QString kReceipt = QStringLiteral("Recv200700012.psx");
const QString kInvoice = QStringLiteral("Fatt202600003.psx");
const QString kSecondReceipt = QStringLiteral("Recv202600040.psx");

template <typename T>
T* Child(QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

CSortListCtrl* List(QWidget& dialog, int document) { return Child<CSortListCtrl>(dialog, CRoomBillDlg::kLists[document]); }

// The texts of a list's rows, cells joined by '|'.
QStringList Rows(QWidget& dialog, int document)
{
    CSortListCtrl* list = List(dialog, document);
    QStringList rows;
    for (int row = 0; row < list->ItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells << list->ItemText(row, column);
        rows << cells.join(u'|');
    }
    return rows;
}

void Select(QWidget& dialog, int document, int row)
{
    CSortListCtrl* list = List(dialog, document);
    list->clearSelection();
    list->topLevelItem(row)->setSelected(true);
}

void Press(QWidget& dialog, int id) { Child<QPushButton>(dialog, id)->click(); }

// The ids of the dialog's visible buttons and lists.
std::set<int> VisibleIds(QWidget& dialog)
{
    std::set<int> ids;
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        bool number = false;
        const int id = child->objectName().toInt(&number);
        if (number && child->isVisibleTo(&dialog) && (qobject_cast<QPushButton*>(child) || qobject_cast<CSortListCtrl*>(child)))
            ids.insert(id);
    }
    return ids;
}

class RoomBillTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        PrepareHotel();
        GuestRecord guest;
        guest.name = QStringLiteral("Mario Rossi");
        guest.dateOfBirth = QDate(1970, 1, 1);
        ASSERT_EQ(Db().InsertGuest(guest, m_guest), kNoError);
        guest.name = QStringLiteral("Anna Bianchi");
        ASSERT_EQ(Db().InsertGuest(guest, m_otherGuest), kNoError);
        CompanyRecord company;
        company.companyName = QStringLiteral("Alfa Forniture Srl");
        ASSERT_EQ(Db().InsertCompany(company, m_company), kNoError);
        for (int id : {3, kRoomId}) {
            RoomRecord room;
            room.id = id;
            room.label = QString::number(100 + id);
            room.pbx = kPbx;
            room.extension = id == kRoomId ? kExtension : 1;
            m_rooms.push_back(room);
        }
        m_stay.roomId = kRoomId;
        m_stay.checkInDate = OleDate(2026, 12, 8, 14, 30, 0);
        m_lines = {BillLine::Make(QStringLiteral("Pernottamento"), 3, Money::FromCents(8000), VatRate::FromHundredths(1000)),
                   BillLine::Make(QStringLiteral("Spesa telefonica"), 1, Money::FromCents(350), VatRate::FromHundredths(2000)),
                   BillLine::Make(QStringLiteral("Internet access (K7Q2)"), 1, Money::FromCents(600), VatRate::FromHundredths(2000)),
                   BillLine::Make(QStringLiteral("Minibar"), 2, Money::FromCents(250), VatRate::FromHundredths(1000))};
        m_counts.lines = {4, 0, 0, 0};
    }
    void TearDown() override
    {
        SetLanguage(1);
        HotelDbTest::TearDown();
    }

    // The stay's documents: receipts for the guests, invoices for the company, in that order.
    void UseDocuments(const QStringList& files)
    {
        for (int k = 0; k < files.size(); ++k) {
            const bool receipt = files[k].startsWith(QStringLiteral("Recv"));
            m_stay.documents[static_cast<std::size_t>(k)] = {receipt ? (k == 0 ? m_guest : m_otherGuest) : m_company,
                                                            files[k], {}, {}};
        }
    }

    std::unique_ptr<CRoomBillDlg> Open(int mode)
    {
        auto dialog = std::make_unique<CRoomBillDlg>(mode, m_lines, m_counts, m_stay, Db(), m_rooms);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }

    void CheckShown(QWidget& dialog, const QString& name)
    {
        EXPECT_TRUE(HasNoClippedText(dialog)) << name.toStdString();
        SaveScreenshot(dialog, QStringLiteral("lodgix_roombill_%1_%2").arg(name, CurrentLanguage() == 2 ? "en" : "it"));
    }

    int m_guest = 0;
    int m_otherGuest = 0;
    int m_company = 0;
    std::vector<RoomRecord> m_rooms;
    CheckInRecord m_stay;
    std::vector<BillLine> m_lines;
    DocumentLineCounts m_counts;
};

TEST_P(RoomBillTest, ViewShowsOneReadOnlyListWithTotals)
{
    auto dialog = Open(CRoomBillDlg::kView);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Visualizza conto camera"));
    EXPECT_EQ(VisibleIds(*dialog), (std::set<int>{1206, 1216}));
    EXPECT_EQ(List(*dialog, 0)->columnCount(), 4);
    EXPECT_EQ(Rows(*dialog, 0),
              (QStringList{QStringLiteral("Pernottamento|80.00|3|240.00"), QStringLiteral("Spesa telefonica|3.50|1|3.50"),
                           QStringLiteral("Internet access|6.00|1|6.00"), QStringLiteral("Minibar|2.50|2|5.00"),
                           QStringLiteral("|||"), QStringLiteral("||TOTALE|254.50")}));
    EXPECT_EQ(dialog->DocumentTotal(0), Money::FromCents(25450));
    // The caller's lines keep their access code: only what the dialog shows is cut.
    EXPECT_EQ(m_lines[2].description, QStringLiteral("Internet access (K7Q2)"));
    for (int language : {1, 2}) {
        SetLanguage(language);
        auto shown = Open(CRoomBillDlg::kView);
        CheckShown(*shown, QStringLiteral("view"));
    }
}

TEST_P(RoomBillTest, TwoDocumentsShowTheirListsLabelsAndOneArrowPair)
{
    UseDocuments({kReceipt, kInvoice});
    m_counts.lines = {3, 1, 0, 0};
    auto dialog = Open(CRoomBillDlg::kCheckOut);
    EXPECT_EQ(VisibleIds(*dialog), (std::set<int>{1206, 1207, 1215, 1208, 1209, 1212, 1210, 1218, 1211, 1219, 1216,
                                                  1217, 1228}));
    EXPECT_EQ(Child<QLabel>(*dialog, 1416)->text(), QStringLiteral("Ricevuta fiscale 12 / 2007, Mario Rossi"));
    EXPECT_EQ(Child<QLabel>(*dialog, 1417)->text(), QStringLiteral("Fattura 3 / 2026, Alfa Forniture Srl"));
    EXPECT_EQ(List(*dialog, 0)->columnCount(), 4);
    ASSERT_EQ(List(*dialog, 1)->columnCount(), 7);
    EXPECT_EQ(Rows(*dialog, 1), (QStringList{QStringLiteral("Minibar|2.27|10.00|2|4.55|0.45|5.00"),
                                             QStringLiteral("||||||"), QStringLiteral("|||TOTALE:|4.55|0.45|5.00")}));
    EXPECT_EQ(Rows(*dialog, 0).at(2), QStringLiteral("Internet access|6.00|1|6.00"));
    // Nothing selected: the line buttons are off.
    for (int id : {1215, 1208, 1209, 1218, 1211, 1219})
        EXPECT_FALSE(Child<QPushButton>(*dialog, id)->isEnabled()) << id;

    // Each document's label names the client of its own slot, here two guests.
    UseDocuments({kReceipt, kSecondReceipt});
    auto receipts = Open(CRoomBillDlg::kCheckOut);
    EXPECT_EQ(Child<QLabel>(*receipts, 1417)->text(), QStringLiteral("Ricevuta fiscale 40 / 2026, Anna Bianchi"));
    // A client that cannot be loaded only drops the name.
    m_stay.documents[1].billId = 9999;
    auto unknown = Open(CRoomBillDlg::kCheckOut);
    EXPECT_EQ(Child<QLabel>(*unknown, 1417)->text(), QStringLiteral("Ricevuta fiscale 40 / 2026"));
}

TEST_P(RoomBillTest, MovedLineMergesAndTheTotalsRowTurnsButtonsOff)
{
    UseDocuments({kReceipt, kSecondReceipt});
    m_lines.push_back(BillLine::Make(QStringLiteral("Minibar"), 1, Money::FromCents(250), VatRate::FromHundredths(1000)));
    m_counts.lines = {4, 1, 0, 0};  // document 2 holds one Minibar
    auto dialog = Open(CRoomBillDlg::kCheckOut);
    Select(*dialog, 0, 3);
    EXPECT_TRUE(Child<QPushButton>(*dialog, 1209)->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(*dialog, 1219)->isEnabled()) << "the other document's arrow";
    Press(*dialog, 1209);
    EXPECT_EQ((std::array<quint16, 4>{3, 1, 0, 0}), m_counts.lines) << "merged: document 2 does not grow";
    ASSERT_EQ(dialog->DocumentLines(1).size(), 1u);
    EXPECT_EQ(dialog->DocumentLines(1)[0].quantity, 3);
    EXPECT_EQ(dialog->DocumentLines(1)[0].grossAmount, Money::FromCents(750));
    EXPECT_EQ(Rows(*dialog, 1).last(), QStringLiteral("||TOTALE|7.50"));
    EXPECT_FALSE(Child<QPushButton>(*dialog, 1209)->isEnabled()) << "refilled: nothing selected";

    // The blank row and the totals row are no lines.
    Select(*dialog, 1, 0);
    EXPECT_TRUE(Child<QPushButton>(*dialog, 1219)->isEnabled());
    for (int row : {1, 2}) {
        Select(*dialog, 1, row);
        for (int id : {1218, 1211, 1219})
            EXPECT_FALSE(Child<QPushButton>(*dialog, id)->isEnabled()) << row << " " << id;
    }
    // An arrow pressed with no line selected moves nothing.
    Press(*dialog, 1219);
    EXPECT_EQ((std::array<quint16, 4>{3, 1, 0, 0}), m_counts.lines);

    // Back to document 1: a line of its own again, at the end.
    Select(*dialog, 1, 0);
    Press(*dialog, 1219);
    EXPECT_EQ((std::array<quint16, 4>{4, 0, 0, 0}), m_counts.lines);
    EXPECT_EQ(dialog->DocumentLines(0).back().quantity, 3);
}

TEST_P(RoomBillTest, EmptiedDocumentsAndTheirConfirmation)
{
    UseDocuments({kReceipt, kInvoice});
    m_counts.lines = {3, 1, 0, 0};
    auto dialog = Open(CRoomBillDlg::kCheckOut);
    // Deleting asks first; No keeps the line.
    Select(*dialog, 1, 0);
    {
        ModalScript script({ModalScript::No()});
        Press(*dialog, 1211);
        EXPECT_EQ(script.Boxes(), QStringList{QStringLiteral("Confermi l'eliminazione del servizio")});
    }
    EXPECT_EQ(dialog->DocumentLines(1).size(), 1u);
    Select(*dialog, 1, 0);
    {
        ModalScript script({ModalScript::Yes()});
        Press(*dialog, 1211);
    }
    EXPECT_TRUE(dialog->DocumentLines(1).empty());
    EXPECT_EQ(Rows(*dialog, 1), (QStringList{QStringLiteral("||||||"), QStringLiteral("|||TOTALE:|0.00|0.00|0.00")}));
    const std::vector<BillLine> before = m_lines;
    Press(*dialog, CRoomBillDlg::kConfirm);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ((std::array<quint16, 4>{3, 0, 0, 0}), m_counts.lines);
    ASSERT_EQ(m_lines.size(), 3u);
    EXPECT_EQ(m_lines[0], before[0]);
    EXPECT_EQ(m_lines[2].description, QStringLiteral("Internet access")) << "issued without its code";

    // Every document emptied: no lines at all.
    m_counts.lines = {3, 0, 0, 0};
    auto empty = Open(CRoomBillDlg::kCheckOut);
    for (int i = 0; i < 3; ++i) {
        Select(*empty, 0, 0);
        ModalScript script({ModalScript::Yes()});
        Press(*empty, 1208);
    }
    EXPECT_EQ(Rows(*empty, 0).last(), QStringLiteral("||TOTALE|0.00"));
    Press(*empty, CRoomBillDlg::kConfirm);
    EXPECT_EQ(empty->result(), QDialog::Accepted);
    EXPECT_TRUE(m_lines.empty());
    EXPECT_EQ(m_counts.Total(), 0);

    // Annulla leaves the caller's lines as they were.
    m_lines = before;
    m_counts.lines = {4, 0, 0, 0};
    auto cancelled = Open(CRoomBillDlg::kCheckOut);
    Select(*cancelled, 0, 0);
    Press(*cancelled, 1209);
    Press(*cancelled, CRoomBillDlg::kCancel);
    EXPECT_EQ(cancelled->result(), QDialog::Rejected);
    EXPECT_EQ(m_lines, before);
}

// Fills the service edit dialog and presses its OK.
ModalScript::Answer EnterService(const QString& description, double price, double vat, int quantity)
{
    return [=](QDialog* shown) {
        shown->findChild<QLineEdit*>(QString::number(CServiceEditDlg::kDescription))->setText(description);
        for (const auto& [id, value] : {std::pair{CServiceEditDlg::kPrice, price}, std::pair{CServiceEditDlg::kVat, vat},
                                        std::pair{CServiceEditDlg::kQuantity, double(quantity)}})
            shown->findChild<CNumericEdit*>(QString::number(id))->SetValue(value);
        shown->findChild<QPushButton*>(QString::number(CServiceEditDlg::kOk))->click();
    };
}

TEST_P(RoomBillTest, NewAndModifiedServicesGoThroughTheServiceEditDialog)
{
    UseDocuments({kReceipt, kInvoice});
    m_counts.lines = {4, 0, 0, 0};
    auto dialog = Open(CRoomBillDlg::kCheckOut);
    {
        ModalScript script({EnterService(QStringLiteral("Cena"), 25.5, 10, 2)});
        Press(*dialog, 1210);
        EXPECT_EQ(script.Left(), 0);
    }
    ASSERT_EQ(dialog->DocumentLines(1).size(), 1u);
    EXPECT_EQ(dialog->DocumentLines(1)[0], BillLine::Make(QStringLiteral("Cena"), 2, Money::FromCents(2550),
                                                          VatRate::FromHundredths(1000)));
    EXPECT_EQ((std::array<quint16, 4>{4, 1, 0, 0}), m_counts.lines);
    EXPECT_EQ(Rows(*dialog, 1).last(), QStringLiteral("|||TOTALE:|46.36|4.64|51.00"));
    // The same description and price as a line of the document: its quantity grows.
    {
        ModalScript script({EnterService(QStringLiteral("Minibar"), 2.5, 10, 1)});
        Press(*dialog, 1207);
    }
    EXPECT_EQ(m_counts.lines[0], 4);
    EXPECT_EQ(dialog->DocumentLines(0)[3].quantity, 3);
    // Cancelled: nothing changes.
    {
        ModalScript script({});
        Press(*dialog, 1207);
    }
    EXPECT_EQ(m_counts.lines[0], 4);

    // Modify shows the line and rewrites it in place.
    Select(*dialog, 0, 0);
    QString shownDescription;
    double shownQuantity = 0;
    {
        ModalScript script({[&](QDialog* shown) {
            shownDescription = shown->findChild<QLineEdit*>(QString::number(CServiceEditDlg::kDescription))->text();
            shownQuantity = shown->findChild<CNumericEdit*>(QString::number(CServiceEditDlg::kQuantity))->GetValue();
            EnterService(QStringLiteral("Pernottamento"), 80, 10, 2)(shown);
        }});
        Press(*dialog, 1215);
    }
    EXPECT_EQ(shownDescription, QStringLiteral("Pernottamento"));
    EXPECT_EQ(shownQuantity, 3.0);
    EXPECT_EQ(dialog->DocumentLines(0)[0].grossAmount, Money::FromCents(16000));
    EXPECT_EQ(Rows(*dialog, 0).first(), QStringLiteral("Pernottamento|80.00|2|160.00"));
}

TEST_P(RoomBillTest, ADocumentOfMoreLinesThanItsFileHoldsIsRefused)
{
    UseDocuments({kReceipt, kSecondReceipt});
    m_lines.clear();
    for (int i = 0; i <= DocumentRecord::kMaxLines; ++i)
        m_lines.push_back(BillLine::Make(QStringLiteral("Camera %1").arg(i), 1, Money::FromCents(1000), VatRate::FromHundredths(1000)));
    m_counts.lines = {static_cast<quint16>(m_lines.size()), 0, 0, 0};
    const std::vector<BillLine> before = m_lines;
    auto dialog = Open(CRoomBillDlg::kCheckOut);
    {
        ModalScript script({ModalScript::Ok()});
        Press(*dialog, CRoomBillDlg::kConfirm);
        EXPECT_EQ(script.Boxes(), QStringList{LoadResString(CRoomBillDlg::kTooManyLinesString)});
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(m_lines, before);
    // One line moved to the second document: 256 and 1 fit.
    Select(*dialog, 0, 0);
    Press(*dialog, 1209);
    Press(*dialog, CRoomBillDlg::kConfirm);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ((std::array<quint16, 4>{256, 1, 0, 0}), m_counts.lines);
    EXPECT_EQ(m_lines.size(), 257u);
    EXPECT_EQ(m_lines.back().description, QStringLiteral("Camera 0"));
}

TEST_P(RoomBillTest, LayoutsOfOneTwoAndFourDocuments)
{
    const std::pair<QString, QStringList> cases[] = {
        {QStringLiteral("one"), {kReceipt}},
        {QStringLiteral("two"), {kReceipt, kInvoice}},
        {QStringLiteral("four"), {kReceipt, kSecondReceipt, kInvoice, QStringLiteral("Fatt202600004.psx")}},
    };
    for (int language : {1, 2}) {
        SetLanguage(language);
        for (const auto& [name, files] : cases) {
            m_stay.documents = {};
            UseDocuments(files);
            m_counts.lines = {2, 1, 1, 0};
            auto dialog = Open(CRoomBillDlg::kCheckOut);
            CheckShown(*dialog, name);
        }
    }
    // Four documents: every arrow.
    auto dialog = Open(CRoomBillDlg::kCheckOut);
    for (int id : {1209, 1219, 1229, 1230, 1231, 1232})
        EXPECT_TRUE(Child<QPushButton>(*dialog, id)->isVisibleTo(dialog.get())) << id;
}

// The phone-call detail: the seven messages to a running Tarivo, in order; without it, Tarivo started in
// its folder with one argument. The suite tree is a temporary one, so that the stand-in script is ours.
TEST_P(RoomBillTest, PhoneDetailGoesToARunningOrAStartedTarivo)
{
    TempSuite suite(QStringLiteral("Lodgix"));
    ASSERT_TRUE(suite.IsValid());
    auto dialog = Open(CRoomBillDlg::kView);
    PostedMessages tarivo;
    {
        auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), tarivo);
        ASSERT_NE(registration, nullptr);
        Press(*dialog, CRoomBillDlg::kPhoneDetail);
        ASSERT_TRUE(WaitFor([&] { return tarivo.posted.size() >= 7; }));
    }
    const std::uint32_t order[] = {kTarivoHistoryPbx, kTarivoHistoryExtension, kTarivoHistoryStart, kTarivoHistoryEnd,
                                   kTarivoShowHistory, kTarivoCompute, kTarivoActivate};
    ASSERT_EQ(tarivo.posted.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(tarivo.posted[i].message, order[i]) << i;
    EXPECT_EQ(tarivo.posted[0].wParam, static_cast<std::uint64_t>(kPbx));
    EXPECT_EQ(tarivo.posted[1].wParam, static_cast<std::uint64_t>(kExtension));
    EXPECT_EQ(tarivo.posted[2].Date(), m_stay.checkInDate.Value());
    EXPECT_NEAR(tarivo.posted[3].Date(), OleDate::Now().Value(), 1.0 / 24 / 60);
    for (std::size_t i = 4; i < 7; ++i)
        EXPECT_EQ(tarivo.posted[i].wParam, 0u) << i;

    // Not running: one start of <suite>/Tarivo/Tarivo in its folder, its path and switches as one argument.
    const QString folder = TarivoProgramFolder();
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile script(TarivoProgramPath());
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" \"$PWD\" >> args.txt\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    Press(*dialog, CRoomBillDlg::kPhoneDetail);
    QFile arguments(folder + QStringLiteral("args.txt"));
    const auto written = [&arguments] {
        if (!arguments.open(QIODevice::ReadOnly))
            return QStringList();
        const QStringList lines = QString::fromUtf8(arguments.readAll()).split(u'\n', Qt::SkipEmptyParts);
        arguments.close();
        return lines;
    };
    ASSERT_TRUE(WaitFor([&] { return written().size() >= 3; }));
    QTest::qWait(300);
    const QStringList lines = written();
    ASSERT_EQ(lines.size(), 3) << "one start";
    EXPECT_EQ(lines[0], QStringLiteral("1"));
    const QString expectedStart = TarivoProgramPath() + QStringLiteral(" -SOURCE:STORICO -INIT:") +
                                  FormatOleDate(m_stay.checkInDate, QLocale()) + QStringLiteral(" -END:");
    EXPECT_TRUE(lines[1].startsWith(expectedStart)) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" -PBX:1 -DER:5 -APPLY:1 -CLOSE:0"))) << lines[1].toStdString();
    EXPECT_EQ(QDir(lines[2]).canonicalPath(), QDir(folder).canonicalPath());

    // A room missing from the table: nothing is started.
    ASSERT_TRUE(arguments.remove());
    m_stay.roomId = 99;
    auto missing = Open(CRoomBillDlg::kView);
    Press(*missing, CRoomBillDlg::kPhoneDetail);
    QTest::qWait(300);
    EXPECT_FALSE(arguments.exists());
}

INSTANTIATE_DB_TEST(RoomBillTest);

}  // namespace
}  // namespace lodgix
