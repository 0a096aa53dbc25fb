#include "lodgixprinting.h"

#include "billprinter.h"
#include "documentfiles.h"
#include "listreportprinter.h"
#include "oledatetext.h"
#include "stringtable.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTreeWidget>

namespace lodgix {

namespace {

constexpr unsigned kCheckInListTitle = 2198;
constexpr unsigned kCheckOutListTitle = 2209;
constexpr unsigned kBookingListTitle = 2246;
constexpr unsigned kStatisticsTitle = 5051;
constexpr unsigned kPoliceFormTitle = 2211;
constexpr unsigned kInternetAccessTitle = 2321;
constexpr qsizetype kMaxTitle = PrintSettings::kTextLineWidth - 1;

bool IsListKind(quint8 kind)
{
    return kind != kPrintDocument;
}

}  // namespace

void SetPrinterOrientation(QPrinter* printer, QPageLayout::Orientation orientation)
{
    if (printer)
        printer->setPageOrientation(orientation);
}

CLodgixPrinting::CLodgixPrinting(PrintSettings& settings, QString dataFolder, ReloadSettings reload,
                                 ShowPreview preview)
    : m_settings(settings), m_dataFolder(std::move(dataFolder)), m_reload(std::move(reload)),
      m_preview(std::move(preview)), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

CLodgixPrinting::~CLodgixPrinting() = default;

void CLodgixPrinting::PreparePrinting()
{
    const quint8 kind = m_request.kind;
    const bool portrait = kind == kPrintDocument || kind == kPrintInternetAccess;
    SetPrinterOrientation(m_printer.get(), portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    QString title;
    switch (kind) {
    case kPrintCheckInList: title = LoadResString(kCheckInListTitle); break;
    case kPrintCheckOutList: title = LoadResString(kCheckOutListTitle); break;
    case kPrintBookingList: title = LoadResString(kBookingListTitle); break;
    case kPrintStatistics: title = LoadResString(kStatisticsTitle); break;
    case kPrintInternetAccess: title = LoadResString(kInternetAccessTitle); break;
    case kPrintPoliceForm:
        if (!m_request.policeForm)
            return;  // the list window closed: the stored title stays
        title = QString::asprintf("%s%s%d%s%s", qUtf8Printable(LoadResString(kPoliceFormTitle)), " ",
                                  m_request.policeForm->number, ", ",
                                  qUtf8Printable(FormatOleDate(OleDate::FromDateTime(
                                                                   m_request.policeForm->date.startOfDay()),
                                                               QLocale())));
        break;
    default: return;  // a document and the other kinds keep the stored title
    }
    m_settings.title = title.left(kMaxTitle);
}

int CLodgixPrinting::BeginPrinting(QPainter& painter)
{
    if (m_request.kind == kPrintPoliceForm)
        m_settings.flags &= static_cast<quint8>(~PrintSettings::kPreprintedDocumentNumber);
    if (!IsListKind(m_request.kind))
        m_pageCount = PrintBillDocument(m_settings, painter, m_document, nullptr, nullptr, false, 0, 1);
    else if (m_request.list)
        m_pageCount = PrintListReport(m_settings, painter, *m_request.list, nullptr, nullptr, false, 0, 1);
    else
        m_pageCount = 0;  // a list kind without its list prints nothing
    return m_pageCount;
}

void CLodgixPrinting::PrintPage(QPainter& painter, int page)
{
    if (!IsListKind(m_request.kind))
        PrintBillDocument(m_settings, painter, m_document, nullptr, nullptr, true, m_pageCount, page);
    else if (m_request.list)
        PrintListReport(m_settings, painter, *m_request.list, nullptr, nullptr, true, m_pageCount, page);
}

void CLodgixPrinting::PrintAll(QPrinter& printer)
{
    QPainter painter(&printer);
    const int pages = BeginPrinting(painter);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        PrintPage(painter, page);
    }
}

void CLodgixPrinting::EndPrinting(bool printed)
{
    if (!printed || m_queue.size() <= 1) {
        if (printed)
            m_queue.clear();  // the last queued document is printed
        m_reload();
        return;
    }
    m_queue.removeFirst();
    PrintDocument(m_queue.constFirst());
}

void CLodgixPrinting::PrintDocuments(const QStringList& files)
{
    if (files.isEmpty())
        return;
    if (files.size() > 1)
        m_queue += files;
    PrintDocument(files.constFirst());
}

bool CLodgixPrinting::PrintDocument(const QString& file)
{
    DocumentRecord loaded;
    if (!LoadDocumentFile(loaded, QDir(m_dataFolder).filePath(file)))
        return false;
    m_document = std::move(loaded);
    m_request.kind = kPrintDocument;
    m_request.list = nullptr;
    m_preview();
    return true;
}

}  // namespace lodgix
