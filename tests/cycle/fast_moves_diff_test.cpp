// Each move of the fast search against its twin on the node list: from
// random orders, random current links and random earlier marks and
// records, both must give the same answer and leave the same order (read
// from the front), the same current link, the same marks and the same
// number of move records.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cycle/cycle.h"
#include "cycle/fastsearch.h"
#include "cycle/searchimpl.h"
#include "cycle_test_util.h"
#include "search_test_graphs.h"

namespace {

using Mode = hcp::FastSearch::Mode;

enum MoveKind {
    kRelocateEnd, kInsertNode, kReverseToLink, kCloseGapForward, kCloseGapBackward, kShiftGap,
    kRelocateNode, kMoveKinds
};

const char* const kMoveNames[] = {"RelocateEnd", "InsertNode", "ReverseToLink", "CloseGapForward",
                                  "CloseGapBackward", "ShiftGap", "RelocateNode"};

std::vector<short> FastOrder(const hcp::FastSearch& fs)
{
    std::vector<short> v;
    for (int i = 0; i < fs.Path().Size(); ++i) v.push_back(fs.Path().At(i));
    return v;
}

bool ListMove(CCycle& c, MoveKind kind, CCycle::Position& a, CCycle::Position& b, bool z)
{
    switch (kind) {
    case kRelocateEnd: return c.RelocateEnd(a, b, z);
    case kInsertNode: return c.InsertNode(a, b, z);
    case kReverseToLink: return c.ReverseToLink(a, b, z);
    case kCloseGapForward: return c.CloseGapForward(a, b, z);
    case kCloseGapBackward: return c.CloseGapBackward(a, b, z);
    case kShiftGap: return c.ShiftGap(a, b, z);
    case kRelocateNode: return c.RelocateNode(a, z);
    default: return false;
    }
}

bool FastMove(hcp::FastSearch& fs, MoveKind kind, short& a, short& b, bool z)
{
    switch (kind) {
    case kRelocateEnd: return fs.RelocateEnd(a, b, z);
    case kInsertNode: return fs.InsertNode(a, b, z);
    case kReverseToLink: return fs.ReverseToLink(a, b, z);
    case kCloseGapForward: return fs.CloseGapForward(a, b, z);
    case kCloseGapBackward: return fs.CloseGapBackward(a, b, z);
    case kShiftGap: return fs.ShiftGap(a, b, z);
    case kRelocateNode: return fs.RelocateNode(a, z);
    default: return false;
    }
}

void ExpectSameMarks(CCycle& c, const hcp::FastSearch& fs, const std::string& where)
{
    for (short u = 1; u <= c.m_nDim; ++u)
        for (short v = static_cast<short>(u + 1); v <= c.m_nDim; ++v)
            ASSERT_EQ(fs.IsMarked(u, v), hcp::IsMarked(c, u, v)) << u << "-" << v << " " << where;
}

// Runs `steps` random moves on both sides of one graph, checking after
// each. Links are mostly gaps (as in the search) and sometimes edges; the
// marks and records carry over between moves and are now and then reset,
// and a few random pairs are marked on both sides.
void CheckMoves(CCycle c, unsigned seed, Mode mode, int steps, std::vector<short> order = {},
                bool spillMarks = false)
{
    const int n = c.m_nDim;
    std::mt19937 gen(seed);
    c.CalcDeg();
    if (order.empty()) {
        order = cycletest::Identity(n);
        std::shuffle(order.begin(), order.end(), gen);
    }
    cycletest::SetOrder(c, order);
    hcp::ResetSearchMemory(c);

    hcp::FastSearch fs;
    ASSERT_TRUE(fs.Load(c, mode));
    // A mark store that takes the marks over at once.
    CBitGraph markStore(static_cast<short>(n));
    markStore = true;
    if (spillMarks) fs.SetMarkStore(&markStore, 0);
    ASSERT_EQ(fs.Gaps(), c.CalcPathLen());
    std::uniform_int_distribution<int> node(1, n);

    for (int step = 0; step < steps; ++step) {
        // Choose the current link: a random gap when there is one.
        short va = static_cast<short>(node(gen));
        if (gen() % 8 != 0) {
            for (int tries = 0; tries < 4 * n && !fs.Gap(va, fs.Path().Next(va)); ++tries)
                va = static_cast<short>(node(gen));
        }
        if (gen() % 16 == 0) {
            hcp::ResetSearchMemory(c);
            fs.ResetMemory();
        }
        for (int k = static_cast<int>(gen() % 3); k > 0; --k) {
            const short u = static_cast<short>(node(gen)), v = static_cast<short>(node(gen));
            if (u == v) continue;
            hcp::Mark(c, u, v);
            fs.Mark(u, v);
            ASSERT_EQ(fs.MarksSpilled(), spillMarks);
        }
        const MoveKind kind = static_cast<MoveKind>(gen() % kMoveKinds);
        const bool z = gen() % 2 == 0;

        CCycle::Position a = c.Find(va);
        CCycle::Position b = c.Next(a);
        short fa = va, fb = *b;
        const bool listResult = ListMove(c, kind, a, b, z);
        const bool fastResult = FastMove(fs, kind, fa, fb, z);

        const std::string where = std::string(kMoveNames[kind]) + (z ? "(z)" : "") + " seed "
            + std::to_string(seed) + " step " + std::to_string(step);
        ASSERT_EQ(listResult, fastResult) << where;
        ASSERT_EQ(FastOrder(fs), cycletest::Order(c)) << where;
        ASSERT_EQ(fa, *a) << where;
        if (kind != kRelocateNode) {
            ASSERT_EQ(fb, *b) << where;
        }
        ASSERT_EQ(fs.Gaps(), c.CalcPathLen()) << where;
        ASSERT_EQ(fs.UsedMoveCount(), c.m_usedMoves.size()) << where;
        ASSERT_EQ(fs.UsedMove2Count(), c.m_usedMoves2.size()) << where;
        if (kind == kShiftGap || step + 1 == steps) ExpectSameMarks(c, fs, where);
    }
}

class FastMovesDiff : public ::testing::TestWithParam<Mode> {};

TEST_P(FastMovesDiff, RandomGraphsOfSeveralDensities)
{
    unsigned seed = 1;
    for (short n : {4, 5, 6, 9, 16, 31, 60})
        for (double p : {0.08, 0.2, 0.45, 0.8})
            for (int round = 0; round < 3; ++round, ++seed)
                CheckMoves(searchtest::Random(n, p, seed * 7919u), seed, GetParam(), 120);
}

TEST_P(FastMovesDiff, SparseGraphsWithMinimumDegreeTwo)
{
    for (unsigned seed = 1; seed <= 12; ++seed)
        CheckMoves(searchtest::RandomMinDegreeTwo(static_cast<short>(20 + 9 * seed), 20, seed), seed,
                   GetParam(), 200);
}

TEST_P(FastMovesDiff, KnightAndPetersenGraphs)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        CheckMoves(searchtest::Knight(4, 4), seed, GetParam(), 200);
        CheckMoves(searchtest::Knight(5, 6), seed, GetParam(), 200);
        CheckMoves(searchtest::Petersen(), seed, GetParam(), 200);
    }
}

