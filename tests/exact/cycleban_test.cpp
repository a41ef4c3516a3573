// Cycle bans against every cover of small graphs: with a ban through an
// edge of a node set, each model's solutions are exactly the covers with
// no cycle inside the set through that edge, found by enumerating edge
// sets; the rank model keeps every Hamiltonian cycle. A ban that forbade
// one cover too many would cost a Hamiltonian cycle, one too few would
// leave the cut loop its family.
#include <gtest/gtest.h>

#include <cadical.hpp>

#include <algorithm>
#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <vector>

#include "common/graphfamilies.h"
#include "exact/allcovers.h"
#include "core/cyclecheck.h"
#include "exact/coverencoding.h"
#include "exact/fhcpgraphs.h"
#include "exact/satsearch.h"
#include "exact/workgraph.h"
#include "io/graphfile.h"

using hcp::Graph;
using hcp::NodeId;
using hcp::SatModel;
using hcp::WorkGraph;
using covertest::AllCovers;
using covertest::CyclesOf;
using covertest::EdgeSet;
using covertest::Working;

namespace {

// Work enough for the edge model's first ban on graph633 (it comes
// between 30,000 and 60,000).
constexpr std::uint64_t kBanWork = 60'000;

struct Ban {
    std::vector<NodeId> region;
    std::uint32_t through;
};

// Whether the cover has a cycle inside the ban's region that uses its edge.
bool Banned(const WorkGraph& w, const EdgeSet& cover, const Ban& ban)
{
    std::vector<bool> in(w.NodeCount(), false);
    for (NodeId v : ban.region) in[v] = true;
    for (const auto& c : CyclesOf(w, cover)) {
        if (!std::all_of(c.begin(), c.end(), [&](NodeId v) { return in[v]; })) continue;
        for (std::size_t k = 0; k < c.size(); ++k)
            if (w.Find(c[k], c[(k + 1) % c.size()]) == ban.through) return true;
    }
    return false;
}

std::set<EdgeSet> ModelCovers(const WorkGraph& w, SatModel model, const std::vector<Ban>& bans)
{
    return covertest::ModelCovers(w, model, [&](CaDiCaL::Solver& solver, hcp::CoverEncoding& encoding) {
        std::vector<std::uint32_t> mark(w.NodeCount(), 0);
        std::uint32_t stamp = 0;
        for (const Ban& ban : bans) {
            ++stamp;
            for (NodeId v : ban.region) mark[v] = stamp;
            EXPECT_GT(encoding.AddCycleBan(solver, ban.region, mark, stamp, ban.through), 0u);
        }
    });
}

void ExpectExactlyTheAllowedCovers(const Graph& g, const std::vector<Ban>& bans, const std::string& what)
{
    Working work(g);
    ASSERT_TRUE(work.open) << what;
    const WorkGraph& w = work.graph;
    ASSERT_LE(w.EdgeCount(), 26u) << what;
    std::set<EdgeSet> allowed, hamiltonian;
    std::size_t banned = 0;
    for (const EdgeSet& c : AllCovers(w)) {
        if (CyclesOf(w, c).size() == 1) hamiltonian.insert(c);
        if (std::none_of(bans.begin(), bans.end(), [&](const Ban& b) { return Banned(w, c, b); }))
            allowed.insert(c);
        else
            ++banned;
    }
    EXPECT_EQ(ModelCovers(w, SatModel::Edges, bans), allowed) << what << ": edge model, " << banned << " banned";
    EXPECT_EQ(ModelCovers(w, SatModel::Arcs, bans), allowed) << what << ": arc model, " << banned << " banned";
    EXPECT_EQ(ModelCovers(w, SatModel::Ranks, bans), hamiltonian) << what << ": rank model";
}

// A ban on a random proper subset of 3 to n - 1 nodes through a random edge
// inside it, or none when no edge has both ends there.
std::vector<Ban> RandomBans(const WorkGraph& w, int count, std::mt19937_64& rng)
{
    std::vector<Ban> bans;
    for (auto& region : covertest::RandomSets(w.NodeCount(), count, rng, 3, w.NodeCount() - 1)) {
        std::vector<bool> in(w.NodeCount(), false);
        for (NodeId v : region) in[v] = true;
        std::vector<std::uint32_t> inside;
        for (std::uint32_t e = 0; e < w.EdgeCount(); ++e)
            if (in[w.EdgeAt(e).first] && in[w.EdgeAt(e).second]) inside.push_back(e);
        if (!inside.empty()) bans.push_back({std::move(region), inside[rng() % inside.size()]});
    }
    return bans;
}

}  // namespace

