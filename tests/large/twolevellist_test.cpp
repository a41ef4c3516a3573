// The two-level list against a plain array that reverses paths the slow,
// obvious way, on random operation sequences. The list may rewrite either
// side of a reversal, so the two are compared as cycles up to orientation.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "large/random64.h"
#include "large/twolevellist.h"

namespace {

using hcp::NodeId;

// A cyclic order in a plain array.
struct ArrayOrder {
    std::vector<NodeId> at;    // node at each position
    std::vector<NodeId> pos;   // position of each node
    explicit ArrayOrder(std::vector<NodeId> order) : at(std::move(order)), pos(at.size())
    {
        for (NodeId i = 0; i < at.size(); ++i) pos[at[i]] = i;
    }
    NodeId N() const { return static_cast<NodeId>(at.size()); }
    NodeId Next(NodeId v) const { return at[(pos[v] + 1) % N()]; }
    NodeId Prev(NodeId v) const { return at[(pos[v] + N() - 1) % N()]; }
    bool Between(NodeId a, NodeId b, NodeId c) const
    {
        const NodeId n = N();
        return (pos[b] + n - pos[a]) % n <= (pos[c] + n - pos[a]) % n;
    }
    void Reverse(NodeId a, NodeId b)
    {
        NodeId i = pos[a], j = pos[b];
        NodeId len = (j + N() - i) % N() + 1;
        for (NodeId k = 0; k < len / 2; ++k) {
            std::swap(at[(i + k) % N()], at[(j + N() - k) % N()]);
        }
        for (NodeId k = 0; k < len; ++k) pos[at[(i + k) % N()]] = (i + k) % N();
    }
};

// Same cycle up to orientation; Between is then read in the list's own
// direction.
void ExpectSameCycle(const hcp::TwoLevelList& list, const ArrayOrder& arr, hcp::Random64& rng)
{
    ASSERT_TRUE(list.Consistent());
    const bool same = list.Next(0) == arr.Next(0);
    for (NodeId v = 0; v < arr.N(); ++v) {
        ASSERT_EQ(list.Next(v), same ? arr.Next(v) : arr.Prev(v)) << "node " << v;
        ASSERT_EQ(list.Prev(v), same ? arr.Prev(v) : arr.Next(v)) << "node " << v;
    }
    for (int k = 0; k < 20; ++k) {
        const NodeId a = rng.Below(arr.N()), b = rng.Below(arr.N()), c = rng.Below(arr.N());
        ASSERT_EQ(list.Between(a, b, c), same ? arr.Between(a, b, c) : arr.Between(c, b, a))
            << a << " " << b << " " << c;
    }
}

void RunRandomReversals(NodeId n, std::uint32_t group, int steps, std::uint64_t seed)
{
    hcp::Random64 rng(seed);
    std::vector<NodeId> order(n);
    std::iota(order.begin(), order.end(), 0u);
    for (NodeId i = n - 1; i > 0; --i) std::swap(order[i], order[rng.Below(i + 1)]);
    hcp::TwoLevelList list(order, group);
    ArrayOrder arr(order);
    ExpectSameCycle(list, arr, rng);
    for (int s = 0; s < steps; ++s) {
        NodeId a = rng.Below(n), b = rng.Below(n);
        // Mostly short paths, as the search makes, some long ones.
        if (rng.Below(3) != 0) {
            b = a;
            for (std::uint32_t k = rng.Below(2 * group + 2); k > 0; --k) b = list.Next(b);
        }
        // Reverse the same path in both: forward from a to b in the list's
        // direction is forward or backward in the array's.
        // Forward in the list is forward or backward in the array, so the
        // path was a..b or b..a there: accept either reading.
        list.Reverse(a, b);
        ArrayOrder forward = arr, backward = arr;
        forward.Reverse(a, b);
        backward.Reverse(b, a);
        auto sameAs = [&](const ArrayOrder& m) {
            for (NodeId v = 0; v < n; ++v) {
                const NodeId x = list.Next(v), y = list.Prev(v);
                if (!((x == m.Next(v) && y == m.Prev(v)) || (x == m.Prev(v) && y == m.Next(v)))) return false;
            }
            return true;
        };
        if (sameAs(forward))
            arr = forward;
        else if (sameAs(backward))
            arr = backward;
        else
            FAIL() << "reversal of " << a << ".." << b << " gave neither cycle at step " << s;
        ExpectSameCycle(list, arr, rng);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(TwoLevelList, ReadsBackTheOrderItWasBuiltFrom)
{
    const std::vector<NodeId> order = {4, 2, 0, 6, 1, 5, 3, 7, 9, 8};
    hcp::TwoLevelList list(order, 3);
    EXPECT_TRUE(list.Consistent());
    EXPECT_EQ(list.Order(4), order);
    EXPECT_TRUE(list.Between(2, 6, 3));
    EXPECT_FALSE(list.Between(6, 2, 3));
    EXPECT_TRUE(list.Between(9, 4, 0));   // across the wrap
}

TEST(TwoLevelList, RandomReversalsMatchAPlainArray)
{
    std::uint64_t seed = 1;
    for (NodeId n : {3u, 4u, 5u, 7u, 10u, 17u, 64u, 200u})
        for (std::uint32_t group : {1u, 2u, 3u, 5u, 0u}) {
            SCOPED_TRACE("n=" + std::to_string(n) + " group=" + std::to_string(group));
            RunRandomReversals(n, group, 400, seed++);
            if (::testing::Test::HasFatalFailure()) return;
        }
}

TEST(TwoLevelList, LongRunOnALargerOrderStaysConsistent)
{
    RunRandomReversals(2000, 0, 3000, 99);
}

TEST(TwoLevelList, SegmentsThatGrowLopsidedAreRebuilt)
{
    // Many reversals that start inside the same few segments keep moving
    // nodes into their neighbours; the structure must stay sound.
    const NodeId n = 1000;
    std::vector<NodeId> order(n);
    std::iota(order.begin(), order.end(), 0u);
    hcp::TwoLevelList list(order, 10);
    hcp::Random64 rng(5);
    for (int s = 0; s < 20000; ++s) {
        const NodeId a = 100 + rng.Below(20);
        NodeId b = a;
        for (std::uint32_t k = rng.Below(300); k > 0; --k) b = list.Next(b);
        list.Reverse(a, b);
    }
    EXPECT_TRUE(list.Consistent());
    std::vector<NodeId> seen = list.Order(0);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, order);
}

}  // namespace
