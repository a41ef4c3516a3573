// CMainFrame: toolbar, status bar, document windows, command routing and
// the refresh of item states. The menus are built in mainfrmmenus.cpp.
#include "mainfrm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "appicons.h"
#include "childfrm.h"
#include "framework/document.h"
#include "framework/resstrings.h"
#include "helptext.h"
#include "resource.h"

namespace {

// Dynamic properties of a document: its last status message, and whether
// this frame listens to its messages.
constexpr const char* kStatusText = "tourvaneStatusText";
constexpr const char* kStatusConnected = "tourvaneStatusConnected";

// How often menu items and buttons are brought up to date while idle.
constexpr int kIdleUpdateMs = 250;
// X11 modifier bits of the lock keys in a key event's native state.
constexpr quint32 kX11LockMask = 0x02;
constexpr quint32 kX11NumLockMask = 0x10;

}  // namespace

CMainFrame::CMainFrame(CCmdTarget* appTarget, QWidget* parent)
    : QMainWindow(parent), m_pAppTarget(appTarget), m_mdiArea(new QMdiArea(this)), m_idleTimer(new QTimer(this))
{
    setWindowTitle(app::LoadResString(AFX_IDS_APP_TITLE));
    setWindowIcon(app::programIcon());
    setObjectName(QStringLiteral("MainFrame"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    // Frame commands: bars, document windows, help.
    AddCommand(ID_VIEW_TOOLBAR, [this] { ToggleBar(m_toolBar); },
               [this](CCmdUI* ui) { ui->SetCheck(m_toolBar && m_toolBar->isVisibleTo(this)); });
    AddCommand(ID_VIEW_STATUS_BAR, [this] { ToggleBar(statusBar()); },
               [this](CCmdUI* ui) { ui->SetCheck(statusBar()->isVisibleTo(this)); });
    auto needsWindow = [this](CCmdUI* ui) { ui->Enable(MDIGetActive() != nullptr); };
    AddCommand(ID_WINDOW_NEW, [this] {
        if (CChildFrame* f = MDIGetActive())
            if (CDocument* doc = f->GetActiveDocument())
                CreateChildFrame(doc);
    }, needsWindow);
    AddCommand(ID_WINDOW_CASCADE, [this] { m_mdiArea->cascadeSubWindows(); }, needsWindow);
    AddCommand(ID_WINDOW_TILE_HORZ, [this] { m_mdiArea->tileSubWindows(); }, needsWindow);
    AddCommand(ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); }, needsWindow);
    AddCommand(ID_HELP_FINDER, [this] { ShowHelpIndex(); });
    AddCommand(ID_DEFAULT_HELP, [this] { ShowHelpIndex(); });
    AddCommand(ID_HELP, [this] { ShowHelpIndex(); });
    AddCommand(ID_CONTEXT_HELP, [] { QWhatsThis::enterWhatsThisMode(); });

    CreateMenus();
    SwitchMenus();

    // Files dropped anywhere on the window open, and key events tell the
    // state of the lock keys.
    setAcceptDrops(true);
    qApp->installEventFilter(this);

    m_idleTimer->setInterval(kIdleUpdateMs);
    connect(m_idleTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    m_idleTimer->start();
}

CMainFrame::~CMainFrame()
{
    // Document windows die with the area below, after this object has
    // stopped being a CMainFrame: nothing here may react to that.
    m_idleTimer->stop();
    qApp->removeEventFilter(this);
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (CChildFrame* f : m_mdiArea->findChildren<CChildFrame*>())
        disconnect(f, nullptr, this, nullptr);
}

bool CMainFrame::Create()
{
    if (!CreateToolBar() || !CreateStatusBar())
        return false;
    UpdateCommandUI();
    return true;
}

bool CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar128"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int id : app::toolbarButtons()) {
        if (id == ID_SEPARATOR)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(CommandAction(id));
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    return true;
}

bool CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    m_messagePane = new QLabel(app::LoadResString(AFX_IDS_IDLEMESSAGE), bar);
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(m_messagePane, 1);
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        auto* label = new QLabel(app::LoadResString(id), bar);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        label->setEnabled(false);
        label->setProperty("controlId", id);
        bar->addPermanentWidget(label);
        m_indicators.insert(id, label);
    }
    return true;
}

CChildFrame* CMainFrame::MDIGetActive() const
{
    return qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
}

QList<CChildFrame*> CMainFrame::ChildFrames() const
{
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* w : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* f = qobject_cast<CChildFrame*>(w))
            frames.append(f);
    return frames;
}

bool CMainFrame::CreateChildFrame(CDocument* doc)
{
    auto* frame = new CChildFrame(doc);
    if (!frame->IsCreated()) {
        delete frame;
        return false;
    }
    m_mdiArea->addSubWindow(frame);
    QPointer<CDocument> guardedDoc(doc);
    connect(frame, &QObject::destroyed, this, [this, guardedDoc] {
        if (guardedDoc)
            RenumberWindows(guardedDoc);
        OnSubWindowActivated();
    });
    if (doc && !doc->property(kStatusConnected).toBool()) {
        // Each document keeps its own last message; the status bar shows
        // the active document's, never another's.
        doc->setProperty(kStatusConnected, true);
        connect(doc, &CDocument::statusMessage, this, [this, doc](const QString& text) {
            doc->setProperty(kStatusText, text);
            CChildFrame* f = MDIGetActive();
            if (f && f->GetActiveDocument() == doc)
                SetMessageText(text);
        });
    }
    frame->show();
    frame->InitialUpdateFrame();
    RenumberWindows(doc);
    m_mdiArea->setActiveSubWindow(frame);
    OnSubWindowActivated();
    return true;
}

