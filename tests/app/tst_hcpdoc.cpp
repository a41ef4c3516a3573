// The document: new graphs from the parameters dialog, open and save of
// .hcp files with their failures, the search on its worker thread,
// rearranging the cycle, removing edges and the title.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

#include "apptestutil.h"
#include "core/leapergraph.h"
#include "framework/doctemplate.h"
#include "framework/resstrings.h"
#include "graphparamsdlg.h"
#include "hcpdoc.h"

using apptest::MessageRecorder;
using apptest::ModalScript;

namespace {

// Accepts the parameters dialog after setting its fields.
std::function<int(QDialog*)> AcceptParams(const QString& dim, bool random, const QString& degree)
{
    return [=](QDialog* d) {
        auto* dlg = qobject_cast<CGraphParamsDlg*>(d);
        if (!dlg)
            return int(IDCANCEL);
        dlg->m_editDimension->setText(dim);
        dlg->m_checkRandom->setChecked(random);
        dlg->m_editMaxDegree->setText(degree);
        dlg->OnOK();
        return dlg->result();
    };
}

CDocTemplate* MakeTemplate()
{
    return new CDocTemplate(app::LoadResString(IDR_TOURVTYPE), [] { return new CHcpDoc; });
}

}  // namespace

class TestHcpDoc : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    static QByteArray ReadAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Writes the knight's graph of rows x cols to an .hcp file.
    QString WriteKnightFile(const QString& name, int rows, int cols)
    {
        CCycle g(10);
        apptest::MakeKnightGraph(g, rows, cols);
        const QString p = Path(name);
        g.Store(QFile::encodeName(p).constData());
        return p;
    }

