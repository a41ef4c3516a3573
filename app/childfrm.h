// CChildFrame: one document window inside the main window. Its whole client
// area is the tab window with the "Graph" and "Log" views of one document;
// the view of the selected tab is the frame's active view, which receives
// the menu commands first.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <vector>

#include "framework/cmdtarget.h"
#include "framework/document.h"
#include "tabwnd.h"

class CView;

class CChildFrame : public QMdiSubWindow, public CCmdTarget {
    Q_OBJECT
public:
    // Builds the frame and both views of doc; IsCreated tells whether the
    // client could be made.
    explicit CChildFrame(CDocument* doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    bool IsCreated() const { return m_bCreated; }
    CDocument* GetActiveDocument() const { return m_pDocument; }
    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* view);
    CTabWnd& GetTabWnd() { return m_wndTab; }

    // Runs the initial update of every view, the hidden one too, once.
    void InitialUpdateFrame();

    // Number shown after the title when the document has several windows
    // ("Tourvane1:2"); 0 for none.
    void SetWindowNumber(int number);
    int GetWindowNumber() const { return m_nWindow; }
    void UpdateFrameTitle();

    // The targets a command passes through in this frame: the active view
    // (which passes it on to its document), else the document, then the frame.
    std::vector<CCmdTarget*> CommandChain();

    // Closes the frame without asking; used when its document goes.
    void CloseForDocument();

    // The frame that holds a widget, or null.
    static CChildFrame* FrameOf(QWidget* widget);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool OnCreateClient();
    void StepTab(int delta);
    bool IsLastFrameOfDocument() const;

    CTabWnd m_wndTab;                   // the client: tab strip and views
    QPointer<CDocument> m_pDocument;    // shown document, not owned
    CView* m_pActiveView = nullptr;     // view of the selected tab
    bool m_bCreated = false;
    bool m_bInitialUpdateDone = false;
    bool m_bClosingForDocument = false;  // the document is going: no questions
    bool m_bInClose = false;             // inside this frame's closeEvent
    int m_nWindow = 0;
};
