// Bit vector: spare bits, resizing, equality, counting and searching, the
// binary operators with their size check, and the stream forms.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "graph/bitvec.h"

namespace {

CBitVec FromString(const char* bits) {
    std::uint32_t n = static_cast<std::uint32_t>(std::string(bits).size());
    CBitVec v(n);
    for (std::uint32_t k = 0; k < n; ++k) v.SetBit(k, bits[k] == '1');
    return v;
}

}  // namespace

TEST(BitVecStorage, FillCarriesSpareBitsAndGrowingClearsThem) {
    CBitVec v(10);
    v = true;
    ASSERT_EQ(v.Bytes(), 2u);
    EXPECT_EQ(v.m_pData[0], 0xFF);
    EXPECT_EQ(v.m_pData[1], 0xFF);
    BYTE* block = v.m_pData;
    ASSERT_TRUE(v.Resize(12));
    EXPECT_EQ(v.m_pData, block) << "same byte count keeps the block";
    EXPECT_TRUE(v.GetBit(9));
    EXPECT_FALSE(v.GetBit(10));
    EXPECT_FALSE(v.GetBit(11));
    ASSERT_TRUE(v.Resize(40));
    EXPECT_EQ(v.Count(), 10u);
    EXPECT_EQ(v.m_pData[4], 0);
}

TEST(BitVecStorage, ShrinkingKeepsBytesButCountsOnlyLiveBits) {
    CBitVec v(10, true);
    ASSERT_TRUE(v.Resize(4));
    EXPECT_EQ(v.Bytes(), 1u);
    EXPECT_EQ(v.m_pData[0], 0xFF);
    EXPECT_EQ(v.Count(), 4u);
    ASSERT_TRUE(v.Resize(0));
    EXPECT_EQ(v.m_pData, nullptr);
    EXPECT_EQ(v.Count(), 0u);
}

TEST(BitVecStorage, BitKLivesInByteKDiv8AtMaskKMod8) {
    CBitVec v(20);
    v.SetBit(0, true);
    v.SetBit(9, true);
    v.SetBit(19, true);
    EXPECT_EQ(v.m_pData[0], 0x01);
    EXPECT_EQ(v.m_pData[1], 0x02);
    EXPECT_EQ(v.m_pData[2], 0x08);
    v.SetBit(9, false);
    EXPECT_EQ(v.m_pData[1], 0x00);
}

TEST(BitVecStorage, CopiesAreDeepAndBufferConstructionCopiesBytes) {
    CBitVec a = FromString("1011");
    CBitVec b(a);
    b.SetBit(1, true);
    EXPECT_FALSE(a.GetBit(1));
    const BYTE buf[2] = {0x81, 0x01};
    CBitVec c(buf, 9);
    EXPECT_TRUE(c.GetBit(0));
    EXPECT_TRUE(c.GetBit(7));
    EXPECT_TRUE(c.GetBit(8));
    EXPECT_EQ(c.Count(), 3u);
    a = c;
    EXPECT_EQ(a, c);
    a = a;
    EXPECT_EQ(a.Count(), 3u);
}

TEST(BitVecStorageDeathTest, NullBufferIsFatal) {
    EXPECT_EXIT(CBitVec(nullptr, 0), testing::ExitedWithCode(1), "Initialization from nil buffer");
}

TEST(BitVecAccess, OutOfRangeIndexIsReportedAndHarmless) {
    CBitVec v(5);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(v.GetBit(5));
    v.SetBit(100, true);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Index 5 is out of range 5"), std::string::npos) << err;
    EXPECT_NE(err.find("Index 100 is out of range 5"), std::string::npos) << err;
    EXPECT_EQ(v.Count(), 0u);
    CBitVec empty;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(empty.GetBit(0));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}

TEST(BitVecQueries, EqualityIgnoresSpareBits) {
    CBitVec a(10), b(10);
    a.m_pData[1] = 0xFC;  // spare bits 10..15 only
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    b.SetBit(9, true);
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(CBitVec(10) == CBitVec(11));
    EXPECT_TRUE(CBitVec() == CBitVec());
}

TEST(BitVecQueries, EqualityWithBool) {
    EXPECT_TRUE(CBitVec() == true);
    EXPECT_TRUE(CBitVec() == false);
    CBitVec v(10, false);
    v.m_pData[1] = 0xFC;
    EXPECT_TRUE(v == false);
    CBitVec w(10, true);
    w.m_pData[1] = 0x03;
    EXPECT_TRUE(w == true);
    w.SetBit(3, false);
    EXPECT_FALSE(w == true);
    EXPECT_FALSE(w == false);
}

TEST(BitVecQueries, HashFoldsLiveBitsOnly) {
    CBitVec a = FromString("1100000001");
    CBitVec b(a);
    b.m_pData[1] |= 0xF0;  // spare bits
    EXPECT_EQ(a.Hash(), b.Hash());
    // h = n; h = rotl5(h) ^ 0x03; h = rotl5(h) ^ 0x02
    std::uint32_t h = 10;
    h = ((h << 5) | (h >> 27)) ^ 0x03;
    h = ((h << 5) | (h >> 27)) ^ 0x02;
    EXPECT_EQ(a.Hash(), h);
    EXPECT_EQ(CBitVec().Hash(), 0u);
}

