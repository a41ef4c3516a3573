// The graph view: drawing colours, initial layout and radii, hit testing,
// dragging nodes, the context menu, the toggles, rearranging, the search
// keys and one-page printing.
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "apptestutil.h"
#include "core/leapergraph.h"
#include "framework/popupmenu.h"
#include "framework/printing.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "rearrangedlg.h"

using apptest::MessageRecorder;
using apptest::ModalScript;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGrey(0xC0, 0xC0, 0xC0);

// True when colour appears within one pixel of (x, y): lines may round
// to either neighbouring row.
bool ColourNear(const QImage& img, int x, int y, const QColor& colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.pixelColor(x + dx, y + dy) == colour)
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

// A document of four nodes on the initial circle with the triangle 1 2 3
// and node 4 alone, in the order 1 2 3 4: links 1-2 and 2-3 are cycle
// edges, 3-4 and 4-1 gaps, 1-3 an edge off the cycle.
void MakeTriangleAndLoner(CHcpDoc& doc)
{
    const std::vector<hcp::Edge> edges{{0, 1}, {1, 2}, {0, 2}};
    doc.SetGraph(hcp::Graph::FromEdges(4, edges));
    doc.SetOrder({0, 1, 2, 3});
}

// A view of 440 x 340 on doc, initialised like a frame does.
std::unique_ptr<CHcpView> MakeView(CHcpDoc& doc, bool show = false)
{
    auto view = std::make_unique<CHcpView>();
    view->resize(440, 340);
    view->SetDocument(&doc);
    if (show) {
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get()))
            return nullptr;
    }
    view->SendInitialUpdate();
    return view;
}

// Keeps a picture for a person to look at when TOURVANE_TEST_ARTIFACTS
// names a folder.
void KeepArtifact(const QString& name, const QImage& img)
{
    const QString dir = qEnvironmentVariable("TOURVANE_TEST_ARTIFACTS");
    if (!dir.isEmpty())
        img.save(QDir(dir).filePath(name));
}

}  // namespace

