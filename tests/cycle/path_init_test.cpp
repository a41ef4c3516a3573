// Starting orders: Init (identity or shuffle), PathInit (greedy walk), the
// per-thread shuffle generator and the reseeding from the seeding clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stop_token>
#include <random>
#include <thread>
#include <vector>

#include "cycle/cycle.h"
#include "cycle/msrand.h"
#include "cycle_test_util.h"
#include "graph/randsrc.h"
#include "graph/seedclock.h"

using cycletest::Identity;
using cycletest::Order;
using cycletest::WithEdges;

namespace {

using V = std::vector<short>;

// Fixes the seeding clock of this thread for the lifetime of the object.
class FixedClock {
public:
    explicit FixedClock(std::uint32_t v) { hcp::SetFixedSeedClock(v); }
    ~FixedClock() { hcp::ClearFixedSeedClock(); }
};

bool IsPermutationOf(V order, int n)
{
    std::sort(order.begin(), order.end());
    return order == Identity(n);
}

void FillMoveSets(CCycle& c)
{
    c.m_usedMoves.insert(GMove(1, 2, 3, 4, 5));
    c.m_usedMoves.insert(GMove(2, 2, 3, 4, 5));
    c.m_usedMoves2.insert(GMove2(1, 2, 3, 4));
}

// --- the shuffle generator ---------------------------------------------

TEST(ShuffleGenerator, KnownSequences)
{
    hcp::MsSrand(1);
    EXPECT_EQ(hcp::MsRand(), 41);
    EXPECT_EQ(hcp::MsRand(), 18467);
    EXPECT_EQ(hcp::MsRand(), 6334);
    EXPECT_EQ(hcp::MsRand(), 26500);
    hcp::MsSrand(0);
    EXPECT_EQ(hcp::MsRand(), 38);
    EXPECT_EQ(hcp::MsRand(), 7719);
    // The state wraps modulo 2^32.
    hcp::MsSrand(4294967295u);
    EXPECT_EQ(hcp::MsRand(), 35);
    EXPECT_EQ(hcp::MsRand(), 29739);
}

TEST(ShuffleGenerator, StateIsPerThreadAndStartsAtOne)
{
    hcp::MsSrand(0);
    int first = -1;
    std::thread t([&] { first = hcp::MsRand(); });
    t.join();
    EXPECT_EQ(first, 41);               // a new thread starts as after MsSrand(1)
    EXPECT_EQ(hcp::MsRand(), 38);       // this thread's state was not touched
}

TEST(ShuffleGenerator, ProcessRandIsLeftAlone)
{
    std::srand(7);
    const int expected = std::rand();
    std::srand(7);
    CCycle c(50);
    c.Init(true);
    EXPECT_EQ(std::rand(), expected);
}

// --- Init ---------------------------------------------------------------

TEST(Init, IdentityOnAnyGraph)
{
    CCycle c = WithEdges(5, {{2, 4}});
    cycletest::SetOrder(c, {5, 4, 3, 2, 1});
    FillMoveSets(c);
    c.Init(false);
    EXPECT_EQ(Order(c), Identity(5));
    EXPECT_TRUE(c.m_usedMoves.empty());
    EXPECT_TRUE(c.m_usedMoves2.empty());
    EXPECT_EQ(c.GetEdgeCount(), 1u);
    EXPECT_TRUE(c.GetEdge(2, 4));
}

TEST(Init, ShuffleIsAPermutation)
{
    for (std::uint32_t seed : {0u, 1u, 77u, 123456u}) {
        FixedClock clock(seed);
        for (short n : {1, 2, 3, 10, 257}) {
            CCycle c(n);
            FillMoveSets(c);
            c.Init(true);
            EXPECT_TRUE(IsPermutationOf(Order(c), n)) << "n=" << n << " seed " << seed;
            EXPECT_TRUE(c.m_usedMoves.empty());
            EXPECT_TRUE(c.m_usedMoves2.empty());
        }
    }
}

TEST(Init, TwoNodesAlwaysComeOutInOrder)
{
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        FixedClock clock(seed);
        CCycle c(2);
        c.Init(true);
        EXPECT_EQ(Order(c), (V{1, 2})) << "seed " << seed;
    }
}

