// The key sets of the fast search: pairs are unordered, move records are
// identified by their sorted node numbers, and the set keeps its keys
// across growth and forgets all of them on Clear.
#include <gtest/gtest.h>

#include "cycle/fastkeyset.h"

namespace {

TEST(FastKeySet, PairsAndRecordsIgnoreTheOrderOfTheirNodes)
{
    EXPECT_EQ(hcp::PairKey(3, 9), hcp::PairKey(9, 3));
    EXPECT_FALSE(hcp::PairKey(3, 9) == hcp::PairKey(3, 8));
    EXPECT_EQ(hcp::RecordKey(5, 1, 4, 2), hcp::RecordKey(1, 2, 4, 5));
    EXPECT_EQ(hcp::RecordKey(7, 3, 3, 9, 1), hcp::RecordKey(1, 3, 9, 7, 3));
    // A number that occurs twice counts twice.
    EXPECT_FALSE(hcp::RecordKey(1, 3, 3, 9, 7) == hcp::RecordKey(1, 3, 9, 9, 7));
    // Five-node records use the fifth number too.
    EXPECT_FALSE(hcp::RecordKey(1, 2, 3, 4, 5) == hcp::RecordKey(1, 2, 3, 4, 6));
}

TEST(FastKeySet, InsertAnswersWhetherTheKeyIsNewAcrossGrowthAndClear)
{
    hcp::FastKeySet set;
    for (short u = 1; u <= 300; ++u) {
        EXPECT_TRUE(set.Insert(hcp::PairKey(u, static_cast<short>(u + 1))));
        EXPECT_FALSE(set.Insert(hcp::PairKey(static_cast<short>(u + 1), u)));
    }
    EXPECT_EQ(set.Size(), 300u);
    for (short u = 1; u <= 300; ++u) EXPECT_TRUE(set.Contains(hcp::PairKey(u, static_cast<short>(u + 1))));
    EXPECT_FALSE(set.Contains(hcp::PairKey(1, 3)));
    set.Clear();
    EXPECT_EQ(set.Size(), 0u);
    EXPECT_FALSE(set.Contains(hcp::PairKey(1, 2)));
    // A few keys after a large clear, then a clear of only those.
    EXPECT_TRUE(set.Insert(hcp::RecordKey(1, 2, 3, 4)));
    EXPECT_TRUE(set.Insert(hcp::RecordKey(1, 2, 3, 4, 5)));
    set.Clear();
    EXPECT_TRUE(set.Insert(hcp::RecordKey(4, 3, 2, 1)));
}

}  // namespace
