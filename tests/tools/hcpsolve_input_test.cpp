// hcpsolve reading its inputs: every file the reader refuses is an ERROR
// with exit status 2; a FIFO is read in one pass; a read that does not end
// is ended by the time limit or Ctrl-C.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "runtool.h"

using namespace tooltest;

namespace {

ToolRun Solve(const TempDir& dir, std::vector<std::string> args, int interruptAfterMs = 0)
{
    return RunTool(HCPSOLVE_PROGRAM, args, dir.path(), interruptAfterMs);
}

const std::string kTriangle = "NAME: t\nTYPE: HCP\nDIMENSION: 3\nEDGE_DATA_SECTION\n1 2\n2 3\n3 1\n-1\nEOF\n";

// Feeds a FIFO from a thread: once the text, or edge lines without end
// until the reader goes away.
class FifoWriter {
public:
    FifoWriter(const std::filesystem::path& fifo, std::string text, bool endless)
    {
        std::signal(SIGPIPE, SIG_IGN);
        m_thread = std::thread([fifo, text, endless] {
            std::ofstream out(fifo);
            out << text;
            while (endless && out << "1 2\n2 3\n") {
            }
        });
    }
    ~FifoWriter() { m_thread.join(); }

private:
    std::thread m_thread;
};

}  // namespace

TEST(HcpsolveInput, EveryRefusedGraphFileIsAnErrorWithStatusTwo)
{
    TempDir dir;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(IO_TEST_DATA)) {
        const std::string path = entry.path().string();
        // The one file refused only by the legacy reader's 32,767-node bound.
        if (entry.path().extension() != ".hcp" || entry.path().filename() == "dimension_too_large.hcp") continue;
        ++files;
        const ToolRun run = Solve(dir, {path});
        EXPECT_EQ(run.status, 2) << path << "\n" << run.out << run.err;
        EXPECT_NE(run.out.find("ERROR"), std::string::npos) << path << ": " << run.out;
        EXPECT_NE(run.err.find(path + ":"), std::string::npos) << path << ": " << run.err;
    }
    EXPECT_GT(files, 40);
}

TEST(HcpsolveInput, AFifoIsReadInOnePass)
{
    TempDir dir;
    const auto fifo = dir / "graph.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ToolRun run;
    {
        FifoWriter writer(fifo, kTriangle, false);
        run = Solve(dir, {"graph.fifo"});
    }
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("HAMILTONIAN"), std::string::npos) << run.out;
}

namespace {

// hcpsolve reading endless.fifo, whose writer sends a header and then
// edge lines without end.
ToolRun SolveEndlessFifo(const TempDir& dir, std::vector<std::string> args, int interruptAfterMs = 0)
{
    const auto fifo = dir / "endless.fifo";
    if (::mkfifo(fifo.c_str(), 0600) != 0) ADD_FAILURE() << "cannot make " << fifo;
    FifoWriter writer(fifo, "NAME: e\nDIMENSION: 3\nEDGE_DATA_SECTION\n", true);
    args.push_back("endless.fifo");
    return Solve(dir, args, interruptAfterMs);
}

}  // namespace

