// Bills and lists on paper, printed to PDF files and read back with pdftotext, and the view's print
// steps: orientation, titles, the police form's flag, the queue of documents.
#include "billprinter.h"
#include "documentchoicedlg.h"
#include "staydocumentchoice.h"
#include "documentfiles.h"
#include "language.h"
#include "listreportprinter.h"
#include "lodgixprinting.h"
#include "printtext.h"
#include "settingsfile.h"
#include "widgettesting.h"

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace lodgix {
namespace {

constexpr int kPointsPerInch = 72;

PrintSettings Settings(std::uint8_t flags)
{
    PrintSettings settings;
    SetDefaultPrintSettings(settings);
    settings.flags = flags;
    settings.headerLines = {QStringLiteral("Albergo Prova"), QStringLiteral("Via Roma 1"),
                            QStringLiteral("Milano"), QStringLiteral("www.prova.it")};
    settings.title = QStringLiteral("Titolo della prova");
    return settings;
}

DocumentRecord Bill(int lines, quint8 type = DocumentRecord::kReceipt)
{
    DocumentRecord document;
    document.issued = OleDate::FromDateTime(QDateTime(QDate(2026, 3, 14), QTime(10, 30)));
    document.number = QStringLiteral("7 / 2026");
    document.paymentType = QStringLiteral("Contanti");
    document.guestName = QStringLiteral("Rossi Mario");
    document.type = type;
    for (int line = 0; line < lines; ++line)
        document.lines.push_back(BillLine::Make(QStringLiteral("voce%1").arg(line, 3, 10, QChar(u'0')), 2,
                                                Money::FromCents(1050), VatRate::FromHundredths(1000)));
    return document;
}

// A page of 72 dots per inch (one point is one dot), as large as an A4 sheet.
QImage PointPage(bool landscape = false)
{
    QImage page(landscape ? 842 : 595, landscape ? 595 : 842, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(kPointsPerInch / 0.0254));
    page.setDotsPerMeterY(qRound(kPointsPerInch / 0.0254));
    page.fill(Qt::white);
    return page;
}

// The rightmost column with ink, or -1.
int LastDarkColumn(const QImage& image)
{
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 160)
                return x;
    return -1;
}

using PageCounter = std::function<int(QPainter&)>;
using PagePrinter = std::function<void(QPainter&, int pages, int page)>;

// Counts on the printer, then prints every page of the count into the PDF; the count.
int PrintToPdf(const QString& path, bool landscape, const PageCounter& count, const PagePrinter& print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true);
    QPainter painter(&printer);
    const int pages = count(painter);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        print(painter, pages, page);
    }
    return pages;
}

QString PdfText(const QString& path, int page = 0)
{
    QStringList options{QStringLiteral("-layout")};
    if (page > 0)
        options << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    QProcess process;
    process.start(QStringLiteral("pdftotext"), options + QStringList{path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(30000);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

int Occurrences(const QString& text, const QString& word)
{
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word))));
}

class HotelPrintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLanguage(1);
        ASSERT_TRUE(m_dir.isValid());
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    int PrintBill(PrintSettings& settings, const DocumentRecord& document, const QString& path)
    {
        return PrintToPdf(
            path, false,
            [&](QPainter& painter) {
                return PrintBillDocument(settings, painter, document, nullptr, nullptr, false, 0, 1);
            },
            [&](QPainter& painter, int pages, int page) {
                EXPECT_EQ(PrintBillDocument(settings, painter, document, nullptr, nullptr, true, pages, page), page);
            });
    }

    QTemporaryDir m_dir;
};

TEST_F(HotelPrintingTest, EmptyReceiptIsOnePageWithEveryFixedBlock)
{
    PrintSettings settings = Settings(PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers);
    const QString path = Path(QStringLiteral("receipt.pdf"));
    ASSERT_EQ(PrintBill(settings, Bill(0), path), 1);
    EXPECT_EQ(settings.title, QStringLiteral("RICEVUTA FISCALE N. 7 / 2026"));
    const QString text = PdfText(path);
    for (const char* expected : {"Albergo Prova", "RICEVUTA FISCALE N. 7 / 2026", "14/03/2026 10:30:00", "CLIENTE",
                                 "Rossi Mario", "Descrizione", "TOTALE", "Metodo di pagamento", "Firma", "Contanti",
                                 "Pagina 1/1"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("TOTALE\\s+0\\.00")))) << text.toStdString();
    EXPECT_FALSE(text.contains(QLatin1String("AZIENDA"))) << "a receipt has no company block";
    EXPECT_EQ(PdfPages(path), 1);
}

