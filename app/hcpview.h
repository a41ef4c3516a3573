// CHcpView: the graph tab. Draws the document's nodes at their positions,
// the edges in light grey, the cycle in blue with its gaps in red, the node
// numbers in circles and the cycle text as a title; lets the user drag
// nodes, remove a node's edges, toggle edges and labels, rearrange the cycle
// and print the picture on one page.
#pragma once

#include <QBrush>
#include <QCursor>
#include <QFont>
#include <QPen>

#include "framework/view.h"
#include "viewgeometry.h"

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
    void keyPressEvent(QKeyEvent* event) override;

    // Shows the context menu at a global point (menu 141: "Graph" with
    // "&Delete node").
    virtual void TrackContextMenu(const QPoint& globalPos);

private:
    void DrawTitle(QPainter* painter, CPrintInfo* info);
    void DrawEdges(QPainter* painter, const app::Box& r);
    void DrawCycle(QPainter* painter, const app::Box& r);
    void DrawNodes(QPainter* painter, const app::Box& r, CPrintInfo* info);
    // Positions usable for drawing: present and sized for N.
    bool HasPositions() const;
};
