// Mutated graph6, sparse6 and DIMACS input through the stream readers:
// flipped, inserted and dropped bytes (NUL, CR and LF among them),
// truncations and repeated lines. graph6 and sparse6 mutants are checked
// against decoders written here from the format's definition: a line is
// read exactly when the definition accepts it, and to the same graph.
// DIMACS mutants are refused or read to edges their own "e" lines list.
// Fixed seeds, so every run tries the same mutants.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "io/dimacs.h"
#include "io/graph6.h"
#include "io/graphsource.h"

namespace fs = std::filesystem;

namespace {

using EdgeSet = std::set<std::pair<std::uint64_t, std::uint64_t>>;

struct Decoded {
    std::uint64_t n = 0;
    EdgeSet edges;
};

// The 6-bit values of s from `at` on; nullopt when a byte is outside 63..126.
std::optional<std::vector<int>> Values(const std::string& s, std::size_t at)
{
    std::vector<int> v;
    for (std::size_t k = at; k < s.size(); ++k) {
        const int c = static_cast<unsigned char>(s[k]);
        if (c < 63 || c > 126) return std::nullopt;
        v.push_back(c - 63);
    }
    return v;
}

// N(n) at the front of v; the count of values it takes goes to used.
std::optional<std::uint64_t> Size(const std::vector<int>& v, std::size_t& used)
{
    std::size_t len = 1, from = 0;
    if (v.empty()) return std::nullopt;
    if (v[0] == 63) {
        len = 3, from = 1;
        if (v.size() > 1 && v[1] == 63) len = 6, from = 2;
    }
    if (v.size() < from + len) return std::nullopt;
    std::uint64_t n = 0;
    for (std::size_t k = from; k < from + len; ++k) n = n * 64 + static_cast<std::uint64_t>(v[k]);
    used = from + len;
    return n;
}

std::optional<Decoded> ReferenceGraph6(std::string s)
{
    if (s.rfind(">>graph6<<", 0) == 0) s.erase(0, 10);
    const auto v = Values(s, 0);
    std::size_t used = 0;
    const auto n = v ? Size(*v, used) : std::nullopt;
    if (!n || *n > hcp::kMaxNauty6Nodes) return std::nullopt;
    const std::uint64_t pairs = *n * (*n == 0 ? 0 : *n - 1) / 2;
    if (v->size() - used != (pairs + 5) / 6) return std::nullopt;
    Decoded d{*n, {}};
    std::uint64_t bit = 0;
    for (std::uint64_t j = 1; j < *n; ++j)
        for (std::uint64_t i = 0; i < j; ++i, ++bit)
            if (((*v)[used + bit / 6] >> (5 - bit % 6)) & 1) d.edges.emplace(i, j);
    return d;
}

// Whole sparse6 lines (':') only; the caller leaves ';' lines out.
std::optional<Decoded> ReferenceSparse6(std::string s)
{
    if (s.rfind(">>sparse6<<", 0) == 0) s.erase(0, 11);
    if (s.empty() || s[0] != ':') return std::nullopt;
    const auto v = Values(s, 1);
    std::size_t used = 0;
    const auto n = v ? Size(*v, used) : std::nullopt;
    if (!n || *n > hcp::kMaxNauty6Nodes) return std::nullopt;
    int k = 0;
    while (k < 64 && (std::uint64_t{1} << k) < *n) ++k;
    std::vector<int> bits;
    for (std::size_t a = used; a < v->size(); ++a)
        for (int b = 5; b >= 0; --b) bits.push_back(((*v)[a] >> b) & 1);
    Decoded d{*n, {}};
    std::uint64_t cur = 0;
    for (std::size_t p = 0; p + 1 + static_cast<std::size_t>(k) <= bits.size();) {
        if (bits[p++] == 1) ++cur;
        std::uint64_t x = 0;
        for (int b = 0; b < k; ++b) x = x * 2 + static_cast<std::uint64_t>(bits[p++]);
        if (x > cur) cur = x;
        else if (cur < *n && x != cur) d.edges.emplace(x, cur);
    }
    return d;
}

EdgeSet EdgesOf(const hcp::Graph& g)
{
    EdgeSet s;
    for (const hcp::Edge& e : g.Edges()) s.emplace(e.first, e.second);
    return s;
}

// A random simple graph as graph6, by the definition.
std::string EncodeGraph6(std::uint64_t n, const EdgeSet& edges)
{
    std::string s;
    if (n < 63) s += static_cast<char>(63 + n);
    else s += {'~', static_cast<char>(63 + (n >> 12)), static_cast<char>(63 + ((n >> 6) & 63)),
               static_cast<char>(63 + (n & 63))};
    int value = 0, filled = 0;
    for (std::uint64_t j = 1; j < n; ++j)
        for (std::uint64_t i = 0; i < j; ++i) {
            value = value * 2 + (edges.count({i, j}) ? 1 : 0);
            if (++filled == 6) s += static_cast<char>(63 + value), value = filled = 0;
        }
    if (filled > 0) s += static_cast<char>(63 + (value << (6 - filled)));
    return s;
}

class StreamFuzz : public testing::Test {
protected:
    std::string Mutate(const std::string& seed)
    {
        std::string text = seed;
        const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng); };
        switch (pick(5)) {
        case 0: text.resize(pick(text.size() + 1)); break;
        case 1:
            for (int flips = 1 + static_cast<int>(pick(3)); flips > 0 && !text.empty(); --flips)
                text[pick(text.size())] = static_cast<char>(pick(4) == 0 ? "\0\r\n~"[pick(4)] : pick(256));
            break;
        case 2: text.insert(pick(text.size() + 1), 1, static_cast<char>(pick(256))); break;
        case 3:
            if (!text.empty()) text.erase(pick(text.size()), 1);
            break;
        default: {
            const std::size_t at = pick(text.size() + 1);
            text.insert(at, text.substr(at, pick(12)));
        }
        }
        return text;
    }

    std::mt19937 m_rng{20261208};
};

