// The tab window of a document window: tab spans and hit rows, switching
// views, layout of the views on resize, the drawn strip, and the child frame
// that builds it with the graph and log views.
#include <QFontMetrics>
#include <QSignalSpy>
#include <QtTest>

#include "childfrm.h"
#include "hcpdoc.h"
#include "hcpview.h"
#include "logview.h"
#include "resource.h"
#include "tabwnd.h"

namespace {

// Counts paint events of one widget.
class PaintCounter : public QObject {
public:
    int count = 0;
protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

int CaptionWidth(const QString& caption)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(12);
    return QFontMetrics(f).horizontalAdvance(caption);
}

}  // namespace

class TestTabWnd : public QObject {
    Q_OBJECT
private:
    // A tab window with two plain views "Graph" and "Log", shown at 400 x 300.
    struct Fixture {
        CTabWnd wnd;
        QWidget* graph = nullptr;
        QWidget* log = nullptr;
        Fixture()
        {
            wnd.resize(400, 300);
            wnd.AddTab(QStringLiteral("Graph"), [this](QWidget* p) { return graph = new QWidget(p); });
            wnd.AddTab(QStringLiteral("Log"), [this](QWidget* p) { return log = new QWidget(p); });
        }
        int LogTabX() const { return CaptionWidth(QStringLiteral("Graph")) + 17 + 5; }
    };

private slots:
    void secondTabStartsWhereTheFirstEnds()
    {
        Fixture f;
        const auto spans = f.wnd.TabSpans();
        QCOMPARE(int(spans.size()), 2);
        QCOMPARE(spans[0].left, 0);
        QCOMPARE(spans[1].left, CaptionWidth(QStringLiteral("Graph")) + 17);
        QCOMPARE(spans[1].right, spans[1].left + CaptionWidth(QStringLiteral("Log")) + 17);
        QCOMPARE(f.wnd.GetTabName(0), QStringLiteral("Graph"));
        QCOMPARE(f.wnd.GetTabName(1), QStringLiteral("Log"));
        QCOMPARE(f.wnd.windowTitle(), QStringLiteral("TavrelTabWnd"));
    }