class TestHcpView : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initialUpdateLaysOutAndMeasuresTheRadius()
    {
        CHcpDoc doc;
        doc.SetGraph(hcp::Graph::FromEdges(10, {}));
        auto view = MakeView(doc);
        QCOMPARE(view->m_nNodes, 10);
        QCOMPARE(view->m_rcGraph, (app::Box{20, 40, 420, 320}));
        QCOMPARE(doc.m_pX.size(), std::size_t(10));
        QCOMPARE(doc.m_pX[0], 0.0f);
        const QFontMetrics fm(view->m_labelFont, view.get());
        const int w = fm.horizontalAdvance("10"), h = fm.height();
        QCOMPARE(view->m_nRadius, 1 + int(std::sqrt(double(w * w + h * h)) / 2));
        // A second view reuses the positions the first one made.
        doc.m_pX[0] = 0.25f;
        auto second = MakeView(doc);
        QCOMPARE(doc.m_pX[0], 0.25f);
    }

    void resizingMovesTheGraphRectangle()
    {
        CHcpDoc doc;
        auto view = MakeView(doc, true);
        QVERIFY(view);
        view->resize(300, 200);
        QCOMPARE(view->m_rcGraph, (app::Box{20, 40, 280, 180}));
    }

    void drawsEdgesGreyCycleBlueAndGapsRed()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc);
        // Node 1 (20,180), 2 (220,40), 3 (420,180), 4 (220,320).
        const QImage img = view->grab().toImage();
        KeepArtifact("triangle.png", img);
        QVERIFY(ColourNear(img, 120, 110, kBlue));   // link 1-2
        QVERIFY(ColourNear(img, 320, 110, kBlue));   // link 2-3
        QVERIFY(ColourNear(img, 320, 250, kRed));    // gap 3-4
        QVERIFY(ColourNear(img, 120, 250, kRed));    // gap 4-1
        QVERIFY(ColourNear(img, 120, 180, kGrey));   // edge 1-3 off the cycle
        QCOMPARE(img.pixelColor(5, 300), QColor(Qt::white));
        // The title rule under the strip.
        QCOMPARE(img.pixelColor(200, 20), QColor(Qt::black));

        // Edges off: the grey edge goes, the cycle stays.
        QVERIFY(app::RouteCommand({view.get()}, ID_VIEW_EDGES));
        QVERIFY(!app::UpdateCommand({view.get()}, ID_VIEW_EDGES).m_bChecked);
        const QImage noEdges = view->grab().toImage();
        KeepArtifact("triangle-noedges.png", noEdges);
        QVERIFY(!ColourNear(noEdges, 120, 180, kGrey));
        QVERIFY(ColourNear(noEdges, 120, 110, kBlue));
        QVERIFY(ColourNear(noEdges, 320, 250, kRed));
    }

    void labelsToggleSmallCirclesButTheSameHitRadius()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc);
        const int r = view->m_nRadius;
        QVERIFY(r > 3);
        QVERIFY(app::UpdateCommand({view.get()}, ID_VIEW_LABELS).m_bChecked);
        QImage labelled = view->grab().toImage();
        // With labels the circle outline lies r pixels from the centre.
        QVERIFY(labelled.pixelColor(220 + r, 320).lightness() < 128);
        QVERIFY(app::RouteCommand({view.get()}, ID_VIEW_LABELS));
        QVERIFY(!view->m_bShowLabels);
        const QImage small = view->grab().toImage();
        QCOMPARE(small.pixelColor(220, 320 - 3), QColor(Qt::black));
        QCOMPARE(view->HitTest(220, 320 - r), 4);
    }

    void hitTestOnAndJustBeyondTheCircle()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc);
        const int r = view->m_nRadius;
        QCOMPARE(view->HitTest(20 + r, 180), 1);
        QCOMPARE(view->HitTest(20 + r + 1, 180), -1);
        QCOMPARE(view->HitTest(220, 40 - r), 2);
        QCOMPARE(view->HitTest(220, 40 - r - 1), -1);
        // Overlapping nodes: the higher number wins.
        doc.m_pX[3] = doc.m_pX[0] + 2.0f / 400;
        doc.m_pY[3] = doc.m_pY[0];
        QCOMPARE(view->HitTest(21, 180), 4);
    }

    void draggingMovesANodeOnlyBelowTheTitleStrip()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc, true);
        QVERIFY(view);
        QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(20, 180));
        QCOMPARE(view->m_nSelected, 1);
        QVERIFY(view->m_bDragging);
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(100, 19));
        QCOMPARE(view->m_nSelected, -1);
        QVERIFY(!view->m_bDragging);
        QCOMPARE(doc.m_pX[0], 0.0f);
        QCOMPARE(doc.m_pY[0], 0.5f);

        QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(20, 180));
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(100, 20));
        QCOMPARE(doc.m_pX[0], 80.0f / 400.0f);
        QCOMPARE(doc.m_pY[0], -20.0f / 280.0f);
        QVERIFY(!doc.IsModified());

        // A press beside every node starts no drag.
        QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(view->m_nSelected, -1);
        QVERIFY(!view->m_bDragging);
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(300, 300));
    }

    void contextMenuDeletesTheNodesEdges()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc, true);
        QVERIFY(view);
        QStringList shown;
        app::SetPopupMenuHook([&](QMenu* menu) -> QAction* {
            shown << menu->title();
            for (QAction* a : menu->actions())
                shown << a->text() + (a->isEnabled() ? "" : " (disabled)");
            return menu->actions().value(0);
        });
        QTest::mousePress(view.get(), Qt::RightButton, {}, QPoint(220, 40));
        app::SetPopupMenuHook({});
        QCOMPARE(shown, (QStringList{"Graph", "&Delete node"}));
        QVERIFY(!doc.Graph().HasEdge(0, 1));
        QVERIFY(!doc.Graph().HasEdge(1, 2));
        QVERIFY(doc.Graph().HasEdge(0, 2));
        QCOMPARE(view->m_nSelected, -1);
        QVERIFY(!app::UpdateCommand({view.get()}, ID_DELETE_NODE).m_bEnabled);

        // Cancelling the menu leaves the node selected.
        app::SetPopupMenuHook([](QMenu*) -> QAction* { return nullptr; });
        QTest::mousePress(view.get(), Qt::RightButton, {}, QPoint(420, 180));
        app::SetPopupMenuHook({});
        QCOMPARE(view->m_nSelected, 3);
        QVERIFY(app::UpdateCommand({view.get()}, ID_DELETE_NODE).m_bEnabled);
    }

    void rearrangeThroughTheDialog()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc);
        ModalScript play([](QDialog* d) {
            auto* dlg = qobject_cast<CRearrangeDlg*>(d);
            dlg->m_editCycle->setPlainText("cycle { 4 3 2 1 }");
            dlg->OnOK();
            return dlg->result();
        });
        QVERIFY(app::RouteCommand({view.get()}, ID_REARRANGE_CYCLE));
        QCOMPARE(doc.Order(), (std::vector<hcp::NodeId>{3, 2, 1, 0}));
        QCOMPARE(doc.m_pX[0], 0.5f);   // node 1 is last: top centre
    }

    void rearrangeShowsTheOrderSaysWhatIsWrongAndKeepsDraggedNodes()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc);
        // A node placed by hand stays where it was put.
        QVERIFY(doc.MoveNode(2, view->m_rcGraph, 100, 100));
        const float x2 = doc.m_pX[1], y2 = doc.m_pY[1];
        MessageRecorder msgs;
        QStringList shown;
        ModalScript play([&](QDialog* d) {
            auto* dlg = qobject_cast<CRearrangeDlg*>(d);
            shown << dlg->m_editCycle->toPlainText();
            dlg->m_editCycle->setPlainText("{ 4 3 3 1 }");
            dlg->OnOK();
            // Refused: still open, the text as typed.
            shown << (dlg->result() == IDOK ? "ended" : "open") << dlg->m_editCycle->toPlainText();
            dlg->m_editCycle->setPlainText("{ 4 3 2 1 }");
            dlg->OnOK();
            return dlg->result();
        });
        QVERIFY(app::RouteCommand({view.get()}, ID_REARRANGE_CYCLE));
        QCOMPARE(shown, (QStringList{"{ 1 2 3 4 }", "open", "{ 4 3 3 1 }"}));
        QCOMPARE(msgs.messages, QStringList{"Not a cycle: node 3 appears twice."});
        QCOMPARE(doc.Order(), (std::vector<hcp::NodeId>{3, 2, 1, 0}));
        QCOMPARE(doc.m_pX[1], x2);
        QCOMPARE(doc.m_pY[1], y2);
    }

    void findCycleFromTheViewDrawsAKnightTourInBlue()
    {
        CHcpDoc doc;
        doc.SetGraph(hcp::LeaperGraph(1, 2, 6, 6));
        auto view = MakeView(doc, true);
        QVERIFY(view);
        QSignalSpy finished(&doc, &CHcpDoc::searchFinished);
        view->setFocus();
        QTest::keyClick(view.get(), Qt::Key_F5);
        QVERIFY(doc.IsSearching() || finished.count() == 1);
        QVERIFY(finished.count() == 1 || finished.wait(20000));
        QCOMPARE(doc.LastSearch().h, 0);
        const QImage img = view->grab().toImage();
        KeepArtifact("knight6x6.png", img);
        QVERIFY(CountColour(img, kBlue) > 100);
        QCOMPARE(CountColour(img, kRed), 0);
    }

    void escapeCancelsTheSearchAndKeepsTheOrder()
    {
        // The knight's graph of an odd board has no closed tour: the search
        // keeps trying until every gap is tried, long enough to cancel.
        CHcpDoc doc;
        doc.SetGraph(hcp::LeaperGraph(1, 2, 41, 41));
        auto view = MakeView(doc, true);
        QVERIFY(view);
        QVERIFY(app::RouteCommand({view.get()}, ID_FIND_CYCLE));
        QVERIFY(doc.IsSearching());
        QVERIFY(!app::UpdateCommand({view.get()}, ID_REARRANGE_CYCLE).m_bEnabled);
        QVERIFY(app::UpdateCommand({view.get()}, ID_CANCEL_SEARCH).m_bEnabled);
        view->setFocus();
        QTest::keyClick(view.get(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!doc.IsSearching(), 20000);
        QVERIFY(doc.LastSearch().h > 0);
        QVERIFY(doc.LastSearch().cancelled);
        QVERIFY(doc.CheckOrder().permutation);
    }

    void printsOnePageToPdf()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc);
        const QString pdf = m_dir.filePath("graph.pdf");
        QPrinter* printer = app::AppPrinter();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        // The user asks for pages 1 to 3: the picture still prints once.
        ModalScript play([](QDialog* d) {
            app::AppPrinter()->setPrintRange(QPrinter::PageRange);
            app::AppPrinter()->setFromTo(1, 3);
            d->setResult(QDialog::Accepted);
            return int(QDialog::Accepted);
        });
        QVERIFY(app::RouteCommand({view.get()}, ID_FILE_PRINT));
        QVERIFY(QFileInfo(pdf).size() > 0);
        if (!qEnvironmentVariable("TOURVANE_TEST_ARTIFACTS").isEmpty())
            QFile::copy(pdf, QDir(qEnvironmentVariable("TOURVANE_TEST_ARTIFACTS")).filePath("graph.pdf"));
        QVERIFY(view->m_nPrintRadius > 10);
        QCOMPARE(view->m_rcPrint.left, 200);
        QCOMPARE(view->m_rcPrint.top, 300);

        const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            QSKIP("poppler-utils not installed");
        QProcess info;
        info.start(pdfinfo, {pdf});
        QVERIFY(info.waitForFinished(10000));
        QVERIFY(QString(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));
        QProcess text;
        text.start(pdftotext, {pdf, "-"});
        QVERIFY(text.waitForFinished(10000));
        const QString content = text.readAllStandardOutput();
        QVERIFY2(content.contains("(H=2)"), qPrintable(content));
    }

    void graphsOfFewerThanTwoNodesDraw()
    {
        for (short n : {short(1), short(0)}) {
            CHcpDoc doc;
            doc.SetGraph(hcp::Graph::FromEdges(static_cast<hcp::NodeId>(n), {}));
            auto view = MakeView(doc);
            const QImage img = view->grab().toImage();
            QCOMPARE(img.size(), QSize(440, 340));
            QCOMPARE(doc.CycleTitle(), QString("(N=%1)").arg(n));
            QCOMPARE(view->HitTest(20, 180), n == 1 ? 1 : -1);
        }
    }

    void closingOneOfTwoWindowsDoesNotAsk()
    {
        CHcpDoc doc;
        doc.SetModifiedFlag(true);
        QWidget frame1, frame2;
        auto* v1 = new CHcpView(&frame1);
        auto* v2 = new CHcpView(&frame2);
        v1->SetDocument(&doc);
        v2->SetDocument(&doc);
        MessageRecorder msgs;
        msgs.answer = IDCANCEL;
        QVERIFY(doc.CanCloseFrame(v1));
        QVERIFY(msgs.messages.isEmpty());
        delete v2;
        QVERIFY(!doc.CanCloseFrame(v1));
        QCOMPARE(msgs.messages.size(), 1);
    }

    void printPreviewAsksTheViewToDraw()
    {
        CHcpDoc doc;
        MakeTriangleAndLoner(doc);
        auto view = MakeView(doc);
        bool preview = false;
        ModalScript play([&](QDialog* d) {
            auto* dlg = qobject_cast<QPrintPreviewDialog*>(d);
            preview = dlg != nullptr;
            return int(QDialog::Rejected);
        });
        QVERIFY(app::RouteCommand({view.get()}, ID_FILE_PRINT_PREVIEW));
        QVERIFY(preview);
    }
};

QTEST_MAIN(TestHcpView)
#include "tst_hcpview.moc"
