// The report printer on an image of known resolution and on PDF files read back with pdftotext.
#include "printpageheader.h"
#include "printtext.h"
#include "ratinglist.h"
#include "reportprinter.h"
#include "tariffcard.h"
#include "valuxaview.h"
#include "modalscript.h"
#include "viewtesting.h"
#include "widgettesting.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kPointsPerInch = 72;

PrintSettings Settings(std::uint8_t flags, std::uint8_t position = PrintSettings::kTopLeft)
{
    PrintSettings settings;
    SetDefaultPrintSettings(settings);
    settings.flags = flags;
    settings.headerPosition = position;
    settings.title = QStringLiteral("Titolo della prova");
    return settings;
}

// A page of 72 dots per inch: one point is one pixel.
QImage PointPage(int width, int height)
{
    QImage page(width, height, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(kPointsPerInch / 0.0254));
    page.setDotsPerMeterY(qRound(kPointsPerInch / 0.0254));
    page.fill(Qt::white);
    return page;
}

int FirstDarkRow(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return y;
    return -1;
}

int FirstDarkColumn(const QImage& image, int fromRow, int toRow)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = fromRow; y < toRow; ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return -1;
}

void FillRows(CRatingList& list, int rows)
{
    list.ShowReport(true, false);
    list.resize(700, 300);
    for (const char* heading : {"Data e Ora", "Numero chiamato", "Importo", "Fatturato"})
        list.AddColumn(QString::fromLatin1(heading), 175, false);
    for (int row = 0; row < rows; ++row)
        list.AddRow({QStringLiteral("riga%1").arg(row, 4, 10, QChar(u'0')), QStringLiteral("0612345678"),
                     QStringLiteral("1.25"), QStringLiteral("finecolonna%1").arg(row)},
                    row);
}

// Prints every page of the list to a PDF file; the page count.
int PrintToPdf(const PrintSettings& settings, const CRatingList& list, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QPainter painter(&printer);
    const int pages = PrintListReport(settings, painter, list, nullptr, nullptr, false, 0, 1);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        PrintListReport(settings, painter, list, nullptr, nullptr, true, pages, page);
    }
    return pages;
}

