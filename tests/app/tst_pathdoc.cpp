// The question a document asks: the Question commands and the Path ends
// dialog, Solve answering a path question (checked on the graph as read),
// the path drawn and exported without its closing edge, F5 refusing what
// it cannot answer, a path tour read back as a path, and what Save and
// reopen keep.
#include <functional>

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "apptestutil.h"
#include "core/cyclecheck.h"
#include "framework/cmdtarget.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "io/tourfile.h"
#include "pathendsdlg.h"
#include "picture.h"
#include "rearrangedlg.h"
#include "resource.h"
#include "scenegeometry.h"

using apptest::MessageRecorder;
using apptest::ModalScript;

namespace {

// GP(n, 2): traceable, and for n = 5 the Petersen graph, which has a
// Hamiltonian path but no Hamiltonian cycle.
hcp::Graph GeneralizedPetersen2(hcp::NodeId n)
{
    std::vector<hcp::Edge> e;
    for (hcp::NodeId i = 0; i < n; ++i) {
        e.emplace_back(i, (i + 1) % n);
        e.emplace_back(i, n + i);
        e.emplace_back(n + i, n + (i + 2) % n);
    }
    return hcp::Graph::FromEdges(2 * n, e);
}

// The star with three leaves, subdivided once: a tree with three leaves
// has no Hamiltonian path.
hcp::Graph Spider()
{
    const std::vector<hcp::Edge> e{{0, 1}, {1, 2}, {0, 3}, {3, 4}, {0, 5}, {5, 6}};
    return hcp::Graph::FromEdges(7, e);
}

// Ground truth by exhaustive search: is there a Hamiltonian path from s
// to t (t < 0: ending anywhere)?
bool HasPathBetween(const hcp::Graph& g, hcp::NodeId s, int t)
{
    const hcp::NodeId n = g.NodeCount();
    std::vector<char> used(n, 0);
    std::function<bool(hcp::NodeId, hcp::NodeId)> extend = [&](hcp::NodeId v, hcp::NodeId depth) {
        if (depth == n)
            return t < 0 || v == static_cast<hcp::NodeId>(t);
        for (hcp::NodeId w : g.Neighbors(v)) {
            if (used[w])
                continue;
            used[w] = 1;
            if (extend(w, depth + 1))
                return true;
            used[w] = 0;
        }
        return false;
    };
    used[s] = 1;
    return extend(s, 1);
}

bool Run(CHcpDoc& doc, bool solve)
{
    QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
    solve ? doc.OnSolve() : doc.OnFindCycle();
    return finished.count() == 1 || finished.wait(60000);
}

// Types text into the Path ends dialog and presses OK; records whether OK
// left it open.
std::function<int(QDialog*)> TypeEnds(const QString& text, bool* stayedOpen = nullptr)
{
    return [=](QDialog* d) {
        auto* dlg = qobject_cast<CPathEndsDlg*>(d);
        if (!dlg)
            return int(IDCANCEL);
        dlg->m_editEnds->setText(text);
        dlg->OnOK();
        if (dlg->result() == IDOK)
            return int(IDOK);
        if (stayedOpen)
            *stayedOpen = true;
        dlg->OnCancel();
        return dlg->result();
    };
}

}  // namespace

