// The whole program while a search runs: Esc cancels it whatever had the
// focus, also after a menu was opened and closed, and the status bar shows
// the active document's outcome, not another's.
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "apptestutil.h"
#include "childfrm.h"
#include "hcpapp.h"
#include "hcpdoc.h"
#include "mainfrm.h"
#include "resource.h"

class TestEscape : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString WriteKnightFile(const QString& name, int rows, int cols)
    {
        CCycle g(10);
        apptest::MakeKnightGraph(g, rows, cols);
        const QString p = m_dir.filePath(name);
        g.Store(QFile::encodeName(p).constData());
        return p;
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    void escapeAfterAMenuWasOpenedCancelsTheSearch()
    {
        // An odd board has no closed tour: the search runs until stopped.
        const QString path = WriteKnightFile("k41.hcp", 41, 41);
        CHcpApp app;
        QVERIFY(app.InitInstance());
        CMainFrame* main = app.GetMainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        auto* doc = qobject_cast<CHcpDoc*>(app.OpenDocumentFile(path));
        QVERIFY(doc);
        QVERIFY(main->OnCommand(ID_FIND_CYCLE));
        QVERIFY(doc->IsSearching());

        // Open the View menu from the menu bar and close it with Esc, the way
        // a user looks at the menu and leaves it.
        QMenu* view = nullptr;
        for (QMenu* m : main->CurrentMenus())
            if (m->title() == "&View")
                view = m;
        QVERIFY(view);
        main->menuBar()->setActiveAction(view->menuAction());
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
        QVERIFY(doc->IsSearching());

        // Esc now, sent wherever the focus went.
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : main->menuBar();
        QTest::keyClick(target, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!doc->IsSearching(), 20000);
        QVERIFY(doc->LastSearch().cancelled);
        QVERIFY(main->MessageText().contains("cancelled"));

        // Esc with the focus on the menu bar itself also works.
        QVERIFY(main->OnCommand(ID_FIND_CYCLE));
        QVERIFY(doc->IsSearching());
        main->menuBar()->setFocus();
        QTest::keyClick(main->menuBar(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!doc->IsSearching(), 20000);
    }

    void statusBarBelongsToTheActiveDocument()
    {
        CHcpApp app;
        QVERIFY(app.InitInstance());
        CMainFrame* main = app.GetMainFrame();
        auto* first = qobject_cast<CHcpDoc*>(app.OpenDocumentFile(WriteKnightFile("k66.hcp", 6, 6)));
        QVERIFY(first);
        CChildFrame* firstFrame = main->MDIGetActive();
        QVERIFY(main->OnCommand(ID_FIND_CYCLE));
        QTRY_VERIFY_WITH_TIMEOUT(!first->IsSearching(), 30000);
        QVERIFY(main->MessageText().startsWith("Hamiltonian cycle found"));

        // Another file opens: its window shows no stale result.
        auto* second = qobject_cast<CHcpDoc*>(app.OpenDocumentFile(WriteKnightFile("k55.hcp", 5, 5)));
        QVERIFY(second);
        QCOMPARE(main->MessageText(), QString("Ready"));
        // Back on the first: its own outcome again.
        main->MdiArea()->setActiveSubWindow(firstFrame);
        QVERIFY(main->MessageText().startsWith("Hamiltonian cycle found"));
    }

    void solveCommandDecidesAndSaysSoInPlainWords()
    {
        CHcpApp app;
        QVERIFY(app.InitInstance());
        CMainFrame* main = app.GetMainFrame();
        auto* doc = qobject_cast<CHcpDoc*>(app.OpenDocumentFile(WriteKnightFile("k66s.hcp", 6, 6)));
        QVERIFY(doc);
        QVERIFY(main->CommandAction(ID_SOLVE)->isEnabled() || (main->UpdateCommandUI(), main->CommandAction(ID_SOLVE)->isEnabled()));
        QVERIFY(main->OnCommand(ID_SOLVE));
        QTRY_VERIFY_WITH_TIMEOUT(!doc->IsSearching(), 60000);
        QVERIFY2(main->MessageText().startsWith("Hamiltonian cycle found"), qPrintable(main->MessageText()));
        QCOMPARE(doc->CheckOrder().gaps, 0);
        QVERIFY(!doc->IsModified());
    }
};

QTEST_MAIN(TestEscape)
#include "tst_escape.moc"
