// The application shell: start-up, menus and toolbar, routing of every
// command to its handler, recent files, "&New Window", dropped files and
// closing with the save prompt.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWhatsThis>
#include <QtTest>
#include <memory>

#include "aboutdlg.h"
#include "apptestutil.h"
#include "childfrm.h"
#include "framework/doctemplate.h"
#include "graphparamsdlg.h"
#include "hcpapp.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "logview.h"
#include "mainfrm.h"
#include "menus.h"
#include "rearrangedlg.h"
#include "resource.h"

using apptest::FileAnswer;
using apptest::MessageRecorder;
using apptest::ModalScript;

namespace {

// Visible entries of a menu: texts, "-" for separators.
QStringList Entries(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (!a->isVisible())
            continue;
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

QStringList Titles(const QList<QMenu*>& menus)
{
    QStringList out;
    for (const QMenu* m : menus)
        out << m->title();
    return out;
}

}  // namespace

class TestShell : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_settingsDir;
    QTemporaryDir m_files;
    std::unique_ptr<CHcpApp> m_app;

    CMainFrame* Frame() const { return m_app->GetMainFrame(); }

    // A small graph file: a cycle of n nodes.
    QString WriteCycleFile(const QString& name, int n)
    {
        const QString path = m_files.filePath(name);
        CBitGraph g(static_cast<short>(n));
        g = true;
        for (int i = 1; i <= n; ++i)
            g.SetEdge(static_cast<short>(i), static_cast<short>(i % n + 1));
        if (!g.Store(path.toLocal8Bit().constData()))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // File New with the dialog's defaults; returns the new document.
    CHcpDoc* NewDocument()
    {
        ModalScript ok([](QDialog*) { return IDOK; });
        Frame()->OnCommand(ID_FILE_NEW);
        CChildFrame* f = Frame()->MDIGetActive();
        return f ? qobject_cast<CHcpDoc*>(f->GetActiveDocument()) : nullptr;
    }

    CHcpView* GraphView(CChildFrame* f) const { return qobject_cast<CHcpView*>(f->GetTabWnd().GetView(0)); }
    CLogView* LogView(CChildFrame* f) const { return qobject_cast<CLogView*>(f->GetTabWnd().GetView(1)); }

    bool Enabled(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->CommandAction(id)->isEnabled();
    }
    bool Checked(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->CommandAction(id)->isChecked();
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    }

    void init()
    {
        QSettings(QString::fromLatin1(CHcpApp::kRegistryKey), QString::fromLatin1(CHcpApp::kAppName)).clear();
        m_app = std::make_unique<CHcpApp>();
        QVERIFY(m_app->InitInstance());
    }

    void cleanup()
    {
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void startupShowsAnEmptyMainWindow()
    {
        QVERIFY(Frame()->isVisible());
        QVERIFY(Frame()->MdiArea()->subWindowList().isEmpty());
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("Tourvane32"));
        QCOMPARE(Frame()->CurrentMenuId(), IDR_MAINFRAME);
        QCOMPARE(Frame()->MessageText(), QStringLiteral("Ready"));
        QCOMPARE(Frame()->Indicator(ID_INDICATOR_CAPS)->text(), QStringLiteral("CAP"));
        QCOMPARE(Frame()->Indicator(ID_INDICATOR_NUM)->text(), QStringLiteral("NUM"));
        QCOMPARE(Frame()->Indicator(ID_INDICATOR_SCRL)->text(), QStringLiteral("SCRL"));
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Local AppWizard-Generated Applications"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tourvane32"));
        QVERIFY(m_app->GetDocTemplate()->GetDocuments().isEmpty());
    }

    void aFileNamedOnTheCommandLineIsNotOpened()
    {
        const QString path = WriteCycleFile(QStringLiteral("c5.hcp"), 5);
        m_app.reset();
        m_app = std::make_unique<CHcpApp>();
        QVERIFY(m_app->InitInstance({path}));
        QVERIFY(Frame()->MdiArea()->subWindowList().isEmpty());
        QVERIFY(m_app->GetDocTemplate()->GetDocuments().isEmpty());
        // The desktop's open of a file goes through --open.
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_app = std::make_unique<CHcpApp>();
        QVERIFY(m_app->InitInstance({QStringLiteral("--open"), path}));
        QCOMPARE(Frame()->MdiArea()->subWindowList().size(), 1);
    }

    void menusFollowWhetherADocumentIsOpen()
    {
        QCOMPARE(Titles(Frame()->CurrentMenus()), (QStringList{"&File", "&View", "&Help"}));
        QCOMPARE(Entries(Frame()->CurrentMenus()[0]),
                 (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...", "-", "Recent File", "-",
                              "E&xit"}));
        QCOMPARE(Entries(Frame()->CurrentMenus()[2]), (QStringList{"&Help Topics", "-", "&About Tourvane32..."}));
        QVERIFY(NewDocument());
        QCOMPARE(Frame()->CurrentMenuId(), IDR_TOURVTYPE);
        QCOMPARE(Titles(Frame()->CurrentMenus()), (QStringList{"&File", "&Edit", "&View", "&Window", "&Help"}));
        QCOMPARE(Entries(Frame()->CurrentMenus()[2]),
                 (QStringList{"&Toolbar", "&Status Bar", "-", "&Log", "&Edges", "&Node labels", "-",
                              "Zoom &in\tCtrl++", "Zoom &out\tCtrl+-", "Fit to &window\tCtrl+0",
                              "Fin&d node...\tCtrl+F", "-", "&Circle layout", "&Board layout", "Force l&ayout", "-",
                              "&Rearrange cycle", "-", "&Question", "&Find cycle\tF5", "S&olve\tCtrl+F5",
                              "&Stop search\tEsc"}));
        // The question's submenu: the document asks for a cycle until told otherwise.
        QMenu* question = Frame()->CurrentMenus()[2]->actions()[18]->menu();
        QVERIFY(question);
        QCOMPARE(Entries(question), (QStringList{"Hamiltonian &cycle", "Hamiltonian &path", "Path &ends..."}));
        Frame()->UpdateCommandUI();
        QVERIFY(question->actions()[0]->isChecked() && question->actions()[0]->isEnabled());
        QVERIFY(!question->actions()[1]->isChecked() && question->actions()[1]->isEnabled());
        QVERIFY(Frame()->OnCommand(ID_QUESTION_PATH));
        Frame()->UpdateCommandUI();
        QVERIFY(!question->actions()[0]->isChecked() && question->actions()[1]->isChecked());
        QCOMPARE(Frame()->CommandAction(ID_QUESTION_PATH)->statusTip(),
                 QStringLiteral("Ask for a Hamiltonian path with free ends (Solve)"));
        QCOMPARE(Entries(Frame()->CurrentMenus()[3]),
                 (QStringList{"&New Window", "&Cascade", "&Tile", "&Arrange Icons"}));
        // The menu bar shows the same pop-ups.
        QStringList bar;
        for (QAction* a : Frame()->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, Titles(Frame()->CurrentMenus()));
        // Closing the last document brings the first menu back.
        Frame()->MDIGetActive()->GetActiveDocument()->SetModifiedFlag(false);
        Frame()->OnCommand(ID_FILE_CLOSE);
        QTRY_VERIFY(Frame()->MdiArea()->subWindowList().isEmpty());
        QTRY_COMPARE(Frame()->CurrentMenuId(), IDR_MAINFRAME);
    }

    void toolbarButtonsAndTheirTips()
    {
        QToolBar* bar = Frame()->ToolBar();
        QCOMPARE(bar->iconSize(), QSize(16, 15));
        QList<int> ids;
        for (QAction* a : bar->actions())
            ids << (a->isSeparator() ? 0 : app::CommandId(a));
        QCOMPARE(ids, QList<int>(app::toolbarButtons().begin(), app::toolbarButtons().end()));
        for (QAction* a : bar->actions())
            QVERIFY(a->isSeparator() || !a->icon().isNull());
        QCOMPARE(Frame()->CommandAction(ID_REARRANGE_CYCLE)->toolTip(), QStringLiteral("Rearrange cycle"));
        QCOMPARE(Frame()->CommandAction(ID_FIND_CYCLE)->statusTip(), QStringLiteral("Find Hamiltonian cycle"));
        QCOMPARE(Frame()->CommandAction(ID_VIEW_EDGES)->statusTip(), QStringLiteral("View edges"));
        QCOMPARE(Frame()->CommandAction(ID_FIND_CYCLE)->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(Frame()->CommandAction(ID_EDIT_UNDO)->shortcuts().size(), 2);
    }

    void withoutADocumentOnlyTheApplicationsCommandsAreEnabled()
    {
        for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_APP_ABOUT, ID_HELP_FINDER,
                       ID_CONTEXT_HELP, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
            QVERIFY2(Enabled(id), qPrintable(QString::number(id)));
        for (int id : {ID_FILE_SAVE, ID_FILE_CLOSE, ID_FILE_PRINT, ID_EDIT_CUT, ID_EDIT_PASTE, ID_FIND_CYCLE,
                       ID_REARRANGE_CYCLE, ID_WINDOW_NEW, ID_FILE_MRU_FILE1, ID_NEXT_PANE, ID_VIEW_LOG})
            QVERIFY2(!Enabled(id), qPrintable(QString::number(id)));
        QVERIFY(Checked(ID_VIEW_TOOLBAR));
        QVERIFY(Checked(ID_VIEW_STATUS_BAR));
    }

    void onTheGraphTabTheViewAndDocumentCommandsAreEnabled()
    {
        CHcpDoc* doc = NewDocument();
        QVERIFY(doc);
        for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_CLOSE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
                       ID_VIEW_EDGES, ID_VIEW_LABELS, ID_REARRANGE_CYCLE, ID_FIND_CYCLE, ID_WINDOW_NEW,
                       ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE, ID_NEXT_PANE, ID_PREV_PANE,
                       ID_SOLVE, ID_VIEW_LOG, ID_EDIT_COPY, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_FIT,
                       ID_VIEW_FIND_NODE, ID_LAYOUT_CIRCLE, ID_LAYOUT_BOARD, ID_LAYOUT_FORCE, ID_FILE_EXPORT_PICTURE,
                       ID_FILE_EXPORT_TOUR})
            QVERIFY2(Enabled(id), qPrintable(QString::number(id)));
        // Copy takes the cycle text; the other edit commands belong to the
        // log; the minimal-cycle command has no handler; delete node wants a
        // selected node; stop wants a running search.
        for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_PASTE, ID_DELETE_NODE, ID_CANCEL_SEARCH})
            QVERIFY2(!Enabled(id), qPrintable(QString::number(id)));
        QVERIFY(!app::UpdateCommand(Frame()->CommandChain(), ID_FIND_MIN_CYCLE).m_bEnabled);
        QVERIFY(Checked(ID_VIEW_EDGES));
        QVERIFY(Checked(ID_VIEW_LABELS));
        QVERIFY(Checked(ID_LAYOUT_CIRCLE));
        QVERIFY(!Checked(ID_VIEW_LOG));
        // Copy puts the whole cycle on the clipboard, as Rearrange reads it.
        QVERIFY(Frame()->OnCommand(ID_EDIT_COPY));
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith("{ ") && copied.endsWith(" }"), qPrintable(copied));
        QCOMPARE(copied.split(' ', Qt::SkipEmptyParts).size(), doc->GetNodeCount() + 2);
        // View > Log shows the log, and again the picture.
        CChildFrame* frame = Frame()->MDIGetActive();
        QVERIFY(app::RouteCommand(Frame()->CommandChain(), ID_VIEW_LOG));
        QCOMPARE(frame->GetTabWnd().GetActiveTab(), 1);
        QVERIFY(Checked(ID_VIEW_LOG));
        QVERIFY(app::RouteCommand(Frame()->CommandChain(), ID_VIEW_LOG));
        QCOMPARE(frame->GetTabWnd().GetActiveTab(), 0);
    }

    void everyCommandReachesItsHandler()
    {
        CHcpDoc* doc = NewDocument();
        QVERIFY(doc);
        CChildFrame* frame = Frame()->MDIGetActive();
        CHcpView* graph = GraphView(frame);

        // View commands.
        QVERIFY(Frame()->OnCommand(ID_VIEW_EDGES));
        QVERIFY(!graph->m_bShowEdges);
        QVERIFY(!Checked(ID_VIEW_EDGES));
        QVERIFY(Frame()->OnCommand(ID_VIEW_LABELS));
        QVERIFY(!graph->m_bShowLabels);
        graph->m_nSelected = 1;
        QVERIFY(Enabled(ID_DELETE_NODE));
        QVERIFY(Frame()->OnCommand(ID_DELETE_NODE));
        QCOMPARE(graph->m_nSelected, -1);
        QCOMPARE(doc->Graph().Degree(0), 0u);

        // Commands that open dialogs reach them.
        QStringList shown;
        {
            ModalScript record([&shown](QDialog* d) {
                shown << QString::fromLatin1(d->metaObject()->className());
                return IDCANCEL;
            });
            QVERIFY(Frame()->OnCommand(ID_REARRANGE_CYCLE));
            QVERIFY(Frame()->OnCommand(ID_APP_ABOUT));
            QVERIFY(Frame()->OnCommand(ID_FILE_PRINT_SETUP));
            QVERIFY(Frame()->OnCommand(ID_FILE_PRINT));
            QVERIFY(Frame()->OnCommand(ID_FILE_PRINT_PREVIEW));
            QVERIFY(Frame()->OnCommand(ID_FILE_NEW));
        }
        QCOMPARE(shown, (QStringList{"CRearrangeDlg", "CAboutBox", "QPageSetupDialog", "QPrintDialog",
                                     "QPrintPreviewDialog", "CGraphParamsDlg"}));
        // Cancelling "Graph parameters" leaves no new window behind.
        QCOMPARE(Frame()->ChildFrames().size(), 1);
        QCOMPARE(m_app->GetDocTemplate()->GetDocuments().size(), 1);

        // File prompts: open (cancelled) and save.
        QStringList prompts;
        const QString saved = m_files.filePath(QStringLiteral("saved.hcp"));
        app::SetFileDialogHook([&](bool open, const QString& filter) {
            prompts << QStringLiteral("%1 %2").arg(open ? "open" : "save", filter);
            return open ? QString() : saved;
        });
        QVERIFY(Frame()->OnCommand(ID_FILE_OPEN));
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        app::SetFileDialogHook({});
        QCOMPARE(prompts.size(), 2);
        QVERIFY(prompts[0].startsWith(QStringLiteral("open Tourvane Files (*.hcp)|*.hcp|")));
        QVERIFY(prompts[1].startsWith(QStringLiteral("save ")));
        QVERIFY(QFileInfo::exists(saved));
        QVERIFY(!doc->IsModified());
        QCOMPARE(m_app->RecentFiles().at(0), QFileInfo(saved).absoluteFilePath());

        // Bars, help and windows.
        QVERIFY(Frame()->OnCommand(ID_VIEW_TOOLBAR));
        QVERIFY(Frame()->ToolBar()->isHidden());
        QVERIFY(!Checked(ID_VIEW_TOOLBAR));
        QVERIFY(Frame()->OnCommand(ID_VIEW_TOOLBAR));
        QVERIFY(!Frame()->ToolBar()->isHidden());
        QVERIFY(Frame()->OnCommand(ID_VIEW_STATUS_BAR));
        QVERIFY(Frame()->statusBar()->isHidden());
        QVERIFY(Frame()->OnCommand(ID_VIEW_STATUS_BAR));
        QVERIFY(Frame()->OnCommand(ID_HELP_FINDER));
        auto* help = Frame()->findChild<QDialog*>(QStringLiteral("helpWindow"));
        QVERIFY(help && help->isVisible());
        help->hide();
        QVERIFY(Frame()->OnCommand(ID_CONTEXT_HELP));
        QVERIFY(QWhatsThis::inWhatsThisMode());
        QWhatsThis::leaveWhatsThisMode();
        QVERIFY(Frame()->OnCommand(ID_WINDOW_CASCADE));
        QVERIFY(Frame()->OnCommand(ID_WINDOW_TILE_HORZ));
        QVERIFY(Frame()->OnCommand(ID_WINDOW_ARRANGE));
        QVERIFY(Frame()->OnCommand(ID_NEXT_PANE));
        QCOMPARE(frame->GetTabWnd().GetActiveTab(), 1);
        QVERIFY(Frame()->OnCommand(ID_PREV_PANE));
        QCOMPARE(frame->GetTabWnd().GetActiveTab(), 0);

        // The search runs and writes its line to the log.
        QVERIFY(Frame()->OnCommand(ID_FIND_CYCLE));
        QTRY_VERIFY(!doc->IsSearching());
        QTRY_VERIFY(!LogView(frame)->GetText().isEmpty());

        // Close ends the document and its window.
        doc->SetModifiedFlag(false);
        QVERIFY(Frame()->OnCommand(ID_FILE_CLOSE));
        QTRY_VERIFY(Frame()->ChildFrames().isEmpty());
    }

    void editCommandsActOnTheLogWhileItsTabIsSelected()
    {
        QVERIFY(NewDocument());
        CChildFrame* frame = Frame()->MDIGetActive();
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QVERIFY(!Enabled(ID_EDIT_PASTE));
        frame->GetTabWnd().SelectTab(1);
        QVERIFY(Enabled(ID_EDIT_PASTE));
        QVERIFY(!Enabled(ID_EDIT_COPY));
        QVERIFY(Frame()->OnCommand(ID_EDIT_PASTE));
        CLogView* log = LogView(frame);
        QCOMPARE(log->GetText(), QStringLiteral("pasted"));
        QVERIFY(Enabled(ID_EDIT_UNDO));
        log->GetEditCtrl()->selectAll();
        QVERIFY(Enabled(ID_EDIT_COPY));
        QVERIFY(Frame()->OnCommand(ID_EDIT_CUT));
        QCOMPARE(log->GetText(), QString());
        // Graph commands are not the log's: they are disabled there.
        QVERIFY(!Enabled(ID_VIEW_EDGES));
        // Back on the graph the edit commands are disabled again.
        frame->GetTabWnd().SelectTab(0);
        QVERIFY(!Enabled(ID_EDIT_PASTE));
        QVERIFY(!Enabled(ID_EDIT_UNDO));
    }

    void recentFileListKeepsEightEntries()
    {
        QStringList paths;
        for (int i = 1; i <= 10; ++i)
            paths << WriteCycleFile(QStringLiteral("r%1.hcp").arg(i), 4 + i);
        for (const QString& p : paths)
            QVERIFY(m_app->OpenDocumentFile(p));
        QCOMPARE(m_app->RecentFiles().size(), 8);
        QCOMPARE(m_app->RecentFiles().at(0), paths[9]);
        QCOMPARE(m_app->RecentFiles().at(7), paths[2]);
        // The file menu shows the eight, numbered, and hides its placeholder.
        QStringList file = Entries(Frame()->CurrentMenus()[0]);
        QVERIFY(!file.contains(QStringLiteral("Recent File")));
        QCOMPARE(file.filter(QRegularExpression(QStringLiteral("^&[1-8] "))).size(), 8);
        QVERIFY(file.contains(QStringLiteral("&1 ") + paths[9]) || file.filter(QStringLiteral("r10.hcp")).size() == 1);
        for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE8; ++id)
            QVERIFY(Enabled(id));

        // The list is in the settings, and the next start reads it.
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        {
            QSettings s;
            QCOMPARE(s.value(QStringLiteral("Recent File List/File1")).toString(), paths[9]);
            QCOMPARE(s.value(QStringLiteral("Recent File List/File8")).toString(), paths[2]);
            QVERIFY(!s.contains(QStringLiteral("Recent File List/File9")));
        }
        m_app = std::make_unique<CHcpApp>();
        QVERIFY(m_app->InitInstance());
        QCOMPARE(m_app->RecentFiles().paths(), (QStringList{paths[9], paths[8], paths[7], paths[6], paths[5],
                                                            paths[4], paths[3], paths[2]}));

        // An entry whose file has gone leaves the list when chosen.
        QFile::remove(paths[8]);
        MessageRecorder messages;
        QVERIFY(Frame()->OnCommand(ID_FILE_MRU_FILE2));
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages[0].contains(QStringLiteral("Cannot find this file.")));
        QCOMPARE(m_app->RecentFiles().size(), 7);
        QVERIFY(!m_app->RecentFiles().paths().contains(paths[8]));
        // A good entry opens and moves to the top.
        QVERIFY(Frame()->OnCommand(ID_FILE_MRU_FILE3));
        QCOMPARE(Frame()->ChildFrames().size(), 1);
        QCOMPARE(m_app->RecentFiles().at(0), paths[6]);
    }

    void newWindowShowsTheSameDocumentWithItsOwnViews()
    {
        CHcpDoc* doc = NewDocument();
        QVERIFY(doc);
        CChildFrame* first = Frame()->MDIGetActive();
        QCOMPARE(first->windowTitle(), QStringLiteral("Tourvane1"));
        QVERIFY(Frame()->OnCommand(ID_WINDOW_NEW));
        QCOMPARE(Frame()->ChildFrames().size(), 2);
        CChildFrame* second = Frame()->MDIGetActive();
        QVERIFY(second != first);
        QCOMPARE(second->GetActiveDocument(), doc);
        QVERIFY(GraphView(second) != GraphView(first));
        QVERIFY(LogView(second) != LogView(first));
        QCOMPARE(doc->GetViews().size(), 4);
        QVERIFY(GraphView(second)->HadInitialUpdate());
        QCOMPARE(doc->m_pLogView, LogView(second));
        QCOMPARE(first->windowTitle(), QStringLiteral("Tourvane1:1"));
        QCOMPARE(second->windowTitle(), QStringLiteral("Tourvane1:2"));
        QCOMPARE(m_app->GetDocTemplate()->GetDocuments().size(), 1);

        // The window menu lists both, the active one checked; choosing the
        // other brings it to the front.
        QMenu* windowMenu = Frame()->CurrentMenus()[3];
        emit windowMenu->aboutToShow();
        QCOMPARE(Entries(windowMenu).mid(4), (QStringList{"-", "&1 Tourvane1:1", "&2 Tourvane1:2"}));
        QVERIFY(windowMenu->actions().last()->isChecked());
        windowMenu->actions()[windowMenu->actions().size() - 2]->trigger();
        QCOMPARE(Frame()->MDIGetActive(), first);
        Frame()->MdiArea()->setActiveSubWindow(second);

        // Closing one of two windows asks nothing and keeps the document.
        MessageRecorder messages;
        QVERIFY(doc->IsModified());
        second->close();
        QTRY_COMPARE(Frame()->ChildFrames().size(), 1);
        QVERIFY(messages.messages.isEmpty());
        QTRY_COMPARE(doc->GetViews().size(), 2);
        QTRY_COMPARE(first->windowTitle(), QStringLiteral("Tourvane1"));
    }

    void closingTheLastWindowOfAModifiedDocumentAsks()
    {
        CHcpDoc* doc = NewDocument();
        QVERIFY(doc && doc->IsModified());
        CChildFrame* frame = Frame()->MDIGetActive();
        MessageRecorder messages;
        messages.answer = IDCANCEL;
        frame->close();
        QCoreApplication::processEvents();
        QCOMPARE(messages.messages, QStringList{QStringLiteral("Save changes to Tourvane1?")});
        QCOMPARE(Frame()->ChildFrames().size(), 1);
        messages.answer = IDNO;
        frame->close();
        QTRY_VERIFY(Frame()->ChildFrames().isEmpty());
        QTRY_VERIFY(m_app->GetDocTemplate()->GetDocuments().isEmpty());
    }

    void exitAsksAndCanBeCancelled()
    {
        QVERIFY(NewDocument());
        MessageRecorder messages;
        messages.answer = IDCANCEL;
        QVERIFY(Frame()->OnCommand(ID_APP_EXIT));
        QVERIFY(Frame()->isVisible());
        QCOMPARE(messages.messages.size(), 1);
        messages.answer = IDNO;
        QVERIFY(Frame()->OnCommand(ID_APP_EXIT));
        QVERIFY(!Frame()->isVisible());
        QTRY_VERIFY(Frame()->ChildFrames().isEmpty());
    }

    void droppedFilesOpenAndAnOpenFileComesToTheFront()
    {
        const QString a = WriteCycleFile(QStringLiteral("drop-a.hcp"), 6);
        const QString b = WriteCycleFile(QStringLiteral("drop-b.hcp"), 7);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
        QWidget* target = Frame()->MdiArea()->viewport();
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QTRY_COMPARE(Frame()->ChildFrames().size(), 2);
        QCOMPARE(Frame()->MDIGetActive()->GetActiveDocument()->GetTitle(), QStringLiteral("drop-b.hcp"));
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("Tourvane32"));
        // A maximised window shows its title in the main window's.
        Frame()->MDIGetActive()->showMaximized();
        QCoreApplication::processEvents();
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("Tourvane32 - [drop-b.hcp]"));
        // Opening a file that is open already shows its window.
        QVERIFY(m_app->OpenDocumentFile(a));
        QCOMPARE(Frame()->ChildFrames().size(), 2);
        QCOMPARE(Frame()->MDIGetActive()->GetActiveDocument()->GetTitle(), QStringLiteral("drop-a.hcp"));
    }

    void aboutBoxClosesWithOk()
    {
        CAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About Tourvane32"));
        auto* buttons = box.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->buttons().size(), 1);
        QVERIFY(box.findChild<QLabel*>(QStringLiteral("versionLabel"))->text().startsWith(QStringLiteral("Tourvane32")));
        box.show();
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
