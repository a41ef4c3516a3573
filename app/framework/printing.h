// Printing through Qt's print support: the program's one printer (set up by
// "Print Setup"), a print run of a view, the print preview window and the
// printer setup dialog.
#pragma once

class CView;
class QPrinter;
class QWidget;
struct CPrintInfo;

namespace app {

// The printer all print commands use, created on first use. Its resolution
// is 600 dpi, so sizes given in printer pixels keep their look.
QPrinter* AppPrinter();

// Runs the printing hooks of view for the pages of info onto printer.
// Returns false when nothing could be printed.
bool PrintView(CView* view, QPrinter* printer, CPrintInfo& info);

// The print commands: print with the dialog, print directly, preview.
void FilePrint(CView* view, bool direct);
void FilePrintPreview(CView* view);
// The printer setup dialog (page size and orientation).
void FilePrintSetup(QWidget* parent);

}  // namespace app
