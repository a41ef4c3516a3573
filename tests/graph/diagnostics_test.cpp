// Where the reader's rejection lines go: the calling thread's sink, never
// another thread's, std::cerr when none is set, and nowhere from ReadGraph,
// whose exception carries the message instead.
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "graph/bitgraph.h"
#include "graph/diagnostics.h"
#include "io/graphfile.h"

namespace {

const std::string kData = std::string(TOURVANE_SOURCE_DIR) + "/tests/io/data";

// Captures std::cerr for the lifetime of the object (single-threaded use).
class CerrCapture {
public:
    CerrCapture() : m_saved(std::cerr.rdbuf(m_text.rdbuf())) {}
    ~CerrCapture() { std::cerr.rdbuf(m_saved); }
    std::string Text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
    std::streambuf* m_saved;
};

}  // namespace

TEST(Diagnostics, RejectionGoesToTheThreadSinkOrToCerr)
{
    const std::string bad = kData + "/edge_self_loop.hcp";
    CerrCapture cerr;
    {
        std::ostringstream sink;
        hcp::DiagnosticsScope scope(&sink);
        CBitGraph g;
        EXPECT_FALSE(g.Load(bad.c_str()));
        EXPECT_NE(sink.str().find("edge_self_loop.hcp:"), std::string::npos) << sink.str();
        EXPECT_EQ(sink.str(), std::string(hcp::LastLoadError()) + "\n");
    }
    EXPECT_EQ(cerr.Text(), "");
    EXPECT_EQ(hcp::ThreadDiagnostics(), nullptr) << "the scope restores the default";
    CBitGraph g;
    EXPECT_FALSE(g.Load(bad.c_str()));
    EXPECT_EQ(cerr.Text(), std::string(hcp::LastLoadError()) + "\n") << "legacy callers still see it";
}

TEST(Diagnostics, ScopesNestAndNullDropsTheLines)
{
    std::ostringstream outer;
    hcp::DiagnosticsScope a(&outer);
    {
        hcp::DiagnosticsScope b(nullptr);
        hcp::Diagnostics() << "dropped\n";
    }
    hcp::Diagnostics() << "kept\n";
    EXPECT_EQ(outer.str(), "kept\n");
}

TEST(Diagnostics, EachThreadKeepsItsOwnSink)
{
    // Several threads read bad files at once, each into its own sink: every
    // sink holds exactly its own file's line.
    const std::vector<std::string> files = {"edge_self_loop.hcp", "edge_node_zero.hcp",
                                            "edge_negative_node.hcp", "empty_file.hcp"};
    std::vector<std::string> seen(files.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < files.size(); ++i)
        threads.emplace_back([&, i] {
            for (int round = 0; round < 20; ++round) {
                std::ostringstream sink;
                hcp::DiagnosticsScope scope(&sink);
                CBitGraph g;
                g.Load((kData + "/" + files[i]).c_str());
                if (round == 0) seen[i] = sink.str();
                else if (sink.str() != seen[i]) seen[i] = "changed: " + sink.str();
            }
        });
    for (auto& t : threads) t.join();
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_FALSE(seen[i].empty()) << files[i];
        EXPECT_EQ(seen[i].rfind("changed", 0), std::string::npos) << seen[i];
    }
    EXPECT_NE(seen[0].find("edge_self_loop.hcp"), std::string::npos) << seen[0];
}

TEST(Diagnostics, ReadGraphWritesNothingAndThrowsTheLine)
{
    CerrCapture cerr;
    try {
        hcp::ReadGraph(kData + "/edge_self_loop.hcp");
        FAIL() << "a self-loop file was accepted";
    } catch (const hcp::FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("edge_self_loop.hcp:"), std::string::npos) << e.what();
    }
    EXPECT_EQ(cerr.Text(), "");
}