QString PdfText(const QString& path, const QStringList& options = {})
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), options + QStringList{path, QStringLiteral("-")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(ReportPrinter, AnEmptyListWithoutHeaderIsOnePageWithTheTitleAtTheTopMargin)
{
    CRatingList list;
    FillRows(list, 0);
    const PrintSettings settings = Settings(PrintSettings::kPrintPageNumbers);
    QImage page = PointPage(595, 842);
    QPainter painter(&page);
    EXPECT_EQ(PrintListReport(settings, painter, list, nullptr, nullptr, false, 0, 1), 1);
    EXPECT_EQ(PrintListReport(settings, painter, list, nullptr, nullptr, true, 1, 1), 1);
    painter.end();
    const int top = FirstDarkRow(page);
    EXPECT_GE(top, settings.topMargin);
    EXPECT_LE(top, settings.topMargin + 10);  // the title font's own leading above its capitals
    SaveScreenshot(page, QStringLiteral("rating_report_empty"));
}

TEST(ReportPrinter, AMissingLogoStartsTheHeaderLinesAtTheMarginAndGap)
{
    CRatingList list;
    FillRows(list, 0);
    PrintSettings settings = Settings(PrintSettings::kPrintHeader | PrintSettings::kPrintLogo);
    settings.logoPath = QStringLiteral("/nonexistent/LogoPrint.bmp");
    QImage page = PointPage(595, 842);
    QPainter painter(&page);
    QRect rect;
    const int height = PrintPageHeader(settings, painter, rect, true);
    painter.end();
    EXPECT_EQ(rect, QRect(0, 0, 595, 842));
    const int left = FirstDarkColumn(page, settings.topMargin, settings.topMargin + height);
    EXPECT_GE(left, settings.leftMargin + settings.headerGap);
    EXPECT_LE(left, settings.leftMargin + settings.headerGap + 3);
}

TEST(ReportPrinter, CardsWiderThanThePagePrintOnePerRow)
{
    CardImageList pictures;
    pictures.Create(kTariffCardSize, 6, PlainCardBackground(kTariffCardSize));
    CRatingList list;
    list.ShowPictures(pictures, 6);
    const PrintSettings settings = Settings(0);
    QImage page = PointPage(320, 1000);  // 280 points between the margins, cards of 301
    QPainter painter(&page);
    // Four rows of one card fit below the title: six cards take two pages.
    EXPECT_EQ(PrintListReport(settings, painter, list, nullptr, nullptr, false, 0, 1), 2);
}

TEST(ReportPrinter, HeaderAtTheBottomRightOnEveryPageAndEveryRowOnce)
{
    CRatingList list;
    FillRows(list, 500);
    const PrintSettings settings = Settings(PrintSettings::kPrintHeader | PrintSettings::kPrintPageNumbers,
                                            PrintSettings::kBottomRight);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const int pages = PrintToPdf(settings, list, path);
    ASSERT_GT(pages, 5);
    const QStringList pageTexts = PdfText(path).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), pages);
    QMap<QString, int> seen;
    for (int page = 0; page < pages; ++page) {
        const QString& text = pageTexts[page];
        EXPECT_TRUE(text.contains(QStringLiteral("Pagina %1/%2").arg(page + 1).arg(pages))) << page;
        EXPECT_TRUE(text.contains(settings.headerLines[0])) << page;
        const QRegularExpression row(QStringLiteral("riga\\d{4}"));
        for (auto match = row.globalMatch(text); match.hasNext();)
            ++seen[match.next().captured()];
    }
    EXPECT_EQ(seen.size(), 500);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();

    // Every word lies between the margins (points of the PDF page).
    const QString boxes = PdfText(path, {QStringLiteral("-bbox")});
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\""));
    const double width = page.match(boxes).captured(1).toDouble();
    const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\""));
    int words = 0;
    for (auto match = word.globalMatch(boxes); match.hasNext(); ++words) {
        const auto found = match.next();
        EXPECT_GE(found.captured(1).toDouble(), settings.leftMargin - 0.5);
        EXPECT_LE(found.captured(2).toDouble(), width - settings.leftMargin + 0.5);
    }
    EXPECT_GT(words, 1000);

    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                                                   QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                   QStringLiteral("1"), path,
                                                   QStringLiteral(SUITE_SCREENSHOT_DIR "/rating_report_bottom_header")});
}

class ViewPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
        SetDefaultPrintSettings(data.configuration.printSettings);
        view = std::make_unique<CValuxaView>(data.configuration, data.pbxs, data.tariffPictures, data.rulePictures,
                                             false);
        view->SetPrinter(&printer);
        view->show();
        view->OnInitialUpdate();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("view.pdf")));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QTemporaryDir folder;
    QPrinter printer{QPrinter::HighResolution};
    ViewFixtureData data;
    std::unique_ptr<CValuxaView> view;
};

TEST(ReportPrinter, RowsEndABlankLineAboveTheFooterOnEveryPage)
{
    CRatingList list;
    FillRows(list, 300);
    const PrintSettings settings = Settings(PrintSettings::kPrintPageNumbers);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("footer.pdf"));
    const int pages = PrintToPdf(settings, list, path);
    ASSERT_GT(pages, 2);
    const QStringList pageBoxes = PdfText(path, {QStringLiteral("-bbox")}).split(QStringLiteral("<page "));
    ASSERT_EQ(pageBoxes.size(), pages + 1);  // the text before the first page, then one part per page
    const QRegularExpression word(
        QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (int page = 1; page <= pages; ++page) {
        double lastRowBottom = 0.0;
        double footerTop = 0.0;
        double footerHeight = 0.0;
        for (auto match = word.globalMatch(pageBoxes[page]); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            const double top = found.captured(1).toDouble();
            const double bottom = found.captured(2).toDouble();
            if (found.captured(3).startsWith(QStringLiteral("riga")))
                lastRowBottom = std::max(lastRowBottom, bottom);
            else if (found.captured(3) == QStringLiteral("Pagina")) {
                footerTop = top;
                footerHeight = bottom - top;
            }
        }
        ASSERT_GT(footerTop, 0.0) << page;
        ASSERT_GT(lastRowBottom, 0.0) << page;
        // A blank line as high as the footer's between the last row and the footer.
        EXPECT_GE(footerTop - lastRowBottom, footerHeight) << "page " << page;
    }
}