TEST_F(HotelPrintingTest, PrePrintedNumberAndNoHeaderOnAnyPage)
{
    PrintSettings settings = Settings(PrintSettings::kPreprintedDocumentNumber | PrintSettings::kPrintPageNumbers);
    const QString path = Path(QStringLiteral("preprinted.pdf"));
    const int pages = PrintBill(settings, Bill(110), path);
    ASSERT_EQ(pages, 3);
    ASSERT_EQ(PdfPages(path), 3);
    const QString first = PdfText(path, 1);
    EXPECT_FALSE(first.contains(QLatin1String("RICEVUTA"))) << "the paper carries the number";
    EXPECT_TRUE(first.contains(QLatin1String("14/03/2026 10:30:00")));
    // The date takes the title's place: it is the first thing on the page.
    EXPECT_TRUE(first.trimmed().startsWith(QLatin1String("14/03/2026"))) << first.left(200).toStdString();
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(path, page);
        EXPECT_FALSE(text.contains(QLatin1String("Albergo Prova"))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Pagina %1/3").arg(page))) << page;
    }
    // Continuation pages repeat the column headings.
    EXPECT_TRUE(PdfText(path, 2).contains(QLatin1String("Descrizione")));
}

TEST_F(HotelPrintingTest, InvoiceCompanyBlockWithAndWithoutPostcode)
{
    DocumentRecord invoice = Bill(2, DocumentRecord::kInvoice);
    invoice.companyName = QStringLiteral("Ditta Srl");
    invoice.companyAddress = QStringLiteral("Via Dante 3");
    invoice.companyCity = QStringLiteral("Torino");
    invoice.companyProvince = QStringLiteral("TO");
    invoice.companyCountry = QStringLiteral("Italia");
    invoice.companyVatNumber = QStringLiteral("01234567890");
    invoice.companyTaxCode = QStringLiteral("RSSMRA");
    struct Case {
        QString postcode;
        QString cityLine;
    } const cases[] = {{QString(), QStringLiteral("Torino (TO), Italia")},
                       {QStringLiteral("10100"), QStringLiteral("10100, Torino (TO), Italia")}};
    for (const Case& c : cases) {
        invoice.companyPostCode = c.postcode;
        PrintSettings settings = Settings(PrintSettings::kPrintPageNumbers);
        const QString path = Path(QStringLiteral("invoice.pdf"));
        ASSERT_EQ(PrintBill(settings, invoice, path), 1);
        const QString text = PdfText(path);
        EXPECT_TRUE(text.contains(QLatin1String("FATTURA N. 7 / 2026")));
        EXPECT_TRUE(text.contains(QLatin1String("AZIENDA")));
        EXPECT_TRUE(text.contains(QLatin1String("P. IVA: 01234567890")));
        EXPECT_TRUE(text.contains(QLatin1String("Codice fiscale: RSSMRA")));
        QString cityLine;
        for (const QString& line : text.split(u'\n'))
            if (line.contains(QLatin1String("Italia")))
                cityLine = line.trimmed();
        EXPECT_EQ(cityLine, c.cityLine) << text.toStdString();
        // Invoice totals: two lines of 2 x 10.50 at 10%.
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("TOTALE\\s+\\S+\\s+\\S+\\s+42\\.00"))))
            << text.toStdString();
    }
}