TEST(HcpsolveInput, TheTimeLimitEndsAReadThatNeverEnds)
{
    TempDir dir;
    const ToolRun run = SolveEndlessFifo(dir, {"--time-limit", "1"});
    // Out of time is NOT_FOUND, whether the time went on reading or on
    // searching; the read still says what happened.
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("NOT_FOUND"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("time=0.000s"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("time limit reached while reading"), std::string::npos) << run.err;
    EXPECT_LT(run.seconds, 30.0) << "returns at all";
}

TEST(HcpsolveInput, CtrlCEndsAReadThatNeverEnds)
{
    TempDir dir;
    const ToolRun run = SolveEndlessFifo(dir, {}, 500);
    EXPECT_EQ(run.status, 130) << run.out << run.err;
    EXPECT_LT(run.seconds, 30.0) << "returns at all";
}

TEST(HcpsolveOutput, ResultsThatCannotBeWrittenEndTheRunWithStatusTwo)
{
    TempDir dir;
    WriteFile(dir / "t.hcp", kTriangle);
    for (const std::string format : {"text", "csv", "json"}) {
        const ToolRun run = RunTool("/bin/sh", {"-c", std::string("exec ") + HCPSOLVE_PROGRAM + " --format "
                                                          + format + " t.hcp t.hcp > /dev/full"},
                                    dir.path());
        EXPECT_EQ(run.status, 2) << format << ": " << run.err;
        EXPECT_NE(run.err.find("cannot write the results to standard output: No space left on device"),
                  std::string::npos)
            << run.err;
    }
}

// A file name is any bytes: the text line escapes control characters and
// the tour written for it can be checked again.
TEST(HcpsolveOutput, NamesWithControlCharactersStayOneLine)
{
    TempDir dir;
    const std::string name = "a\nb\x1b[2J.hcp";
    WriteFile(dir / name, ReadFile(std::string(TOOLS_TEST_DATA) + "/hexagon.hcp"));
    const ToolRun run = Solve(dir, {"-o", "tours", name});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(SplitLines(run.out).size(), 1u) << run.out;
    EXPECT_EQ(run.out.rfind("a\\nb\\x1B[2J.hcp: N=6 ", 0), 0u) << run.out;
    const std::string tour = "tours/a\nb\x1b[2J.tour";
    EXPECT_EQ(SplitLines(ReadFile(dir / tour))[0], "NAME: a\\nb\\x1B[2J.hcp");
    const ToolRun check = Solve(dir, {"--verify", name, tour});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_EQ(SplitLines(check.out).size(), 1u) << check.out;
}

// A tour without line ends is refused once its line passes the bound,
// instead of growing without end.
TEST(HcpsolveOutput, VerifyOfAnEndlessTourStopsWithAnError)
{
    TempDir dir;
    const ToolRun run = Solve(dir, {"--verify", std::string(TOOLS_TEST_DATA) + "/hexagon.hcp", "/dev/zero"});
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.err.find("/dev/zero:1: line is longer than"), std::string::npos) << run.err;
    EXPECT_LT(run.seconds, 60.0) << "returns at all";
}

// Two inputs with the same base name: each tour gets a name of its own,
// and the renamed one is reported on its result line.
TEST(HcpsolveOutput, InputsWithTheSameBaseNameGetTheirOwnTours)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    WriteFile(dir / "a/g.hcp", ReadFile(std::string(TOOLS_TEST_DATA) + "/hexagon.hcp"));
    WriteFile(dir / "b/g.hcp", kTriangle);
    const ToolRun run = Solve(dir, {"-o", "out", "a/g.hcp", "b/g.hcp"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0].find(" tour="), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1].substr(lines[1].size() - 18), " tour=out/g-2.tour") << lines[1];
    EXPECT_EQ(ListDir(dir / "out"), (std::vector<std::string>{"g-2.tour", "g.tour"}));
    EXPECT_EQ(Solve(dir, {"--verify", "a/g.hcp", "out/g.tour"}).status, 0);
    EXPECT_EQ(Solve(dir, {"--verify", "b/g.hcp", "out/g-2.tour"}).status, 0);
}

// A run that ends with gaps never writes over a tour on disk that is a
// better order of the same graph; a worse one it replaces.
TEST(HcpsolveOutput, ABetterTourOnDiskIsKept)
{
    const std::string bench = std::string(TOURVANE_SHARED_DIR) + "/bench/fhcpcs/";
    if (!std::filesystem::exists(bench + "graph200.hcp.tou")) GTEST_SKIP() << "no benchmark set";
    TempDir dir;
    WriteFile(dir / "graph200.hcp", ReadFile(bench + "graph200.hcp"));
    std::filesystem::create_directories(dir / "tours");
    const std::string published = ReadFile(bench + "graph200.hcp.tou");
    WriteFile(dir / "tours/graph200.tour", published);
    // With one restart, min ends some gaps short of a cycle on this graph.
    const std::vector<std::string> args = {"-o", "tours", "--method", "min", "--restarts", "1", "graph200.hcp"};
    const ToolRun run = Solve(dir, args);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("NOT_FOUND"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("tours/graph200.tour already holds a cycle of graph200.hcp (H=0)"), std::string::npos)
        << run.err;
    EXPECT_EQ(ReadFile(dir / "tours/graph200.tour"), published);

    std::string identity = "NAME: x\nTYPE: TOUR\nDIMENSION: 1200\nTOUR_SECTION\n";
    for (int v = 1; v <= 1200; ++v) identity += std::to_string(v) + "\n";
    WriteFile(dir / "tours/graph200.tour", identity + "-1\nEOF\n");
    const ToolRun again = Solve(dir, args);
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "");
    EXPECT_NE(ReadFile(dir / "tours/graph200.tour").find("COMMENT: HCP solution (H="), std::string::npos);
}

