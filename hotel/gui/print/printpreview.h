#pragma once

class QWidget;

namespace lodgix {

class CLodgixPrinting;

// Shows the print preview of the printing's request on its printer: the pages are counted once and each
// drawn with that count. Printing from the preview is a real print (the queue moves on); closing it is not.
void ShowPrintPreview(CLodgixPrinting& printing, QWidget* parent);
// The printer's setup (the printer, its paper and orientation).
void ShowPrinterSetup(CLodgixPrinting& printing, QWidget* parent);

}  // namespace lodgix
