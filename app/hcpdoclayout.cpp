// The document's picture: layouts other than the circle, the board of a
// leaper graph, and the scene the views paint.
#include <QFileInfo>

#include "forcelayout.h"
#include "hcpdoc.h"
#include "layout.h"

const app::GraphScene& CHcpDoc::Scene()
{
    // The revisions say when the graph or the order changed; the ruled-out
    // edges are few and compared whole.
    if (m_scene.revision == 0 || m_sceneGraph != m_graphRevision || m_sceneOrder != m_orderRevision
        || m_sceneRuledOut != m_ruledOut) {
        m_scene = app::BuildScene(m_graph, m_order, m_ruledOut, m_question.goal);
        m_sceneGraph = m_graphRevision;
        m_sceneOrder = m_orderRevision;
        m_sceneRuledOut = m_ruledOut;
    }
    return m_scene;
}

void CHcpDoc::DetectBoard(const QString& path)
{
    // The graph decides; the file's NAME or name only helps to pick the shape.
    // A leaper's moves go both ways: a directed graph is no board.
    if (m_graph.Directed())
        m_board.reset();
    else
        m_board = app::RecogniseBoard(m_graph, QFileInfo(path).fileName().toStdString());
}

bool CHcpDoc::ApplyLayout(app::LayoutKind kind, QString* error)
{
    const int n = GetNodeCount();
    std::vector<float> x, y;
    switch (kind) {
    case app::LayoutKind::Circle:
        app::InitialCircleLayout(n, x, y);
        m_pX = std::move(x);
        m_pY = std::move(y);
        m_layout = kind;
        m_bPlacedByHand = false;
        // A cycle, when there is one, is laid out in its order.
        if (m_order.size() == static_cast<std::size_t>(n) && n >= 2)
            app::CycleCircleLayout(m_order, n, m_pX, m_pY);
        break;
    case app::LayoutKind::Board:
        app::BoardLayout(m_board ? *m_board : app::GridShape(n), n, x, y);
        m_pX = std::move(x);
        m_pY = std::move(y);
        m_layout = kind;
        m_bPlacedByHand = false;
        break;
    case app::LayoutKind::Force: {
        std::string why;
        std::vector<app::NodePair> all = Scene().edges;
        all.insert(all.end(), Scene().ruledOut.begin(), Scene().ruledOut.end());
        if (!app::ForceLayout(n, all, x, y, &why)) {
            if (error)
                *error = QString::fromStdString(why);
            return false;
        }
        m_pX = std::move(x);
        m_pY = std::move(y);
        m_layout = kind;
        m_bPlacedByHand = false;
        break;
    }
    }
    UpdateAllViews(nullptr, 0, nullptr);
    return true;
}