TEST_F(HotelPrintingTest, LongBillHasEveryLineOnceOnTheCountedPagesInsideTheMargins)
{
    PrintSettings settings = Settings(PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers);
    const DocumentRecord bill = Bill(150);
    const QString path = Path(QStringLiteral("long.pdf"));
    const int pages = PrintBill(settings, bill, path);
    ASSERT_GT(pages, 2);
    ASSERT_EQ(PdfPages(path), pages);
    QString all;
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(path, page);
        all += text;
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pagina %1/%2\\s*$").arg(page).arg(pages))))
            << page;
    }
    for (int line = 0; line < 150; ++line)
        EXPECT_EQ(Occurrences(all, QStringLiteral("voce%1").arg(line, 3, 10, QChar(u'0'))), 1) << line;
    EXPECT_EQ(Occurrences(all, QStringLiteral("TOTALE")), 1);
    EXPECT_EQ(Occurrences(all, QStringLiteral("Firma")), 1) << "the summary closes the last page only";

    // The same on pages of known resolution: nothing right of the right margin.
    QImage page = PointPage();
    int counted = 0;
    {
        QPainter painter(&page);
        counted = PrintBillDocument(settings, painter, bill, nullptr, nullptr, false, 0, 1);
    }
    for (int number = 1; number <= counted; ++number) {
        page.fill(Qt::white);
        QPainter painter(&page);
        PrintBillDocument(settings, painter, bill, nullptr, nullptr, true, counted, number);
        painter.end();
        EXPECT_LE(LastDarkColumn(page), page.width() - settings.leftMargin) << number;
        if (number <= 2 || number == counted)
            SaveScreenshot(page, QStringLiteral("lodgix_bill_page%1").arg(number));
    }
}

// A list window as the front desk shows it: its columns (wider or narrower than the window).
void FillList(QTreeWidget& list, int rows, int columnWidth, int windowWidth)
{
    list.resize(windowWidth, 300);
    list.setHeaderLabels({QStringLiteral("Camera"), QStringLiteral("Data di arrivo"), QStringLiteral("Cliente"),
                          QStringLiteral("Fine")});
    for (int column = 0; column < 4; ++column)
        list.setColumnWidth(column, columnWidth);
    for (int row = 0; row < rows; ++row)
        list.addTopLevelItem(new QTreeWidgetItem({QStringLiteral("riga%1").arg(row, 3, 10, QChar(u'0')),
                                                  QStringLiteral("01/03/2026"), QStringLiteral("Bianchi"),
                                                  QStringLiteral("ultimacolonna%1").arg(row)}));
}