// With three nodes the second draw decides: 41, 18467 after seed 1 (odd)
// and 45, 29216 after seed 2 (even).
TEST(Init, ThreeNodesFollowTheParityOfTheSecondDraw)
{
    CCycle c(3);
    {
        FixedClock clock(1);
        c.Init(true);
        EXPECT_EQ(Order(c), (V{1, 3, 2}));
    }
    {
        FixedClock clock(2);
        c.Init(true);
        EXPECT_EQ(Order(c), (V{2, 1, 3}));
    }
}

// Seed 1 gives the draws 41, 18467, 6334: partners 0, 1, 1; the array
// 1 2 3 4 becomes 2 4 1 3, which the front insertion reverses.
TEST(Init, FourNodesWorkedExample)
{
    FixedClock clock(1);
    CCycle c(4);
    c.Init(true);
    EXPECT_EQ(Order(c), (V{3, 1, 4, 2}));
}

TEST(Init, ReseedsBothSourcesFromTheClock)
{
    FixedClock clock(4321);
    CCycle c(30);
    c.Init(false);
    const unsigned afterInit = rand_int.get();
    const int shuffleDraw = hcp::MsRand();
    rand_int.set_seed(4321);
    EXPECT_EQ(rand_int.get(), afterInit);
    hcp::MsSrand(4321);
    EXPECT_EQ(hcp::MsRand(), shuffleDraw);
}

TEST(Init, SameClockSameShuffleInParallelThreads)
{
    V orders[2];
    auto run = [&](int k) {
        FixedClock clock(99);
        for (int rep = 0; rep < 20; ++rep) {
            CCycle c(200);
            c.Init(true);
            orders[k] = Order(c);
        }
    };
    std::thread t0(run, 0), t1(run, 1);
    t0.join();
    t1.join();
    EXPECT_EQ(orders[0], orders[1]);
    EXPECT_NE(orders[0], Identity(200));
}

TEST(Init, EmptyGraphGivesEmptyOrder)
{
    CCycle c;
    c.Init(true);
    EXPECT_TRUE(c.m_path.empty());
    c.Init(false);
    EXPECT_TRUE(c.m_path.empty());
}

// --- PathInit -------------------------------------------------------------

TEST(PathInit, FollowsEdgesToTheEnd)
{
    CCycle c = WithEdges(5, {{1, 3}, {3, 2}, {2, 5}, {5, 4}});
    c.PathInit(false);
    EXPECT_EQ(Order(c), (V{1, 3, 2, 5, 4}));
    EXPECT_EQ(c.CalcPathLen(), 1);
}

TEST(PathInit, JumpsToTheFirstCandidateWhenStuck)
{
    CCycle c = WithEdges(5, {{1, 2}, {2, 3}, {4, 5}});
    c.PathInit(false);
    EXPECT_EQ(Order(c), Identity(5));
    EXPECT_EQ(c.CalcPathLen(), 2);
}

TEST(PathInit, CompleteAndEdgelessGiveIdentity)
{
    CCycle c(7);
    cycletest::SetOrder(c, {7, 6, 5, 4, 3, 2, 1});
    c.PathInit(false);
    EXPECT_EQ(Order(c), Identity(7));
    c = true;
    cycletest::SetOrder(c, {7, 6, 5, 4, 3, 2, 1});
    c.PathInit(false);
    EXPECT_EQ(Order(c), Identity(7));
    EXPECT_EQ(c.CalcPathLen(), 7);
}

TEST(PathInit, TieGoesToTheFirstCandidate)
{
    CCycle c = WithEdges(5, {{1, 4}, {1, 2}});
    c.PathInit(false);
    EXPECT_EQ(c.m_path.front(), 1);
    EXPECT_EQ(*std::next(c.m_path.begin()), 2);
}

TEST(PathInit, EmptiesMoveSetsAndKeepsPairBits)
{
    CCycle c = WithEdges(6, {{1, 5}, {5, 2}, {3, 6}});
    const CBitGraph before = *c.GetGraph();
    FillMoveSets(c);
    c.PathInit(false);
    EXPECT_TRUE(c.m_usedMoves.empty());
    EXPECT_TRUE(c.m_usedMoves2.empty());
    EXPECT_TRUE(before == *c.GetGraph());
    EXPECT_EQ(Order(c), (V{1, 5, 2, 3, 6, 4}));
}

