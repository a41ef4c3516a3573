// Running out of memory in the middle of a stream: the graph that does not
// fit is a bad entry of its own, and the graphs before and after it are
// read. The cap on the address space is set in a child process, so the
// test program itself keeps its memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "io/graph6.h"
#include "io/graphsource.h"

namespace fs = std::filesystem;

namespace {

// Bytes of address space this process holds now.
std::uint64_t AddressSpaceBytes()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    unsigned long long pages = 0;
    if (f != nullptr) {
        if (std::fscanf(f, "%llu", &pages) != 1) pages = 0;
        std::fclose(f);
    }
    return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGE_SIZE));
}

// What the child found, as its exit status: 0 when all is as it should be.
int ReadStreamUnderCap(const std::string& path, std::uint64_t cap)
{
    const rlimit limit{cap, cap};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) return 10;
    try {
        hcp::GraphSource s(path);
        std::vector<hcp::SourceItem> items;
        for (hcp::SourceItem item; s.Next(item);) items.push_back(std::move(item));
        if (items.size() != 3) return 11;
        if (!(items[0].graph == hcp::DecodeGraph6("C~"))) return 12;
        if (items[1].error.find("big.g6:2: not enough memory") == std::string::npos) return 13;
        if (!(items[2].graph == hcp::DecodeGraph6("Bw"))) return 14;
    } catch (...) {
        return 15;
    }
    return 0;
}

TEST(OutOfMemory, AGraphTooLargeForMemoryIsAnErrorOfItsOwnAndTheStreamGoesOn)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // A sanitizer reserves terabytes of shadow address space at start-up.
    GTEST_SKIP() << "an address-space cap cannot hold a sanitizer build";
#endif
    const fs::path dir = fs::temp_directory_path() / ("tourvane_oom_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "big.g6").string();
    // The complete graph on 8,000 nodes: a 5 MB line of 32 million edges,
    // a quarter of a gigabyte as a list alone, more than the cap leaves.
    const std::uint64_t n = 8000;
    const std::uint64_t bytes = (n * (n - 1) / 2 + 5) / 6;
    {
        std::ofstream out(path, std::ios::binary);
        out << "C~\n"
            << static_cast<char>(126) << static_cast<char>(63 + ((n >> 12) & 63))
            << static_cast<char>(63 + ((n >> 6) & 63)) << static_cast<char>(63 + (n & 63))
            << std::string(bytes, '~') << "\nBw\n";
    }
    const std::uint64_t cap = AddressSpaceBytes() + (std::uint64_t{200} << 20);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(ReadStreamUnderCap(path, cap));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::remove_all(dir);
    ASSERT_TRUE(WIFEXITED(status)) << "the reader died of signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "11: not three items, 12/14: a neighbour lost, 13: no memory error, "
                                         "15: an exception left the source";
}

}  // namespace
