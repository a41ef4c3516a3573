// fhcp_bench --seeds: one table per seed, then what held across them. The
// graphs are small enough that every pass decides them in milliseconds,
// except one FHCP graph that a fraction of a second never decides.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A folder as the benchmark reads one: graph1 has no cycle (the Petersen
// graph), graph2 has one (a hexagon), and published.csv says the published
// method solves graph2 in 0.5 s and graph1 not at all.
void MakeFolder(const TempDir& dir)
{
    std::filesystem::copy_file(std::string(TOURVANE_EXAMPLES) + "/petersen.hcp", dir / "graph1.hcp");
    std::filesystem::copy_file(kData + "/hexagon.hcp", dir / "graph2.hcp");
    WriteFile(dir / "published.csv", "graph,cegar_best_s,cegar_vbs_s,asp_s\n1,TO,TO,TO\n2,0.5,0.5,0.5\n");
}

}  // namespace

TEST(FhcpBenchSeeds, RunsEveryTableAndSumsUpWhatHeldAtEverySeed)
{
    TempDir dir;
    MakeFolder(dir);
    const ToolRun run = RunTool(FHCP_BENCH_PROGRAM, {"--seeds", "3-5", "--limit", "20", dir.path().string()}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* seed : {"seed 3,", "seed 4,", "seed 5,"}) EXPECT_EQ(Count(run.out, seed), 1u) << seed << run.out;
    EXPECT_EQ(Count(run.out, "seed 6,"), 0u) << run.out;
    EXPECT_EQ(Count(run.out, "graph1.hcp "), 3u) << run.out;
    EXPECT_EQ(Count(run.out, "NO_CYCLE"), 3u) << run.out;
    EXPECT_EQ(Count(run.out, "solved 2 of 2 in 20 s each"), 3u) << run.out;
    EXPECT_NE(run.out.find("across seeds 3 to 5: 2 2 2 of 2 decided\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("decided at every seed: 2; at none: 0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("graphs within 20 s: 1 of 1 decided at every seed\n"), std::string::npos) << run.out;
}

TEST(FhcpBenchSeeds, AGraphNeverDecidedIsCountedAtNone)
{
    const std::string hard = std::string(TOURVANE_SHARED_DIR) + "/bench/fhcpcs-more/graph705.hcp";
    if (!std::filesystem::exists(hard)) GTEST_SKIP() << "needs " << hard;
    TempDir dir;
    MakeFolder(dir);
    const ToolRun run =
        RunTool(FHCP_BENCH_PROGRAM, {"--seeds", "1-2", "--limit", "0.2", (dir / "graph2.hcp").string(), hard}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("across seeds 1 to 2: 1 1 of 2 decided\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("decided at every seed: 1; at none: 1\n"), std::string::npos) << run.out;
}

TEST(FhcpBenchSeeds, OneSeedPrintsNoSummaryAndBadRangesAreRefused)
{
    TempDir dir;
    MakeFolder(dir);
    const ToolRun one = RunTool(FHCP_BENCH_PROGRAM, {"--seeds", "7", dir.path().string()}, dir.path());
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(Count(one.out, "seed 7,"), 1u) << one.out;
    EXPECT_EQ(one.out.find("across seeds"), std::string::npos) << one.out;
    for (const char* bad : {"3-1", "0-2", "2x", "1-", "-3", "1-2-3"}) {
        const ToolRun run = RunTool(FHCP_BENCH_PROGRAM, {"--seeds", bad, dir.path().string()}, dir.path());
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.out, "") << bad;
        EXPECT_EQ(run.err, std::string("fhcp_bench: --seeds wants FIRST-LAST, 1 <= FIRST <= LAST, not '") + bad + "'\n")
            << bad;
    }
}