private slots:
    void newDocumentWithDefaultsIsARandomGraphOfEight()
    {
        ModalScript play([](QDialog* d) {
            auto* dlg = qobject_cast<CGraphParamsDlg*>(d);
            dlg->OnOK();
            return dlg->result();
        });
        CHcpDoc doc;
        QVERIFY(doc.OnNewDocument());
        QCOMPARE(doc.GetNodeCount(), 8);
        QVERIFY(doc.IsModified());
        QVERIFY(doc.CheckOrder().permutation);
    }

    void newDocumentWithoutRandomHasNoEdges()
    {
        ModalScript play(AcceptParams("12", false, "999"));
        CHcpDoc doc;
        QVERIFY(doc.OnNewDocument());
        QCOMPARE(doc.GetNodeCount(), 12);
        QCOMPARE(doc.Graph().EdgeCount(), std::size_t(0));
        // The values are kept for the next time the dialog opens.
        QCOMPARE(doc.m_dlgParams.m_nDimension, std::int16_t(12));
        QCOMPARE(doc.m_dlgParams.m_bRandom, false);
    }

    void cancelledNewLeavesNothingAndUsesNoNumber()
    {
        std::unique_ptr<CDocTemplate> t(MakeTemplate());
        {
            ModalScript play([](QDialog* d) {
                static_cast<CDialog*>(d)->OnCancel();
                return d->result();
            });
            QVERIFY(t->OpenDocumentFile(QString()) == nullptr);
            QVERIFY(t->GetDocuments().isEmpty());
        }
        ModalScript play(AcceptParams("5", true, "2"));
        CDocument* doc = t->OpenDocumentFile(QString());
        QVERIFY(doc);
        QCOMPARE(doc->GetTitle(), QString("Tourvane1"));
        CDocument* second = t->OpenDocumentFile(QString());
        QCOMPARE(second->GetTitle(), QString("Tourvane2"));
    }

    void refusedParametersKeepTheDialogOpen()
    {
        MessageRecorder msgs;
        bool stayedOpen = false;
        ModalScript play([&](QDialog* d) {
            auto* dlg = qobject_cast<CGraphParamsDlg*>(d);
            dlg->m_editDimension->setText("2");
            dlg->OnOK();
            stayedOpen = dlg->result() != IDOK;
            dlg->OnCancel();
            return dlg->result();
        });
        CHcpDoc doc;
        QVERIFY(!doc.OnNewDocument());
        QVERIFY(stayedOpen);
        QCOMPARE(msgs.messages, QStringList{"Please enter an integer between 3 and 32767."});
        QCOMPARE(doc.GetNodeCount(), 10);
    }

    void openAndSaveRoundTrip()
    {
        const QString src = WriteKnightFile("knight.hcp", 3, 4);
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(src));
        QCOMPARE(doc.GetNodeCount(), 12);
        QVERIFY(!doc.IsModified());
        const QString out = Path("copy.hcp");
        QVERIFY(doc.DoSave(out));
        QCOMPARE(doc.GetPathName(), out);
        QCOMPARE(doc.GetTitle(), QString("copy.hcp"));
        CCycle a(10), b(10);
        QVERIFY(a.Load(QFile::encodeName(src).constData()));
        QVERIFY(b.Load(QFile::encodeName(out).constData()));
        QVERIFY(static_cast<const CBitGraph&>(a) == static_cast<const CBitGraph&>(b));
        // The NAME line names the chosen file, as a direct Store would.
        QFile saved(out);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readLine(), QByteArray("NAME: ") + QFile::encodeName(out) + "\n");
        // No temporary file is left beside the saved one.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter("copy").size(), 1);
    }

    void saveOverAnOlderFileReplacesItWholeAndKeepsItsPermissions()
    {
        const QString out = Path("older.hcp");
        {
            QFile old(out);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("NAME: older\nan older file, longer than the graph saved over it\n");
        }
        QVERIFY(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ReadGroup));
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(WriteKnightFile("k34.hcp", 3, 4)));
        QVERIFY(doc.DoSave(out));
        QCOMPARE(QFile::permissions(out) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions(QFileDevice::ReadGroup));
        CCycle back(4);
        QVERIFY(back.Load(QFile::encodeName(out).constData()));
        QVERIFY(hcp::Graph::FromBitGraph(back) == doc.Graph());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter("older").size(), 1);
    }

    void failedOpenIsReportedAndOpensNoWindow()
    {
        // A graph file with one edge line naming node 9 of 4.
        const QString bad = Path("bad.hcp");
        CCycle g(4);
        QVERIFY(g.Store(QFile::encodeName(bad).constData()));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray text = f.readAll();
        f.close();
        text.replace("-1\nEOF", "     9      1\n-1\nEOF");
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        MessageRecorder msgs;
        std::unique_ptr<CDocTemplate> t(MakeTemplate());
        int frames = 0;
        t->m_createFrame = [&](CDocument*) { ++frames; return true; };
        QVERIFY(t->OpenDocumentFile(bad) == nullptr);
        QCOMPARE(frames, 0);
        QCOMPARE(msgs.messages.size(), 1);
        QVERIFY(msgs.messages[0].startsWith("Failed to open document.\n"));
        QVERIFY(msgs.messages[0].contains("bad.hcp"));
        QVERIFY(t->GetDocuments().isEmpty());
    }

    void missingFileIsReportedByName()
    {
        MessageRecorder msgs;
        CHcpDoc doc;
        QVERIFY(!doc.OnOpenDocument(Path("absent.hcp")));
        QCOMPARE(msgs.messages.size(), 1);
        QVERIFY(msgs.messages[0].contains("absent.hcp\nCannot find this file."));
    }

    void failedSaveKeepsTheDocumentModifiedAndTheOldFile()
    {
        ModalScript play(AcceptParams("6", false, "0"));
        CHcpDoc doc;
        QVERIFY(doc.OnNewDocument());
        MessageRecorder msgs;
        QVERIFY(!doc.DoSave(Path("no/such/folder/x.hcp")));
        QVERIFY(doc.IsModified());
        QVERIFY(doc.GetPathName().isEmpty());
        QCOMPARE(msgs.messages.size(), 1);
        QVERIFY(msgs.messages[0].startsWith("Failed to save document."));
    }

    void saveChangesPromptNamesTheDocument()
    {
        ModalScript play(AcceptParams("6", false, "0"));
        CHcpDoc doc;
        doc.SetTitle("Tourvane3");
        QVERIFY(doc.OnNewDocument());
        MessageRecorder msgs;
        msgs.answer = IDCANCEL;
        QVERIFY(!doc.SaveModified());
        msgs.answer = IDNO;
        QVERIFY(doc.SaveModified());
        QCOMPARE(msgs.messages.value(0), QString("Save changes to Tourvane3?"));
    }

    void findCycleOnAKnightGraphReachesZero()
    {
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(WriteKnightFile("k66.hcp", 6, 6)));
        std::ostringstream log;
        doc.SetLogView(nullptr, &log);
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QVERIFY(doc.IsSearching());
        QVERIFY(finished.wait(20000));
        QVERIFY(!doc.IsSearching());
        QCOMPARE(doc.LastSearch().h, 0);
        QVERIFY(doc.CycleTitle().startsWith("(H=0): {"));
        QVERIFY(QString::fromStdString(log.str()).startsWith("Find cycle: H=0 after "));
        QCOMPARE(doc.m_pX.size(), std::size_t(36));
    }

    void newLeaperGraphIsTheBoardOfItsMoves()
    {
        MessageRecorder msgs;
        int tries = 0;
        ModalScript play([&](QDialog* d) {
            auto* dlg = qobject_cast<CGraphParamsDlg*>(d);
            if (!dlg)
                return int(IDCANCEL);
            dlg->m_checkLeaper->setChecked(true);
            dlg->m_editLeapA->setText("1");
            dlg->m_editLeapB->setText("2");
            // First a board of more squares than a new board may have, then 5 x 6.
            dlg->m_editRows->setText("2001");
            dlg->m_editCols->setText("2000");
            dlg->OnOK();
            tries += dlg->result() != IDOK;
            dlg->m_editRows->setText("5");
            dlg->m_editCols->setText("6");
            dlg->OnOK();
            return dlg->result();
        });
        std::unique_ptr<CDocTemplate> tpl(MakeTemplate());
        CHcpDoc doc;
        QVERIFY(doc.OnNewDocument());
        QCOMPARE(tries, 1);
        QCOMPARE(msgs.messages.size(), 1);
        QVERIFY2(msgs.messages[0].contains("4002000 squares"), qPrintable(msgs.messages[0]));
        QCOMPARE(doc.GetNodeCount(), 30);
        // The knight's graph of m x n has 4mn - 6(m + n) + 8 edges.
        QCOMPARE(int(doc.Graph().EdgeCount()), 4 * 30 - 6 * 11 + 8);
        QVERIFY(doc.Graph().HasEdge(0, 8));     // (0,0) -> (1,2)
        QVERIFY(!doc.Graph().HasEdge(0, 1));
        QVERIFY(doc.Board());
        QCOMPARE(doc.Layout(), app::LayoutKind::Board);
        QCOMPARE(doc.m_pX.size(), std::size_t(30));
        QVERIFY(doc.m_pX[0] < doc.m_pX[5] && doc.m_pY[0] < doc.m_pY[29]);
        QCOMPARE(doc.m_dlgParams.m_nRows, std::int16_t(5));
    }

    void newLeaperBoardBeyondTheLegacyClassesIsMadeAndDrawnAsABoard()
    {
        ModalScript play([](QDialog* d) {
            auto* dlg = qobject_cast<CGraphParamsDlg*>(d);
            dlg->m_checkLeaper->setChecked(true);
            dlg->m_editLeapA->setText("1");
            dlg->m_editLeapB->setText("2");
            dlg->m_editRows->setText("250");
            dlg->m_editCols->setText("200");
            dlg->OnOK();
            return dlg->result();
        });
        CHcpDoc doc;
        QVERIFY(doc.OnNewDocument());
        QCOMPARE(doc.GetNodeCount(), 50000);
        QVERIFY(doc.Graph() == hcp::LeaperGraph(1, 2, 250, 200));
        QCOMPARE(doc.Layout(), app::LayoutKind::Board);
        QCOMPARE(doc.m_pX.size(), std::size_t(50000));
        QCOMPARE(doc.GetTitle(), QString("leaper_1_2_250_200"));
        // F5's search cannot hold it and says so at once; Solve is enabled.
        CCmdUI ui(ID_SOLVE);
        QVERIFY(doc.OnCmdMsg(ID_SOLVE, &ui));
        QVERIFY(ui.m_bEnabled);
        doc.OnFindCycle();
        QVERIFY(!doc.IsSearching());
        QVERIFY2(doc.LastOutcome().contains("50000"), qPrintable(doc.LastOutcome()));
    }

    void reductionRulesEdgesOutButSaveWritesTheGraphAsRead()
    {
        // A square with one chord: both ends of the chord already have their
        // two cycle edges forced, so the reduction rules the chord out.
        const QString p = Path("chord.hcp");
        CCycle g(4);
        g = true;
        g.SetEdge(1, 2); g.SetEdge(2, 3); g.SetEdge(3, 4); g.SetEdge(4, 1); g.SetEdge(1, 3);
        QVERIFY(g.Store(QFile::encodeName(p).constData()));
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(p));
        // What Save writes before any search is the reference.
        QVERIFY(doc.DoSave(p));
        const QByteArray before = ReadAll(p);
        QVERIFY(!before.isEmpty());
        QSignalSpy line(&doc, &CHcpDoc::logLine);
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QVERIFY(finished.wait(10000));
        QCOMPARE(doc.LastSearch().h, 0);
        // The graph is as it was read; the chord is only marked.
        QVERIFY(!doc.IsModified());
        QVERIFY(doc.Graph().HasEdge(0, 2));
        QCOMPARE(doc.m_ruledOut, (std::vector<app::NodePair>{{1, 3}}));
        QCOMPARE(doc.Scene().ruledOut.size(), std::size_t(1));
        QVERIFY(line.at(0).at(0).toString().contains("cut 1 edge"));
        QVERIFY(doc.DoSave(p));
        QCOMPARE(ReadAll(p), before);
    }

    void searchOnAKnightBoardLeavesTheSavedFileByteIdentical()
    {
        // The 3 x 4 knight's graph has corners of degree 2: the reduction
        // cuts edges there, and the search may reorder everything.
        const QString p = WriteKnightFile("k34.hcp", 3, 4);
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(p));
        const QString first = Path("k34-before.hcp");
        QVERIFY(doc.DoSave(first));
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QVERIFY(finished.wait(20000));
        QVERIFY(doc.LastSearch().edgesCut > 0);
        QVERIFY(!doc.m_ruledOut.empty());
        QCOMPARE(doc.m_ruledOut.size(), std::size_t(doc.LastSearch().edgesCut));
        QVERIFY(doc.DoSave(first));
        const QByteArray after = ReadAll(first);
        // Saved twice under one name: the same bytes, search or no search.
        CHcpDoc fresh;
        QVERIFY(fresh.OnOpenDocument(p));
        QVERIFY(fresh.DoSave(first));
        QCOMPARE(after, ReadAll(first));
    }

    void aProofIsReportedAndTheOrderKept()
    {
        // An edgeless graph: every node has degree 0, so there is nothing to
        // search; the order stays as it was and the reason is shown.
        ModalScript play(AcceptParams("12", false, "0"));
        CHcpDoc doc;
        QVERIFY(doc.OnNewDocument());
        const std::vector<hcp::NodeId> before = doc.Order();
        QSignalSpy line(&doc, &CHcpDoc::logLine);
        QSignalSpy status(&doc, &CHcpDoc::statusMessage);
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QVERIFY(finished.wait(10000));
        QVERIFY(doc.LastSearch().verdict == hcp::Verdict::NoCycle);
        QCOMPARE(doc.Order(), before);
        bool logged = false;
        for (const auto& l : line)
            logged = logged || l.at(0).toString().startsWith("Find cycle: no Hamiltonian cycle (node 1 has degree 0)");
        QVERIFY(logged);
        QVERIFY(status.last().at(0).toString().startsWith("No Hamiltonian cycle"));
    }

    void editsAreRefusedWhileSearchingAndStopKeepsTheOrder()
    {
        // The knight's graph of an odd board has no closed tour: the search
        // keeps trying until every gap is tried, long enough to cancel.
        CHcpDoc doc;
        doc.SetGraph(hcp::LeaperGraph(1, 2, 41, 41));
        doc.EnsurePositions();
        QSignalSpy status(&doc, &CHcpDoc::statusMessage);
        doc.OnFindCycle();
        QVERIFY(doc.IsSearching());
        QVERIFY(status.last().at(0).toString().startsWith("Searching for a Hamiltonian cycle"));
        MessageRecorder msgs;
        QVERIFY(!doc.RemoveNodeEdges(1));
        QVERIFY(!doc.RearrangeCycle("{ 1 }", 400));
        CCmdUI ui(ID_FIND_CYCLE);
        QVERIFY(doc.OnCmdMsg(ID_FIND_CYCLE, &ui));
        QVERIFY(!ui.m_bEnabled);
        doc.StopSearch();
        QVERIFY(!doc.IsSearching());
        QVERIFY(doc.CheckOrder().permutation);
        QVERIFY(msgs.messages.isEmpty());
        const QString outcome = status.last().at(0).toString();
        QVERIFY2(outcome.startsWith("No cycle found (H=") && outcome.contains("cancelled")
                     && outcome.contains("Solve proves it"),
                 qPrintable(outcome));
    }

    void logLinesGoToTheRegisteredLogView()
    {
        CHcpDoc doc;
        doc.SetGraph(hcp::LeaperGraph(1, 2, 3, 4));
        std::ostringstream first, second;
        auto* v1 = reinterpret_cast<CLogView*>(&first);   // identities only
        auto* v2 = reinterpret_cast<CLogView*>(&second);
        doc.SetLogView(v1, &first);
        doc.SetLogView(v2, &second);
        doc.ReleaseLogView(v1);                           // not the registered one
        QCOMPARE(doc.m_pLogView, v2);
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QVERIFY(finished.wait(10000));
        QVERIFY(first.str().empty());
        QVERIFY(second.str().find("Find cycle: H=") == 0);
        doc.ReleaseLogView(v2);
        QVERIFY(doc.GetLogStream() == nullptr);
    }

    void closingTheDocumentStopsTheSearch()
    {
        ModalScript play(AcceptParams("2000", false, "0"));
        auto* doc = new CHcpDoc;
        QVERIFY(doc->OnNewDocument());
        doc->OnFindCycle();
        QElapsedTimer t;
        t.start();
        delete doc;
        QVERIFY(t.elapsed() < 10000);
    }

    void titleOfATriangleAndOfTinyGraphs()
    {
        CHcpDoc doc;
        const std::vector<hcp::Edge> triangle{{0, 1}, {1, 2}, {0, 2}};
        doc.SetGraph(hcp::Graph::FromEdges(3, triangle));
        QVERIFY(doc.SetOrder({0, 1, 2}));
        QCOMPARE(doc.CycleTitle(), QString("(H=0): {1 2 3 1}"));

        const QString p = Path("one.hcp");
        CCycle one(1);
        QVERIFY(one.Store(QFile::encodeName(p).constData()));
        CHcpDoc tiny;
        QVERIFY(tiny.OnOpenDocument(p));
        QCOMPARE(tiny.GetNodeCount(), 1);
        QCOMPARE(tiny.CycleTitle(), QString("(N=1)"));
        CCmdUI ui(ID_FIND_CYCLE);
        QVERIFY(tiny.OnCmdMsg(ID_FIND_CYCLE, &ui));
        QVERIFY(!ui.m_bEnabled);
    }

    void rearrangeFromTextAndRefusals()
    {
        CHcpDoc doc;
        doc.SetGraph(hcp::Graph::FromEdges(3, {}));
        doc.EnsurePositions();
        MessageRecorder msgs;
        QVERIFY(doc.RearrangeCycle("{ 3 1 2 }", 3));
        QCOMPARE(doc.Order(), (std::vector<hcp::NodeId>{2, 0, 1}));
        QVERIFY(doc.RearrangeCycle("{2 3 1}", 3));
        QVERIFY(!doc.RearrangeCycle("1 2 3", 3));
        QVERIFY(!doc.RearrangeCycle("} 1 2 3 {", 3));
        QVERIFY(!doc.RearrangeCycle("{ 1 2 }", 3));
        QVERIFY(!doc.RearrangeCycle("{ 1 2 9 }", 3));
        QCOMPARE(msgs.messages, QStringList(4, "Dimension error."));
        QCOMPARE(doc.Order(), (std::vector<hcp::NodeId>{1, 2, 0}));
        QVERIFY(!doc.IsModified());
        // The order's last node sits at the top.
        QCOMPARE(doc.m_pX[0], 0.5f);
        QVERIFY(qAbs(doc.m_pY[0]) < 1e-6f);
    }

    void removingANodesEdges()
    {
        CHcpDoc doc;
        doc.SetGraph(hcp::LeaperGraph(1, 2, 4, 4));
        QVERIFY(doc.RemoveNodeEdges(6));
        for (hcp::NodeId i = 0; i < 16; ++i)
            QVERIFY(!doc.Graph().HasEdge(i, 5));
        QVERIFY(doc.Graph().HasEdge(0, 9));
        QVERIFY(!doc.IsModified());
        QVERIFY(!doc.RemoveNodeEdges(17));
    }
};

QTEST_MAIN(TestHcpDoc)
#include "tst_hcpdoc.moc"
