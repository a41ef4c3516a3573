// The view base: a widget that shows one document, is told when the document
// changes (OnUpdate), draws through OnDraw and prints through the printing
// hooks. Commands sent to a view that it does not handle go on to its
// document.
#pragma once

#include <QRect>
#include <QWidget>

#include "framework/cmdtarget.h"

class CDocument;
class QPainter;
class QPrinter;

// What one print run knows: the printer, the page range, the current page
// and, during OnPrint, the printable page area in device pixels.
struct CPrintInfo {
    QPrinter* m_pPrinter = nullptr;
    bool m_bPreview = false;         // drawing into the print preview
    bool m_bDirect = false;          // print without the print dialog
    bool m_bContinuePrinting = true;
    int m_nMinPage = 1;
    int m_nMaxPage = 0xFFFF;
    int m_nFromPage = 1;             // the range the user asked for
    int m_nToPage = 0xFFFF;
    int m_nCurPage = 1;
    QRect m_rectDraw;                // printable area of the current page

    void SetMinPage(int n) { m_nMinPage = n; }
    void SetMaxPage(int n) { m_nMaxPage = n; }
};

class CView : public QWidget, public CCmdTarget {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // Attaches the view to doc (once, before the initial update).
    void SetDocument(CDocument* doc);

    // Runs OnInitialUpdate the first time only.
    void SendInitialUpdate();
    bool HadInitialUpdate() const { return m_bInitialUpdateDone; }

    // Own commands first, then the document's.
    bool OnCmdMsg(int id, CCmdUI* ui) override;

    virtual void OnInitialUpdate();
    // The document changed; the default repaints.
    virtual void OnUpdate(CView* sender, long hint, QObject* hintObject);
    virtual void OnDraw(QPainter* painter);

    // Printing hooks, called in this order for one print run.
    virtual bool OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(QPainter* painter, CPrintInfo* info);
    // Before each page. A view that does not know its page count (maximum
    // page left at 0xFFFF) prints one page unless it overrides this.
    virtual void OnPrepareDC(QPainter* painter, CPrintInfo* info);
    virtual void OnPrint(QPainter* painter, CPrintInfo* info);
    virtual void OnEndPrinting(QPainter* painter, CPrintInfo* info);

    // The standard preparation: shows the print dialog (not for preview or
    // direct printing) and takes the page range from it. False on cancel.
    bool DoPreparePrinting(CPrintInfo* info);

protected:
    // Registers print (57607), direct print (57608) and preview (57609).
    void EnablePrintCommands();
    void paintEvent(QPaintEvent* event) override;

private:
    CDocument* m_pDocument = nullptr;
    bool m_bInitialUpdateDone = false;
};
