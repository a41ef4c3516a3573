// Segment moves: the splice primitive, the 2-opt and 3-opt steps of the
// gap-closing moves, the gap shift with its mark, and the mirror symmetry
// of the two gap-closing moves.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "cycle/cycle.h"
#include "search_test_graphs.h"

using searchtest::FromNodeOne;
using searchtest::Order;
using Pos = CCycle::Position;

using searchtest::Graph;

TEST(MoveSegment, splices_before_b_in_order_or_reversed) {
    CCycle c(8);
    c.MoveSegment(c.Find(2), c.Find(3), c.Find(5), c.Find(6), false);
    EXPECT_EQ(Order(c), (std::vector<short>{1, 4, 5, 2, 3, 6, 7, 8}));
    searchtest::SetOrder(c, {1, 2, 3, 4, 5, 6, 7, 8});
    c.MoveSegment(c.Find(2), c.Find(3), c.Find(5), c.Find(6), true);
    EXPECT_EQ(Order(c), (std::vector<short>{1, 4, 5, 3, 2, 6, 7, 8}));
}

TEST(MoveSegment, segment_may_wrap_past_the_end_of_the_list) {
    CCycle c(8);
    const Pos a = c.Find(4), b = c.Find(5);
    c.MoveSegment(c.Find(7), c.Find(2), a, b, true);
    EXPECT_EQ(Order(c), (std::vector<short>{3, 4, 2, 1, 8, 7, 5, 6}));
    // a and b stay valid.
    EXPECT_EQ(*a, 4);
    EXPECT_EQ(*b, 5);
}

