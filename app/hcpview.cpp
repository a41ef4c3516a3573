#include "hcpview.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QWheelEvent>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "framework/cmdtarget.h"
#include "framework/messagebox.h"
#include "framework/popupmenu.h"
#include "framework/resstrings.h"
#include "framework/waitcursor.h"
#include "cycletext.h"
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
    auto idle = [this](CCmdUI* ui) { ui->Enable(!(GetDocument() && GetDocument()->IsSearching())); };
    AddCommand(ID_REARRANGE_CYCLE, [this] { OnRearrangeCycle(); }, idle);
    AddCommand(ID_VIEW_ZOOM_IN, [this] { ZoomBy(1.25); });
    AddCommand(ID_VIEW_ZOOM_OUT, [this] { ZoomBy(0.8); });
    AddCommand(ID_VIEW_ZOOM_FIT, [this] { ZoomToFit(); });
    AddCommand(ID_VIEW_FIND_NODE, [this] { OnFindNode(); });
    const std::pair<int, app::LayoutKind> layouts[] = {{ID_LAYOUT_CIRCLE, app::LayoutKind::Circle},
                                                       {ID_LAYOUT_BOARD, app::LayoutKind::Board},
                                                       {ID_LAYOUT_FORCE, app::LayoutKind::Force}};
    for (const auto& [id, kind] : layouts)
        AddCommand(id, [this, kind = kind] { OnLayout(kind); }, [this, kind = kind](CCmdUI* ui) {
            const CHcpDoc* doc = GetDocument();
            ui->Enable(doc && !doc->IsSearching());
            ui->SetCheck(doc && doc->Layout() == kind);
        });
    AddCommand(ID_EDIT_COPY, [this] { OnCopy(); }, [this](CCmdUI* ui) {
        const CHcpDoc* doc = GetDocument();
        ui->Enable(doc && doc->GetNodeCount() >= 2 && doc->Order().size() >= 2);
    });
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
    m_viewport.SetRect(m_rcGraph);
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
    m_viewport.SetRect(m_rcGraph);
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
    if (m_viewport.IsIdentity())
        return app::HitTest(m_rcGraph, m_nRadius, m_nNodes, doc->m_pX.data(), doc->m_pY.data(), qx, qy);
    // Zoomed: the same circles around the zoomed positions.
    for (int v = m_nNodes; v >= 1; --v) {
        const app::PointF p = m_viewport.ToScreen(doc->m_pX[v - 1], doc->m_pY[v - 1]);
        const double dx = p.x - qx, dy = p.y - qy;
        if (dx * dx + dy * dy <= double(m_nRadius) * m_nRadius)
            return v;
    }
    return -1;
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
    GetDocument()->RemoveNodeEdges(m_nSelected);
    m_nSelected = -1;
    update();
}

void CHcpView::OnRearrangeCycle()
{
    CHcpDoc* doc = GetDocument();
    if (!doc)
        return;
    CRearrangeDlg dlg(this);
    dlg.m_strCycle = QString::fromStdString(app::CycleText(doc->Order()));
    const int n = m_nNodes;
    dlg.m_check = [n](const QString& text) {
        const std::string problem = app::CycleTextProblem(text.toStdString(), n);
        return problem.empty() ? QString() : QStringLiteral("Not a cycle: ") + QString::fromStdString(problem) + ".";
    };
    if (dlg.DoModal() != IDOK)
        return;
    // A tour written as a path is read as one: the document asks for a path.
    if (dlg.m_bPathTour && !doc->GetQuestion().IsPath())
        doc->SetQuestion(hcp::Question::Path());
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
            m_dragPos = pos;
            setCursor(m_dragCursor);
        } else if (m_nSelected == -1) {
            // The background: the picture follows the mouse.
            m_bPanning = true;
            m_lastMouse = pos;
        }
    } else if (event->button() == Qt::RightButton) {
        m_nSelected = HitTest(pos.x(), pos.y());
        if (m_nSelected != -1)
            TrackContextMenu(mapToGlobal(pos));
    }
    CView::mousePressEvent(event);
}

