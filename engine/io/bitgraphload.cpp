// CBitGraph::Load on the engine's strict HCP reader. Defined here, above
// the legacy layer, so that the legacy class reads exactly what every other
// front end reads; the legacy messages stay where the old reader had them:
// "Can't open file X" for a file that cannot be opened, "Can't recognize
// TSPLIB format." for a refused file that does not begin with "NAME", and
// "dimension N is outside 0..32767" for a graph beyond the legacy size. A
// directed file (TYPE : DHCP) is refused, naming its TYPE line.
// The file is read whole into a new store before the graph is touched, so
// a refused file leaves the graph as it was.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <stop_token>
#include <string>
#include <utility>

#include "cycle/cycle.h"
#include "graph/bitgraph.h"
#include "graph/loaderror.h"
#include "io/bytesource.h"
#include "io/hcpparser.h"
#include "io/messagetext.h"

namespace {

constexpr std::uint64_t kLegacyMaxNodes = 32767;

bool Reject(const std::string& message)
{
    hcp::ReportLoadFailure(message, message);
    return false;
}

// Keeps the first bytes of the file for the legacy "NAME" test.
class HeadRecorder : public hcp::ByteSource {
public:
    explicit HeadRecorder(hcp::ByteSource& source) : m_source(source) {}
    std::size_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t got = m_source.Read(buffer, size);
        if (m_head.size() < 4) m_head.append(buffer, std::min<std::size_t>(got, 4 - m_head.size()));
        return got;
    }
    bool StartsWithName() const { return m_head == "NAME"; }

private:
    hcp::ByteSource& m_source;
    std::string m_head;
};

}  // namespace

bool CBitGraph::Load(const char* path)
{
    hcp::ClearLoadError();
    const std::string name = path ? path : "";
    const std::string shown = hcp::EscapeControls(name);
    hcp::ReadOptions options;
    options.maxDimension = kLegacyMaxNodes;

    hcp::HcpContent content;
    {
        std::unique_ptr<hcp::FileSource> file;
        try {
            file = std::make_unique<hcp::FileSource>(name, shown, std::stop_token{});
        } catch (const hcp::FileError&) {
            return Reject("Can't open file " + shown);
        }
        HeadRecorder source(*file);
        try {
            content = hcp::ParseHcp(source, name, options);
        } catch (const hcp::FormatError& e) {
            if (!source.StartsWithName()) {
                hcp::ReportLoadFailure(e.what(), "Can't recognize TSPLIB format.");
                return false;
            }
            return Reject(e.what());
        } catch (const hcp::FileError& e) {
            return Reject(e.what());
        } catch (const std::bad_alloc&) {
            return Reject(shown + ": not enough memory to read the file");
        }
        // A bit graph has no arcs: reading a directed file as undirected
        // would answer a question nobody asked.
        if (content.directed) {
            const std::string why = shown + ":" + std::to_string(content.typeLine)
                                  + ": TYPE DHCP is a directed graph; this graph holds undirected graphs only";
            if (!source.StartsWithName()) {
                hcp::ReportLoadFailure(why, "Can't recognize TSPLIB format.");
                return false;
            }
            return Reject(why);
        }
    }

    const long n = static_cast<long>(content.dimension);
    const std::string dimensionAt = shown + ":" + std::to_string(content.dimensionLine) + ": ";
    const std::uint64_t pairs = n < 2 ? 0 : static_cast<std::uint64_t>(n) * (n - 1) / 2;
    CBitVec store(static_cast<std::uint32_t>(pairs), true);
    if (store.m_nBits != pairs) return Reject(dimensionAt + "not enough memory for " + std::to_string(n) + " nodes");
    auto joined = [&](hcp::Edge e) {
        const std::uint64_t a = e.first + 1;
        const std::uint64_t b = e.second + 1;
        return (a - 1) * (2 * n - a) / 2 + (b - a - 1);
    };
    for (const hcp::Edge& e : content.edges) {
        const std::uint64_t p = joined(e);
        store.m_pData[p >> 3] &= static_cast<BYTE>(~(1u << (p & 7u)));
    }
    for (std::size_t k = 0; k < content.fixedEdges.size(); ++k) {
        const std::uint64_t p = joined(content.fixedEdges[k]);
        if (store.m_pData[p >> 3] & (1u << (p & 7u)))
            return Reject(hcp::FixedEdgeNotInGraph(name, content.fixedLines[k], content.fixedEdges[k]));
    }

    // Commit: size the object through its own SetDim (a derived class sizes
    // its bookkeeping too), then put the edges in place.
    SetDim(static_cast<short>(n));
    if (m_nDim != n || m_Bits.m_nBits != pairs)
        return Reject(dimensionAt + "not enough memory for " + std::to_string(n) + " nodes");
    std::swap(m_Bits.m_pData, store.m_pData);
    CalcDeg();
    // A cycle's order must name the new graph's nodes: an order of another
    // size would walk nodes the graph does not have. One that still fits
    // (same size) is kept, as before.
    if (auto* cycle = dynamic_cast<CCycle*>(this); cycle != nullptr && !cycle->IsPermutation(cycle->m_path)) {
        cycle->m_path.clear();
        for (long v = 1; v <= n; ++v) cycle->m_path.push_back(static_cast<short>(v));
        cycle->m_usedMoves.clear();
        cycle->m_usedMoves2.clear();
    }
    return true;
}
