// Node moves: which candidate each routine takes, where it leaves the
// current link, and how marks and move records restrict zero-gain moves.
#include <gtest/gtest.h>

#include <vector>

#include "cycle/cycle.h"
#include "search_test_graphs.h"

using searchtest::Order;
using Pos = CCycle::Position;

using searchtest::Graph;

TEST(RelocateNode, needs_more_than_two_nodes) {
    CCycle c(2);
    c = true;
    Pos x = c.m_path.begin();
    EXPECT_FALSE(c.RelocateNode(x, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 2}));
}

TEST(RelocateNode, first_candidate_trades_places_with_successor) {
    // Cycle 1 3 2 4 5 6: moving 2 one step forward closes both gaps.
    CCycle c = Graph(6, {{1, 3}, {3, 2}, {2, 4}, {4, 5}, {5, 6}, {6, 1}});
    Pos x = c.Find(2);
    ASSERT_TRUE(c.RelocateNode(x, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(*x, 2);
    EXPECT_EQ(*c.Prev(x), 3);
    EXPECT_EQ(c.CalcPathLen(), 0);
}

TEST(RelocateNode, last_candidate_puts_node_before_its_predecessor) {
    // Cycle 2 1 3 4 5 6. The candidate q = 5 gives a zero gain, passed over
    // without allowZeroGain; q = 6 closes both gaps.
    CCycle c = Graph(6, {{6, 2}, {2, 1}, {1, 3}, {3, 4}, {4, 5}, {5, 6}});
    Pos x = c.Find(2);
    ASSERT_TRUE(c.RelocateNode(x, false));
    EXPECT_EQ(Order(c), (std::vector<short>{2, 1, 3, 4, 5, 6}));
    EXPECT_EQ(c.CalcPathLen(), 0);
    EXPECT_TRUE(c.m_usedMoves.empty());
}

TEST(RelocateEnd, falls_back_to_the_far_end) {
    // Relocating 1 gains nothing; relocating 2 behind 3 closes both gaps and
    // the new current link is (1, 3).
    CCycle c = Graph(6, {{1, 3}, {3, 2}, {2, 4}, {4, 5}, {5, 6}, {6, 1}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_TRUE(c.RelocateEnd(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(*a, 1);
    EXPECT_EQ(*b, 3);
}

TEST(InsertNode, worked_example) {
    CCycle c = Graph(6, {{2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 1}, {3, 5}, {1, 4}, {2, 4}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_TRUE(c.InsertNode(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 4, 2, 3, 5, 6}));
    EXPECT_EQ(c.CalcPathLen(), 0);
    // Neither new link is a gap: the link that closed behind 4 is current.
    EXPECT_EQ(*a, 3);
    EXPECT_EQ(*b, 5);
}

TEST(InsertNode, first_candidate_swaps_b_and_its_successor) {
    CCycle c = Graph(6, {{1, 3}, {3, 2}, {2, 4}, {4, 5}, {5, 6}, {6, 1}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_TRUE(c.InsertNode(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(*a, 2);
    EXPECT_EQ(*b, 4);
}

// The order 1..6 has the one gap (1, 2); the only zero-gain insertion is
// q = 3, and it creates the gap (1, 3).
static CCycle ZeroGainInsertion() {
    return Graph(6, {{2, 3}, {3, 4}, {2, 4}, {4, 5}, {5, 6}, {6, 1}});
}

TEST(InsertNode, zero_gain_needs_new_gap_unmarked) {
    CCycle c = ZeroGainInsertion();
    c.m_triedGaps.SetEdge(1, 3);
    Pos a = c.Find(1), b = c.Find(2);
    EXPECT_FALSE(c.InsertNode(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(c.m_usedMoves.empty());
}

TEST(InsertNode, zero_gain_taken_once_until_sets_are_emptied) {
    CCycle c = ZeroGainInsertion();
    const int h = c.CalcPathLen();
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_TRUE(c.InsertNode(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(c.CalcPathLen(), h);
    // The gap moved to (1, 3), which becomes the current link.
    EXPECT_EQ(*a, 1);
    EXPECT_EQ(*b, 3);
    EXPECT_EQ(c.m_usedMoves.size(), 1u);

    // Same start again: the record refuses the same move.
    searchtest::SetOrder(c, {1, 2, 3, 4, 5, 6});
    a = c.Find(1);
    b = c.Find(2);
    EXPECT_FALSE(c.InsertNode(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 2, 3, 4, 5, 6}));

    // An improvement empties the sets; then it is allowed again.
    c.m_usedMoves.clear();
    EXPECT_TRUE(c.InsertNode(a, b, true));
}

TEST(InsertNode, marks_do_not_restrict_improving_moves) {
    // q = 3 lowers H from 3 to 2 while creating the gap (1, 3).
    CCycle c = Graph(6, {{2, 3}, {3, 5}, {4, 2}, {5, 6}, {6, 1}});
    c.m_triedGaps = false;  // every pair marked
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_EQ(c.CalcPathLen(), 3);
    ASSERT_TRUE(c.InsertNode(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(c.CalcPathLen(), 2);
    EXPECT_TRUE(c.m_usedMoves.empty());
}

TEST(ReverseToLink, ignores_pairs_with_a_low_degree_node) {
    // w = 3, wn = 4 would close the gap, but node 4 has degree 1.
    CCycle c = Graph(6, {{4, 2}, {3, 1}, {3, 5}, {5, 6}, {6, 1}});
    Pos a = c.Find(1), b = c.Find(2);
    EXPECT_FALSE(c.ReverseToLink(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(c.m_usedMoves2.empty());

    // A second edge at 4 makes the move available.
    c.SetEdge(4, 6);
    c.CalcDeg();
    ASSERT_TRUE(c.ReverseToLink(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(*a, 1);
    EXPECT_EQ(*b, 3);
}

TEST(ReverseToLink, reverses_on_the_a_side_when_wn_b_is_no_edge) {
    // w = 3 joins a = 1; wn = 4 does not join b = 2: the segment 4..1 is
    // reversed in place, across the end of the list.
    CCycle c = Graph(6, {{1, 3}, {3, 5}, {4, 5}, {4, 6}, {2, 5}, {2, 6}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_TRUE(c.ReverseToLink(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{4, 2, 3, 1, 6, 5}));
    EXPECT_EQ(*a, 4);
    EXPECT_EQ(*b, 2);
}

TEST(ReverseToLink, zero_gain_taken_once) {
    // (w, wn) = (3, 4) is an edge and 4-2 is one: reversing 2..3 moves the
    // gap from (1, 2) to (1, 3) at zero gain.
    CCycle c = Graph(6, {{3, 4}, {4, 2}, {2, 3}, {3, 5}, {4, 6}, {5, 6}});
    Pos a = c.Find(1), b = c.Find(2);
    const int h = c.CalcPathLen();
    EXPECT_FALSE(c.ReverseToLink(a, b, false));
    ASSERT_TRUE(c.ReverseToLink(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(c.CalcPathLen(), h);
    EXPECT_EQ(*b, 3);
    // The record holds the four nodes whatever their roles.
    EXPECT_EQ(c.m_usedMoves2.count(GMove2(4, 3, 2, 1)), 1u);

    // From the same start the move is refused, and nothing else applies.
    searchtest::SetOrder(c, {1, 2, 3, 4, 5, 6});
    a = c.Find(1);
    b = c.Find(2);
    EXPECT_FALSE(c.ReverseToLink(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 2, 3, 4, 5, 6}));
}