// A million restarts cost nothing until they run: under a 200 MB address
// space limit the run works through its time limit as usual.
TEST(HcpsolveInput, ManyRestartsAreNotReservedUpFront)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // A sanitizer reserves terabytes of shadow address space at start-up.
    GTEST_SKIP() << "an address-space cap cannot hold a sanitizer build";
#endif
    TempDir dir;
    WriteFile(dir / "p.hcp", ReadFile(std::string(TOURVANE_EXAMPLES) + "/petersen.hcp"));
    const ToolRun run = RunTool("/bin/sh", {"-c", std::string("ulimit -v 200000; exec ") + HCPSOLVE_PROGRAM
                                                      + " --method exist --jobs 2 --restarts 1000000 --time-limit 1 p.hcp"},
                                dir.path());
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("NOT_FOUND H=1"), std::string::npos) << run.out;
    EXPECT_LT(run.seconds, 60.0) << "returns at all";
}

// A tour on disk that skips a fixed edge is no cycle of the file, however
// few its gaps: the keeper does not hold on to it as one.
TEST(HcpsolveOutput, ATourOnDiskThatSkipsAFixedEdgeIsNotKeptAsACycle)
{
    TempDir dir;
    const std::string data = TOOLS_TEST_DATA;
    WriteFile(dir / "g.hcp", ReadFile(data + "/hexagon_fixed_chord.hcp"));
    std::filesystem::create_directories(dir / "tours");
    const std::string skipping = ReadFile(data + "/hexagon_other_program.tour");
    WriteFile(dir / "tours/g.tour", skipping);
    const ToolRun run = Solve(dir, {"-o", "tours", "--method", "min", "g.hcp"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    // The ring's one skipped edge is its one gap: it may be kept as a better
    // order, never as a cycle.
    EXPECT_EQ(run.err.find("already holds a cycle"), std::string::npos) << run.err;
    if (run.err.find("already holds a better order of g.hcp (H=1)") == std::string::npos) {
        EXPECT_NE(ReadFile(dir / "tours/g.tour"), skipping) << run.err;
    }
}

// Inputs whose header or line asks for more than the data carries: each is
// one ERROR line at once, in little memory, and the run goes on.
TEST(HcpsolveInput, HeadersBeyondTheirDataAndEndlessLinesAreErrorLinesOfTheirOwn)
{
    TempDir dir;
    WriteFile(dir / "huge.col", "p edge 2147483647 1\n");
    WriteFile(dir / "huge.s6", ":~~?A????\n");
    std::filesystem::create_symlink("/dev/zero", dir / "zero.g6");
    WriteFile(dir / "t.hcp", kTriangle);
    const ToolRun run = Solve(dir, {"huge.col", "huge.s6", "zero.g6", "t.hcp"});
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.out.find("huge.col: ERROR"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("huge.s6:1: ERROR"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("zero.g6:1: ERROR"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("t.hcp: N=3 edges=3 HAMILTONIAN"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("huge.col:1: the problem line gives 2147483647 nodes"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("zero.g6:1: line is longer than"), std::string::npos) << run.err;
}

// A FIFO nobody writes to: --time-limit ends the wait (the graph is not
// found in time), and so does Ctrl-C.
TEST(HcpsolveInput, AFifoWithoutAWriterEndsAtTheTimeLimitAndOnCtrlC)
{
    TempDir dir;
    const std::filesystem::path fifo = dir / "nowriter.g6";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const ToolRun limited = Solve(dir, {"--time-limit", "0.5", "nowriter.g6"});
    EXPECT_EQ(limited.status, 1) << limited.out << limited.err;
    EXPECT_NE(limited.out.find("nowriter.g6: N=0 edges=0 NOT_FOUND"), std::string::npos) << limited.out;
    const ToolRun stopped = Solve(dir, {"nowriter.g6"}, 300);
    EXPECT_EQ(stopped.status, 130) << stopped.out << stopped.err;
    EXPECT_LT(stopped.seconds, 30.0) << "returns at all";
}

// --verify reads what follows a tour's closing -1: a second section is no
// tour this file states once.
TEST(HcpsolveOutput, VerifyRefusesATourWithASecondSection)
{
    TempDir dir;
    WriteFile(dir / "t.hcp", kTriangle);
    WriteFile(dir / "t.tour", "TYPE: TOUR\nDIMENSION: 3\nTOUR_SECTION\n1\n2\n3\n-1\nTOUR_SECTION\n1\n3\n2\n-1\nEOF\n");
    const ToolRun run = Solve(dir, {"--verify", "t.hcp", "t.tour"});
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.err.find("t.tour:8: a second TOUR_SECTION"), std::string::npos) << run.err;
}
