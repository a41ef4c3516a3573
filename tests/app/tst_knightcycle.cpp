// The whole program on a knight's graph: open the file, find the cycle from
// the menu command, see it drawn without gaps and reported in the log.
// With TOURVANE_SCREENSHOT=<file.png> in the environment it also saves a
// picture of the main window with the graph and, in a second window on the
// same document, its log.
#include <QImage>
#include <QMdiArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "apptestutil.h"
#include "childfrm.h"
#include "hcpapp.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "logview.h"
#include "mainfrm.h"
#include "resource.h"
#include "tabwnd.h"

class TestKnightCycle : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    static bool HasColour(const QImage& img, QRgb colour)
    {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                    return true;
        return false;
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    void findCycleSolvesTheKnightsGraph()
    {
        const QString path = m_dir.filePath(QStringLiteral("knight6x6.hcp"));
        {
            CBitGraph g;
            apptest::MakeKnightGraph(g, 6, 6);
            QVERIFY(g.Store(path.toLocal8Bit().constData()));
        }
        CHcpApp app;
        QVERIFY(app.InitInstance());
        CMainFrame* main = app.GetMainFrame();
        main->resize(960, 600);
        auto* doc = qobject_cast<CHcpDoc*>(app.OpenDocumentFile(path));
        QVERIFY(doc);
        CChildFrame* frame = main->MDIGetActive();
        auto* graph = qobject_cast<CHcpView*>(frame->GetTabWnd().GetView(0));
        QVERIFY(graph);
        QVERIFY(doc->CycleTitle().startsWith(QStringLiteral("(H=")));
        // A second window on the document, showing its log: its log view is
        // the newest and receives the search's line.
        QVERIFY(main->OnCommand(ID_WINDOW_NEW));
        CChildFrame* second = main->MDIGetActive();
        second->GetTabWnd().SelectTab(1);
        auto* log = qobject_cast<CLogView*>(second->GetTabWnd().GetView(1));
        QCOMPARE(doc->m_pLogView, log);

        QVERIFY(main->OnCommand(ID_FIND_CYCLE));
        QTRY_VERIFY_WITH_TIMEOUT(!doc->IsSearching(), 60000);
        QVERIFY2(doc->CycleTitle().startsWith(QStringLiteral("(H=0)")), qPrintable(doc->CycleTitle()));
        QVERIFY(log->GetText().contains(QStringLiteral("H=0")));
        QVERIFY(main->MessageText().contains(QStringLiteral("H=0")));

        // The cycle is drawn in blue, with no red gap anywhere.
        graph->resize(440, 340);
        const QImage picture = graph->grab().toImage();
        QVERIFY(HasColour(picture, qRgb(0, 0, 255)));
        QVERIFY(!HasColour(picture, qRgb(255, 0, 0)));

        const QString shot = qEnvironmentVariable("TOURVANE_SCREENSHOT");
        if (shot.isEmpty())
            return;
        // For the picture: the knight's tour of the 8 x 8 board, each node on
        // its square, graph on the left and the same document's log on the
        // right.
        const QString board = m_dir.filePath(QStringLiteral("leaper_1_2_8_8.hcp"));
        {
            CBitGraph g;
            apptest::MakeKnightGraph(g, 8, 8);
            QVERIFY(g.Store(board.toLocal8Bit().constData()));
        }
        doc->SetModifiedFlag(false);
        for (CChildFrame* f : main->ChildFrames())
            f->close();
        QTRY_VERIFY(main->ChildFrames().isEmpty());
        auto* boardDoc = qobject_cast<CHcpDoc*>(app.OpenDocumentFile(board));
        QVERIFY(boardDoc);
        QVERIFY(main->OnCommand(ID_LAYOUT_BOARD));
        // The second window shows the log, which the search then writes to.
        QVERIFY(main->OnCommand(ID_WINDOW_NEW));
        main->MdiArea()->currentSubWindow()->findChild<CTabWnd*>()->SelectTab(1);
        const QList<CChildFrame*> frames = main->ChildFrames();
        main->MdiArea()->setActiveSubWindow(frames[0]);
        QVERIFY(main->OnCommand(ID_FIND_CYCLE));
        QTRY_VERIFY_WITH_TIMEOUT(!boardDoc->IsSearching(), 60000);
        QCOMPARE(frames.size(), 2);
        const int w = main->MdiArea()->viewport()->width();
        const int h = main->MdiArea()->viewport()->height();
        frames[0]->setGeometry(0, 0, w * 3 / 5, h);
        frames[1]->setGeometry(w * 3 / 5, 0, w - w * 3 / 5, h);
        main->MdiArea()->setActiveSubWindow(frames[0]);
        QTest::qWait(300);
        QVERIFY(main->grab().save(shot));
    }
};

QTEST_MAIN(TestKnightCycle)
#include "tst_knightcycle.moc"