// A graph of isolated nodes and pendant nodes exercises the degree test of
// ReverseToLink and links that no move can improve.
TEST_P(FastMovesDiff, LowDegreeNodes)
{
    for (unsigned seed = 1; seed <= 8; ++seed) {
        CCycle c = searchtest::Random(24, 0.1, seed);
        for (short v = 1; v <= 24; v += 5) c.DeleteNode(v);
        CheckMoves(c, seed, GetParam(), 150);
    }
}

// Orders with few gaps, as late in a search: a cycle hidden in a sparse
// random graph, its order cut and turned in a few places.
TEST_P(FastMovesDiff, OrdersWithFewGaps)
{
    for (unsigned seed = 1; seed <= 10; ++seed) {
        const short n = static_cast<short>(60 + 15 * seed);
        CCycle c = searchtest::Random(n, 3.0 / n, seed);
        std::mt19937 gen(seed);
        std::vector<short> cycle = cycletest::Identity(n);
        std::shuffle(cycle.begin(), cycle.end(), gen);
        for (int i = 0; i < n; ++i) c.SetEdge(cycle[i], cycle[(i + 1) % n]);
        for (int cut = 0; cut < 3; ++cut) {
            const int i = static_cast<int>(gen() % n), j = static_cast<int>(gen() % n);
            std::reverse(cycle.begin() + std::min(i, j), cycle.begin() + std::max(i, j));
        }
        CheckMoves(c, seed, GetParam(), 150, cycle);
        CheckMoves(c, seed + 100, GetParam(), 150, cycle, true);
    }
}

TEST_P(FastMovesDiff, MarksKeptInTheBitMatrix)
{
    for (unsigned seed = 1; seed <= 6; ++seed)
        CheckMoves(searchtest::Random(static_cast<short>(12 + 6 * seed), 0.2, seed), seed, GetParam(), 150,
                   {}, true);
}

INSTANTIATE_TEST_SUITE_P(Modes, FastMovesDiff, ::testing::Values(Mode::Scan, Mode::Neighbours),
                         [](const auto& info) {
                             return std::string(info.param == Mode::Scan ? "Scan" : "Neighbours");
                         });

}  // namespace