// A settings file whose print block is all zeros (no font face, no sizes, no margins) still prints the
// bill's content and a list report.
TEST_F(HotelPrintingTest, ZeroedPrintSettingsStillPrint)
{
    PrintSettings settings;
    settings.flags = PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers;
    const QString bill = Path(QStringLiteral("zeroed.pdf"));
    ASSERT_EQ(PrintBill(settings, Bill(2), bill), 1);
    const QString text = PdfText(bill);
    for (const char* expected : {"RICEVUTA FISCALE N. 7 / 2026", "voce001", "TOTALE", "42.00"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << text.toStdString();

    QTreeWidget list;
    FillList(list, 60, 100, 500);
    const QString report = Path(QStringLiteral("zeroed-report.pdf"));
    const int pages = PrintToPdf(
        report, true,
        [&](QPainter& painter) { return PrintListReport(settings, painter, list, nullptr, nullptr, false, 0, 1); },
        [&](QPainter& painter, int count, int page) {
            EXPECT_EQ(PrintListReport(settings, painter, list, nullptr, nullptr, true, count, page), page);
        });
    ASSERT_GE(pages, 1);
    EXPECT_TRUE(PdfText(report, 1).contains(QLatin1String("riga000")));
}

TEST_F(HotelPrintingTest, LongReportHasEveryRowOnceAndStaysInsideTheMargins)
{
    struct Case {
        int columnWidth;
        int windowWidth;
    } const cases[] = {{100, 500}, {400, 500}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columnWidth);
        QTreeWidget list;
        FillList(list, 500, c.columnWidth, c.windowWidth);
        PrintSettings settings = Settings(PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers);
        const QString path = Path(QStringLiteral("report.pdf"));
        const int pages = PrintToPdf(
            path, true,
            [&](QPainter& painter) { return PrintListReport(settings, painter, list, nullptr, nullptr, false, 0, 1); },
            [&](QPainter& painter, int count, int page) {
                EXPECT_EQ(PrintListReport(settings, painter, list, nullptr, nullptr, true, count, page), page);
            });
        ASSERT_GT(pages, 5);
        ASSERT_EQ(PdfPages(path), pages);
        QString all;
        for (int page = 1; page <= pages; ++page) {
            const QString text = PdfText(path, page);
            all += text;
            EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pagina %1/%2\\s*$").arg(page).arg(pages))))
                << page;
        }
        if (c.columnWidth == 0)
            continue;  // no column has a width: rows print no cells
        for (int row = 0; row < 500; ++row)
            EXPECT_EQ(Occurrences(all, QStringLiteral("riga%1").arg(row, 3, 10, QChar(u'0'))), 1) << row;
        EXPECT_EQ(Occurrences(all, QStringLiteral("Camera")), pages) << "the headings head every page";

        QImage page = PointPage(true);
        QPainter painter(&page);
        PrintListReport(settings, painter, list, nullptr, nullptr, true, pages, 2);
        painter.end();
        EXPECT_LE(LastDarkColumn(page), page.width() - settings.leftMargin);
        SaveScreenshot(page, QStringLiteral("lodgix_report_page2_%1").arg(c.columnWidth));
    }
}

// The view's print steps, with a settings file of the test's own.
class PrintStepsTest : public HotelPrintingTest {
protected:
    void SetUp() override
    {
        HotelPrintingTest::SetUp();
        m_settings = Settings(PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers |
                              PrintSettings::kPreprintedDocumentNumber);
        m_settings.title = QStringLiteral("Titolo salvato");
        ASSERT_TRUE(SaveSettings(Path(kSettingsFileName), m_settings, m_hotel));
        m_printing = std::make_unique<CLodgixPrinting>(
            m_settings, m_dir.path(),
            [this] {
                ++m_reloads;
                LoadSettings(Path(kSettingsFileName), m_settings, m_hotel);
            },
            [this] { ++m_previews; });
    }

    PrintSettings m_settings;
    HotelSettings m_hotel;
    std::unique_ptr<CLodgixPrinting> m_printing;
    int m_reloads = 0;
    int m_previews = 0;
};

TEST_F(PrintStepsTest, KindsChooseOrientationAndTitle)
{
    QTreeWidget list;
    struct Case {
        quint8 kind;
        QPageLayout::Orientation orientation;
        QString title;
    } const cases[] = {
        {kPrintDocument, QPageLayout::Portrait, QStringLiteral("Titolo salvato")},
        {kPrintInternetAccess, QPageLayout::Portrait, QStringLiteral("Accesso alla rete internet")},
        {kPrintCheckInList, QPageLayout::Landscape, QStringLiteral("Lista check in")},
        {kPrintCheckOutList, QPageLayout::Landscape, QStringLiteral("Lista check out")},
        {kPrintBookingList, QPageLayout::Landscape, QStringLiteral("Lista prenotazioni")},
        {kPrintStatistics, QPageLayout::Landscape, QStringLiteral("Analisi statistica")},
        {kPrintPoliceForm, QPageLayout::Landscape, QStringLiteral("Scheda di pubblica sicurezza n. 12, 03/02/2026")},
    };
    for (const Case& c : cases) {
        m_settings.title = QStringLiteral("Titolo salvato");
        m_printing->Request() = {c.kind, &list, PoliceFormTitle{12, QDate(2026, 2, 3)}};
        m_printing->PreparePrinting();
        EXPECT_EQ(m_printing->Printer().pageLayout().orientation(), c.orientation) << int(c.kind);
        EXPECT_EQ(m_settings.title, c.title) << int(c.kind);
    }
}

TEST_F(PrintStepsTest, PoliceFormPrintsItsTitleWhateverFlagEightAndTheSettingsComeBack)
{
    QTreeWidget list;
    FillList(list, 3, 120, 500);
    m_printing->Request() = {kPrintPoliceForm, &list, PoliceFormTitle{4, QDate(2026, 5, 6)}};
    m_printing->PreparePrinting();
    QPrinter& printer = m_printing->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = Path(QStringLiteral("police.pdf"));
    printer.setOutputFileName(path);
    m_printing->PrintAll(printer);
    EXPECT_TRUE(PdfText(path).contains(QLatin1String("Scheda di pubblica sicurezza n. 4, 06/05/2026")));
    m_printing->EndPrinting(true);
    EXPECT_EQ(m_reloads, 1);
    EXPECT_EQ(m_settings.title, QStringLiteral("Titolo salvato"));
    EXPECT_TRUE(m_settings.flags & PrintSettings::kPreprintedDocumentNumber);
}

TEST_F(PrintStepsTest, QueueStaysWhenThePreviewClosesAndMovesAfterEachPrint)
{
    QStringList names;
    for (const char* guest : {"Primo", "Secondo", "Terzo"}) {
        DocumentRecord document = Bill(1);
        document.guestName = QLatin1String(guest);
        names << QStringLiteral("Recv2026%1.psx").arg(names.size() + 1, 5, 10, QChar(u'0'));
        ASSERT_TRUE(SaveDocumentFile(document, Path(names.back())));
    }
    m_printing->PrintDocuments(names);
    EXPECT_EQ(m_previews, 1);
    EXPECT_EQ(m_printing->DocumentBuffer().guestName, QStringLiteral("Primo"));
    EXPECT_EQ(m_printing->Queue(), names);

    m_printing->EndPrinting(false);  // the preview closed without printing
    EXPECT_EQ(m_printing->Queue(), names);
    EXPECT_EQ(m_previews, 1);

    m_printing->EndPrinting(true);
    EXPECT_EQ(m_previews, 2);
    EXPECT_EQ(m_printing->DocumentBuffer().guestName, QStringLiteral("Secondo"));
    m_printing->EndPrinting(true);
    EXPECT_EQ(m_printing->DocumentBuffer().guestName, QStringLiteral("Terzo"));
    EXPECT_EQ(m_printing->Queue().size(), 1);
    m_printing->EndPrinting(true);
    EXPECT_TRUE(m_printing->Queue().isEmpty());
    EXPECT_EQ(m_previews, 3);

    // A document that does not load shows nothing.
    EXPECT_FALSE(m_printing->PrintDocument(QStringLiteral("Recv202699999.psx")));
    EXPECT_EQ(m_previews, 3);
}

}  // namespace
}  // namespace lodgix