TEST_F(ViewPrintTest, PrintSetupCommandChoosesThePaperOfLaterPrints)
{
    QString dialogClass;
    ModalScript script({[&](QDialog* dialog) {
        dialogClass = QString::fromLatin1(dialog->metaObject()->className());
        SaveScreenshot(*dialog, QStringLiteral("rating_page_setup"));
        auto* paper = dialog->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        if (paper)
            paper->setCurrentIndex(paper->findText(QStringLiteral("A5"), Qt::MatchStartsWith));
        dialog->accept();
    }});
    view->OnCommand(CValuxaView::kFilePrintSetupCommand);
    EXPECT_EQ(script.Done(), 1U);
    EXPECT_TRUE(dialogClass.contains(QStringLiteral("PageSetupDialog"))) << dialogClass.toStdString();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);

    // The next print keeps the paper (the mode still chooses the orientation).
    view->OnCommand(CValuxaView::kHistoryCommand);
    view->OnPreparePrinting();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    view->PrintDocument(printer);
    const QString boxes = PdfText(printer.outputFileName(), {QStringLiteral("-bbox")});
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const QRegularExpressionMatch size = page.match(boxes);
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(std::max(size.captured(1).toDouble(), size.captured(2).toDouble()),
                QPageSize(QPageSize::A5).size(QPageSize::Point).height(), 1.0);
}

TEST_F(ViewPrintTest, OrientationByMode)
{
    const struct {
        int command;
        QPageLayout::Orientation orientation;
    } cases[] = {{CValuxaView::kRulesCommand, QPageLayout::Portrait},
                 {CValuxaView::kTariffsCommand, QPageLayout::Portrait},
                 {CValuxaView::kPrefixesCommand, QPageLayout::Landscape},
                 {CValuxaView::kHistoryCommand, QPageLayout::Landscape},
                 {CValuxaView::kViewAccountCommand, QPageLayout::Portrait}};
    for (const auto& c : cases) {
        view->OnCommand(c.command);
        view->OnPreparePrinting();
        EXPECT_EQ(printer.pageLayout().orientation(), c.orientation) << c.command;
    }
}

TEST_F(ViewPrintTest, TheAccountSetsTheHeaderFlagAndAnotherModeClearsIt)
{
    data.configuration.printSettings.flags = PrintSettings::kPrintPageNumbers;
    view->OnCommand(CValuxaView::kViewAccountCommand);
    view->PrintDocument(printer);
    EXPECT_TRUE(data.configuration.printSettings.flags & PrintSettings::kPrintHeader);
    EXPECT_EQ(data.configuration.printSettings.title, view->Title()->text());
    EXPECT_EQ(view->m_pageCount, 1);
    EXPECT_TRUE(PdfText(printer.outputFileName()).contains(data.configuration.printSettings.headerLines[0]));

    view->OnCommand(CValuxaView::kHistoryCommand);
    view->PrintDocument(printer);
    EXPECT_FALSE(data.configuration.printSettings.flags & PrintSettings::kPrintHeader);
    EXPECT_FALSE(PdfText(printer.outputFileName()).contains(data.configuration.printSettings.headerLines[0]));
    EXPECT_TRUE(data.configuration.printSettings.flags & PrintSettings::kPrintPageNumbers);
}

TEST_F(ViewPrintTest, TariffCardsPrintOnPages)
{
    view->OnCommand(CValuxaView::kTariffsCommand);
    view->OnPreparePrinting();
    view->PrintDocument(printer);
    EXPECT_GE(view->m_pageCount, 1);
    EXPECT_TRUE(PdfText(printer.outputFileName()).contains(QStringLiteral("Pagina 1/")));
}

}  // namespace