TEST(CloseGapForward, worked_example_two_opt) {
    CCycle c = Graph(6, {{2, 3}, {3, 4}, {5, 6}, {6, 1}, {2, 5}, {1, 4}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_EQ(c.CalcPathLen(), 2);
    ASSERT_TRUE(c.CloseGapForward(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 4, 3, 2, 5, 6}));
    EXPECT_EQ(c.CalcPathLen(), 0);
    EXPECT_EQ(*a, 1);
    EXPECT_EQ(*b, 4);
}

TEST(CloseGapForward, reversed_splice_of_a_single_node) {
    // w = 4 with d = 3: no 2-opt (1-3 is no edge); s = 6 fails, s = 5 =
    // Next(w) takes the segment 4 alone. Three gaps go at once.
    CCycle c = Graph(6, {{2, 4}, {3, 5}, {2, 3}, {5, 6}, {6, 1}, {1, 4}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_EQ(c.CalcPathLen(), 3);
    ASSERT_TRUE(c.CloseGapForward(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 4, 2, 3, 5, 6}));
    EXPECT_EQ(c.CalcPathLen(), 0);
    EXPECT_EQ(*b, 4);
}

TEST(CloseGapForward, forward_splice_of_a_single_node) {
    // w = 5 (2-4 is no edge, so w = 4 is skipped), d = 4 with 4-5 an edge,
    // so phase 1 tries only the forward splice: t = 3 fails, t = 4 =
    // Prev(w) moves 5 alone.
    CCycle c = Graph(7, {{2, 5}, {4, 5}, {4, 6}, {2, 3}, {3, 4}, {6, 7}, {7, 1}, {1, 5}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_TRUE(c.CloseGapForward(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 5, 2, 3, 4, 6, 7}));
    EXPECT_EQ(c.CalcPathLen(), 0);
}

TEST(CloseGapForward, marked_link_at_a_blocks_the_splice) {
    CCycle c = Graph(6, {{2, 4}, {3, 5}, {2, 3}, {5, 6}, {6, 1}, {1, 4}});
    c.m_triedGaps.SetEdge(1, 4);
    Pos a = c.Find(1), b = c.Find(2);
    EXPECT_FALSE(c.CloseGapForward(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 2, 3, 4, 5, 6}));
}

TEST(CloseGapBackward, mirrors_the_worked_example) {
    // The worked example read backwards: the current link is (2, 1).
    CCycle c = Graph(6, {{2, 3}, {3, 4}, {5, 6}, {6, 1}, {2, 5}, {1, 4}});
    searchtest::SetOrder(c, {6, 5, 4, 3, 2, 1});
    Pos a = c.Find(2), b = c.Find(1);
    ASSERT_TRUE(c.CloseGapBackward(a, b, true));
    EXPECT_EQ(FromNodeOne(Order(c)), FromNodeOne({1, 4, 3, 2, 5, 6}, true));
    EXPECT_EQ(*a, 4);
    EXPECT_EQ(*b, 1);
}

// Applies CloseGapForward to (a, b) of one copy and CloseGapBackward to the
// mirrored copy, with the same marks, and expects mirrored results.
TEST(CloseGapBackward, mirror_image_of_forward_on_random_graphs) {
    int taken = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        const short n = static_cast<short>(6 + seed % 9);
        CCycle base = searchtest::Random(n, 0.2 + 0.1 * (seed % 4), seed);
        base.CalcDeg();
        base.m_triedGaps = true;
        std::mt19937 gen(seed);
        for (short u = 1; u <= n; ++u)
            for (short v = static_cast<short>(u + 1); v <= n; ++v)
                if (gen() % 5 == 0) base.m_triedGaps.SetEdge(u, v);
        const std::vector<short> order = searchtest::RandomOrder(n, seed);
        std::vector<short> mirrored(order.rbegin(), order.rend());
        for (std::size_t k = 0; k < order.size(); ++k) {
            const short u = order[k], v = order[(k + 1) % order.size()];
            if (base.GetEdge(u, v)) continue;
            for (bool zero : {false, true}) {
                CCycle fwd(base), bwd(base);
                searchtest::SetOrder(fwd, order);
                searchtest::SetOrder(bwd, mirrored);
                Pos fa = fwd.Find(u), fb = fwd.Find(v);
                Pos ba = bwd.Find(v), bb = bwd.Find(u);
                const bool f = fwd.CloseGapForward(fa, fb, zero);
                const bool b = bwd.CloseGapBackward(ba, bb, zero);
                ASSERT_EQ(f, b) << "seed " << seed << " link " << u << "-" << v;
                ASSERT_EQ(FromNodeOne(Order(fwd)), FromNodeOne(Order(bwd), true))
                    << "seed " << seed << " link " << u << "-" << v;
                if (f) {
                    ++taken;
                    EXPECT_EQ(*fa, *bb);
                    EXPECT_EQ(*fb, *ba);
                }
            }
        }
    }
    EXPECT_GT(taken, 100);
}

TEST(ShiftGap, zero_gain_moves_the_gap_and_marks_it) {
    // Only gap (1, 2). w = 4 (2-4), d = 3, s = 6 with 1-5 an edge: the gap
    // moves to (3, 6).
    CCycle c = Graph(6, {{2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 1}, {2, 4}, {1, 5}});
    Pos a = c.Find(1), b = c.Find(2);
    EXPECT_FALSE(c.ShiftGap(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 2, 3, 4, 5, 6}));

    ASSERT_TRUE(c.ShiftGap(a, b, true));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 5, 4, 2, 3, 6}));
    EXPECT_EQ(c.CalcPathLen(), 1);
    EXPECT_EQ(*a, 3);
    EXPECT_EQ(*b, 6);
    EXPECT_TRUE(c.m_triedGaps.GetEdge(3, 6));

    // Once (3, 6) is marked the same shift is no longer available.
    searchtest::SetOrder(c, {1, 2, 3, 4, 5, 6});
    a = c.Find(1);
    b = c.Find(2);
    EXPECT_FALSE(c.ShiftGap(a, b, true));
}

TEST(ShiftGap, forward_branch_leaves_new_link_unmarked) {
    // Gaps (1, 2), (4, 5), (6, 7). w = 6 is the first w joined to 2; d = 5.
    // No reversed splice (1 joins neither 6 nor 7); the forward branch
    // skips t = 5 (1-6 no edge) and takes t = 4: the segment 5 6 goes into
    // the gap and the new link (4, 7) is an edge.
    CCycle c = Graph(8, {{2, 6}, {1, 5}, {4, 7}, {2, 3}, {3, 4}, {5, 6}, {7, 8}, {8, 1}});
    Pos a = c.Find(1), b = c.Find(2);
    ASSERT_EQ(c.CalcPathLen(), 3);
    ASSERT_TRUE(c.ShiftGap(a, b, false));
    EXPECT_EQ(Order(c), (std::vector<short>{1, 5, 6, 2, 3, 4, 7, 8}));
    EXPECT_EQ(*a, 4);
    EXPECT_EQ(*b, 7);
    EXPECT_FALSE(c.m_triedGaps.GetEdge(4, 7));
    EXPECT_EQ(c.CalcPathLen(), 0);
}