class TestPathDoc : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void theQuestionCommandsSetAndShowTheQuestion()
    {
        CHcpDoc doc;
        doc.SetGraph(GeneralizedPetersen2(5));
        QVERIFY(!doc.GetQuestion().IsPath());
        QSignalSpy log(&doc, &CHcpDoc::logLine);
        QSignalSpy status(&doc, &CHcpDoc::statusMessage);
        CCmdUI cycle(ID_QUESTION_CYCLE), path(ID_QUESTION_PATH);
        QVERIFY(doc.OnCmdMsg(ID_QUESTION_CYCLE, &cycle) && doc.OnCmdMsg(ID_QUESTION_PATH, &path));
        QVERIFY(cycle.m_bEnabled && cycle.m_bChecked && !path.m_bChecked);
        // The title reads the order 1..10 as a cycle, then as a path.
        QVERIFY2(doc.CycleTitle().startsWith("(H="), qPrintable(doc.CycleTitle()));
        QVERIFY(app::RouteCommand({&doc}, ID_QUESTION_PATH));
        QCOMPARE(doc.GetQuestion(), hcp::Question::Path());
        QCOMPARE(log.last().at(0).toString(), QString("Question: a Hamiltonian path"));
        QCOMPARE(status.last().at(0).toString(), QString("Question: a Hamiltonian path"));
        QVERIFY2(doc.CycleTitle().startsWith("Path (H="), qPrintable(doc.CycleTitle()));
        QVERIFY(doc.OnCmdMsg(ID_QUESTION_PATH, &path) && path.m_bChecked);
        QVERIFY(doc.OnCmdMsg(ID_QUESTION_CYCLE, &cycle) && !cycle.m_bChecked);
        // The same order has one link fewer as a path: the check agrees.
        QCOMPARE(doc.CheckOrder().gaps, hcp::CheckOrder(doc.Graph(), doc.Order(), hcp::Question::Path()).gaps);
        QCOMPARE(doc.Scene().LinkCount(), std::size_t(9));
        QVERIFY(app::RouteCommand({&doc}, ID_QUESTION_CYCLE));
        QCOMPARE(doc.Scene().LinkCount(), std::size_t(10));
        QCOMPARE(log.last().at(0).toString(), QString("Question: a Hamiltonian cycle"));
        // The question is no edit of the graph: nothing to save.
        QVERIFY(!doc.IsModified());
    }

    void thePathEndsDialogTakesEndsAndRefusesWhatIsNoNode()
    {
        CHcpDoc doc;
        doc.SetGraph(GeneralizedPetersen2(5));
        MessageRecorder msgs;
        {
            ModalScript play(TypeEnds("3, 7"));
            QVERIFY(app::RouteCommand({&doc}, ID_QUESTION_PATH_ENDS));
        }
        QCOMPARE(doc.GetQuestion(), hcp::Question::PathBetween(2, 6));
        QVERIFY(msgs.messages.isEmpty());
        bool stayedOpen = false;
        {
            ModalScript play(TypeEnds("3 11", &stayedOpen));
            doc.OnQuestionPathEnds();
        }
        QVERIFY(stayedOpen);
        QCOMPARE(msgs.messages.size(), 1);
        QCOMPARE(msgs.messages.last(), QString("Not a path's ends: node 11 is outside 1..10."));
        QCOMPARE(doc.GetQuestion(), hcp::Question::PathBetween(2, 6));
        // The dialog opens with the ends asked for; empty means free ends.
        QString shown;
        {
            ModalScript play([&](QDialog* d) {
                auto* dlg = qobject_cast<CPathEndsDlg*>(d);
                shown = dlg->m_editEnds->text();
                dlg->m_editEnds->clear();
                dlg->OnOK();
                return dlg->result();
            });
            doc.OnQuestionPathEnds();
        }
        QCOMPARE(shown, QString("3 7"));
        QCOMPARE(doc.GetQuestion(), hcp::Question::Path());
        // A question that does not fit the graph is refused as a whole.
        QString why;
        QVERIFY(!doc.SetQuestion(hcp::Question::PathFrom(10), &why));
        QCOMPARE(why, QString("node 11 is outside 1..10"));
        QCOMPARE(doc.GetQuestion(), hcp::Question::Path());
    }

    void solveFindsAPathOfThePetersenGraphAndProvesItHasNoCycle()
    {
        CHcpDoc doc;
        doc.SetGraph(GeneralizedPetersen2(5));
        QVERIFY(Run(doc, true));
        QCOMPARE(doc.Outcome()->verdict, hcp::Verdict::NoCycle);
        QVERIFY2(doc.LastOutcome().startsWith("No Hamiltonian cycle"), qPrintable(doc.LastOutcome()));
        QVERIFY(doc.SetQuestion(hcp::Question::Path()));
        QVERIFY(Run(doc, true));
        QVERIFY(doc.Outcome());
        QCOMPARE(doc.Outcome()->verdict, hcp::Verdict::Hamiltonian);
        QVERIFY2(doc.LastOutcome().startsWith("Hamiltonian path found (H=0)"), qPrintable(doc.LastOutcome()));
        // The order is a Hamiltonian path of the graph as given, by the
        // engine's one check; as a cycle it has a gap, the closing link.
        QVERIFY(hcp::CheckOrder(doc.Graph(), doc.Order(), hcp::Question::Path()).hamiltonian);
        QCOMPARE(hcp::CheckCycle(doc.Graph(), doc.Order()).gaps, 1);
        QVERIFY(doc.CheckOrder().hamiltonian);
        QVERIFY2(doc.CycleTitle().startsWith("Path (H=0): "), qPrintable(doc.CycleTitle()));
        // Drawn with n-1 links, none of them a gap.
        const app::GraphScene& s = doc.Scene();
        QCOMPARE(s.LinkCount(), std::size_t(9));
        QCOMPARE(s.gaps, 0);
        doc.EnsurePositions();
        std::vector<QPointF> at(11);
        for (int v = 1; v <= 10; ++v)
            at[v] = QPointF(1000 * doc.m_pX[v - 1], 1000 * doc.m_pY[v - 1]);
        const app::LinkLines lines = app::OrderLinkLines(s, at, {});
        QCOMPARE(lines.joined.size(), std::size_t(9));
        QVERIFY(lines.gaps.empty());
    }

    void solveAnswersPathsWithGivenEndsAndProvesWhenThereIsNone()
    {
        // GP(7, 2) from node 1 to each other node: the verdict agrees with an
        // exhaustive search, and a path found runs from the one end to the other.
        CHcpDoc doc;
        doc.SetGraph(GeneralizedPetersen2(7));
        int found = 0;
        for (hcp::NodeId t = 1; t < 14; ++t) {
            const hcp::Question q = hcp::Question::PathBetween(0, t);
            QVERIFY(doc.SetQuestion(q));
            QVERIFY(Run(doc, true));
            const bool exists = HasPathBetween(doc.Graph(), 0, static_cast<int>(t));
            QCOMPARE(doc.Outcome()->verdict, exists ? hcp::Verdict::Hamiltonian : hcp::Verdict::NoCycle);
            if (exists) {
                ++found;
                QVERIFY(hcp::CheckOrder(doc.Graph(), doc.Order(), q).hamiltonian);
                QCOMPARE(doc.Order().front(), hcp::NodeId(0));
                QCOMPARE(doc.Order().back(), t);
                QVERIFY(doc.CheckOrder().hamiltonian);
            } else {
                QVERIFY2(doc.LastOutcome().startsWith(QString("No Hamiltonian path from node 1 to node %1").arg(t + 1)),
                         qPrintable(doc.LastOutcome()));
            }
        }
        QVERIFY(found > 0);
        // A tree with three leaves has no Hamiltonian path: a proof, worded
        // as one about paths.
        CHcpDoc tree;
        tree.SetGraph(Spider());
        QVERIFY(tree.SetQuestion(hcp::Question::Path()));
        QVERIFY(Run(tree, true));
        for (hcp::NodeId s = 0; s < 7; ++s)
            QVERIFY(!HasPathBetween(Spider(), s, -1));
        QCOMPARE(tree.Outcome()->verdict, hcp::Verdict::NoCycle);
        QVERIFY2(tree.LastOutcome().startsWith("No Hamiltonian path: "), qPrintable(tree.LastOutcome()));
    }

    void findCycleRefusesAPathQuestionAndSaysWhatAnswersIt()
    {
        CHcpDoc doc;
        doc.SetGraph(GeneralizedPetersen2(5));
        QVERIFY(doc.SetQuestion(hcp::Question::PathFrom(0)));
        const std::vector<hcp::NodeId> before = doc.Order();
        QSignalSpy log(&doc, &CHcpDoc::logLine);
        QVERIFY(Run(doc, false));
        QVERIFY(!doc.IsSearching());
        QCOMPARE(doc.Order(), before);
        const QString said = doc.LastOutcome();
        QVERIFY2(said.contains("asks for a Hamiltonian path from node 1") && said.contains("Solve (Ctrl+F5)"),
                 qPrintable(said));
        QCOMPARE(log.last().at(0).toString(), said);
    }

    void aPathIsExportedAsAPathAndTheQuestionIsNotSaved()
    {
        CHcpDoc doc;
        doc.SetGraph(GeneralizedPetersen2(5));
        QVERIFY(doc.SetQuestion(hcp::Question::Path()));
        QVERIFY(doc.SetOrder({0, 1, 2, 3, 4, 9, 7, 5, 8, 6}));
        QVERIFY(doc.CheckOrder().hamiltonian);
        QString error;
        QVERIFY2(doc.ExportTour(Path("p.tour"), &error), qPrintable(error));
        const hcp::Tour tour = hcp::ReadTour(QFile::encodeName(Path("p.tour")).toStdString());
        QVERIFY(hcp::TourCommentSaysPath(tour.comment));
        QCOMPARE(tour.comment, hcp::TourComment(0, hcp::Goal::Path));
        QCOMPARE(tour.order, doc.Order());
        // The same order as a cycle is written with its gap, as before.
        QVERIFY(doc.SetQuestion(hcp::Question::Cycle()));
        QVERIFY(doc.ExportTour(Path("c.tour"), &error));
        const hcp::Tour cycle = hcp::ReadTour(QFile::encodeName(Path("c.tour")).toStdString());
        QVERIFY(!hcp::TourCommentSaysPath(cycle.comment));
        QCOMPARE(cycle.comment, hcp::TourComment(1));
        // The picture's title says it is a path.
        QVERIFY(doc.SetQuestion(hcp::Question::Path()));
        QVERIFY2(app::ExportPicture(doc, Path("p.svg"), &error), qPrintable(error));
        QFile svg(Path("p.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<title>Path (H=0): 1 2 3 4 5 10 8 6 9 7</title>"));
        // The question is the document's, not the file's: the saved graph
        // is the same whatever was asked, and a reopened file asks for a cycle.
        QVERIFY(doc.DoSave(Path("asked-path.hcp")));
        CHcpDoc other;
        other.SetGraph(GeneralizedPetersen2(5));
        QVERIFY(other.DoSave(Path("asked-cycle.hcp")));
        QFile a(Path("asked-path.hcp")), b(Path("asked-cycle.hcp"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        a.readLine();   // NAME lines name the files
        b.readLine();
        QCOMPARE(a.readAll(), b.readAll());
        CHcpDoc reopened;
        QVERIFY(reopened.OnOpenDocument(Path("asked-path.hcp")));
        QCOMPARE(reopened.GetQuestion(), hcp::Question::Cycle());
    }

    void aPathTourReadInRearrangeMakesTheDocumentAskForAPath()
    {
        CHcpDoc source;
        source.SetGraph(GeneralizedPetersen2(5));
        QVERIFY(source.SetQuestion(hcp::Question::Path()));
        QVERIFY(source.SetOrder({0, 1, 2, 3, 4, 9, 7, 5, 8, 6}));
        QString error;
        QVERIFY(source.ExportTour(Path("path.tour"), &error));
        CHcpDoc doc;
        doc.SetGraph(GeneralizedPetersen2(5));
        CHcpView view;
        view.resize(400, 300);
        view.SetDocument(&doc);
        view.SendInitialUpdate();
        {
            apptest::FileAnswer answer(Path("path.tour"));
            ModalScript play([](QDialog* d) {
                auto* dlg = qobject_cast<CRearrangeDlg*>(d);
                dlg->OnBrowse();
                dlg->OnOK();
                return dlg->result();
            });
            view.OnRearrangeCycle();
        }
        QCOMPARE(doc.GetQuestion(), hcp::Question::Path());
        QCOMPARE(doc.Order(), source.Order());
        QVERIFY(doc.CheckOrder().hamiltonian);
        // A cycle's tour leaves the question as it is.
        QVERIFY(doc.SetQuestion(hcp::Question::Cycle()));
        QVERIFY(doc.ExportTour(Path("cycle.tour"), &error));
        {
            apptest::FileAnswer answer(Path("cycle.tour"));
            ModalScript play([](QDialog* d) {
                auto* dlg = qobject_cast<CRearrangeDlg*>(d);
                dlg->OnBrowse();
                dlg->OnOK();
                return dlg->result();
            });
            view.OnRearrangeCycle();
        }
        QCOMPARE(doc.GetQuestion(), hcp::Question::Cycle());
    }

    void aQuestionChangeDropsTheCycleSearchesRuledOutEdges()
    {
        // The square 1-2-3-4 with the chord 1-3: F5's reduction rules the
        // chord out for cycles, but the path 2 1 3 4 uses it.
        CHcpDoc doc;
        const std::vector<hcp::Edge> e{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}};
        doc.SetGraph(hcp::Graph::FromEdges(4, e));
        QVERIFY(Run(doc, false));
        QCOMPARE(doc.Scene().ruledOut, (std::vector<app::NodePair>{{1, 3}}));
        QVERIFY(doc.SetQuestion(hcp::Question::PathBetween(1, 3)));
        QVERIFY(doc.Scene().ruledOut.empty());
        QCOMPARE(doc.Scene().edges.size(), std::size_t(5));
    }
};

QTEST_MAIN(TestPathDoc)
#include "tst_pathdoc.moc"