TEST_F(StreamFuzz, Graph6MutantsReadExactlyAsTheFormatDefinesThem)
{
    std::vector<std::string> seeds = {"IheA@GUAo", "C~", "@", "?", ">>graph6<<Bw"};
    for (std::uint64_t n : {7u, 20u, 64u}) {
        EdgeSet e;
        for (std::uint64_t j = 1; j < n; ++j)
            for (std::uint64_t i = 0; i < j; ++i)
                if (m_rng() % 3 == 0) e.emplace(i, j);
        seeds.push_back(EncodeGraph6(n, e));
        ASSERT_EQ(ReferenceGraph6(seeds.back())->edges, EdgesOf(hcp::DecodeGraph6(seeds.back())));
    }
    int read = 0, refused = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string line = Mutate(seeds[round % seeds.size()]);
        const auto expected = ReferenceGraph6(line);
        try {
            const hcp::Graph g = hcp::DecodeGraph6(line);
            ++read;
            ASSERT_TRUE(expected) << "read a line the format refuses: " << testing::PrintToString(line);
            EXPECT_EQ(g.NodeCount(), expected->n);
            EXPECT_EQ(EdgesOf(g), expected->edges) << testing::PrintToString(line);
        } catch (const hcp::LineError& e) {
            ++refused;
            EXPECT_FALSE(expected) << "refused a valid line " << testing::PrintToString(line) << ": " << e.what();
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
        }
    }
    EXPECT_GT(read, 300);
    EXPECT_GT(refused, 300);
}

TEST_F(StreamFuzz, Sparse6MutantsReadExactlyAsTheFormatDefinesThem)
{
    const std::vector<std::string> seeds = {":Fa@x^", ":CcKI", ":IeAQCHEQaW", ">>sparse6<<:Bf", ":@"};
    int read = 0, refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string line = Mutate(seeds[round % seeds.size()]);
        if (!line.empty() && line[0] == ';') line[0] = ':';
        const auto expected = ReferenceSparse6(line);
        try {
            const hcp::Graph g = hcp::DecodeSparse6(line);
            ++read;
            ASSERT_TRUE(expected) << "read a line the format refuses: " << testing::PrintToString(line);
            EXPECT_EQ(g.NodeCount(), expected->n);
            EXPECT_EQ(EdgesOf(g), expected->edges) << testing::PrintToString(line);
        } catch (const hcp::LineError& e) {
            ++refused;
            // Beyond the definition, a line may ask for more nodes than its
            // edges touch by the reader's stated margin.
            const bool untouched = std::string(e.what()).find("nodes without an edge") != std::string::npos;
            EXPECT_TRUE(!expected || untouched) << "refused " << testing::PrintToString(line) << ": " << e.what();
        }
    }
    EXPECT_GT(read, 300);
    EXPECT_GT(refused, 300);
}

