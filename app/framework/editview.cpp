#include "framework/editview.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPlainTextEdit>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include "resource.h"

CEditView::CEditView(QWidget* parent)
    : CView(parent), m_edit(new QPlainTextEdit(this))
{
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusProxy(m_edit);

    AddCommand(ID_EDIT_UNDO, [this] { m_edit->undo(); },
               [this](CCmdUI* ui) { ui->Enable(m_edit->document()->isUndoAvailable()); });
    AddCommand(ID_EDIT_CUT, [this] { m_edit->cut(); },
               [this](CCmdUI* ui) { ui->Enable(m_edit->textCursor().hasSelection()); });
    AddCommand(ID_EDIT_COPY, [this] { m_edit->copy(); },
               [this](CCmdUI* ui) { ui->Enable(m_edit->textCursor().hasSelection()); });
    AddCommand(ID_EDIT_PASTE, [this] { m_edit->paste(); },
               [this](CCmdUI* ui) { ui->Enable(m_edit->canPaste()); });
    AddCommand(ID_EDIT_SELECT_ALL, [this] { m_edit->selectAll(); });
    EnablePrintCommands();
}

void CEditView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    m_edit->setGeometry(rect());
}

void CEditView::focusInEvent(QFocusEvent* event)
{
    CView::focusInEvent(event);
    m_edit->setFocus();
}

void CEditView::OnPrepareDC(QPainter*, CPrintInfo*)
{
    // The page count is known only while printing: OnPrint ends the run.
}

void CEditView::OnPrint(QPainter* painter, CPrintInfo* info)
{
    const QRect r = info->m_rectDraw;
    if (r.width() <= 0 || r.height() <= 0) {
        info->m_bContinuePrinting = false;
        return;
    }
    QTextDocument doc;
    // Lay the text out for the printer's resolution, not the screen's.
    doc.documentLayout()->setPaintDevice(painter->device());
    doc.setDefaultFont(m_edit->font());
    doc.setPlainText(m_edit->toPlainText());
    // With a page size the layout moves lines that would straddle a page
    // boundary to the next page.
    doc.setPageSize(QSizeF(r.width(), r.height()));
    const int pages = doc.pageCount();
    const int page = info->m_nCurPage;
    info->m_bContinuePrinting = page < pages;
    if (page > pages)
        return;
    const qreal top = static_cast<qreal>(page - 1) * r.height();
    painter->save();
    painter->translate(r.left(), r.top() - top);
    doc.drawContents(painter, QRectF(0, top, r.width(), r.height()));
    painter->restore();
}
