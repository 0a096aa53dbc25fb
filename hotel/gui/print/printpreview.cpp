#include "printpreview.h"

#include "lodgixprinting.h"

#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace lodgix {

void ShowPrintPreview(CLodgixPrinting& printing, QWidget* parent)
{
    printing.PreparePrinting();
    QPrintPreviewDialog preview(&printing.Printer(), parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&printing](QPrinter* printer) { printing.PrintAll(*printer); });
    // The preview accepts itself after it printed.
    const bool printed = preview.exec() == QDialog::Accepted;
    printing.EndPrinting(printed);
}

void ShowPrinterSetup(CLodgixPrinting& printing, QWidget* parent)
{
    QPageSetupDialog setup(&printing.Printer(), parent);
    setup.exec();
}

}  // namespace lodgix
