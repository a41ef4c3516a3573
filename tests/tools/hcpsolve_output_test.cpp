// hcpsolve output: the CSV and JSON Lines formats, and the tour files that
// -o writes (only checked cycles, atomically, in the tour file layout).
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include "runtool.h"

using namespace tooltest;

namespace {

const std::string kData = TOOLS_TEST_DATA;
const std::string kExamples = TOURVANE_EXAMPLES;

ToolRun Solve(const TempDir& dir, std::vector<std::string> args)
{
    return RunTool(HCPSOLVE_PROGRAM, args, dir.path());
}

// Splits one CSV record (quoted fields allowed).
std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace

TEST(HcpsolveFormats, JsonLinesCarryEveryFieldWithSeedAndRestart)
{
    TempDir dir;
    const std::string knight = MakeLeaperGraph(dir, 1, 2, 8, 8);
    const ToolRun run = Solve(dir, {"--method", "exist", "--format", "json", "--seed", "40", knight,
                                    kData + "/pendant_node.hcp", kExamples + "/petersen.hcp",
                                    "missing.hcp"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    std::vector<nlohmann::json> rows;
    for (const std::string& line : lines) rows.push_back(nlohmann::json::parse(line));

    EXPECT_EQ(rows[0]["file"], knight);
    EXPECT_EQ(rows[0]["n"], 64);
    EXPECT_EQ(rows[0]["edges"], 168);
    EXPECT_EQ(rows[0]["verdict"], "HAMILTONIAN");
    EXPECT_EQ(rows[0]["h"], 0);
    EXPECT_GE(rows[0]["calls"].get<int>(), 1);
    EXPECT_TRUE(rows[0]["seconds"].is_number());
    EXPECT_EQ(rows[0]["seed"].get<long>(), 40 + rows[0]["restart"].get<long>());
    EXPECT_EQ(rows[0]["method"], "exist");

    EXPECT_EQ(rows[1]["verdict"], "NO_CYCLE");
    EXPECT_TRUE(rows[1]["h"].is_null());
    EXPECT_TRUE(rows[1]["restart"].is_null());
    EXPECT_EQ(rows[1]["reason"], "node 4 has degree 1");
    EXPECT_EQ(rows[1]["method"], "exist");
    EXPECT_FALSE(rows[0].contains("reason")) << "only a proof has a reason";

    EXPECT_EQ(rows[2]["verdict"], "NOT_FOUND");
    EXPECT_GT(rows[2]["h"].get<int>(), 0);
    EXPECT_EQ(rows[2]["restart"].get<int>() + 40, rows[2]["seed"].get<int>());

    EXPECT_EQ(rows[3]["verdict"], "ERROR");
    EXPECT_TRUE(rows[3]["n"].is_null());
    EXPECT_NE(rows[3]["error"].get<std::string>().find("missing.hcp"), std::string::npos);
}

TEST(HcpsolveFormats, CsvHasAHeaderAndQuotesAwkwardFileNames)
{
    TempDir dir;
    std::filesystem::copy_file(kData + "/hexagon.hcp", dir / "six, \"sides\".hcp");
    const ToolRun run = Solve(dir, {"--method", "exist", "--format", "csv", "six, \"sides\".hcp", "missing.hcp"});
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    const auto header = CsvFields(lines[0]);
    EXPECT_EQ(header, (std::vector<std::string>{"file", "n", "edges", "verdict", "h", "calls", "seconds",
                                                "seed", "restart", "method", "error", "reason", "tour"}));
    const auto row = CsvFields(lines[1]);
    ASSERT_EQ(row.size(), header.size()) << lines[1];
    EXPECT_EQ(row[0], "six, \"sides\".hcp");
    EXPECT_EQ(row[1], "6");
    EXPECT_EQ(row[2], "7");
    EXPECT_EQ(row[3], "HAMILTONIAN");
    EXPECT_EQ(row[4], "0");
    EXPECT_EQ(row[9], "exist");
    EXPECT_EQ(row[11], "");
    const auto error = CsvFields(lines[2]);
    ASSERT_EQ(error.size(), header.size()) << lines[2];
    EXPECT_EQ(error[3], "ERROR");
    EXPECT_EQ(error[1], "");
}

TEST(HcpsolveTours, CycleIsWrittenInTheTourLayoutAndPassesVerify)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"-o", "out/tours", kData + "/hexagon.hcp"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ListDir(dir / "out/tours"), std::vector<std::string>{"hexagon.tour"});
    const auto lines = SplitLines(ReadFile(dir / "out/tours/hexagon.tour"));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "NAME: hexagon.hcp");
    EXPECT_EQ(lines[1], "TYPE: TOUR");
    EXPECT_EQ(lines[2], "COMMENT: HCP solution (H=0)");
    EXPECT_EQ(lines[3], "DIMENSION: 6");
    EXPECT_EQ(lines[4], "TOUR_SECTION");
    for (int k = 5; k < 11; ++k) EXPECT_EQ(lines[k].substr(0, 2), "  ") << lines[k];
    EXPECT_EQ(lines[11], "-1");
    EXPECT_EQ(lines[12], "EOF");