namespace lodgix {
namespace {

TEST(StayDocumentChoice, RowsStayByStayAndTheFirstUnlessAnotherIsPicked)
{
    SetLanguage(1);
    CheckInRecord left;
    left.checkInDate = OleDate(2026, 3, 1, 14, 0, 0);
    left.checkOutDate = OleDate(2026, 3, 4, 10, 0, 0);
    left.documents[0] = {1, QStringLiteral("Recv202600007.psx"), QStringLiteral("Contanti"), Money::FromCents(12050)};
    left.documents[2] = {2, QStringLiteral("Fatt202600012.psx"), QStringLiteral("Bonifico"), Money::FromCents(5000)};
    CheckInRecord arrived;
    arrived.checkInDate = OleDate(2026, 3, 4, 15, 0, 0);
    arrived.checkOutDate = OleDate(2026, 3, 5, 9, 0, 0);
    arrived.documents[0] = {3, QStringLiteral("Recv202600008.psx"), QString(), Money::FromCents(100)};
    const std::vector<StayDocumentRow> rows = StayDocumentRows({left, arrived});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].description,
              QStringLiteral("Data di arrivo: 01/03/2026 14:00:00, Data di partenza: 04/03/2026 10:00:00, "
                             "Ricevuta fiscale 7 / 2026, Importo: 120.50€"));
    EXPECT_TRUE(rows[1].description.contains(QLatin1String("Fattura 12 / 2026")));
    EXPECT_EQ(rows[2].file, QStringLiteral("Recv202600008.psx"));

    EXPECT_FALSE(ChooseStayDocument(nullptr, {}));
    EXPECT_EQ(ChooseStayDocument(nullptr, {rows[1]}), rows[1].file) << "one row is taken without asking";
    ModalAnswerer ok([](QDialog* dialog) {
        dialog->findChild<QPushButton*>(QString::number(CDocumentChoiceDlg::kOk))->click();
    });
    EXPECT_EQ(ChooseStayDocument(nullptr, rows), rows[0].file);
    EXPECT_EQ(ok.Count(), 1);
}

}  // namespace
}  // namespace lodgix
