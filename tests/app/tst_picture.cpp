// The picture of real graphs: the board layout of a leaper graph, the
// solved 30 x 30 knight's board drawn in blue, zoom and find node, the
// scripted export to PNG, SVG and PDF, and the refusal of graphs beyond
// what the program holds.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>
#include <memory>
#include <sstream>

#include "apptestutil.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "picture.h"
#include "scriptexport.h"
#include "tourfile.h"
#include "core/cyclecheck.h"
#include "core/leapergraph.h"
#include "graphpainter.h"
#include "io/graphfile.h"
#include "io/hcpsave.h"
#include "io/tourfile.h"

namespace {

const QColor kBlue(0, 0, 255);

bool ColourNear(const QImage& img, int x, int y, const QColor& colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.valid(x + dx, y + dy) && img.pixelColor(x + dx, y + dy) == colour)
                return true;
    return false;
}

int CountColour(const QImage& img, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == colour;
    return n;
}

std::unique_ptr<CHcpView> MakeView(CHcpDoc& doc, int w, int h)
{
    auto view = std::make_unique<CHcpView>();
    view->resize(w, h);
    view->SetDocument(&doc);
    view->SendInitialUpdate();
    return view;
}

QString Example(const char* name)
{
    return QStringLiteral(TOURVANE_SOURCE_DIR "/examples/") + QLatin1String(name);
}

}  // namespace

class TestPicture : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QString WriteKnightFile(const QString& name, int rows, int cols)
    {
        CCycle g(10);
        apptest::MakeKnightGraph(g, rows, cols);
        const QString p = Path(name);
        g.Store(QFile::encodeName(p).constData());
        return p;
    }