void CMainFrame::ActivateDocument(CDocument* doc)
{
    for (CChildFrame* f : ChildFrames()) {
        if (f->GetActiveDocument() == doc) {
            if (f->isMinimized())
                f->showNormal();
            m_mdiArea->setActiveSubWindow(f);
            return;
        }
    }
}

void CMainFrame::RenumberWindows(CDocument* doc)
{
    QList<CChildFrame*> frames;
    for (CChildFrame* f : ChildFrames())
        if (f->GetActiveDocument() == doc && !f->testAttribute(Qt::WA_WState_Hidden) && !f->isHidden())
            frames.append(f);
    for (int i = 0; i < frames.size(); ++i)
        frames[i]->SetWindowNumber(frames.size() > 1 ? i + 1 : 0);
}

void CMainFrame::OnSubWindowActivated()
{
    SwitchMenus();
    UpdateTitle();
    CChildFrame* f = MDIGetActive();
    CDocument* active = f ? f->GetActiveDocument() : nullptr;
    SetMessageText(active ? active->property(kStatusText).toString() : QString());
    emit activeDocumentChanged(f ? f->GetActiveDocument() : nullptr);
    UpdateCommandUI();
}

void CMainFrame::UpdateTitle()
{
    // The program's name alone; a maximised document window adds its title
    // as " - [title]" itself.
    if (!MDIGetActive() || !MDIGetActive()->isMaximized())
        setWindowTitle(app::LoadResString(AFX_IDS_APP_TITLE));
}

std::vector<CCmdTarget*> CMainFrame::CommandChain()
{
    std::vector<CCmdTarget*> chain;
    if (CChildFrame* f = MDIGetActive())
        chain = f->CommandChain();
    chain.push_back(this);
    if (m_pAppTarget)
        chain.push_back(m_pAppTarget);
    return chain;
}

bool CMainFrame::OnCommand(int id)
{
    const bool handled = app::RouteCommand(CommandChain(), id);
    UpdateCommandUI();
    return handled;
}

void CMainFrame::UpdateCommandUI()
{
    const std::vector<CCmdTarget*> chain = CommandChain();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        app::ApplyCommandUI(app::UpdateCommand(chain, it.key()), it.value());
}

QLabel* CMainFrame::Indicator(int id) const
{
    return m_indicators.value(id);
}

void CMainFrame::SetMessageText(const QString& text)
{
    if (m_messagePane)
        m_messagePane->setText(text.isEmpty() ? app::LoadResString(AFX_IDS_IDLEMESSAGE) : text);
}

QString CMainFrame::MessageText() const
{
    return m_messagePane ? m_messagePane->text() : QString();
}

void CMainFrame::ToggleBar(QWidget* bar)
{
    if (bar)
        bar->setVisible(!bar->isVisibleTo(this));
}

void CMainFrame::ArrangeIcons()
{
    // Minimised windows line up along the bottom edge of the area.
    int x = 0;
    const int bottom = m_mdiArea->viewport()->height();
    for (QMdiSubWindow* w : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized())
            continue;
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

void CMainFrame::ShowHelpIndex()
{
    auto* help = findChild<QDialog*>(QStringLiteral("helpWindow"));
    if (!help) {
        help = new QDialog(this);
        help->setObjectName(QStringLiteral("helpWindow"));
        help->setWindowTitle(QStringLiteral("Tourvane32 Help"));
        auto* text = new QTextBrowser(help);
        text->setHtml(QString::fromUtf8(app::HelpHtml()));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, help);
        connect(buttons, &QDialogButtonBox::rejected, help, &QDialog::hide);
        auto* layout = new QVBoxLayout(help);
        layout->addWidget(text);
        layout->addWidget(buttons);
        help->resize(520, 460);
    }
    help->show();
    help->raise();
    help->activateWindow();
}

void CMainFrame::UpdateIndicators(quint32 nativeModifiers)
{
    if (QLabel* caps = Indicator(ID_INDICATOR_CAPS))
        caps->setEnabled(nativeModifiers & kX11LockMask);
    if (QLabel* num = Indicator(ID_INDICATOR_NUM))
        num->setEnabled(nativeModifiers & kX11NumLockMask);
    if (QLabel* scrl = Indicator(ID_INDICATOR_SCRL))
        scrl->setEnabled(m_bScrollLock);
}

bool CMainFrame::HandleDrop(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    if (!data || !data->hasUrls())
        return false;
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return false;
        files.append(url.toLocalFile());
    }
    if (files.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop && m_openDropped)
        // Open after the drop has finished, so that a message box shown by a
        // failed open does not run inside the drag.
        QTimer::singleShot(0, this, [this, files] { m_openDropped(files); });
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        // Esc stops a running search wherever the focus is (the menu bar
        // after a menu closed, a toolbar, the log), unless a menu or a
        // dialog is open and needs the key itself.
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Escape
            && key->modifiers() == Qt::NoModifier && !QApplication::activePopupWidget()
            && !QApplication::activeModalWidget()) {
            auto* w = qobject_cast<QWidget*>(watched);
            if (w && w->window() == this) {
                const CCmdUI state = app::UpdateCommand(CommandChain(), ID_CANCEL_SEARCH);
                if (state.m_bEnabled && state.m_bHandled) {
                    OnCommand(ID_CANCEL_SEARCH);
                    return true;
                }
            }
        }
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_ScrollLock && !key->isAutoRepeat())
            m_bScrollLock = !m_bScrollLock;
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            UpdateIndicators(key->nativeModifiers());
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && HandleDrop(event))
            return true;
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_canClose && !m_canClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
