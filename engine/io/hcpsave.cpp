#include "io/hcpsave.h"

#include <algorithm>
#include <ostream>

#include "io/atomicfile.h"
#include "io/readerror.h"

namespace hcp {

namespace {

// Arcs by tail, then head, as the rows hold them; fixed arcs as given.
bool WriteDirectedHcp(std::ostream& os, const Graph& g, HcpWriteInfo info)
{
    info.directed = true;
    HcpWriter out(os, info, g.NodeCount());
    for (NodeId u = 0; u < g.NodeCount(); ++u)
        for (NodeId v : g.Neighbors(u)) out.Arc(std::uint64_t{u} + 1, std::uint64_t{v} + 1);
    if (!g.FixedEdges().empty()) {
        out.BeginFixedEdges();
        for (const auto& [u, v] : g.FixedEdges()) out.Arc(std::uint64_t{u} + 1, std::uint64_t{v} + 1);
    }
    return out.Finish();
}

}  // namespace

// Row i is sorted ascending, so its neighbours below i are a prefix that
// is walked backwards: the file's order with nothing held but the writer's
// block.
bool WriteHcp(std::ostream& os, const Graph& g, const HcpWriteInfo& info)
{
    if (g.Directed()) return WriteDirectedHcp(os, g, info);
    HcpWriter out(os, info, g.NodeCount());
    for (NodeId i = g.NodeCount(); i-- > 1;) {
        const auto row = g.Neighbors(i);
        const auto below = std::lower_bound(row.begin(), row.end(), i);
        for (auto j = below; j != row.begin();) {
            --j;
            out.Edge(std::uint64_t{i} + 1, std::uint64_t{*j} + 1);
        }
    }
    if (!g.FixedEdges().empty()) {
        out.BeginFixedEdges();
        for (const auto& [u, v] : g.FixedEdges()) out.Edge(std::uint64_t{v} + 1, std::uint64_t{u} + 1);
    }
    return out.Finish();
}

void SaveHcp(const std::string& path, const Graph& g, const HcpWriteInfo& info)
{
    std::string reason;
    if (WriteFileAtomically(path, [&](std::ostream& os) { return WriteHcp(os, g, info); }, &reason)
        != AtomicWrite::Ok)
        throw FileError("cannot write " + path + ": " + reason);
}

}  // namespace hcp
