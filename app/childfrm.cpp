// CChildFrame: creation of the tab window and its two views, the active
// view, the window title, and closing with the document's save prompt.
#include "childfrm.h"

#include <QCloseEvent>

#include "appicons.h"
#include "framework/document.h"
#include "framework/view.h"
#include "hcpview.h"
#include "logview.h"
#include "resource.h"

CChildFrame::CChildFrame(CDocument* doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(doc)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(app::programIcon());
    m_bCreated = OnCreateClient();
    setWidget(&m_wndTab);

    // F6 and Shift+F6 step through the tabs, as panes of the window.
    AddCommand(ID_NEXT_PANE, [this] { StepTab(+1); },
               [this](CCmdUI* ui) { ui->Enable(m_wndTab.GetTabCount() > 1); });
    AddCommand(ID_PREV_PANE, [this] { StepTab(-1); },
               [this](CCmdUI* ui) { ui->Enable(m_wndTab.GetTabCount() > 1); });
    // View > Log switches between the picture and the log.
    AddCommand(ID_VIEW_LOG, [this] { m_wndTab.SelectTab(m_wndTab.GetActiveTab() == 1 ? 0 : 1); },
               [this](CCmdUI* ui) {
                   ui->Enable(m_wndTab.GetTabCount() > 1);
                   ui->SetCheck(m_wndTab.GetActiveTab() == 1);
               });

    if (doc) {
        connect(doc, &CDocument::titleChanged, this, [this] { UpdateFrameTitle(); });
        connect(doc, &CDocument::closing, this, &CChildFrame::CloseForDocument);
    }
    UpdateFrameTitle();
}

CChildFrame::~CChildFrame()
{
    // The tab window is a member: take it out of the frame before the frame's
    // base class would delete it as a child.
    setWidget(nullptr);
}

bool CChildFrame::OnCreateClient()
{
    m_wndTab.setProperty("controlId", IDC_TAB_WND);
    connect(&m_wndTab, &CTabWnd::activeViewChanged, this,
            [this](QWidget* view) { SetActiveView(qobject_cast<CView*>(view)); });

    CDocument* doc = m_pDocument;
    // A view that cannot be made leaves its tab out; the frame still opens.
    m_wndTab.AddTab(QStringLiteral("Graph"), [doc](QWidget* parent) -> QWidget* {
        auto* view = new CHcpView(parent);
        view->SetDocument(doc);
        return view;
    });
    m_wndTab.AddTab(QStringLiteral("Log"), [doc](QWidget* parent) -> QWidget* {
        auto* view = new CLogView(parent);
        view->SetDocument(doc);
        return view;
    });
    return true;
}

void CChildFrame::SetActiveView(CView* view)
{
    m_pActiveView = view;
}

void CChildFrame::InitialUpdateFrame()
{
    if (m_bInitialUpdateDone)
        return;
    m_bInitialUpdateDone = true;
    for (int i = 0; i < m_wndTab.GetTabCount(); ++i)
        if (auto* view = qobject_cast<CView*>(m_wndTab.GetView(i)))
            view->SendInitialUpdate();
    if (m_pActiveView)
        m_pActiveView->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::SetWindowNumber(int number)
{
    m_nWindow = number;
    UpdateFrameTitle();
}

void CChildFrame::UpdateFrameTitle()
{
    QString title = m_pDocument ? m_pDocument->GetTitle() : QString();
    if (m_nWindow > 0)
        title += QStringLiteral(":%1").arg(m_nWindow);
    setWindowTitle(title);
}

std::vector<CCmdTarget*> CChildFrame::CommandChain()
{
    std::vector<CCmdTarget*> chain;
    if (m_pActiveView)
        chain.push_back(m_pActiveView);
    else if (m_pDocument)
        chain.push_back(m_pDocument.data());
    chain.push_back(this);
    return chain;
}

void CChildFrame::StepTab(int delta)
{
    const int n = m_wndTab.GetTabCount();
    if (n < 2)
        return;
    m_wndTab.SelectTab(((m_wndTab.GetActiveTab() + delta) % n + n) % n);
}

CChildFrame* CChildFrame::FrameOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    return nullptr;
}

bool CChildFrame::IsLastFrameOfDocument() const
{
    if (!m_pDocument)
        return true;
    for (CView* v : m_pDocument->GetViews())
        if (FrameOf(v) != this)
            return false;
    return true;
}

void CChildFrame::CloseForDocument()
{
    m_bClosingForDocument = true;
    // Inside this frame's own close the frame is going anyway.
    if (!m_bInClose)
        close();
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_bClosingForDocument || !m_pDocument) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    // Another window still shows the document: closing this one loses nothing.
    if (!IsLastFrameOfDocument()) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    if (!m_pDocument->CanCloseFrame(m_pActiveView)) {
        event->ignore();
        return;
    }
    // The last window ends the document, which closes its other frames.
    m_bInClose = true;
    m_bClosingForDocument = true;
    m_pDocument->OnCloseDocument();
    m_bInClose = false;
    QMdiSubWindow::closeEvent(event);
}
