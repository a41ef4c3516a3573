// Fixed edges in the desktop program: Solve answers the file's question,
// fixed edges included; F5, whose search knows none, never reports a cycle
// that skips one as found; Save keeps them.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

#include "core/cyclecheck.h"
#include "hcpdoc.h"
#include "io/graphfile.h"
#include "scriptexport.h"

class TestFixedEdges : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // An HCP file with the given edges and fixed edges (1-based).
    QString Write(const QString& name, int n, const char* edges, const char* fixed)
    {
        const QString p = Path(name);
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write(QByteArray("NAME: ") + name.toUtf8() + "\nTYPE: HCP\nDIMENSION: " + QByteArray::number(n)
                + "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n" + edges + "-1\nFIXED_EDGES_SECTION\n"
                + fixed + "-1\nEOF\n");
        return p;
    }
    // Runs F5 or Solve on doc to the end.
    static bool Run(CHcpDoc& doc, bool solve)
    {
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        solve ? doc.OnSolve() : doc.OnFindCycle();
        return finished.count() == 1 || finished.wait(30000);
    }
    // The square 1-2-3-4 with the chord 1-3 fixed: no Hamiltonian cycle
    // can use the chord, since node 1 would need three cycle edges.
    QString FixedChord() { return Write("chord.hcp", 4, "1 2\n2 3\n3 4\n4 1\n1 3\n", "1 3\n"); }

private slots:
    void solveProvesThatASkippedFixedEdgeLeavesNoCycle()
    {
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(FixedChord()));
        QCOMPARE(doc.Graph().FixedEdges().size(), std::size_t(1));
        QVERIFY(Run(doc, true));
        QVERIFY(doc.Outcome());
        QCOMPARE(doc.Outcome()->verdict, hcp::Verdict::NoCycle);
        QVERIFY2(doc.LastOutcome().startsWith("No Hamiltonian cycle"), qPrintable(doc.LastOutcome()));
        QVERIFY(!doc.CheckOrder().hamiltonian);
    }

    void findCycleNeverCallsACycleThatSkipsAFixedEdgeFound()
    {
        // The square's own cycle 1 2 3 4 is what the search finds at once,
        // and it skips the chord.
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(FixedChord()));
        QVERIFY(Run(doc, false));
        const QString outcome = doc.LastOutcome();
        QVERIFY2(!outcome.contains("found (H=0)"), qPrintable(outcome));
        QVERIFY2(outcome.contains("fixed edge") && outcome.contains("skips 1 3"), qPrintable(outcome));
        QVERIFY(doc.Outcome()->gaps > 0);
        QCOMPARE(doc.Outcome()->gaps, doc.CheckOrder().gaps);
        QVERIFY(doc.CycleTitle().startsWith(QStringLiteral("(H=%1)").arg(doc.Outcome()->gaps)));
    }

    void bothReportACycleThatKeepsEveryFixedEdge()
    {
        // K4 with 1-3 fixed: 1 3 2 4 and 1 2 4 3 use it. F5 may find the
        // one that skips it (then it says so); Solve finds one that keeps it.
        const QString k4 = Write("k4.hcp", 4, "1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n", "1 3\n");
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(k4));
        QVERIFY(Run(doc, true));
        QVERIFY2(doc.LastOutcome().startsWith("Hamiltonian cycle found (H=0)"), qPrintable(doc.LastOutcome()));
        QVERIFY(doc.CheckOrder().hamiltonian);
        QVERIFY(Run(doc, false));
        const bool keeps = doc.CheckOrder().hamiltonian;
        QCOMPARE(doc.LastOutcome().startsWith("Hamiltonian cycle found (H=0)"), keeps);
        if (!keeps)
            QVERIFY(doc.LastOutcome().contains("skips 1 3"));
        // A fixed edge on the only cycle: the 5-cycle with a chord, 1-2 fixed.
        const QString ring = Write("ring.hcp", 5, "1 2\n2 3\n3 4\n4 5\n5 1\n1 3\n", "1 2\n");
        CHcpDoc r;
        QVERIFY(r.OnOpenDocument(ring));
        QVERIFY(Run(r, false));
        QVERIFY2(r.LastOutcome().startsWith("Hamiltonian cycle found (H=0)")
                     && r.LastOutcome().endsWith("using the file's 1 fixed edge"),
                 qPrintable(r.LastOutcome()));
        QVERIFY(r.CheckOrder().hamiltonian);
    }

    void scriptedSolveGivesTheEnginesVerdictAndStatus()
    {
        app::ScriptArgs a;
        std::string error;
        QVERIFY(app::ParseScriptArgs({"--solve", "--export", Path("o.png").toStdString(), FixedChord().toStdString()},
                                     a, error));
        std::ostringstream out, err;
        QCOMPARE(app::RunScriptedExport(a, out, err), app::kScriptNoCycle);
        QVERIFY2(out.str().rfind("No Hamiltonian cycle", 0) == 0, out.str().c_str());
        a.work = app::ScriptArgs::Work::FindCycle;
        std::ostringstream out2;
        QCOMPARE(app::RunScriptedExport(a, out2, err), app::kScriptNoCycle);
        QVERIFY2(out2.str().find("fixed edge") != std::string::npos, out2.str().c_str());
    }

    void saveKeepsTheFixedEdges()
    {
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(FixedChord()));
        const QString copy = Path("copy.hcp");
        QVERIFY(doc.DoSave(copy));
        const hcp::Graph back = hcp::ReadGraph(QFile::encodeName(copy).toStdString());
        QVERIFY(back == doc.Graph());
        QCOMPARE(back.FixedEdges(), (std::vector<hcp::Edge>{{0, 2}}));
        // Removing a node's edges takes its fixed edges with them.
        QVERIFY(doc.RemoveNodeEdges(3));
        QVERIFY(doc.Graph().FixedEdges().empty());
        QCOMPARE(doc.Graph().EdgeCount(), std::size_t(2));
    }
};

QTEST_MAIN(TestFixedEdges)
#include "tst_fixededges.moc"
