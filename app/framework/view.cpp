#include "framework/view.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "framework/dialog.h"
#include "framework/document.h"
#include "framework/printing.h"
#include "resource.h"

CView::CView(QWidget* parent)
    : QWidget(parent)
{
}

CView::~CView()
{
    SetDocument(nullptr);
}

void CView::SetDocument(CDocument* doc)
{
    if (doc == m_pDocument)
        return;
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    m_pDocument = doc;
    if (m_pDocument)
        m_pDocument->AddView(this);
}

void CView::SendInitialUpdate()
{
    if (m_bInitialUpdateDone)
        return;
    m_bInitialUpdateDone = true;
    OnInitialUpdate();
}

bool CView::OnCmdMsg(int id, CCmdUI* ui)
{
    if (CCmdTarget::OnCmdMsg(id, ui))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, ui);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, long, QObject*)
{
    update();
}

void CView::OnDraw(QPainter*)
{
}

void CView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    OnDraw(&painter);
}

bool CView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void CView::OnBeginPrinting(QPainter*, CPrintInfo*)
{
}

void CView::OnPrepareDC(QPainter*, CPrintInfo* info)
{
    if (info->m_nMaxPage == 0xFFFF)
        info->m_bContinuePrinting = info->m_nCurPage == 1;
}

void CView::OnPrint(QPainter* painter, CPrintInfo*)
{
    OnDraw(painter);
}

void CView::OnEndPrinting(QPainter*, CPrintInfo*)
{
}

bool CView::DoPreparePrinting(CPrintInfo* info)
{
    if (!info->m_pPrinter)
        info->m_pPrinter = app::AppPrinter();
    if (info->m_bPreview || info->m_bDirect)
        return true;
    QPrintDialog dlg(info->m_pPrinter, this);
    dlg.setMinMax(info->m_nMinPage, info->m_nMaxPage);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (app::ExecModal(&dlg) != QDialog::Accepted)
        return false;
    if (info->m_pPrinter->printRange() == QPrinter::PageRange) {
        info->m_nFromPage = info->m_pPrinter->fromPage();
        info->m_nToPage = info->m_pPrinter->toPage();
    }
    return true;
}

void CView::EnablePrintCommands()
{
    AddCommand(ID_FILE_PRINT, [this] { app::FilePrint(this, false); });
    AddCommand(ID_FILE_PRINT_DIRECT, [this] { app::FilePrint(this, true); });
    AddCommand(ID_FILE_PRINT_PREVIEW, [this] { app::FilePrintPreview(this); });
}
