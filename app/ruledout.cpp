#include "ruledout.h"

#include "core/graph.h"
#include "graph/bitgraph.h"

namespace app {

std::vector<std::pair<int, int>> ReductionRuledOut(const CBitGraph& g)
{
    std::vector<std::pair<int, int>> cut;
    if (g.m_nDim < 3)
        return cut;
    CBitGraph reduced(g);
    reduced.CalcDeg();
    if (reduced.GetMinDeg() != 2)
        return cut;
    while (reduced.AnalyzeDegree() > 0) {
    }
    const hcp::Graph before = hcp::Graph::FromBitGraph(g);
    for (const hcp::Edge& e : before.Edges())
        if (!reduced.GetEdge(static_cast<short>(e.first + 1), static_cast<short>(e.second + 1)))
            cut.emplace_back(static_cast<int>(e.first) + 1, static_cast<int>(e.second) + 1);
    return cut;
}

}  // namespace app