TEST(BitVecQueries, CountOverManyWords) {
    CBitVec v(1001);
    for (std::uint32_t k = 0; k < 1001; k += 3) v.SetBit(k, true);
    EXPECT_EQ(v.Count(), 334u);
    v = true;
    EXPECT_EQ(v.Count(), 1001u);
}

TEST(BitVecQueries, ComplementFlipsWholeBytes) {
    CBitVec v = FromString("1010000001");
    CBitVec c = ~v;
    EXPECT_EQ(c.Size(), 10u);
    EXPECT_EQ(c.m_pData[0], static_cast<BYTE>(~v.m_pData[0]));
    EXPECT_EQ(c.m_pData[1], static_cast<BYTE>(~v.m_pData[1]));
    EXPECT_EQ(c.Count(), 7u);
}

TEST(BitVecSearch, FirstSetAndFirstClear) {
    BYTE block[2] = {0x00, 0x02};
    EXPECT_EQ(FirstSet(block, 16), 9);
    EXPECT_EQ(FirstSet(block, 9), -1) << "bit 9 is beyond n";
    BYTE ones[2] = {0xFF, 0xFF};
    EXPECT_EQ(FirstClear(ones, 9), -1);
    BYTE some[2] = {0xFF, 0xEF};
    EXPECT_EQ(FirstClear(some, 16), 12);
    EXPECT_EQ(FirstSet(block, 0), -1);
}

TEST(BitVecOperators, CombineByteWise) {
    CBitVec a = FromString("1100"), b = FromString("1010");
    EXPECT_EQ(a & b, FromString("1000"));
    EXPECT_EQ(a | b, FromString("1110"));
    EXPECT_EQ(a ^ b, FromString("0110"));
}

TEST(BitVecOperators, DifferentSizesReportAndCombineTheCommonBytes) {
    CBitVec longer(20, true), shorter(4);
    testing::internal::CaptureStderr();
    CBitVec r = longer & shorter;
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Binary bitwise operator on two CBitVecs: \ndimensions are not equal"), std::string::npos);
    EXPECT_EQ(r.Size(), 20u);
    EXPECT_EQ(r.m_pData[0], 0x00);
    EXPECT_EQ(r.m_pData[1], 0xFF) << "bytes beyond the right operand stay as the left has them";
    testing::internal::CaptureStderr();
    CBitVec s = shorter | longer;
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(s.Size(), 4u);
    EXPECT_EQ(s.Count(), 4u);
    testing::internal::CaptureStderr();
    CBitVec e = CBitVec() ^ longer;
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(e.Size(), 0u);
}

TEST(BitVecText, WritesTwentyFiveItemsPerLine) {
    CBitVec v(26, true);
    std::ostringstream os;
    os << v;
    std::string expected = "[\n  ";
    for (int k = 0; k < 25; ++k) expected += "1 ";
    expected += "\n  1 \n]";
    EXPECT_EQ(os.str(), expected);
    std::ostringstream empty;
    empty << CBitVec();
    EXPECT_EQ(empty.str(), "[\n  \n]");
}

TEST(BitVecText, ReadsBackWhatItWrites) {
    for (std::uint32_t n : {0u, 1u, 25u, 26u, 33u, 100u}) {
        CBitVec v(n);
        for (std::uint32_t k = 0; k < n; k += 2) v.SetBit(k, true);
        std::stringstream ss;
        ss << v;
        CBitVec r(3, true);
        ss >> r;
        EXPECT_FALSE(ss.fail()) << n;
        EXPECT_EQ(r, v) << n;
    }
}

TEST(BitVecText, BareFormAndBadInput) {
    std::istringstream bare("1 0 1 1");
    CBitVec r;
    bare >> r;
    EXPECT_EQ(r, FromString("1011"));
    EXPECT_FALSE(bare.fail());

    CBitVec keep = FromString("111");
    std::istringstream cut("[ 1 0 1");
    cut >> keep;
    EXPECT_TRUE(cut.fail());
    EXPECT_EQ(keep, FromString("111")) << "a cut-off list leaves the vector as it was";
    std::istringstream junk("[ 1 x ]");
    junk >> keep;
    EXPECT_TRUE(junk.fail());
    EXPECT_EQ(keep, FromString("111"));
}

TEST(BitVecBinary, RoundTrip) {
    CBitVec v(37);
    v.SetBit(1, true);   // first byte 0x02: not an ASCII digit
    v.SetBit(36, true);
    std::stringstream ss;
    v.WriteBinary(ss);
    EXPECT_EQ(ss.str().substr(0, 2), "37");
    EXPECT_EQ(ss.str().size(), 2u + 5u);
    CBitVec r(3);
    r.ReadBinary(ss);
    EXPECT_EQ(r, v);
    std::stringstream zero;
    CBitVec().WriteBinary(zero);
    r.ReadBinary(zero);
    EXPECT_EQ(r.Size(), 0u);
}

TEST(BitVecBinary, TruncatedInputLeavesVectorUnchanged) {
    std::istringstream ss("64\x01\x02");
    CBitVec r = FromString("101");
    r.ReadBinary(ss);
    EXPECT_TRUE(ss.fail());
    EXPECT_EQ(r, FromString("101"));
}
