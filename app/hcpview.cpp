#include "hcpview.h"

#include <optional>
#include <vector>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "framework/cmdtarget.h"
#include "framework/popupmenu.h"
#include "framework/resstrings.h"
#include "framework/waitcursor.h"
#include "hcpdoc.h"
#include "rearrangedlg.h"
#include "resource.h"

namespace {

// Bold serif face of the given character height in pixels. Pixel sizes keep
// their size on paper, where the painter works in printer pixels.
QFont MakeFont(int faceId, int pixelHeight)
{
    QFont f(app::LoadResString(faceId));
    f.setStyleHint(QFont::Serif, QFont::PreferQuality);
    f.setWeight(QFont::Bold);
    f.setPixelSize(pixelHeight);
    return f;
}

// Pictures with at least this many nodes take long enough to paint that
// the wait cursor is worth showing.
constexpr int kWaitCursorNodes = 1000;

}  // namespace

CHcpView::CHcpView(QWidget* parent)
    : CView(parent),
      m_labelFont(MakeFont(IDS_LABEL_FONT, 14)),
      m_printMeasureFont(MakeFont(IDS_LABEL_FONT, 80)),
      m_titleFont(MakeFont(IDS_TITLE_FONT, 14)),
      m_printFont(MakeFont(IDS_TITLE_FONT, 80)),
      m_whiteBrush(QColor(0xFF, 0xFF, 0xFF)),
      m_edgePen(QColor(0xC0, 0xC0, 0xC0), 0),
      m_gapPen(QColor(0xFF, 0x00, 0x00), 0),
      m_dragCursor(Qt::ClosedHandCursor)
{
    // The off-screen picture covers the whole client area: no background
    // erase, so no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);

    AddCommand(ID_VIEW_EDGES, [this] { OnViewEdges(); },
               [this](CCmdUI* ui) { ui->SetCheck(m_bShowEdges); });
    AddCommand(ID_VIEW_LABELS, [this] { OnViewLabels(); },
               [this](CCmdUI* ui) { ui->SetCheck(m_bShowLabels); });
    AddCommand(ID_DELETE_NODE, [this] { OnDeleteNode(); }, [this](CCmdUI* ui) {
        ui->Enable(m_nSelected != -1 && !(GetDocument() && GetDocument()->IsSearching()));
    });
    AddCommand(ID_REARRANGE_CYCLE, [this] { OnRearrangeCycle(); },
               [this](CCmdUI* ui) { ui->Enable(!(GetDocument() && GetDocument()->IsSearching())); });
    EnablePrintCommands();
}

CHcpDoc* CHcpView::GetDocument() const
{
    return qobject_cast<CHcpDoc*>(CView::GetDocument());
}

bool CHcpView::HasPositions() const
{
    const CHcpDoc* doc = GetDocument();
    return doc && doc->m_pX.size() == static_cast<std::size_t>(m_nNodes)
        && doc->m_pY.size() == static_cast<std::size_t>(m_nNodes);
}

void CHcpView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CHcpDoc* doc = GetDocument();
    if (!doc)
        return;
    m_nNodes = doc->GetNodeCount();
    m_rcGraph = app::GraphRect(width(), height(), m_nMargin);
    doc->EnsurePositions();
    // The circle of the widest label just encloses the label's box.
    const QFontMetrics fm(m_labelFont, this);
    const QString widest = QString::number(m_nNodes);
    m_nRadius = app::LabelRadius(fm.horizontalAdvance(widest), fm.height(), 1);
}

void CHcpView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    m_rcGraph = app::GraphRect(width(), height(), m_nMargin);
}

app::Point CHcpView::NodePosition(const app::Box& r, int v) const
{
    const CHcpDoc* doc = GetDocument();
    return app::NodePoint(r, doc->m_pX[v - 1], doc->m_pY[v - 1]);
}

int CHcpView::HitTest(int qx, int qy) const
{
    if (!HasPositions())
        return -1;
    const CHcpDoc* doc = GetDocument();
    return app::HitTest(m_rcGraph, m_nRadius, m_nNodes, doc->m_pX.data(), doc->m_pY.data(), qx, qy);
}

void CHcpView::OnDraw(QPainter* painter)
{
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    {
        QPainter memory(&picture);
        Draw(&memory, nullptr);
    }
    painter->drawPixmap(0, 0, picture);
}