private slots:
    void boardLayoutPutsTheKnightsNodesOnTheirSquares()
    {
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(Example("leaper_1_2_30_30.hcp")));
        QVERIFY(doc.Board());
        QCOMPARE(*doc.Board(), (app::BoardShape{1, 2, 30, 30}));
        QVERIFY(doc.ApplyLayout(app::LayoutKind::Board));
        auto view = MakeView(doc, 640, 640);
        // Graph rectangle 20..620 x 40..620: a 30 x 30 board of 20 x 19.33
        // pixel squares; node (r, c) is r * 30 + c + 1 at its square's centre.
        const std::vector<QPointF> at = view->ScreenPositions();
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < 30; ++c) {
                const QPointF p = at[r * 30 + c + 1];
                QVERIFY(std::abs(p.x() - (20 + (c + 0.5) * 600 / 30.0)) <= 1.0);
                QVERIFY(std::abs(p.y() - (40 + (r + 0.5) * 580 / 30.0)) <= 1.0);
            }
        // The graph decides, not the name: a knight's board named as a
        // king's is a knight's board, and so is one saved as board.hcp.
        const QString fake = Path("leaper_1_1_6_6.hcp");
        QVERIFY(QFile::copy(WriteKnightFile("k66.hcp", 6, 6), fake));
        CHcpDoc other;
        QVERIFY(other.OnOpenDocument(fake));
        QCOMPARE(other.Board(), std::optional<app::BoardShape>(app::BoardShape{1, 2, 6, 6}));
        const QString board = Path("board.hcp");
        QVERIFY(doc.DoSave(board));
        CHcpDoc saved;
        QVERIFY(saved.OnOpenDocument(board));
        QCOMPARE(saved.Board(), std::optional<app::BoardShape>(app::BoardShape{1, 2, 30, 30}));
        // A graph that is no leaper graph has no board, whatever its name.
        const QString grid = Path("leaper_1_2_3_4.hcp");
        CCycle ring(12);
        ring = true;
        for (short v = 1; v <= 12; ++v)
            ring.SetEdge(v, static_cast<short>(v % 12 + 1));
        QVERIFY(ring.Store(QFile::encodeName(grid).constData()));
        CHcpDoc plain;
        QVERIFY(plain.OnOpenDocument(grid));
        QVERIFY(!plain.Board());
    }

    void solvedThirtyByThirtyBoardShowsEveryLinkInBlue()
    {
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(Example("leaper_1_2_30_30.hcp")));
        QVERIFY(doc.ApplyLayout(app::LayoutKind::Board));
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QVERIFY(finished.count() == 1 || finished.wait(120000));
        QCOMPARE(doc.LastSearch().h, 0);
        QVERIFY(doc.LastOutcome().startsWith("Hamiltonian cycle found"));
        auto view = MakeView(doc, 640, 640);
        // The board stays a board after the search.
        QCOMPARE(doc.Layout(), app::LayoutKind::Board);
        const QImage img = view->grab().toImage();
        const std::vector<QPointF> at = view->ScreenPositions();
        const std::vector<hcp::NodeId>& path = doc.Order();
        QCOMPARE(path.size(), std::size_t(900));
        int blueMidpoints = 0;
        for (std::size_t k = 0; k < path.size(); ++k) {
            const std::size_t a = path[k] + 1;
            const std::size_t b = path[(k + 1) % path.size()] + 1;
            const QPointF mid = (at[a] + at[b]) / 2;
            blueMidpoints += ColourNear(img, int(mid.x()), int(mid.y()), kBlue);
        }
        QCOMPARE(blueMidpoints, 900);
        QVERIFY(CountColour(img, kBlue) > 900 * 10);
        QCOMPARE(CountColour(img, QColor(255, 0, 0)), 0);
    }

    void zoomPanAndFindNode()
    {
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(Example("leaper_1_2_30_30.hcp")));
        QVERIFY(doc.ApplyLayout(app::LayoutKind::Board));
        auto view = MakeView(doc, 440, 340);
        QVERIFY(!view->LabelsReadable());
        QVERIFY(view->ShowNode(455));
        QCOMPARE(view->MarkedNode(), 455);
        QVERIFY(view->LabelsReadable());
        const QPointF p = view->ScreenPositions()[455];
        QVERIFY(std::abs(p.x() - 220) < 1.0);
        QVERIFY(std::abs(p.y() - 180) < 1.0);
        QCOMPARE(view->HitTest(int(p.x()), int(p.y())), 455);
        QVERIFY(!view->ShowNode(901));
        // Fit brings back the whole picture, exactly as unzoomed.
        view->ZoomToFit();
        QVERIFY(view->GetViewport().IsIdentity());
        // The wheel zooms about the mouse, a drag on the background pans.
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        const QPointF under = view->ScreenPositions()[1];
        QWheelEvent wheel(under, view->mapToGlobal(under), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &wheel);
        QVERIFY(view->GetViewport().Zoom() > 1.2);
        const QPointF still = view->ScreenPositions()[1];
        QVERIFY(std::abs(still.x() - under.x()) < 1.0 && std::abs(still.y() - under.y()) < 1.0);
        const QPoint empty(5, 330);
        QCOMPARE(view->HitTest(empty.x(), empty.y()), -1);
        QTest::mousePress(view.get(), Qt::LeftButton, {}, empty);
        QTest::mouseMove(view.get(), empty + QPoint(30, -20));
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, empty + QPoint(30, -20));
        const QPointF moved = view->ScreenPositions()[1];
        QVERIFY(std::abs(moved.x() - still.x() - 30) < 1.0);
        QVERIFY(std::abs(moved.y() - still.y() + 20) < 1.0);
        // Repaints after the first reuse the edge layer.
        view->repaint();
        QVERIFY(view->LastPaintMs() >= 0);
    }

    void scriptedExportWritesPngSvgAndPdf()
    {
        const QString knight = WriteKnightFile("k66.hcp", 6, 6);
        struct Case {
            const char* out;
            std::vector<std::string> extra;
        };
        const Case cases[] = {{"k.png", {"--find-cycle"}},
                              {"k.svg", {"--find-cycle", "--layout", "board"}},
                              {"k.pdf", {"--solve", "--layout", "force"}}};
        for (const Case& c : cases) {
            std::vector<std::string> args = c.extra;
            const QString out = Path(QString::fromLatin1(c.out));
            args.insert(args.end(), {"--export", out.toStdString(), knight.toStdString()});
            app::ScriptArgs parsed;
            std::string error;
            QVERIFY2(app::ParseScriptArgs(args, parsed, error), error.c_str());
            std::ostringstream so, se;
            QCOMPARE(app::RunScriptedExport(parsed, so, se), app::kScriptCycle);
            QVERIFY2(so.str().rfind("Hamiltonian cycle found", 0) == 0, so.str().c_str());
            QFile f(out);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            if (out.endsWith(".png")) {
                QImage img;
                QVERIFY(img.loadFromData(bytes, "PNG"));
                QCOMPARE(img.size(), app::kPictureSize);
                QVERIFY(CountColour(img, kBlue) > 500);
            } else if (out.endsWith(".svg")) {
                QVERIFY(bytes.contains("<svg"));
                QVERIFY(bytes.contains("#0000ff"));
            } else {
                QVERIFY(bytes.startsWith("%PDF"));
                const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
                if (!pdftotext.isEmpty()) {
                    QProcess p;
                    p.start(pdftotext, {out, "-"});
                    QVERIFY(p.waitForFinished(20000));
                    QVERIFY(p.readAllStandardOutput().contains("H=0"));
                }
            }
        }
        // No cycle: the Petersen graph; errors: a missing file and a bad one.
        app::ScriptArgs a;
        std::string error;
        std::ostringstream so, se;
        QVERIFY(app::ParseScriptArgs({"--solve", "--export", Path("p.png").toStdString(),
                                      Example("petersen.hcp").toStdString()},
                                     a, error));
        QCOMPARE(app::RunScriptedExport(a, so, se), app::kScriptNoCycle);
        QVERIFY2(so.str().rfind("No ", 0) == 0, so.str().c_str());
        QVERIFY(QFile::exists(Path("p.png")));
        a.graph = Path("missing.hcp").toStdString();
        QCOMPARE(app::RunScriptedExport(a, so, se), app::kScriptError);
        QVERIFY(se.str().find("missing.hcp") != std::string::npos);
        const QString bad = Path("bad.hcp");
        QFile b(bad);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write("TYPE: HCP\nDIMENSION: 3\nEDGE_DATA_SECTION\n1 7\n-1\nEOF\n");
        b.close();
        a.graph = bad.toStdString();
        a.output = Path("bad.png").toStdString();
        std::ostringstream se2;
        QCOMPARE(app::RunScriptedExport(a, so, se2), app::kScriptError);
        QVERIFY(se2.str().find("bad.hcp") != std::string::npos);
        QVERIFY(!QFile::exists(Path("bad.png")));

        // The program itself, when built next to the tests.
        const QString exe = QStringLiteral(TOURVANE_BINARY_DIR "/app/Tourvane32");
        if (QFile::exists(exe)) {
            QProcess help;
            help.start(exe, {"--help"});
            QVERIFY(help.waitForFinished(20000));
            QVERIFY(help.readAllStandardOutput().contains("--export"));
            QProcess run;
            run.start(exe, {"--find-cycle", "--export", Path("cli.png"), knight});
            QVERIFY(run.waitForFinished(60000));
            QCOMPARE(run.exitCode(), 0);
            QVERIFY(run.readAllStandardOutput().startsWith("Hamiltonian cycle found"));
            QVERIFY(QFile::exists(Path("cli.png")));
        }
    }

    void aKnightBoardOfFortyThousandSquaresOpensSolvesAndExports()
    {
        // Beyond what the legacy classes hold: the document keeps the
        // solver graph, Solve uses the large-graph method, F5 says it cannot
        // run, and the picture is drawn. Saved under a plain name, the graph
        // is still recognised as the board it is.
        const hcp::Graph knight = hcp::LeaperGraph(1, 2, 200, 200);
        const QString file = Path("board.hcp");
        hcp::HcpWriteInfo info;
        info.name = "board";
        hcp::SaveHcp(QFile::encodeName(file).toStdString(), knight, info);
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(file));
        QCOMPARE(doc.GetNodeCount(), 40000);
        QVERIFY(doc.Graph() == knight);
        QCOMPARE(doc.Board(), std::optional<app::BoardShape>(app::BoardShape{1, 2, 200, 200}));
        QVERIFY(doc.ApplyLayout(app::LayoutKind::Board));

        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QCOMPARE(finished.count(), 1);
        QVERIFY2(doc.LastOutcome().contains("32,767") && doc.LastOutcome().contains("40000"),
                 qPrintable(doc.LastOutcome()));
        QVERIFY(!doc.IsSearching());

        doc.OnSolve();
        QVERIFY(finished.count() == 2 || finished.wait(110000));
        QVERIFY2(doc.LastOutcome().startsWith("Hamiltonian cycle found"), qPrintable(doc.LastOutcome()));
        QVERIFY(hcp::CheckCycle(knight, doc.Order()).hamiltonian);
        QCOMPARE(doc.Layout(), app::LayoutKind::Board);

        for (const char* name : {"board.png", "board.svg"}) {
            QString why;
            QVERIFY2(app::ExportPicture(doc, Path(name), &why), qPrintable(why));
            QVERIFY(QFileInfo(Path(name)).size() > 1000);
        }
        QImage png(Path("board.png"));
        QCOMPARE(png.size(), app::kPictureSize);
        // The tour covers the board: blue somewhere near its middle.
        int blue = 0;
        for (int y = 480; y < 520; ++y)
            for (int x = 580; x < 620; ++x)
                blue += ColourNear(png, x, y, kBlue);
        QVERIFY(blue > 0);
    }

    void nodesDenserThanThePixelsAreLeftOutSoTheCycleShows()
    {
        // 10,000 nodes one pixel apart: drawn, their circles would cover
        // everything; at that spacing only the cycle is drawn.
        app::GraphScene scene;
        scene.nodes = 10000;
        std::vector<QPointF> at(10001);
        for (int v = 1; v <= 10000; ++v)
            at[v] = QPointF(10 + (v - 1) % 100, 10 + (v - 1) / 100);
        auto blackPixels = [&](double spacing) {
            QImage img(120, 120, QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter p(&img);
            app::PaintStyle st;
            st.labelsReadable = false;
            st.spacing = spacing;
            app::PaintNodes(&p, scene, at, st);
            p.end();
            int black = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    black += img.pixelColor(x, y) == QColor(Qt::black);
            return black;
        };
        QCOMPARE(blackPixels(1.0), 0);
        QVERIFY(blackPixels(-1.0) > 5000);   // spacing unknown: drawn as always
        QVERIFY(blackPixels(app::kNodeMassSpacing) > 5000);
    }

    void aGraphThatDoesNotFitInMemoryIsRefusedByName()
    {
        // DIMENSION promises more nodes than any machine here holds; the
        // reader refuses it before taking the memory, naming the file.
        const QString big = Path("huge.hcp");
        QFile f(big);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("NAME: huge\nTYPE: HCP\nDIMENSION: 4294967296\n"
                "EDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n1 2\n-1\nEOF\n");
        f.close();
        CHcpDoc doc;
        CArchive ar{CArchive::load, big, QString()};
        QVERIFY(!doc.Serialize(ar));
        QVERIFY2(ar.m_error.contains("huge.hcp") && !ar.m_error.contains('\n'), qPrintable(ar.m_error));
        QCOMPARE(doc.GetNodeCount(), 10);   // the document as it was
    }

    void exportedTourReadsBackAsTheSameOrder()
    {
        CHcpDoc doc;
        const QString graphFile = WriteKnightFile("k56.hcp", 5, 6);
        QVERIFY(doc.OnOpenDocument(graphFile));
        doc.SetPathName(graphFile);   // as File, Open does
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        doc.OnFindCycle();
        QVERIFY(finished.count() == 1 || finished.wait(30000));
        QVERIFY(doc.HasTour());
        const QString tour = Path("k56.tour");
        QString error;
        QVERIFY(doc.ExportTour(tour, &error));
        const std::vector<hcp::NodeId> before = doc.Order();
        QVERIFY(doc.SetOrder(std::vector<hcp::NodeId>(before.rbegin(), before.rend())));
        QVERIFY(!doc.ExportTour(Path("no/such/dir/x.tour"), &error));
        QVERIFY(error.contains("x.tour"));
        // Written by the engine's TOUR module: hcpsolve's layout, and a
        // cycle of the graph as read from the file.
        hcp::Tour written;
        try {
            written = hcp::ReadTour(tour.toStdString(), 30);
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        QCOMPARE(written.name, std::string("k56.hcp"));
        QCOMPARE(written.comment, std::string("HCP solution (H=0)"));
        try {
            const hcp::Graph graph = hcp::ReadGraph(QFile::encodeName(graphFile).toStdString());
            QVERIFY(hcp::CheckCycle(graph, written.order).hamiltonian);
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        apptest::MessageRecorder msgs;
        std::string cycleText;
        QVERIFY(app::ReadTourFile(tour.toStdString(), cycleText));
        QVERIFY(doc.RearrangeCycle(QString::fromStdString(cycleText), 30));
        QCOMPARE(doc.Order(), before);
    }

    // An order with gaps exports too, with its gaps in the comment, and
    // exporting never changes the document.
    void exportedOrderWithGapsSaysHowMany()
    {
        CHcpDoc doc;
        QVERIFY(doc.OnOpenDocument(WriteKnightFile("k34.hcp", 3, 4)));
        QString identity = QStringLiteral("{");
        for (int v = 1; v <= 12; ++v)
            identity += QStringLiteral(" %1").arg(v);
        apptest::MessageRecorder msgs;
        QVERIFY(doc.RearrangeCycle(identity + QStringLiteral(" }"), 12));
        const int gaps = doc.CheckOrder().gaps;
        QVERIFY(gaps > 0);
        const QString tour = Path("k34.tour");
        QString error;
        const bool modified = doc.IsModified();
        QVERIFY2(doc.ExportTour(tour, &error), qPrintable(error));
        QCOMPARE(doc.IsModified(), modified);
        const hcp::Tour written = hcp::ReadTour(tour.toStdString(), 12);
        QCOMPARE(written.comment, "HCP solution (H=" + std::to_string(gaps) + ")");
        QCOMPARE(written.order.size(), std::size_t{12});
        for (hcp::NodeId v = 0; v < 12; ++v)
            QCOMPARE(written.order[v], v);
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