TEST(PathInit, WithoutShuffleNothingIsReseeded)
{
    FixedClock clock(5);
    hcp::MsSrand(99);
    const int expected = hcp::MsRand();
    hcp::MsSrand(99);
    CCycle c(20);
    c.PathInit(false);
    EXPECT_EQ(hcp::MsRand(), expected);
}

TEST(PathInit, SmallDimensions)
{
    CCycle one(1);
    one.PathInit(false);
    EXPECT_EQ(Order(one), (V{1}));
    one.PathInit(true);
    EXPECT_EQ(Order(one), (V{1}));
    CCycle none;
    none.PathInit(true);
    EXPECT_TRUE(none.m_path.empty());
}

// Straightforward greedy walk over an ascending candidate vector, used to
// check the walk on random graphs.
V GreedyReference(const CCycle& c)
{
    V cand = Identity(c.GetDim());
    V out{cand.front()};
    cand.erase(cand.begin());
    while (!cand.empty()) {
        auto it = std::find_if(cand.begin(), cand.end(),
                               [&](short x) { return c.GetEdge(out.back(), x); });
        if (it == cand.end()) it = cand.begin();
        out.push_back(*it);
        cand.erase(it);
    }
    return out;
}

TEST(PathInit, MatchesGreedyWalkOnRandomGraphs)
{
    std::mt19937 gen(2024);
    for (short n : {2, 3, 9, 40, 150}) {
        for (int density : {5, 30, 70}) {
            CCycle c(n);
            c = true;
            for (short i = 1; i <= n; ++i)
                for (short j = i + 1; j <= n; ++j)
                    if (static_cast<int>(gen() % 100) < density) c.SetEdge(i, j);
            c.PathInit(false);
            EXPECT_EQ(Order(c), GreedyReference(c)) << "n=" << n << " density " << density;
        }
    }
}

TEST(PathInit, ShuffledWalkIsARepeatablePermutation)
{
    std::mt19937 gen(7);
    CCycle c(120);
    c = true;
    for (short i = 1; i <= 120; ++i)
        for (short j = i + 1; j <= 120; ++j)
            if (gen() % 10 == 0) c.SetEdge(i, j);
    FixedClock clock(31337);
    c.PathInit(true);
    const V first = Order(c);
    EXPECT_TRUE(IsPermutationOf(first, 120));
    c.PathInit(true);
    EXPECT_EQ(Order(c), first);
    // Every jump is forced: the node before it has no neighbour left later.
    for (std::size_t k = 0; k + 1 < first.size(); ++k) {
        if (c.GetEdge(first[k], first[k + 1])) continue;
        for (std::size_t m = k + 1; m < first.size(); ++m)
            EXPECT_FALSE(c.GetEdge(first[k], first[m])) << "at " << k;
    }
}

}  // namespace

// A stop request ends the greedy walk; the nodes not yet reached follow in
// candidate order, so the order is still a permutation. Without a request
// the walk is the same as the plain call's.
TEST(PathInit, StopRequestEndsTheWalkWithAWholeOrder)
{
    std::stop_source source;
    source.request_stop();
    hcp::SearchControl stopped;
    stopped.stop = source.get_token();
    CCycle c = WithEdges(6, {{1, 3}, {3, 5}});
    c.PathInit(false, stopped);
    EXPECT_EQ(Order(c), Identity(6)) << "only the first node is walked to";

    std::mt19937 rng(7);
    for (int round = 0; round < 5; ++round) {
        CCycle g(60);
        g = true;
        for (int k = 0; k < 150; ++k)
            g.SetEdge(static_cast<short>(rng() % 60 + 1), static_cast<short>(rng() % 60 + 1));
        CCycle plain(g), controlled(g);
        FixedClock clock(1000 + round);
        plain.PathInit(true);
        hcp::SetFixedSeedClock(1000 + round);
        controlled.PathInit(true, hcp::SearchControl{});
        EXPECT_EQ(Order(controlled), Order(plain)) << round;
    }
}

// The walk on a large graph with almost no edges makes some 5 * 10^8 edge
// tests; a request from another thread must end it long before that.
TEST(PathInit, StopRequestFromAnotherThreadEndsALongWalk)
{
    CCycle c(32767);
    c = true;
    c.SetEdge(1, 2);
    std::stop_source source;
    hcp::SearchControl ctl;
    ctl.stop = source.get_token();
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        source.request_stop();
    });
    c.PathInit(false, ctl);
    stopper.join();
    std::vector<short> sorted = Order(c);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, Identity(32767));
}
