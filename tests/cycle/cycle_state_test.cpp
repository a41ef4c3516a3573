// CCycle's state: construction and assignment, the order primitives
// (Next/Prev/Distance/IsBetween/Find/Swap), the gap count, save/restore and
// the permutation check.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "cycle/cycle.h"
#include "cycle_test_util.h"

using cycletest::Identity;
using cycletest::Order;
using cycletest::SetOrder;
using cycletest::WithEdges;

namespace {

using V = std::vector<short>;

// Every pair of a graph is marked (clear bit) in m_triedGaps.
bool AllPairsClear(const CBitGraph& g)
{
    for (short i = 1; i <= g.GetDim(); ++i)
        for (short j = i + 1; j <= g.GetDim(); ++j)
            if (!g.GetEdge(i, j)) return false;
    return true;
}

// --- construction and assignment -------------------------------------

TEST(CycleConstruction, DimensionGivesCompleteGraphAndIdentityOrder)
{
    CCycle c(5);
    EXPECT_EQ(c.GetDim(), 5);
    EXPECT_EQ(Order(c), Identity(5));
    EXPECT_EQ(c.GetEdgeCount(), 10u);
    EXPECT_EQ(c.CalcPathLen(), 0);
    EXPECT_EQ(c.GetMinDeg(), 0);
    EXPECT_EQ(c.GetMaxDeg(), 0);
    EXPECT_EQ(c.m_triedGaps.GetDim(), 5);
    EXPECT_TRUE(AllPairsClear(c.m_triedGaps));
    EXPECT_TRUE(c.m_usedMoves.empty());
    EXPECT_TRUE(c.m_usedMoves2.empty());
    EXPECT_EQ(c.GetGraph(), static_cast<CBitGraph*>(&c));
}

TEST(CycleConstruction, DefaultIsEmpty)
{
    CCycle c;
    EXPECT_EQ(c.GetDim(), 0);
    EXPECT_TRUE(c.m_path.empty());
    EXPECT_EQ(c.m_triedGaps.GetDim(), 0);
    EXPECT_EQ(c.CalcPathLen(), 0);
}

TEST(CycleConstruction, FromGraphCopiesEdgesWithUncomputedDegrees)
{
    CBitGraph g(6);
    g = true;
    g.SetEdge(1, 4);
    g.SetEdge(2, 6);
    CCycle c(g);
    EXPECT_EQ(c.GetDim(), 6);
    EXPECT_TRUE(c.GetEdge(4, 1));
    EXPECT_TRUE(c.GetEdge(6, 2));
    EXPECT_EQ(c.GetEdgeCount(), 2u);
    EXPECT_EQ(c.GetMinDeg(), 0);
    EXPECT_EQ(c.GetMaxDeg(), 0);
    EXPECT_EQ(Order(c), Identity(6));
    EXPECT_EQ(c.m_triedGaps.GetDim(), 6);
    EXPECT_TRUE(AllPairsClear(c.m_triedGaps));
    c.CalcDeg();
    EXPECT_EQ(c.GetMaxDeg(), 1);
}

TEST(CycleConstruction, CopyTakesOrderAndMarksButNotMoveSets)
{
    CCycle a = WithEdges(5, {{1, 2}, {2, 3}});
    SetOrder(a, {3, 1, 5, 2, 4});
    a.m_triedGaps = true;
    a.m_triedGaps.SetEdge(2, 4);
    a.m_usedMoves.insert(GMove(1, 2, 3, 4, 5));
    a.m_usedMoves2.insert(GMove2(1, 2, 3, 4));

    CCycle b(a);
    EXPECT_EQ(Order(b), (V{3, 1, 5, 2, 4}));
    EXPECT_TRUE(b.GetEdge(1, 2));
    EXPECT_FALSE(b.GetEdge(1, 3));
    EXPECT_TRUE(b.m_triedGaps.GetEdge(2, 4));
    EXPECT_FALSE(b.m_triedGaps.GetEdge(1, 2));
    EXPECT_TRUE(b.m_usedMoves.empty());
    EXPECT_TRUE(b.m_usedMoves2.empty());
    // The copy owns its order.
    b.m_path.front() = 4;
    EXPECT_EQ(a.m_path.front(), 3);
}

TEST(CycleAssignment, BoolSetsPairBitsOnly)
{
    CCycle c(5);
    c.CalcDeg();
    SetOrder(c, {2, 1, 3, 5, 4});
    c.m_usedMoves.insert(GMove(1, 2, 3, 4, 5));
    c = true;
    EXPECT_EQ(c.GetEdgeCount(), 0u);
    EXPECT_EQ(c.CalcPathLen(), 5);
    EXPECT_EQ(Order(c), (V{2, 1, 3, 5, 4}));
    // Unlike the graph's own assignment, the degree cache stays as it was.
    EXPECT_EQ(c.GetMinDeg(), 4);
    EXPECT_EQ(c.GetMaxDeg(), 4);
    EXPECT_EQ(c.GetDeg(3), 4);
    EXPECT_EQ(c.m_usedMoves.size(), 1u);
    c = false;
    EXPECT_EQ(c.GetEdgeCount(), 10u);
}

TEST(CycleAssignment, GraphOfAnotherSizeKeepsOrderAndResizesBookkeeping)
{
    CCycle c(4);
    c.m_usedMoves2.insert(GMove2(1, 2, 3, 4));
    CBitGraph g(7);
    g = true;
    g.SetEdge(7, 6);
    c = g;
    EXPECT_EQ(c.GetDim(), 7);
    EXPECT_EQ(c.GetEdgeCount(), 1u);
    EXPECT_TRUE(c.GetEdge(6, 7));
    EXPECT_EQ(Order(c), Identity(4));
    EXPECT_EQ(c.m_usedMoves2.size(), 1u);
    EXPECT_EQ(c.m_triedGaps.GetDim(), 7);
    EXPECT_TRUE(AllPairsClear(c.m_triedGaps));
    // The degree table fits the new size.
    c.CalcDeg();
    EXPECT_EQ(c.GetDeg(7), 1);
    EXPECT_EQ(c.GetDeg(1), 0);
    c.Init(false);
    EXPECT_EQ(Order(c), Identity(7));
}

TEST(CycleAssignment, SelfAssignmentChangesNothing)
{
    CCycle c = WithEdges(4, {{1, 3}});
    c.CalcDeg();
    c.m_triedGaps = true;
    c = *c.GetGraph();
    EXPECT_EQ(c.GetEdgeCount(), 1u);
    EXPECT_FALSE(c.m_triedGaps.GetEdge(1, 2));
}

TEST(CycleAssignment, SetDimResizesMarksAndKeepsOrder)
{
    CCycle c(3);
    c.SetDim(6);
    EXPECT_EQ(c.GetDim(), 6);
    EXPECT_EQ(c.m_triedGaps.GetDim(), 6);
    EXPECT_EQ(Order(c), Identity(3));
    CBitGraph* base = &c;
    base->SetDim(2);  // through the virtual slot, as the desktop program does
    EXPECT_EQ(c.m_triedGaps.GetDim(), 2);
}

// --- order primitives -------------------------------------------------

class CycleOrder : public ::testing::Test {
protected:
    CCycle c{6};
    CCycle::Position At(short v) { return c.Find(v); }
    CCycle::Position First() { return c.m_path.begin(); }
    CCycle::Position Last() { return std::prev(c.m_path.end()); }
};

TEST_F(CycleOrder, NextAndPrevWrapAtTheEnds)
{
    EXPECT_EQ(c.Next(Last()), First());
    EXPECT_EQ(c.Prev(First()), Last());
    EXPECT_EQ(c.Next(c.m_path.end()), First());
    EXPECT_EQ(c.Prev(c.m_path.end()), Last());
    EXPECT_EQ(*c.Next(At(3)), 4);
    EXPECT_EQ(*c.Prev(At(3)), 2);
}

TEST_F(CycleOrder, DistanceCountsForwardSteps)
{
    EXPECT_EQ(c.Distance(Last(), First()), 1);
    EXPECT_EQ(c.Distance(First(), Last()), 5);
    EXPECT_EQ(c.Distance(At(4), At(4)), 0);
    EXPECT_EQ(c.Distance(At(5), At(2)), 3);
}

TEST_F(CycleOrder, IsBetweenIncludesStartExcludesEnd)
{
    EXPECT_TRUE(c.IsBetween(At(2), At(5), At(2), First()));
    EXPECT_FALSE(c.IsBetween(At(2), At(5), At(5), First()));
    EXPECT_FALSE(c.IsBetween(At(2), At(2), At(2), First()));
    EXPECT_TRUE(c.IsBetween(At(2), At(5), At(4), First()));
    EXPECT_FALSE(c.IsBetween(At(2), At(5), At(6), First()));
    // Across the end of the list.
    EXPECT_TRUE(c.IsBetween(At(5), At(2), At(6), First()));
    EXPECT_TRUE(c.IsBetween(At(5), At(2), At(1), First()));
    EXPECT_FALSE(c.IsBetween(At(5), At(2), At(3), First()));
}

TEST_F(CycleOrder, FindOfAnAbsentNumberIsEnd)
{
    EXPECT_EQ(c.Find(7), c.m_path.end());
    EXPECT_EQ(c.Find(0), c.m_path.end());
    EXPECT_EQ(*c.Find(6), 6);
}

TEST_F(CycleOrder, SwapReversesInsideTheList)
{
    auto a = At(2), b = At(5);
    c.Swap(a, b);
    EXPECT_EQ(Order(c), (V{1, 5, 4, 3, 2, 6}));
    EXPECT_EQ(*a, 5);
    EXPECT_EQ(*b, 2);
}

TEST_F(CycleOrder, SwapAcrossTheEndKeepsPositions)
{
    auto a = At(5), b = At(2);
    const auto first = First(), last = Last();
    c.Swap(a, b);
    EXPECT_EQ(Order(c), (V{6, 5, 3, 4, 2, 1}));
    EXPECT_EQ(*a, 2);
    EXPECT_EQ(*b, 5);
    // The list itself was not relinked.
    EXPECT_EQ(First(), first);
    EXPECT_EQ(Last(), last);
    // Links (4,5) and (2,3) became (4,2) and (5,3).
    EXPECT_EQ(*c.Next(At(4)), 2);
    EXPECT_EQ(*c.Next(At(5)), 3);
}

TEST_F(CycleOrder, SwapDegenerateSegments)
{
    auto a = At(3), b = At(3);
    c.Swap(a, b);
    EXPECT_EQ(Order(c), Identity(6));
    auto x = At(3), y = At(4);
    c.Swap(x, y);
    EXPECT_EQ(Order(c), (V{1, 2, 4, 3, 5, 6}));
    // b just before a: the whole order, which stays as it is.
    auto p = At(4), q = At(2);
    c.Swap(p, q);
    EXPECT_EQ(Order(c), (V{1, 2, 4, 3, 5, 6}));
}

TEST(CycleSwap, TwoNodesNeverChange)
{
    CCycle c(2);
    auto a = c.m_path.begin(), b = std::next(a);
    c.Swap(a, b);
    EXPECT_EQ(Order(c), (V{1, 2}));
    c.Swap(b, a);
    EXPECT_EQ(Order(c), (V{1, 2}));
}

// Swap on many random segments, checked against a reversal of a plain
// cyclic array.
TEST(CycleSwap, MatchesCyclicReversal)
{
    std::mt19937 gen(12345);
    for (int n : {3, 4, 7, 16}) {
        CCycle c(static_cast<short>(n));
        std::vector<short> ref = Identity(n);
        std::vector<CCycle::Position> pos;
        for (auto it = c.m_path.begin(); it != c.m_path.end(); ++it) pos.push_back(it);
        for (int round = 0; round < 200; ++round) {
            int i = static_cast<int>(gen() % n), j = static_cast<int>(gen() % n);
            int len = (j - i + n) % n + 1;
            if (len < n) {
                for (int k = 0; k < len / 2; ++k)
                    std::swap(ref[(i + k) % n], ref[(j - k + n) % n]);
            }
            c.Swap(pos[i], pos[j]);
            ASSERT_EQ(Order(c), ref) << "n=" << n << " round " << round;
        }
    }
}

// --- gap count --------------------------------------------------------

TEST(CyclePathLen, CountsGapsIncludingTheClosingLink)
{
    CCycle c = WithEdges(5, {{1, 2}, {2, 3}, {3, 4}, {4, 5}});
    EXPECT_EQ(c.CalcPathLen(), 1);  // 5-1
    c.SetEdge(5, 1);
    EXPECT_EQ(c.CalcPathLen(), 0);
    SetOrder(c, {1, 3, 5, 2, 4});
    EXPECT_EQ(c.CalcPathLen(), 5);
    SetOrder(c, {2, 1, 5, 4, 3});
    EXPECT_EQ(c.CalcPathLen(), 0);
    SetOrder(c, {});
    EXPECT_EQ(c.CalcPathLen(), 0);
    SetOrder(c, {4});
    EXPECT_EQ(c.CalcPathLen(), 0);
}

// --- save and restore -------------------------------------------------

TEST(CycleSaveRestore, ListRoundTrip)
{
    CCycle c(5);
    SetOrder(c, {5, 3, 1, 2, 4});
    std::list<short> l{9, 9, 9, 9, 9, 9, 9};
    c.Store(&l);
    EXPECT_EQ(V(l.begin(), l.end()), (V{5, 3, 1, 2, 4}));
    c.Init(false);
    c.Restore(&l);
    EXPECT_EQ(Order(c), (V{5, 3, 1, 2, 4}));
    std::list<short> empty;
    c.Restore(&empty);
    EXPECT_TRUE(c.m_path.empty());
    EXPECT_EQ(c.CalcPathLen(), 0);
}

TEST(CycleSaveRestore, OwnListIsLeftAlone)
{
    CCycle c(4);
    SetOrder(c, {2, 4, 1, 3});
    c.Store(&c.m_path);
    EXPECT_EQ(Order(c), (V{2, 4, 1, 3}));
    c.Restore(&c.m_path);
    EXPECT_EQ(Order(c), (V{2, 4, 1, 3}));
}

TEST(CycleSaveRestore, GraphRoundTripLeavesOrderAndMarks)
{
    CCycle c = WithEdges(5, {{1, 2}, {3, 4}});
    SetOrder(c, {3, 1, 2, 5, 4});
    CBitGraph saved;
    c.Store(&saved);
    EXPECT_EQ(saved.GetDim(), 5);
    EXPECT_TRUE(saved == *c.GetGraph());
    c.m_triedGaps = true;
    c = false;
    c.Restore(&saved);
    EXPECT_EQ(c.GetEdgeCount(), 2u);
    EXPECT_TRUE(c.GetEdge(4, 3));
    EXPECT_EQ(Order(c), (V{3, 1, 2, 5, 4}));
    EXPECT_FALSE(c.m_triedGaps.GetEdge(1, 2));
    // The stored copy is independent.
    c.DelEdge(1, 2);
    EXPECT_TRUE(saved.GetEdge(1, 2));
}

TEST(CycleSaveRestore, GraphsOfAnotherSizeGetFittingDegreeTables)
{
    CCycle c = WithEdges(6, {{1, 6}});
    CBitGraph small(3);
    c.Store(&small);
    EXPECT_EQ(small.GetDim(), 6);
    small.CalcDeg();
    EXPECT_EQ(small.GetDeg(6), 1);

    CBitGraph big(9);
    big = true;
    big.SetEdge(8, 9);
    c.Restore(&big);
    EXPECT_EQ(c.GetDim(), 9);
    EXPECT_EQ(c.m_triedGaps.GetDim(), 9);
    c.CalcDeg();
    EXPECT_EQ(c.GetDeg(9), 1);
}

// --- permutation check ------------------------------------------------

TEST(CyclePermutation, AcceptsEachNodeOnceOnly)
{
    CCycle c(4);
    EXPECT_TRUE(c.IsPermutation({4, 2, 3, 1}));
    EXPECT_FALSE(c.IsPermutation({1, 2, 3}));
    EXPECT_FALSE(c.IsPermutation({1, 2, 3, 4, 1}));
    EXPECT_FALSE(c.IsPermutation({1, 2, 2, 4}));
    EXPECT_FALSE(c.IsPermutation({0, 1, 2, 3}));
    EXPECT_FALSE(c.IsPermutation({1, 2, 3, 5}));
    EXPECT_FALSE(c.IsPermutation({1, -2, 3, 4}));
    EXPECT_TRUE(CCycle().IsPermutation({}));
    EXPECT_FALSE(CCycle().IsPermutation({1}));
}

}  // namespace
