// The document's picture: layouts other than the circle, the board of a
// leaper graph, and the scene the views paint.
#include <QFileInfo>

#include "forcelayout.h"
#include "hcpdoc.h"
#include "layout.h"

namespace {

// FNV-1a over the things a scene is built from; a cheap pass over the
// order and the pair count, far cheaper than rebuilding the scene.
struct Fingerprint {
    std::uint64_t h = 1469598103934665603ull;
    void Add(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    }
};

}  // namespace

const app::GraphScene& CHcpDoc::Scene()
{
    Fingerprint f;
    f.Add(reinterpret_cast<std::uintptr_t>(m_pCycle.get()));
    f.Add(static_cast<std::uint64_t>(GetNodeCount()));
    f.Add(m_pCycle->GetEdgeCount());
    f.Add(m_pCycle->m_path.size());
    for (short v : m_pCycle->m_path)
        f.Add(static_cast<std::uint64_t>(static_cast<unsigned short>(v)));
    f.Add(m_ruledOut.size());
    for (const auto& [u, v] : m_ruledOut)
        f.Add((static_cast<std::uint64_t>(u) << 32) | static_cast<std::uint32_t>(v));
    if (f.h != m_sceneKey || m_scene.revision == 0) {
        m_scene = app::BuildScene(*m_pCycle, m_pCycle->m_path, m_ruledOut);
        m_sceneKey = f.h;
    }
    return m_scene;
}

void CHcpDoc::DetectBoard(const QString& path)
{
    m_board.reset();
    const int n = GetNodeCount();
    std::optional<app::BoardShape> shape = app::BoardShapeFromName(QFileInfo(path).fileName().toStdString(), n);
    if (!shape)
        return;
    // The name alone proves nothing: every edge must be one of its moves.
    if (app::EdgesAreLeaperMoves(*shape, Scene().edges))
        m_board = shape;
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
        if (m_pCycle->m_path.size() == static_cast<std::size_t>(n) && n >= 2)
            app::CycleCircleLayout(m_pCycle->m_path, n, m_pX, m_pY);
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
