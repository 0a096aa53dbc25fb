#pragma once

#include "documentrecord.h"
#include "printsettings.h"

#include <QDate>
#include <QPageLayout>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;
class QTreeWidget;

namespace lodgix {

// What a print shows, chosen by the command or window that asks for it.
enum PrintKind : quint8 {
    kPrintDocument = 0,  // the receipt or invoice in the document buffer
    kPrintCheckInList = 3,
    kPrintCheckOutList = 4,
    kPrintBookingList = 5,
    kPrintStatistics = 6,
    kPrintPoliceForm = 7,
    kPrintInternetAccess = 8,
};

// A police form's number and date, as the list window shows it.
struct PoliceFormTitle {
    int number = 0;
    QDate date;
};

// The print asked for: its kind, the list of a list kind, and for a police form the form shown by the list
// window (none once that window closed).
struct PrintRequest {
    quint8 kind = kPrintDocument;
    const QTreeWidget* list = nullptr;
    std::optional<PoliceFormTitle> policeForm;
};

// Turns the program's printer (none: nothing to turn) before a bill or a report is laid out.
void SetPrinterOrientation(QPrinter* printer, QPageLayout::Orientation orientation);

// The front-desk view's printing: the print request, the document being printed, the queue of documents
// still to print, and the steps of a print run (prepare, begin, each page, end). The view shows the
// preview; this class decides what the pages hold.
class CLodgixPrinting {
public:
    // Reads the settings file again (the stored page layout comes back after a run changed it).
    using ReloadSettings = std::function<void()>;
    // Opens the print preview of the request (the view posts the preview command).
    using ShowPreview = std::function<void()>;

    CLodgixPrinting(PrintSettings& settings, QString dataFolder, ReloadSettings reload, ShowPreview preview);
    ~CLodgixPrinting();

    PrintRequest& Request() { return m_request; }
    DocumentRecord& DocumentBuffer() { return m_document; }
    const QStringList& Queue() const { return m_queue; }
    QPrinter& Printer() { return *m_printer; }
    int PageCount() const { return m_pageCount; }

    // Portrait for a document and the internet-access ticket, landscape for the lists; the title of a
    // list kind into the settings' title field (cut to its 63 characters).
    void PreparePrinting();
    // Counts the pages of the request on the painter's device; a police form prints its title whatever
    // flag 8 says. The count stays for every page of the run.
    int BeginPrinting(QPainter& painter);
    void PrintPage(QPainter& painter, int page);
    // A run ended: after a real print the queue moves to its next document; otherwise, or with no next
    // document, the stored settings come back.
    void EndPrinting(bool printed);
    // Begin, then every page of the run on the printer's pages.
    void PrintAll(QPrinter& printer);

    // Shows the first document in the preview; more than one are all queued.
    void PrintDocuments(const QStringList& files);
    // Loads the document (a name of the data folder, or a path) and shows it; false, and nothing shown,
    // when it does not load.
    bool PrintDocument(const QString& file);

private:
    PrintSettings& m_settings;
    QString m_dataFolder;
    ReloadSettings m_reload;
    ShowPreview m_preview;
    std::unique_ptr<QPrinter> m_printer;
    PrintRequest m_request;
    DocumentRecord m_document;
    QStringList m_queue;
    int m_pageCount = 0;
};

}  // namespace lodgix
