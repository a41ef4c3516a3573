// Move records identify a move by its sorted node numbers; the move sets
// rely on equality and a strict ordering of them.
#include <gtest/gtest.h>

#include <set>

#include "cycle/moves.h"

namespace {

TEST(MoveRecords, ConstructorsSortTheNodes)
{
    const GMove m(9, 3, 7, 3, 1);
    EXPECT_EQ(m.m_nodes[0], 1);
    EXPECT_EQ(m.m_nodes[1], 3);
    EXPECT_EQ(m.m_nodes[2], 3);
    EXPECT_EQ(m.m_nodes[3], 7);
    EXPECT_EQ(m.m_nodes[4], 9);
    const GMove2 m2(4, -1, 2, 0);
    EXPECT_EQ(m2.m_nodes[0], -1);
    EXPECT_EQ(m2.m_nodes[3], 4);
    const GChainMove c(8, 6, 7, 5);
    EXPECT_EQ(c.m_nodes[0], 5);
    EXPECT_EQ(c.m_nodes[3], 8);
}

TEST(MoveRecords, SameNodesInAnyRoleAreOneMove)
{
    std::set<GMove> used;
    EXPECT_TRUE(used.insert(GMove(1, 2, 3, 4, 5)).second);
    EXPECT_FALSE(used.insert(GMove(5, 4, 3, 2, 1)).second);
    EXPECT_TRUE(used.insert(GMove(1, 2, 3, 4, 6)).second);
    EXPECT_TRUE(used.insert(GMove(1, 1, 3, 4, 5)).second);
    EXPECT_EQ(used.size(), 3u);
    EXPECT_TRUE(GMove(2, 1, 3, 5, 4) == GMove(1, 2, 3, 4, 5));

    std::set<GMove2> used2;
    EXPECT_TRUE(used2.insert(GMove2(7, 1, 3, 2)).second);
    EXPECT_FALSE(used2.insert(GMove2(1, 2, 3, 7)).second);
    EXPECT_TRUE(used2.insert(GMove2(1, 2, 3, 8)).second);
    EXPECT_TRUE(GChainMove(1, 2, 3, 4) == GChainMove(4, 3, 2, 1));
}

// Strict ordering: irreflexive, asymmetric, and a difference in any field
// decides it.
TEST(MoveRecords, OrderingIsStrictAndSeesEveryField)
{
    const GMove a(1, 2, 3, 4, 5);
    EXPECT_FALSE(a < a);
    for (int k = 0; k < 5; ++k) {
        GMove b = a;
        b.m_nodes[k] = static_cast<short>(b.m_nodes[k] + 10);
        EXPECT_TRUE(a < b) << "field " << k;
        EXPECT_FALSE(b < a) << "field " << k;
        EXPECT_FALSE(a == b) << "field " << k;
    }
    const GMove2 x(1, 2, 3, 4), y(1, 2, 3, 5);
    EXPECT_TRUE(x < y);
    EXPECT_FALSE(y < x);
    EXPECT_FALSE(x < x);
    const GChainMove p(1, 2, 3, 4), q(0, 2, 3, 4);
    EXPECT_TRUE(q < p);
    EXPECT_FALSE(p < q);
}

TEST(MoveRecords, AssignmentCopiesAllFields)
{
    GMove a(1, 2, 3, 4, 5);
    a = GMove(6, 7, 8, 9, 10);
    EXPECT_TRUE(a == GMove(10, 9, 8, 7, 6));
    GMove2 b(1, 1, 1, 1);
    b = GMove2(4, 3, 2, 1);
    EXPECT_TRUE(b == GMove2(1, 2, 3, 4));
    GChainMove c(1, 1, 1, 1);
    c = GChainMove(2, 2, 2, 2);
    EXPECT_TRUE(c == GChainMove(2, 2, 2, 2));
}

}  // namespace
