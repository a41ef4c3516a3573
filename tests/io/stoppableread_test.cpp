// Waiting readers: a FIFO nobody writes to, a writer that stalls half way
// and standard input that never ends all give way to a stop request or the
// time limit, and a graph that has arrived is handed out without waiting
// for what follows. A reader that ignores these hangs here until ctest's
// timeout.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <stop_token>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "io/graph6.h"
#include "io/graphfile.h"
#include "io/graphsource.h"

namespace fs = std::filesystem;

namespace {

using hcp::GraphSource;
using hcp::SourceItem;

class StoppableRead : public testing::Test {
protected:
    void SetUp() override
    {
        std::signal(SIGPIPE, SIG_IGN);
        m_dir = fs::temp_directory_path()
              / ("tourvane_stoppable_" + std::to_string(::getpid()) + "_"
                 + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Fifo(const std::string& name) const
    {
        const std::string p = (m_dir / name).string();
        EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
        return p;
    }

    // Options whose stop is requested after `after`, by a thread the
    // fixture joins.
    hcp::ReadOptions StopAfter(std::chrono::milliseconds after)
    {
        hcp::ReadOptions options;
        options.stop = m_stop.get_token();
        m_stopper = std::jthread([this, after] {
            std::this_thread::sleep_for(after);
            m_stop.request_stop();
        });
        return options;
    }

    fs::path m_dir;
    std::stop_source m_stop;
    std::jthread m_stopper;
};

std::string Message(const std::exception& e) { return e.what(); }

// Opening a FIFO waits for its writer; here opening returns at once and
// the wait that follows ends on request or at the time limit.
TEST_F(StoppableRead, AFifoWithoutAWriterGivesWayToAStopAndToTheTimeLimit)
{
    const std::string fifo = Fifo("nowriter.g6");
    {
        GraphSource s(fifo, StopAfter(std::chrono::milliseconds(100)));
        SourceItem item;
        try {
            s.Next(item);
            ADD_FAILURE() << "read from a FIFO without a writer";
        } catch (const hcp::ReadStopped& e) {
            EXPECT_EQ(Message(e), fifo + ": reading stopped");
        }
    }
    hcp::ReadOptions limited;
    limited.timeLimit = 0.2;
    try {
        hcp::ReadGraph(fifo, limited);
        ADD_FAILURE() << "read from a FIFO without a writer";
    } catch (const hcp::ReadStopped& e) {
        EXPECT_EQ(Message(e), fifo + ": time limit reached while reading");
    }
}

// A writer that sends one graph and then stalls: the graph comes out while
// the writer still holds the FIFO open, and the wait for the next ends on
// request.
TEST_F(StoppableRead, AGraphThatHasArrivedIsHandedOutWhileTheStreamStalls)
{
    const std::string fifo = Fifo("stalled.g6");
    std::jthread writer([&](std::stop_token release) {
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "Bw\n", 3), 3);
        while (!release.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::close(fd);
    });
    hcp::ReadOptions options;
    options.stop = m_stop.get_token();
    GraphSource s(fifo, options);
    SourceItem item;
    ASSERT_TRUE(s.Next(item));   // waits for no more than the line end
    EXPECT_EQ(item.graph, hcp::DecodeGraph6("Bw"));
    m_stopper = std::jthread([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        m_stop.request_stop();
    });
    EXPECT_THROW(s.Next(item), hcp::ReadStopped);
    writer.request_stop();
}

// A stream's time limit bounds the wait for its first graph only: after
// that a generator may pause between graphs for longer than the limit (as
// nauty's do between bursts), and the stream is read to its end.
TEST_F(StoppableRead, AStreamsTimeLimitBoundsOnlyTheWaitForItsFirstGraph)
{
    const std::string fifo = Fifo("slow.g6");
    std::jthread writer([&] {
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        for (int k = 0; k < 4; ++k) {
            if (k > 0) std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ASSERT_EQ(::write(fd, "C~\n", 3), 3);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::close(fd);
    });
    hcp::ReadOptions options;
    options.timeLimit = 0.2;   // shorter than every pause
    GraphSource s(fifo, options);
    int graphs = 0;
    for (SourceItem item; s.Next(item);) {
        EXPECT_TRUE(item.error.empty()) << item.error;
        ++graphs;
    }
    EXPECT_EQ(graphs, 4);
}

// An HCP file whose writer stops half way, as a slow download would.
TEST_F(StoppableRead, AHalfSentHcpFileGivesWayToTheTimeLimit)
{
    const std::string fifo = Fifo("half.hcp");
    std::jthread writer([&](std::stop_token release) {
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        const std::string half = "NAME: half\nDIMENSION: 4\nEDGE_DATA_SECTION\n1 2\n2 3\n";
        ASSERT_EQ(::write(fd, half.data(), half.size()), static_cast<ssize_t>(half.size()));
        while (!release.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::close(fd);
    });
    hcp::ReadOptions options;
    options.timeLimit = 0.2;
    try {
        hcp::ReadGraph(fifo, options);
        ADD_FAILURE() << "read a half-sent file";
    } catch (const hcp::ReadStopped& e) {
        EXPECT_EQ(Message(e), fifo + ": time limit reached while reading");
    }
    writer.request_stop();
}

// Standard input that stays open without a line: the format cannot even be
// told, and the stop ends that wait too.
TEST_F(StoppableRead, StandardInputThatNeverSendsALineGivesWayToAStop)
{
    const std::string fifo = Fifo("stdin");
    std::jthread writer([&](std::stop_token release) {
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "C", 1), 1);
        while (!release.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::close(fd);
    });
    ASSERT_NE(std::freopen(fifo.c_str(), "rb", stdin), nullptr);
    EXPECT_THROW(GraphSource("-", StopAfter(std::chrono::milliseconds(100))), hcp::ReadStopped);
    writer.request_stop();
    writer.join();
    ASSERT_NE(std::freopen("/dev/null", "rb", stdin), nullptr);
}

}  // namespace
