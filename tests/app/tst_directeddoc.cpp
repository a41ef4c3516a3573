// A directed graph in the desktop program: its scene pairs the arcs and
// carries arrowheads, the view paints them, Solve answers along the arcs,
// F5 refuses, removing a node's edges keeps the graph directed, digraph6
// and DIMACS arc files open as arcs, and Save writes them as arcs.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/cyclecheck.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "scenegeometry.h"

namespace {

// The de Bruijn digraph B(2, 3) on 8 nodes (v -> 2v mod 8, 2v+1 mod 8,
// loops dropped): 14 arcs, Hamiltonian, with 3 <-> 6 (1-based) both ways.
hcp::Graph DeBruijn()
{
    std::vector<hcp::Edge> arcs;
    for (hcp::NodeId v = 0; v < 8; ++v)
        for (hcp::NodeId b = 0; b < 2; ++b)
            arcs.emplace_back(v, (2 * v + b) % 8);
    return hcp::Graph::FromArcs(8, arcs);
}

// 1 -> 2, 1 -> 3, 3 -> 1: node 2 has no arc out, so there is no
// Hamiltonian cycle; 3 1 2 is the only Hamiltonian path.
hcp::Graph DeadEnd()
{
    const std::vector<hcp::Edge> arcs{{0, 1}, {0, 2}, {2, 0}};
    return hcp::Graph::FromArcs(3, arcs);
}

bool Run(CHcpDoc& doc, bool solve)
{
    QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
    solve ? doc.OnSolve() : doc.OnFindCycle();
    return finished.count() == 1 || finished.wait(60000);
}

}  // namespace

