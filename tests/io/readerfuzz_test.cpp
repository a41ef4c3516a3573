// Mutated files through the reader: truncations, byte flips, inserted,
// dropped and repeated lines of real files. Each mutant is either refused
// or read to a graph every edge of which the mutant itself lists: never a
// silent loss or an invented edge. Fixed seed, so every run tries the same
// mutants.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "io/hcpreader.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

// Every pair of node numbers the text could be read as joining, found
// without the reader: on each line of whole numbers, the first with each
// later one (an edge line, or an adjacency list).
std::set<std::pair<long, long>> ListedPairs(const std::string& text)
{
    std::set<std::pair<long, long>> pairs;
    for (const std::string& line : SplitLines(text)) {
        std::istringstream in(line);
        std::vector<long> numbers;
        std::string token;
        bool allNumbers = true;
        while (in >> token) {
            std::size_t used = 0;
            try {
                numbers.push_back(std::stol(token, &used));
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != token.size()) allNumbers = false;
        }
        if (!allNumbers) continue;
        for (std::size_t k = 1; k < numbers.size(); ++k)
            pairs.emplace(std::min(numbers[0], numbers[k]), std::max(numbers[0], numbers[k]));
    }
    return pairs;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<std::string> Seeds()
{
    std::vector<std::string> seeds = {
        "NAME: c6\nTYPE: HCP\nDIMENSION: 6\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n"
        "1 2\n2 3\n3 4\n4 5\n5 6\n6 1\n1 4\n-1\nEOF\n",
        "NAME: adj\r\nTYPE: HCP\r\nDIMENSION: 5\r\nEDGE_DATA_FORMAT: ADJ_LIST\r\nEDGE_DATA_SECTION\r\n"
        "1 2 5 -1\r\n2 3 -1\r\n3 4 -1\r\n4 5 1 -1\r\n-1\r\nEOF\r\n",
        "NAME: fixed\nDIMENSION: 5\nFIXED_EDGES_SECTION\n1 2\n-1\nEDGE_DATA_SECTION\n"
        "     2      1\n     3      2\n     4      3\n     5      4\n     5      1\n-1\nEOF\n",
    };
    const std::string root = std::string(TOURVANE_SHARED_DIR) + "/bench/";
    for (const char* file : {"fhcpcs/graph1.hcp", "fhcpcs/graph2.hcp", "tsphcp/GP3_126.hcp",
                             "tsphcp/SH_64.hcp"})
        if (std::filesystem::exists(root + file)) seeds.push_back(ReadFile(root + file));
    return seeds;
}

}  // namespace

TEST(ReaderFuzz, MutantsAreRefusedOrReadToEdgesTheyList)
{
    const std::vector<std::string> seeds = Seeds();
    const char* const inserts[] = {"", "-1", "EOF", "1 2", "3 x", "2\t7", "COMMENT: x", "12 3 4",
                                   "FIXED_EDGES_SECTION", "DIMENSION: 5", "EDGE_DATA_SECTION", "0 1",
                                   "99999999999 1", "1 1", "TYPE: TOUR", "  ", "\r", "5"};
    std::mt19937 rng(20261207);
    int refused = 0;
    int read = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string& seed = seeds[round % seeds.size()];
        std::string text = seed;
        std::vector<std::string> lines = SplitLines(seed);
        const int kind = round % 5;
        auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
        if (kind == 0) {
            text = seed.substr(0, pick(seed.size()));
        } else if (kind == 1) {
            for (int flips = 1 + static_cast<int>(pick(3)); flips > 0; --flips)
                text[pick(text.size())] = static_cast<char>(pick(256));
        } else if (kind == 2) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(pick(lines.size() + 1)),
                         inserts[pick(std::size(inserts))]);
            text = JoinLines(lines);
        } else if (kind == 3) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(pick(lines.size())));
            text = JoinLines(lines);
        } else {
            const std::size_t at = pick(lines.size());
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[at]);
            text = JoinLines(lines);
        }
        hcp::Graph g;
        try {
            g = hcp::ParseHcpGraph(text, "mutant");
        } catch (const hcp::FormatError& e) {
            ++refused;
            EXPECT_EQ(std::string(e.what()).rfind("mutant:", 0), 0u) << e.what();
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << e.what();
            continue;
        }
        ++read;
        const auto listed = ListedPairs(text);
        for (const hcp::Edge& e : g.Edges())
            EXPECT_TRUE(listed.count({long(e.first) + 1, long(e.second) + 1}))
                << "round " << round << ": edge " << e.first + 1 << " " << e.second + 1 << " is not in\n"
                << text;
        // A cut that keeps the whole edge section reads to the whole graph;
        // any other cut is refused.
        if (kind == 0) {
            const hcp::Graph whole = hcp::ParseHcpGraph(seed, "seed");
            EXPECT_TRUE(g == whole) << "round " << round << ": a truncated file lost edges:\n" << text;
        }
    }
    EXPECT_GT(refused, 100);
    EXPECT_GT(read, 50);
    RecordProperty("refused", refused);
    RecordProperty("read", read);
}
