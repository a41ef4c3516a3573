// The array order of the fast search against the node list: reversal and
// segment moves must leave the same order read from the front, wrapping
// past the end and moving the front included.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "cycle/cycle.h"
#include "cycle/fastpath.h"
#include "cycle_test_util.h"

namespace {

using cycletest::Order;
using cycletest::SetOrder;

std::vector<short> Order(const hcp::FastPath& p)
{
    std::vector<short> v;
    for (int i = 0; i < p.Size(); ++i) v.push_back(p.At(i));
    return v;
}

// The index of every node agrees with the order.
void ExpectIndexed(const hcp::FastPath& p)
{
    for (int i = 0; i < p.Size(); ++i) ASSERT_EQ(p.IndexOf(p.At(i)), i);
}

hcp::FastPath Loaded(const CCycle& c)
{
    hcp::FastPath p;
    EXPECT_TRUE(p.Load(c.m_path, c.m_nDim));
    return p;
}

TEST(FastPath, LoadRejectsOrdersThatAreNotPermutations)
{
    hcp::FastPath p;
    EXPECT_FALSE(p.Load({1, 2, 2, 4}, 4));
    EXPECT_FALSE(p.Load({1, 2, 3}, 4));
    EXPECT_FALSE(p.Load({1, 2, 3, 5}, 4));
    EXPECT_FALSE(p.Load({0, 1, 2, 3}, 4));
    EXPECT_TRUE(p.Load({3, 1, 4, 2}, 4));
    EXPECT_EQ(p.Next(2), 3);
    EXPECT_EQ(p.Prev(3), 2);
    EXPECT_EQ(p.Offset(3, 4), 2);
    EXPECT_EQ(p.AtOffset(4, 3), 1);
}

TEST(FastPath, ReverseAcrossTheEndRewritesSlotsInPlace)
{
    hcp::FastPath p;
    ASSERT_TRUE(p.Load({1, 2, 3, 4, 5, 6}, 6));
    p.Reverse(5, 2);
    EXPECT_EQ(Order(p), (std::vector<short>{6, 5, 3, 4, 2, 1}));
    p.Reverse(3, 3);
    p.Reverse(3, 4);
    EXPECT_EQ(Order(p), (std::vector<short>{6, 5, 4, 3, 2, 1}));
    p.Reverse(4, 5);  // from 4 round to 5: the whole order, left as is
    EXPECT_EQ(Order(p), (std::vector<short>{6, 5, 4, 3, 2, 1}));
    ExpectIndexed(p);
}

TEST(FastPath, SegmentBeforeTheFrontBecomesTheFront)
{
    hcp::FastPath p;
    ASSERT_TRUE(p.Load({1, 2, 3, 4, 5, 6}, 6));
    p.MoveSegment(3, 4, 1, true);
    EXPECT_EQ(Order(p), (std::vector<short>{4, 3, 1, 2, 5, 6}));
    // A segment holding the front: the node after it becomes the front.
    p.MoveSegment(6, 3, 5, false);
    EXPECT_EQ(Order(p), (std::vector<short>{1, 2, 6, 4, 3, 5}));
    ExpectIndexed(p);
}

// Random reversals and segment moves, each also made on the node list with
// Swap and MoveSegment: the two orders stay the same from the front.
TEST(FastPath, RandomChangesMatchTheNodeList)
{
    std::mt19937 gen(7);
    for (int n : {4, 5, 8, 13, 40}) {
        CCycle c(static_cast<short>(n));
        std::vector<short> start = cycletest::Identity(n);
        std::shuffle(start.begin(), start.end(), gen);
        SetOrder(c, start);
        hcp::FastPath p = Loaded(c);
        std::uniform_int_distribution<int> node(1, n);
        for (int step = 0; step < 400; ++step) {
            const short x = static_cast<short>(node(gen));
            const short y = static_cast<short>(node(gen));
            if (step % 2 == 0) {
                CCycle::Position a = c.Find(x), b = c.Find(y);
                c.Swap(a, b);
                p.Reverse(x, y);
            } else {
                // A segment x..y and a node `before` outside it.
                const int len = p.Offset(y, x) + 1;
                if (len >= n) continue;
                const int k = len + std::uniform_int_distribution<int>(0, n - len - 1)(gen);
                const short before = p.AtOffset(x, k);
                const bool reversed = gen() % 2 == 0;
                c.MoveSegment(c.Find(x), c.Find(y), c.Prev(c.Find(before)), c.Find(before), reversed);
                p.MoveSegment(x, y, before, reversed);
            }
            ASSERT_EQ(Order(p), Order(c)) << "n " << n << " step " << step;
        }
        ExpectIndexed(p);
        std::list<short> back;
        p.StoreInto(back);
        EXPECT_EQ(std::vector<short>(back.begin(), back.end()), Order(c));
    }
}

}  // namespace