class TestDirectedDoc : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void theSceneOfADirectedGraphCarriesArrowData()
    {
        CHcpDoc doc;
        doc.SetGraph(DeBruijn());
        const app::GraphScene& s = doc.Scene();
        QVERIFY(s.directed);
        // 14 arcs on 13 lines: 3 <-> 6 runs both ways.
        QCOMPARE(doc.Graph().EdgeCount(), std::size_t(14));
        QCOMPARE(s.edges.size(), std::size_t(13));
        QCOMPARE(s.heads.size(), s.edges.size());
        int both = 0;
        for (std::uint8_t h : s.heads)
            both += h == (app::kHeadAtFirst | app::kHeadAtSecond);
        QCOMPARE(both, 1);
        QVERIFY(app::ShowArrows(s, -1.0));
        // Laid out on the circle the arrowheads are two strokes per arc.
        doc.EnsurePositions();
        std::vector<QPointF> at(9);
        for (int v = 1; v <= 8; ++v)
            at[v] = QPointF(400 * doc.m_pX[v - 1], 400 * doc.m_pY[v - 1]);
        QCOMPARE(app::EdgeArrowHeads(s, at, app::ArrowSize{6, 4}, {}).size(), std::size_t(28));
    }

    void theViewPaintsADirectedGraphWithItsArrowheads()
    {
        // Both documents hold the same Hamiltonian cycle, so no gap colours
        // one picture and not the other.
        CHcpDoc doc;
        doc.SetGraph(DeBruijn());
        QVERIFY(doc.RearrangeCycle("{ 1 2 3 6 4 8 7 5 }", 8));
        CHcpView view;
        view.resize(500, 420);
        view.SetDocument(&doc);
        view.SendInitialUpdate();
        view.m_bShowLabels = false;
        const QImage with = view.grab().toImage();
        // The arrowheads are the only difference from the same picture of
        // the graph's undirected twin.
        CHcpDoc twin;
        twin.SetGraph(doc.Graph().Underlying());
        QVERIFY(twin.RearrangeCycle("{ 1 2 3 6 4 8 7 5 }", 8));
        CHcpView plain;
        plain.resize(500, 420);
        plain.SetDocument(&twin);
        plain.SendInitialUpdate();
        plain.m_bShowLabels = false;
        const QImage without = plain.grab().toImage();
        QCOMPARE(with.size(), without.size());
        QVERIFY(with != without);
    }

    void solveFindsACycleAlongTheArcsAndProvesWhenThereIsNone()
    {
        CHcpDoc doc;
        doc.SetGraph(DeBruijn());
        QVERIFY(Run(doc, true));
        QCOMPARE(doc.Outcome()->verdict, hcp::Verdict::Hamiltonian);
        // Checked along the arcs: each node's successor in the order is
        // one of its out-neighbours.
        QVERIFY(hcp::CheckCycle(doc.Graph(), doc.Order()).hamiltonian);
        QCOMPARE(doc.Scene().gaps, 0);
        CHcpDoc dead;
        dead.SetGraph(DeadEnd());
        QVERIFY(Run(dead, true));
        QCOMPARE(dead.Outcome()->verdict, hcp::Verdict::NoCycle);
        // As a path question it has one: 3 -> 1 -> 2.
        QVERIFY(dead.SetQuestion(hcp::Question::Path()));
        QVERIFY(Run(dead, true));
        QCOMPARE(dead.Outcome()->verdict, hcp::Verdict::Hamiltonian);
        QCOMPARE(dead.Order(), (std::vector<hcp::NodeId>{2, 0, 1}));
        QCOMPARE(dead.Scene().LinkCount(), std::size_t(2));
    }

    void findCycleRefusesADirectedGraph()
    {
        CHcpDoc doc;
        doc.SetGraph(DeBruijn());
        QVERIFY(Run(doc, false));
        QVERIFY(!doc.IsSearching());
        QVERIFY2(doc.LastOutcome().contains("this graph is directed") && doc.LastOutcome().contains("Solve"),
                 qPrintable(doc.LastOutcome()));
        QVERIFY(doc.Scene().ruledOut.empty());
    }

    void removingANodesEdgesTakesItsArcsBothWaysAndKeepsTheRestDirected()
    {
        CHcpDoc doc;
        doc.SetGraph(DeBruijn());
        // Node 3 (0-based 2): out 2 -> 4, 2 -> 5; in 1 -> 2, 5 -> 2.
        QVERIFY(doc.RemoveNodeEdges(3));
        const hcp::Graph& g = doc.Graph();
        QVERIFY(g.Directed());
        QCOMPARE(g.Degree(2), 0u);
        QCOMPARE(g.InDegree(2), 0u);
        QCOMPARE(g.EdgeCount(), std::size_t(10));
        // A one-way arc elsewhere stays one way.
        QVERIFY(g.HasEdge(0, 1) && !g.HasEdge(1, 0));
        QVERIFY(doc.Scene().directed);
    }

    void layoutsAndRearrangingWorkOnArcs()
    {
        CHcpDoc doc;
        doc.SetGraph(DeBruijn());
        QString why;
        QVERIFY2(doc.ApplyLayout(app::LayoutKind::Force, &why), qPrintable(why));
        QCOMPARE(doc.m_pX.size(), std::size_t(8));
        QVERIFY(!doc.Board());
        // The de Bruijn sequence 0001011100 gives the cycle 0 1 2 5 3 7 6 4.
        QVERIFY(doc.RearrangeCycle("{ 1 2 3 6 4 8 7 5 }", 8));
        QVERIFY(doc.CheckOrder().hamiltonian);
        QCOMPARE(doc.Scene().gaps, 0);
        // Backwards it runs against every arc but the pair 6 <-> 3.
        QVERIFY(doc.RearrangeCycle("{ 5 7 8 4 6 3 2 1 }", 8));
        QCOMPARE(doc.CheckOrder().gaps, 7);
    }

    void digraph6AndDimacsArcFilesOpenAsDirectedGraphs()
    {
        // B(2, 3) as nauty writes it (nauty-showg lists the same 14 arcs).
        const QString d6 = Path("debruijn.d6");
        {
            QFile f(d6);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("&GOB?K?{?oB?G\n");
        }
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(d6));
        QVERIFY(doc.Graph().Directed());
        QVERIFY(doc.Graph() == DeBruijn());
        QVERIFY(doc.Scene().directed);
        // The same arcs as DIMACS 'a' lines.
        QByteArray dimacs = "c B(2, 3)\np arc 8 14\n";
        for (const auto& [u, v] : DeBruijn().Edges())
            dimacs += "a " + QByteArray::number(u + 1) + " " + QByteArray::number(v + 1) + "\n";
        const QString col = Path("debruijn.dimacs");
        {
            QFile f(col);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(dimacs);
        }
        CHcpDoc other;
        QVERIFY(other.OnOpenDocument(col));
        QVERIFY(other.Graph() == DeBruijn());
    }

    void saveWritesArcsAsADirectedHcpFileThatReadsBackTheSame()
    {
        CHcpDoc doc;
        doc.SetGraph(DeBruijn());
        // One-way arcs keep their way through Save and Open.
        QVERIFY(doc.RemoveNodeEdges(1));
        const QString out = Path("arcs.hcp");
        QVERIFY(doc.DoSave(out));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY2(text.contains("TYPE: DHCP\n"), text.constData());
        QVERIFY(!text.contains("TYPE: HCP\n"));
        CHcpDoc back;
        QVERIFY(back.OnOpenDocument(out));
        QVERIFY(back.Graph().Directed());
        QVERIFY(back.Graph() == doc.Graph());
        // Node 1 had 1 -> 2 and 5 -> 1.
        QCOMPARE(back.Graph().EdgeCount(), std::size_t(12));
    }
};

QTEST_MAIN(TestDirectedDoc)
#include "tst_directeddoc.moc"