TEST(CycleBan, EachModelAdmitsExactlyTheCoversWithoutABannedCycle)
{
    std::mt19937_64 rng(5);
    int tried = 0;
    covertest::ForRandomCubic([&](std::uint64_t seed, const Graph& g, const WorkGraph& w) {
        for (const Ban& ban : RandomBans(w, 4, rng)) {
            ExpectExactlyTheAllowedCovers(g, {ban}, "random cubic graph, seed " + std::to_string(seed));
            ++tried;
        }
        // Several bans on one solver, each with its own bits.
        ExpectExactlyTheAllowedCovers(g, RandomBans(w, 3, rng), "three bans at once");
    });
    EXPECT_GT(tried, 20);
}

TEST(CycleBan, PetersenPentagonsThroughTheBannedEdgeAreForbidden)
{
    // Every cover of the Petersen graph is two 5-cycles. A ban on the outer
    // rim through one of its edges forbids the one cover using the rim; on
    // all but node 9 through the rim edge 0-1 it forbids every cover whose
    // pentagon through 0-1 misses node 9 (a pentagon that holds 9 lies
    // outside the set), and through a spoke likewise.
    const Graph g = testgraphs::Petersen();
    Working probe(g);
    ASSERT_TRUE(probe.open);
    const WorkGraph& w = probe.graph;
    const std::uint32_t rim = w.Find(0, 1), spoke = w.Find(0, 5);
    ASSERT_NE(rim, WorkGraph::kNoEdge);
    ASSERT_NE(spoke, WorkGraph::kNoEdge);
    ExpectExactlyTheAllowedCovers(g, {{{0, 1, 2, 3, 4}, rim}}, "outer rim");
    ExpectExactlyTheAllowedCovers(g, {{{0, 1, 2, 3, 4, 5, 6, 7, 8}, rim}}, "all but one node, rim edge");
    ExpectExactlyTheAllowedCovers(g, {{{0, 1, 2, 3, 4, 5, 6, 7, 8}, spoke}}, "all but one node, spoke");
}

TEST(CycleBan, AnEdgeWithAnEndOutsideTheRegionIsRefused)
{
    // Its end would have no bit, and the ban would state an empty clause:
    // every cover gone, a Hamiltonian graph reported without a cycle.
    const Graph g = testgraphs::Petersen();
    Working probe(g);
    ASSERT_TRUE(probe.open);
    const WorkGraph& w = probe.graph;
    const std::vector<NodeId> rim = {0, 1, 2, 3, 4};
    std::vector<std::uint32_t> mark(w.NodeCount(), 0);
    for (NodeId v : rim) mark[v] = 1;
    for (SatModel model : {SatModel::Edges, SatModel::Arcs, SatModel::Ranks}) {
        CaDiCaL::Solver solver;
        auto encoding = hcp::MakeCoverEncoding(model, w);
        std::stop_source never;
        ASSERT_TRUE(encoding->Encode(solver, never.get_token()));
        EXPECT_THROW(encoding->AddCycleBan(solver, rim, mark, 1, w.Find(0, 5)), std::logic_error);
        EXPECT_THROW(encoding->AddCycleBan(solver, rim, mark, 1, w.Find(5, 7)), std::logic_error);
        // Covers of two pentagons are left, and no Hamiltonian cycle for the rank model.
        EXPECT_EQ(solver.solve(), model == SatModel::Ranks ? 20 : 10) << "the refused ban left clauses behind";
    }
}

TEST(CycleBan, BansAreSoundOnHamiltonianGraphsOfDegreeFour)
{
    // Denser graphs, where the reached bit has more ways in at each node.
    std::mt19937_64 rng(13);
    covertest::ForRandomDense([&](const Graph& g, const WorkGraph& w) {
        for (const Ban& ban : RandomBans(w, 3, rng)) ExpectExactlyTheAllowedCovers(g, {ban}, "random graph");
    });
}

TEST(CycleBan, TheSearchBansAFamilyThroughItsSharedEdgeAndStaysSound)
{
    // An FHCP graph of 3,596 nodes, Hamiltonian, on which the edge model's
    // first family of cheap covers, after some 30,000 to 60,000 units of
    // work, all run through one edge: the search bans cycles through it and
    // never calls the graph non-Hamiltonian.
    const std::string path = fhcptest::FhcpPath("graph633.hcp");
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no benchmark set at " << path;
    const Graph g = hcp::ReadGraph(path);
    WorkGraph w;
    ASSERT_NO_FATAL_FAILURE(fhcptest::BuildWorking(g, w));
    std::ostringstream log;
    hcp::SolveOptions o;
    o.log = &log;
    const hcp::SolveResult r = hcp::RunSatSearch(w, o, SatModel::Edges, kBanWork);
    ASSERT_NE(r.verdict, hcp::Verdict::NoCycle) << r.reason;
    if (r.verdict == hcp::Verdict::Hamiltonian) {
        EXPECT_TRUE(hcp::CheckCycle(g, r.order).hamiltonian);
    }
    EXPECT_TRUE(std::regex_search(log.str(), std::regex("edges cycle ban through [0-9]+-[0-9]+ on [0-9]+ nodes")))
        << log.str();
}
