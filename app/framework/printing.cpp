#include "framework/printing.h"

#include <algorithm>
#include <memory>

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "framework/dialog.h"
#include "framework/messagebox.h"
#include "framework/view.h"

namespace app {

QPrinter* AppPrinter()
{
    static std::unique_ptr<QPrinter> printer;
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setResolution(600);
    }
    return printer.get();
}

bool PrintView(CView* view, QPrinter* printer, CPrintInfo& info)
{
    info.m_pPrinter = printer;
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    view->OnBeginPrinting(&painter, &info);
    // The range the user asked for, within what the view can print.
    const int first = std::max(info.m_nFromPage, info.m_nMinPage);
    const int last = std::min(info.m_nToPage, info.m_nMaxPage);
    bool printed = false;
    for (int page = first; page <= last; ++page) {
        info.m_nCurPage = page;
        view->OnPrepareDC(&painter, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (printed && !printer->newPage())
            break;
        info.m_rectDraw = QRect(0, 0, printer->width(), printer->height());
        painter.save();
        view->OnPrint(&painter, &info);
        painter.restore();
        printed = true;
    }
    view->OnEndPrinting(&painter, &info);
    painter.end();
    return printed;
}

void FilePrint(CView* view, bool direct)
{
    CPrintInfo info;
    info.m_bDirect = direct;
    info.m_pPrinter = AppPrinter();
    // The dialog may leave a page range from an earlier run.
    info.m_pPrinter->setPrintRange(QPrinter::AllPages);
    if (!view->OnPreparePrinting(&info))
        return;
    if (!PrintView(view, info.m_pPrinter, info))
        ShowMessage(QStringLiteral("Failed to print."), MB_OK | MB_ICONEXCLAMATION);
}

void FilePrintPreview(CView* view)
{
    QPrintPreviewDialog dlg(AppPrinter(), view);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, view, [view](QPrinter* p) {
        CPrintInfo info;
        info.m_bPreview = true;
        info.m_pPrinter = p;
        if (view->OnPreparePrinting(&info))
            PrintView(view, p, info);
    });
    ExecModal(&dlg);
}

void FilePrintSetup(QWidget* parent)
{
    QPageSetupDialog dlg(AppPrinter(), parent);
    ExecModal(&dlg);
}

}  // namespace app