void CHcpView::Draw(QPainter* painter, CPrintInfo* info)
{
    std::optional<CWaitCursor> wait;
    if (info || m_nNodes >= kWaitCursorNodes)
        wait.emplace();

    painter->save();
    painter->setPen(QPen(Qt::black, 0));
    if (!info) {
        painter->fillRect(rect(), m_whiteBrush);
        painter->drawLine(m_rcGraph.left, m_nMargin, m_rcGraph.right, m_nMargin);
    } else {
        painter->drawLine(0, m_rcPrint.top - 100, m_rcPrint.right, m_rcPrint.top - 100);
    }
    if (GetDocument()) {
        DrawTitle(painter, info);
        if (HasPositions()) {
            const app::Box& r = info ? m_rcPrint : m_rcGraph;
            if (m_bShowEdges)
                DrawEdges(painter, r);
            DrawCycle(painter, r);
            DrawNodes(painter, r, info);
        }
    }
    painter->restore();
}

void CHcpView::DrawTitle(QPainter* painter, CPrintInfo* info)
{
    const QFont& font = info ? m_printFont : m_titleFont;
    QRect box;
    if (!info)
        box = QRect(QPoint(m_nMargin, 0), QPoint(width() - 1, m_nMargin - 1));
    else
        box = info->m_rectDraw;
    painter->save();
    painter->setFont(font);
    const QFontMetrics fm(font, painter->device());
    const QString title = fm.elidedText(GetDocument()->CycleTitle(), Qt::ElideRight, box.width());
    painter->drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title);
    painter->restore();
}

void CHcpView::DrawEdges(QPainter* painter, const app::Box& r)
{
    const CHcpDoc* doc = GetDocument();
    const CCycle& g = *doc->m_pCycle;
    std::vector<QPoint> at(static_cast<std::size_t>(m_nNodes) + 1);
    for (int v = 1; v <= m_nNodes; ++v) {
        const app::Point p = NodePosition(r, v);
        at[v] = QPoint(p.x, p.y);
    }
    painter->save();
    painter->setPen(m_edgePen);
    std::vector<QLine> lines;
    for (int i = 1; i < m_nNodes; ++i) {
        for (int j = i + 1; j <= m_nNodes; ++j)
            if (g.GetEdge(static_cast<short>(i), static_cast<short>(j)))
                lines.emplace_back(at[i], at[j]);
        // Draw in batches: a dense graph of many nodes has millions of edges.
        if (lines.size() >= 4096) {
            painter->drawLines(lines.data(), static_cast<int>(lines.size()));
            lines.clear();
        }
    }
    if (!lines.empty())
        painter->drawLines(lines.data(), static_cast<int>(lines.size()));
    painter->restore();
}

void CHcpView::DrawCycle(QPainter* painter, const app::Box& r)
{
    const CHcpDoc* doc = GetDocument();
    const CCycle& g = *doc->m_pCycle;
    const std::list<short>& path = g.m_path;
    const QPen bluePen(QColor(0x00, 0x00, 0xFF), 0);
    painter->save();
    painter->setPen(bluePen);
    for (auto it = path.begin(); it != path.end(); ++it) {
        auto next = std::next(it);
        const short a = *it;
        const short b = next == path.end() ? path.front() : *next;
        // An order holds only nodes 1..N; anything else has no position.
        if (a < 1 || a > m_nNodes || b < 1 || b > m_nNodes)
            continue;
        const app::Point pa = NodePosition(r, a);
        const app::Point pb = NodePosition(r, b);
        const bool gap = !g.GetEdge(a, b);
        if (gap)
            painter->setPen(m_gapPen);
        painter->drawLine(pa.x, pa.y, pb.x, pb.y);
        if (gap)
            painter->setPen(bluePen);
    }
    painter->restore();
}

