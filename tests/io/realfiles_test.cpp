// Real TSPLIB HCP files as published, read unmodified: every header style
// of the shared benchmark set (blanks around ':', misspelt keywords, CRLF
// line ends, unpadded and padded edge lines, edges listed in both
// directions, trailing blanks after the last number, a block after the
// first -1). Skipped where the set is not present.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "graph/bitgraph.h"

namespace {

struct Instance {
    const char* path;
    short nodes;
    unsigned edges;
};

// Dimension and distinct-edge count of each file, from the set's catalogue.
const Instance kInstances[] = {
    {"tsplib/alb1000.hcp", 1000, 1998},     // "NAME : x", padded lines, LF
    {"tsplib/alb4000.hcp", 4000, 7997},     // FIXED_EDGES block after -1
    {"tsplib/alb5000.hcp", 5000, 9999},
    {"fhcpcs/graph1.hcp", 66, 99},          // LF variant of the set
    {"fhcpcs/graph2.hcp", 70, 106},         // CRLF, unpadded "1 12"
    {"fhcpcs/graph150.hcp", 823, 169333},   // dense
    {"fhcpcs/graph1001.hcp", 9528, 13968},
    {"tsphcp/SH_64.hcp", 64, 1025},         // "NAME:", edges listed twice
    {"tsphcp/SH_125.hcp", 125, 3907},       // trailing blank on every edge line
    {"tsphcp/GP3_126.hcp", 126, 189},       // "DIMENTION:", EDGE_DATA_SELECTION
    {"tsphcp/GPN_122.hcp", 122, 183},
    {"tsphcp/QN_1044.hcp", 1044, 1517},
    {"tsphcp/COL_1000.hcp", 1086, 1461},
    {"tsphcp/SNm_124.hcp", 124, 187},
};

}  // namespace

TEST(RealFiles, EachHeaderStyleLoadsWithItsDimensionAndEdgeCount) {
    const std::string root = std::string(TOURVANE_SHARED_DIR) + "/bench/";
    if (!std::filesystem::exists(root)) GTEST_SKIP() << "no benchmark set at " << root;
    int loaded = 0;
    for (const Instance& inst : kInstances) {
        std::string path = root + inst.path;
        if (!std::filesystem::exists(path)) continue;
        CBitGraph g;
        ASSERT_TRUE(g.Load(path.c_str())) << path << ": " << hcp::LastLoadError();
        EXPECT_EQ(g.GetDim(), inst.nodes) << path;
        EXPECT_EQ(g.GetEdgeCount(), inst.edges) << path;
        EXPECT_GE(g.GetMinDeg(), 1) << path;
        ++loaded;
    }
    if (loaded == 0) GTEST_SKIP() << "none of the files present";
}

TEST(RealFiles, TrailingBlanksDoNotJoinAnythingToNodeZero) {
    std::string path = std::string(TOURVANE_SHARED_DIR) + "/bench/tsphcp/SH_125.hcp";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path;
    CBitGraph g;
    ASSERT_TRUE(g.Load(path.c_str()));
    EXPECT_TRUE(g.GetEdge(1, 2));    // "1 2 "
    EXPECT_TRUE(g.GetEdge(1, 125));  // "1 125 "
    EXPECT_GE(g.GetMinDeg(), 2);
}