void CHcpView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_bDragging) {
        m_dragPos = pos;
        update();
    } else if (m_bPanning && (event->buttons() & Qt::LeftButton)) {
        m_viewport.Pan(pos.x() - m_lastMouse.x(), pos.y() - m_lastMouse.y());
        m_lastMouse = pos;
        update();
    }
    CView::mouseMoveEvent(event);
}

void CHcpView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bDragging) {
        const QPoint pos = event->position().toPoint();
        CHcpDoc* doc = GetDocument();
        if (app::DropAccepted(width(), height(), m_nMargin, pos.x(), pos.y()) && doc) {
            if (m_viewport.IsIdentity()) {
                doc->MoveNode(m_nSelected, m_rcGraph, pos.x(), pos.y());
            } else {
                const app::PointF u = m_viewport.ToUnit(pos.x(), pos.y());
                doc->MoveNodeTo(m_nSelected, static_cast<float>(u.x), static_cast<float>(u.y));
            }
        }
        m_nSelected = -1;
        update();
        unsetCursor();
        m_bDragging = false;
    }
    if (event->button() == Qt::LeftButton)
        m_bPanning = false;
    CView::mouseReleaseEvent(event);
}

void CHcpView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    const QPointF pos = event->position();
    m_viewport.ZoomAt(std::pow(1.25, delta / 120.0), pos.x(), pos.y());
    update();
    event->accept();
}

void CHcpView::ZoomBy(double factor)
{
    m_viewport.ZoomCentre(factor);
    update();
}

void CHcpView::ZoomToFit()
{
    const CHcpDoc* doc = GetDocument();
    if (!HasPositions() || m_nNodes == 0) {
        m_viewport.Reset();
    } else {
        const auto [x0, x1] = std::minmax_element(doc->m_pX.begin(), doc->m_pX.end());
        const auto [y0, y1] = std::minmax_element(doc->m_pY.begin(), doc->m_pY.end());
        // The unit square is the picture as laid out: fitting never shows
        // less than it, so a drawn-out node comes back into view.
        m_viewport.FitUnitBox(std::min(0.0f, *x0), std::min(0.0f, *y0), std::max(1.0f, *x1), std::max(1.0f, *y1));
    }
    update();
}

bool CHcpView::ShowNode(int v)
{
    const CHcpDoc* doc = GetDocument();
    if (!HasPositions() || v < 1 || v > m_nNodes)
        return false;
    // Enlarge until the numbers are readable, then centre the node.
    for (int i = 0; i < 64 && !LabelsReadable() && m_viewport.Zoom() < app::Viewport::kMaxZoom; ++i)
        m_viewport.ZoomCentre(1.25);
    m_viewport.CentreOn(doc->m_pX[v - 1], doc->m_pY[v - 1]);
    m_nMarked = v;
    update();
    return true;
}

void CHcpView::OnFindNode()
{
    if (m_nNodes < 1)
        return;
    bool ok = false;
    const int v = QInputDialog::getInt(this, QStringLiteral("Find node"),
                                       QStringLiteral("Node number (1-%1):").arg(m_nNodes),
                                       m_nMarked >= 1 ? m_nMarked : 1, 1, m_nNodes, 1, &ok);
    if (ok)
        ShowNode(v);
}

void CHcpView::OnLayout(app::LayoutKind kind)
{
    CHcpDoc* doc = GetDocument();
    if (!doc || doc->IsSearching())
        return;
    QString error;
    CWaitCursor wait;
    if (!doc->ApplyLayout(kind, &error)) {
        app::ShowMessage(error, app::MB_OK | app::MB_ICONEXCLAMATION);
        return;
    }
    m_viewport.Reset();
    m_nMarked = -1;
    update();
}

void CHcpView::OnCopy()
{
    CHcpDoc* doc = GetDocument();
    if (!doc || doc->Order().size() < 2)
        return;
    // The whole cycle, as Rearrange cycle reads it back.
    QGuiApplication::clipboard()->setText(QString::fromStdString(app::CycleText(doc->Order())));
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
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(1.25);
        return;
    case Qt::Key_Minus:
        ZoomBy(0.8);
        return;
    case Qt::Key_Home:
    case Qt::Key_0:
        ZoomToFit();
        return;
    default:
        break;
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