    const ToolRun check = Solve(dir, {"--verify", kData + "/hexagon.hcp", "out/tours/hexagon.tour"});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
}

TEST(HcpsolveTours, NoTourForFailuresAndNoTemporaryFilesLeft)
{
    TempDir dir;
    const std::string knight = MakeLeaperGraph(dir, 1, 2, 6, 6);
    const ToolRun run = Solve(dir, {"-o", "tours", knight, kExamples + "/petersen.hcp",
                                    kData + "/pendant_node.hcp", "missing.hcp"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(ListDir(dir / "tours"), std::vector<std::string>{"leaper_1_2_6_6.tour"});
}

TEST(HcpsolveTours, MinMethodWritesTheBestOrderWithItsGaps)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--method", "min", "-o", "tours", kExamples + "/petersen.hcp"});
    EXPECT_EQ(run.status, 1);
    const auto lines = SplitLines(ReadFile(dir / "tours/petersen.tour"));
    ASSERT_GE(lines.size(), 3u);
    // The Petersen graph has no Hamiltonian cycle but a Hamiltonian path, so
    // the best order has exactly one gap.
    EXPECT_EQ(lines[2], "COMMENT: HCP solution (H=1)");
    const ToolRun check = Solve(dir, {"--verify", kExamples + "/petersen.hcp", "tours/petersen.tour"});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("NOT_HAMILTONIAN H=1"), std::string::npos) << check.out;
}

TEST(HcpsolveTours, UnwritableTourIsAnErrorNotASilentLoss)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "tours/hexagon.tour");   // a folder in the way
    const ToolRun run = Solve(dir, {"-o", "tours", kData + "/hexagon.hcp"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot write tours/hexagon.tour"), std::string::npos) << run.err;
    EXPECT_EQ(ListDir(dir / "tours"), std::vector<std::string>{"hexagon.tour"});
    EXPECT_TRUE(std::filesystem::is_directory(dir / "tours/hexagon.tour"));
}

// A FIFO or a link to a device at the tour's name is an error and stays
// as it was; the run neither waits on the FIFO nor replaces either.
TEST(HcpsolveTours, OnlyARegularFileIsReplacedByATour)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "tours");
    ASSERT_EQ(::mkfifo((dir / "tours/hexagon.tour").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/null", dir / "tours/h2.tour");
    std::filesystem::copy_file(kData + "/hexagon.hcp", dir / "h2.hcp");
    const ToolRun run = Solve(dir, {"-o", "tours", kData + "/hexagon.hcp", "h2.hcp"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot write tours/hexagon.tour: Is a FIFO, not a regular file"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("cannot write tours/h2.tour: Links to a character device (/dev/null)"), std::string::npos)
        << run.err;
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "tours/hexagon.tour"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "tours/h2.tour"));
    EXPECT_EQ(ListDir(dir / "tours"), (std::vector<std::string>{"h2.tour", "hexagon.tour"}));
}

TEST(HcpsolveFormats, ReasonOfAProofIsAFieldOfEveryFormat)
{
    TempDir dir;
    const std::string g = kData + "/three_forced_paths.hcp";
    const std::string reason = "node 4 has degree 0 once the edges no cycle can use are removed";
    const auto text = SplitLines(Solve(dir, {"--method", "exist", g}).out);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].substr(text[0].size() - reason.size() - 4), "s (" + reason + ")") << text[0];

    const auto csv = SplitLines(Solve(dir, {"--method", "exist", "--format", "csv", g}).out);
    ASSERT_EQ(csv.size(), 2u);
    const auto row = CsvFields(csv[1]);
    ASSERT_EQ(row.size(), 13u) << csv[1];
    EXPECT_EQ(row[3], "NO_CYCLE");
    EXPECT_EQ(row[11], reason);

    const auto json = SplitLines(Solve(dir, {"--format", "json", "--method", "optimize", g}).out);
    ASSERT_EQ(json.size(), 1u);
    const auto j = nlohmann::json::parse(json[0]);
    EXPECT_EQ(j["reason"], reason);
    EXPECT_EQ(j["method"], "optimize");
}
