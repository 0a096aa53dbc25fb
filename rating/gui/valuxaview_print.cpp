// The view's printing: the print dialog or the preview, and the print protocol's steps.
#include "valuxaview.h"

#include "chartcontrol.h"
#include "ratinglist.h"
#include "reportprinter.h"

#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPageSetupDialog>
#include <QPrinter>

namespace {

constexpr int kPortrait = 1;
constexpr int kLandscape = 2;

}  // namespace

void SetPrinterOrientation(QPrinter& printer, int orientation)
{
    printer.setPageOrientation(orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QPrinter& CValuxaView::Printer()
{
    if (m_printer)
        return *m_printer;
    if (!m_ownPrinter)
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_ownPrinter;
}

void CValuxaView::OnPreparePrinting()
{
    const bool landscape = m_mode == kHistoryMode || m_mode == kPrefixesMode || m_mode == kStatisticsMode ||
                           m_mode == kLineHistoryMode;
    SetPrinterOrientation(Printer(), landscape ? kLandscape : kPortrait);
}

void CValuxaView::CaptureCharts()
{
    m_chartImage1 = QImage();
    m_chartImage2 = QImage();
    if (m_mode != kStatisticsMode)
        return;
    if (m_chart1->isVisible())
        m_chartImage1 = m_chart1->Image(m_chart1->size());
    if (m_chart2->isVisible())
        m_chartImage2 = m_chart2->Image(m_chart2->size());
}

void CValuxaView::OnBeginPrinting(QPainter& painter)
{
    PrintSettings& settings = m_configuration.printSettings;
    settings.title = m_title->text().left(PrintSettings::kTextLineWidth - 1);
    if (m_mode == kAccountMode)
        settings.flags |= PrintSettings::kPrintHeader;
    else
        settings.flags &= static_cast<std::uint8_t>(~PrintSettings::kPrintHeader);
    CaptureCharts();
    const int pages = PrintListReport(settings, painter, *m_list, m_chartImage1.isNull() ? nullptr : &m_chartImage1,
                                      m_chartImage2.isNull() ? nullptr : &m_chartImage2, false, 0, 1);
    m_pageCount = static_cast<std::uint16_t>(std::min(pages, 0xFFFF));
}

void CValuxaView::OnPrint(QPainter& painter, int page)
{
    if (m_mode == kStatisticsMode)
        CaptureCharts();
    PrintListReport(m_configuration.printSettings, painter, *m_list,
                    m_chartImage1.isNull() ? nullptr : &m_chartImage1,
                    m_chartImage2.isNull() ? nullptr : &m_chartImage2, true, m_pageCount, page);
}

void CValuxaView::OnEndPrinting(bool preview)
{
    if (m_closeFlag && !preview)
        PostToFrame(kAppExitCommand);
}

void CValuxaView::PrintDocument(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    OnBeginPrinting(painter);
    for (int page = 1; page <= m_pageCount; ++page) {
        if (page > 1)
            printer.newPage();
        OnPrint(painter, page);
    }
    painter.end();
}

void CValuxaView::OnFilePrint()
{
    OnPreparePrinting();
    QPrintDialog dialog(&Printer(), this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintDocument(Printer());
    OnEndPrinting(false);
}

void CValuxaView::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&Printer(), this);
    dialog.setObjectName(QStringLiteral("pageSetup"));
    dialog.exec();  // on OK the dialog itself stores the choice in the printer
}

void CValuxaView::OnFilePrintPreview()
{
    OnPreparePrinting();
    QPrintPreviewDialog preview(&Printer(), this);
    preview.setObjectName(QStringLiteral("preview"));
    preview.setWindowTitle(window()->windowTitle());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { PrintDocument(*printer); });
    // The preview ends accepted only after its print command printed the pages for real.
    OnEndPrinting(preview.exec() != QDialog::Accepted);
}