void CHcpView::DrawNodes(QPainter* painter, const app::Box& r, CPrintInfo* info)
{
    const QFont& font = info ? m_printFont : m_labelFont;
    painter->save();
    painter->setFont(font);
    painter->setPen(QPen(Qt::black, 0));
    painter->setBrush(m_whiteBrush);
    const QFontMetrics fm(font, painter->device());
    const int radius = info ? m_nPrintRadius : m_nRadius;
    for (int v = 1; v <= m_nNodes; ++v) {
        const app::Point p = NodePosition(r, v);
        if (!m_bShowLabels) {
            painter->drawEllipse(QPoint(p.x, p.y), 3, 3);
            continue;
        }
        const QString label = QString::number(v);
        const int h = fm.height();
        const int w = fm.horizontalAdvance(label);
        painter->drawEllipse(QPoint(p.x, p.y), radius, radius);
        painter->drawText(QRect(p.x - w, p.y - h / 2 - 1, 2 * w, h), Qt::AlignHCenter | Qt::AlignTop,
                          label);
    }
    painter->restore();
}

void CHcpView::OnBeginPrinting(QPainter*, CPrintInfo* info)
{
    // The picture is always one page.
    info->SetMinPage(1);
    info->SetMaxPage(1);
}

void CHcpView::OnPrint(QPainter* painter, CPrintInfo* info)
{
    const QRect& d = info->m_rectDraw;
    const app::PrintLayout layout =
        app::PrintRects(app::Box{d.left(), d.top(), d.left() + d.width(), d.top() + d.height()});
    info->m_rectDraw = QRect(layout.draw.left, layout.draw.top, layout.draw.Width(), layout.draw.Height());
    m_rcPrint = layout.graph;
    const QFontMetrics fm(m_printMeasureFont, painter->device());
    m_nPrintRadius = app::LabelRadius(fm.horizontalAdvance(QString::number(m_nNodes)), fm.height(), 10);
    Draw(painter, info);
}

void CHcpView::OnViewEdges()
{
    m_bShowEdges = !m_bShowEdges;
    update();
}

void CHcpView::OnViewLabels()
{
    m_bShowLabels = !m_bShowLabels;
    update();
}

void CHcpView::OnDeleteNode()
{
    if (m_nSelected == -1 || !GetDocument())
        return;
    GetDocument()->RemoveNodeEdges(static_cast<short>(m_nSelected));
    m_nSelected = -1;
    update();
}

void CHcpView::OnRearrangeCycle()
{
    CHcpDoc* doc = GetDocument();
    if (!doc)
        return;
    CRearrangeDlg dlg(this);
    if (dlg.DoModal() == IDOK)
        doc->RearrangeCycle(dlg.m_strCycle, m_nNodes);
}

void CHcpView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool searching = GetDocument() && GetDocument()->IsSearching();
    if (event->button() == Qt::LeftButton) {
        m_nSelected = HitTest(pos.x(), pos.y());
        if (m_nSelected != -1 && !searching) {
            m_bDragging = true;
            setCursor(m_dragCursor);
        }
    } else if (event->button() == Qt::RightButton) {
        m_nSelected = HitTest(pos.x(), pos.y());
        if (m_nSelected != -1)
            TrackContextMenu(mapToGlobal(pos));
    }
    CView::mousePressEvent(event);
}

void CHcpView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bDragging) {
        const QPoint pos = event->position().toPoint();
        if (app::DropAccepted(width(), height(), m_nMargin, pos.x(), pos.y()) && GetDocument())
            GetDocument()->MoveNode(static_cast<short>(m_nSelected), m_rcGraph, pos.x(), pos.y());
        m_nSelected = -1;
        update();
        unsetCursor();
        m_bDragging = false;
    }
    CView::mouseReleaseEvent(event);
}

void CHcpView::keyPressEvent(QKeyEvent* event)
{
    CHcpDoc* doc = GetDocument();
    if (event->key() == Qt::Key_Escape && doc && doc->IsSearching()) {
        doc->CancelSearch();
        return;
    }
    // Reached when no menu accelerator took the key first.
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        app::RouteCommand({this}, ID_FIND_CYCLE);
        return;
    }
    CView::keyPressEvent(event);
}

void CHcpView::TrackContextMenu(const QPoint& globalPos)
{
    QMenu popup(QStringLiteral("Graph"), this);
    QAction* deleteNode = popup.addAction(QStringLiteral("&Delete node"));
    app::SetCommandId(deleteNode, ID_DELETE_NODE);
    app::ApplyCommandUI(app::UpdateCommand({this}, ID_DELETE_NODE), deleteNode);
    deleteNode->setStatusTip(app::CommandPrompt(ID_DELETE_NODE));
    if (QAction* chosen = app::ExecPopupMenu(&popup, globalPos))
        app::RouteCommand({this}, app::CommandId(chosen));
}
