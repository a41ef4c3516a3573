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

TEST(HcpsolveInput, TheTimeLimitEndsAReadThatNeverEnds)
{
    TempDir dir;
    const auto fifo = dir / "endless.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ToolRun run;
    {
        FifoWriter writer(fifo, "NAME: e\nDIMENSION: 3\nEDGE_DATA_SECTION\n", true);
        run = Solve(dir, {"--time-limit", "1", "endless.fifo"});
    }
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.out.find("ERROR"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("time limit reached while reading"), std::string::npos) << run.err;
    EXPECT_LT(run.seconds, 30.0) << "returns at all";
}

TEST(HcpsolveInput, CtrlCEndsAReadThatNeverEnds)
{
    TempDir dir;
    const auto fifo = dir / "endless.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ToolRun run;
    {
        FifoWriter writer(fifo, "NAME: e\nDIMENSION: 3\nEDGE_DATA_SECTION\n", true);
        run = Solve(dir, {"endless.fifo"}, 500);
    }
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