    void firstTabShowsItsViewAndTheOthersAreHiddenAndDisabled()
    {
        CTabWnd wnd;
        QSignalSpy spy(&wnd, &CTabWnd::activeViewChanged);
        QWidget* first = nullptr;
        QWidget* second = nullptr;
        QVERIFY(wnd.AddTab(QStringLiteral("Graph"), [&](QWidget* p) { return first = new QWidget(p); }));
        QVERIFY(wnd.AddTab(QStringLiteral("Log"), [&](QWidget* p) { return second = new QWidget(p); }));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QWidget*>(), first);
        QCOMPARE(wnd.GetActiveTab(), 0);
        QVERIFY(first->isEnabled());
        QVERIFY(!first->isHidden());
        QVERIFY(!second->isEnabled());
        QVERIFY(second->isHidden());
        QCOMPARE(first->property("controlId").toInt(), IDC_FIRST_TAB_VIEW);
        QCOMPARE(second->property("controlId").toInt(), IDC_FIRST_TAB_VIEW + 1);
    }

    void aViewThatCannotBeMadeLeavesItsTabOut()
    {
        CTabWnd wnd;
        QVERIFY(!wnd.AddTab(QStringLiteral("Broken"), [](QWidget*) -> QWidget* { return nullptr; }));
        QCOMPARE(wnd.GetTabCount(), 0);
        QVERIFY(wnd.AddTab(QStringLiteral("Log"), [](QWidget* p) { return new QWidget(p); }));
        QCOMPARE(wnd.GetTabCount(), 1);
        QVERIFY(wnd.GetView(0)->isEnabled());
    }

    void longCaptionsKeepThirtyOneCharacters()
    {
        CTabWnd wnd;
        wnd.AddTab(QString(40, QChar('x')), [](QWidget* p) { return new QWidget(p); });
        QCOMPARE(wnd.GetTabName(0), QString(31, QChar('x')));
    }

    void clickRowSixMissesAndRowSevenSelects()
    {
        Fixture f;
        f.wnd.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.wnd));
        QSignalSpy spy(&f.wnd, &CTabWnd::activeViewChanged);
        QTest::mouseClick(&f.wnd, Qt::LeftButton, {}, QPoint(f.LogTabX(), 6));
        QCOMPARE(f.wnd.GetActiveTab(), 0);
        QCOMPARE(spy.count(), 0);
        QTest::mouseClick(&f.wnd, Qt::LeftButton, {}, QPoint(f.LogTabX(), 7));
        QCOMPARE(f.wnd.GetActiveTab(), 1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QWidget*>(), f.log);
        QVERIFY(f.log->isVisible());
        QVERIFY(f.log->isEnabled());
        QVERIFY(!f.graph->isVisible());
        QVERIFY(!f.graph->isEnabled());
    }

    void selectedTabIsHitFromRowFive()
    {
        Fixture f;
        QCOMPARE(f.wnd.HitTest(QPoint(5, 5)), 0);
        QCOMPARE(f.wnd.HitTest(QPoint(f.LogTabX(), 5)), -1);
        f.wnd.SelectTab(1);
        QCOMPARE(f.wnd.HitTest(QPoint(f.LogTabX(), 5)), 1);
        QCOMPARE(f.wnd.HitTest(QPoint(5, 5)), -1);
        QCOMPARE(f.wnd.HitTest(QPoint(5, 7)), 0);
        QCOMPARE(f.wnd.HitTest(QPoint(5, 28)), -1);
        QCOMPARE(f.wnd.HitTest(QPoint(2000, 10)), -1);
    }

    void clickOnTheSelectedTabChangesNothingAndDoesNotRepaint()
    {
        Fixture f;
        f.wnd.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.wnd));
        QCoreApplication::processEvents();
        PaintCounter counter;
        f.wnd.installEventFilter(&counter);
        QSignalSpy spy(&f.wnd, &CTabWnd::activeViewChanged);
        QTest::mouseClick(&f.wnd, Qt::LeftButton, {}, QPoint(5, 10));
        f.wnd.SelectTab(-1);
        QCoreApplication::processEvents();
        QCOMPARE(f.wnd.GetActiveTab(), 0);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(counter.count, 0);
        // A real change repaints the strip.
        QTest::mouseClick(&f.wnd, Qt::LeftButton, {}, QPoint(f.LogTabX(), 10));
        QTRY_VERIFY(counter.count > 0);
    }

    void resizingMovesBothViewsTheHiddenOneToo()
    {
        Fixture f;
        f.wnd.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.wnd));
        f.wnd.resize(500, 420);
        QCOMPARE(f.graph->geometry(), QRect(2, 34, 496, 384));
        QCOMPARE(f.log->geometry(), QRect(2, 34, 496, 384));
        QVERIFY(f.log->isHidden());
    }

    void stripIsDrawnInFaceColourWithBlackOutlines()
    {
        Fixture f;
        const QImage img = f.wnd.grab().toImage();
        const QColor face = f.wnd.palette().color(QPalette::Button);
        const int x1 = CaptionWidth(QStringLiteral("Graph")) + 17;
        // Right of the tabs the strip is face coloured above the base line,
        // which is black.
        QCOMPARE(img.pixelColor(390, 15).rgb(), face.rgb());
        QCOMPARE(img.pixelColor(390, 26).rgb(), QColor(Qt::black).rgb());
        // The selected tab's outline runs down its left edge from row 5 and
        // along its top; the other tab's frame starts at row 7.
        QCOMPARE(img.pixelColor(0, 12).rgb(), QColor(Qt::black).rgb());
        QCOMPARE(img.pixelColor(10, 5).rgb(), QColor(Qt::black).rgb());
        QCOMPARE(img.pixelColor(x1 + 6, 7).rgb(), QColor(Qt::black).rgb());
        QCOMPARE(img.pixelColor(x1 + 6, 5).rgb(), face.rgb());
        // Inside the selected tab, away from the caption, the fill is face.
        QCOMPARE(img.pixelColor(4, 24).rgb(), face.rgb());
        // The frame around the views: shadow, then black, on the left.
        QCOMPARE(img.pixelColor(0, 100).rgb(), f.wnd.palette().color(QPalette::Dark).rgb());
        QCOMPARE(img.pixelColor(1, 100).rgb(), QColor(Qt::black).rgb());
    }

    void childFrameBuildsGraphAndLogTabsOnTheDocument()
    {
        auto* doc = new CHcpDoc;
        {
            CChildFrame frame(doc);
            QVERIFY(frame.IsCreated());
            CTabWnd& tabs = frame.GetTabWnd();
            QCOMPARE(tabs.GetTabCount(), 2);
            QCOMPARE(tabs.property("controlId").toInt(), IDC_TAB_WND);
            auto* graph = qobject_cast<CHcpView*>(tabs.GetView(0));
            auto* log = qobject_cast<CLogView*>(tabs.GetView(1));
            QVERIFY(graph);
            QVERIFY(log);
            QCOMPARE(frame.GetActiveView(), graph);
            QCOMPARE(doc->GetViews().size(), 2);

            // Both views get their initial update, the hidden log view too,
            // which registers itself with the document.
            frame.resize(520, 400);
            frame.show();
            frame.InitialUpdateFrame();
            QVERIFY(graph->HadInitialUpdate());
            QVERIFY(log->HadInitialUpdate());
            QCOMPARE(doc->m_pLogView, log);

            const QRect expected(2, 34, tabs.width() - 4, tabs.height() - 36);
            QCOMPARE(graph->geometry(), expected);
            QCOMPARE(log->geometry(), expected);
            frame.resize(640, 480);
            const QRect moved(2, 34, tabs.width() - 4, tabs.height() - 36);
            QVERIFY(moved != expected);
            QCOMPARE(graph->geometry(), moved);
            QCOMPARE(log->geometry(), moved);

            // Selecting the log makes it the frame's active view.
            tabs.SelectTab(1);
            QCOMPARE(frame.GetActiveView(), log);
            QCOMPARE(frame.CommandChain().front(), static_cast<CCmdTarget*>(log));
        }
        // The frame's views are gone and the registration with them.
        QCOMPARE(doc->GetViews().size(), 0);
        QVERIFY(!doc->m_pLogView);
        delete doc;
    }
};

QTEST_MAIN(TestTabWnd)
#include "tst_tabwnd.moc"
