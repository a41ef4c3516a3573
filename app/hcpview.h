// CHcpView: the graph tab. Draws the document's nodes at their positions,
// the edges in light grey (faded on large graphs), the cycle above them in
// thick blue with its gaps in red, the node numbers in circles where they are
// readable and the cycle text as a title; lets the user zoom (wheel, + and
// -), pan (drag the background), find a node, drag nodes, remove a node's
// edges, toggle edges and labels, rearrange the cycle and print the picture
// on one page. The edges are painted once into a cached layer, so a repaint
// costs the cycle and the nodes only.
#pragma once

#include <QBrush>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPointF>
#include <vector>

#include "framework/view.h"
#include "graphlayoutkind.h"
#include "graphpainter.h"
#include "viewgeometry.h"
#include "viewport.h"

class CHcpDoc;
class QMenu;

class CHcpView : public CView {
    Q_OBJECT
public:
    explicit CHcpView(QWidget* parent = nullptr);

    CHcpDoc* GetDocument() const;

    // Framework overrides.
    void OnInitialUpdate() override;
    void OnDraw(QPainter* painter) override;
    void OnBeginPrinting(QPainter* painter, CPrintInfo* info) override;
    void OnPrint(QPainter* painter, CPrintInfo* info) override;

    // Draws the picture on screen (info null) or on the printed page.
    virtual void Draw(QPainter* painter, CPrintInfo* info);

    // Commands.
    void OnViewEdges();
    void OnViewLabels();
    void OnDeleteNode();
    void OnRearrangeCycle();
    void OnFindNode();
    void OnLayout(app::LayoutKind kind);
    void OnCopy();

    // Zoom and pan.
    app::Viewport& GetViewport() { return m_viewport; }
    void ZoomBy(double factor);
    void ZoomToFit();
    // Centres node v (1..N), enlarges until labels are readable and marks
    // it; false when there is no such node.
    bool ShowNode(int v);
    int MarkedNode() const { return m_nMarked; }
    // Whether node numbers are drawn at the current zoom.
    bool LabelsReadable();
    // Screen positions of the nodes (index 0 unused) at the current zoom.
    std::vector<QPointF> ScreenPositions() const;
    // How long the last screen paint took, in milliseconds.
    double LastPaintMs() const { return m_lastPaintMs; }
    // Drops the cached edge layer (the next paint draws the edges anew).
    void InvalidateLayer() { m_bLayerValid = false; }

    // The node at a client point, or -1.
    int HitTest(int qx, int qy) const;
    // The pixel position of node v (1..N) in r.
    app::Point NodePosition(const app::Box& r, int v) const;

    QSize sizeHint() const override { return QSize(440, 340); }

    // Drawing resources.
    QFont m_labelFont;        // node numbers on screen, screen radius
    QFont m_printMeasureFont; // printed radius
    QFont m_titleFont;        // title on screen
    QFont m_printFont;        // title and node numbers on paper
    QBrush m_whiteBrush;
    QPen m_edgePen;
    QPen m_gapPen;

    // State.
    int m_nNodes = 0;
    int m_nMargin = 20;
    int m_nRadius = 4;
    int m_nPrintRadius = 20;
    bool m_bShowEdges = true;
    bool m_bShowLabels = true;
    app::Box m_rcGraph;
    app::Box m_rcPrint;
    QCursor m_dragCursor;
    int m_nSelected = -1;
    bool m_bDragging = false;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Shows the context menu at a global point (menu 141: "Graph" with
    // "&Delete node").
    virtual void TrackContextMenu(const QPoint& globalPos);

private:
    void DrawTitle(QPainter* painter, CPrintInfo* info);
    void DrawScreen(QPainter* painter);
    void DrawPrinted(QPainter* painter, CPrintInfo* info);
    // Positions usable for drawing: present and sized for N.
    bool HasPositions() const;
    app::PaintStyle ScreenStyle();
    std::uint64_t LayerKey(const app::GraphScene& scene) const;

    app::Viewport m_viewport;
    QImage m_layer;                 // white background and the edges
    std::uint64_t m_layerKey = 0;   // what m_layer shows
    bool m_bLayerValid = false;
    double m_spacing = -1;          // median nearest-node distance at zoom 1
    std::uint64_t m_spacingKey = 0;
    double m_lastPaintMs = 0;
    int m_nMarked = -1;             // the node Find node showed
    bool m_bPanning = false;
    QPoint m_lastMouse;
    QPoint m_dragPos;
};