// Every pair an "e U V" line of text names, as the file's own numbers.
EdgeSet ListedDimacsPairs(const std::string& text)
{
    EdgeSet pairs;
    std::string line;
    for (std::istringstream in(text); std::getline(in, line, '\n');) {
        std::istringstream words(line);
        std::string e;
        std::uint64_t u = 0, v = 0;
        if (words >> e >> u >> v && e == "e") pairs.emplace(std::min(u, v), std::max(u, v));
    }
    return pairs;
}

TEST_F(StreamFuzz, DimacsMutantsAreRefusedOrReadToEdgesTheyList)
{
    const fs::path dir = fs::temp_directory_path() / ("tourvane_streamfuzz_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string seeds[] = {
        "c petersen\np edge 10 15\ne 1 2\ne 1 5\ne 1 6\ne 2 3\ne 2 7\ne 3 4\ne 3 8\ne 4 5\ne 4 9\ne 5 10\n"
        "e 6 8\ne 6 9\ne 7 9\ne 7 10\ne 8 10\n",
        "p col 4 12\ne 1 2\ne 2 1\ne 1 3\ne 3 1\ne 1 4\ne 2 3\ne 2 4\ne 3 4\nn 1 5\n",
        "p 5 5\r\ne 1 2\r\ne 2 3\r\ne 3 4\r\ne 4 5\r\ne 5 1\r\n"};
    int read = 0, refused = 0;
    for (int round = 0; round < 600; ++round) {
        const std::string text = Mutate(seeds[round % std::size(seeds)]);
        const std::string path = (dir / ("m" + std::to_string(round) + ".col")).string();
        std::ofstream(path, std::ios::binary) << text;
        try {
            const hcp::Graph g = hcp::ReadDimacs(path);
            ++read;
            // CR and blanks split words alike for the reader; the listing
            // here reads LF lines, so it looks at CR-free text.
            std::string lf = text;
            for (char& c : lf)
                if (c == '\r') c = '\n';
            const EdgeSet listed = ListedDimacsPairs(lf);
            for (const hcp::Edge& e : g.Edges())
                EXPECT_TRUE(listed.count({e.first + 1u, e.second + 1u}))
                    << "edge " << e.first + 1 << " " << e.second + 1 << " is not listed in\n" << text;
        } catch (const hcp::FormatError& e) {
            ++refused;
            EXPECT_EQ(std::string(e.what()).rfind(path + ":", 0), 0u) << e.what();
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << e.what();
        }
        fs::remove(path);
    }
    fs::remove_all(dir);
    EXPECT_GT(read, 100);
    EXPECT_GT(refused, 100);
}

// A whole stream of mutated lines: the source never throws for a file that
// reads, every item is its line's reference graph or an error, and no line
// is skipped or read twice.
TEST_F(StreamFuzz, MutatedStreamsKeepEveryLineInItsPlace)
{
    const fs::path dir = fs::temp_directory_path() / ("tourvane_streamfuzz2_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string lines[] = {"IheA@GUAo", "C~", "Bw", "Fs\\zw", "@"};
    for (int round = 0; round < 150; ++round) {
        std::string text;
        for (int k = 0; k < 8; ++k) text += std::string(lines[(round + k) % std::size(lines)]) + "\n";
        text = Mutate(Mutate(text));
        const std::string path = (dir / "s.g6").string();
        std::ofstream(path, std::ios::binary) << text;
        // The lines as the definition splits them: LF, CR LF or CR alone.
        std::vector<std::string> expected;
        std::string cur;
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] == '\n' || text[k] == '\r') {
                if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
                expected.push_back(cur);
                cur.clear();
            } else {
                cur += text[k];
            }
        }
        if (!cur.empty()) expected.push_back(cur);
        hcp::GraphSource s(path);
        for (hcp::SourceItem item; s.Next(item);) {
            ASSERT_GE(item.line, 1u);
            ASSERT_LE(item.line, expected.size());
            const std::string& line = expected[item.line - 1];
            const auto ref = line[0] == ':' ? ReferenceSparse6(line) : ReferenceGraph6(line);
            if (item.error.empty()) {
                ASSERT_TRUE(ref) << testing::PrintToString(line);
                EXPECT_EQ(EdgesOf(item.graph), ref->edges);
            } else if (line[0] != ';') {
                EXPECT_FALSE(ref) << item.error << " in " << testing::PrintToString(text);
            }
        }
    }
    fs::remove_all(dir);
}

}  // namespace
