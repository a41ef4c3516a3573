#include "io/tourfile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "io/atomicfile.h"
#include "io/bytesource.h"
#include "io/linescanner.h"
#include "io/messagetext.h"
#include "io/tourtext.h"

namespace hcp {

namespace fs = std::filesystem;

void WriteTour(const std::string& path, std::span<const NodeId> order, const TourInfo& info)
{
    const std::string text = TourText(info.name, info.comment, order.size(), order, 1);
    std::string reason;
    if (WriteFileAtomically(path, text, &reason) != AtomicWrite::Ok)
        throw FileError("cannot write " + path + ": " + reason);
}

std::string TourComment(int gaps) { return "HCP solution (H=" + std::to_string(gaps) + ")"; }

std::string TourComment(int gaps, Goal goal)
{
    if (goal == Goal::Cycle) return TourComment(gaps);
    return "Hamiltonian path, no closing edge (H=" + std::to_string(gaps) + ")";
}

bool TourCommentSaysPath(std::string_view comment)
{
    return comment.find("Hamiltonian path") != std::string_view::npos;
}

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool ParseInt(std::string_view s, std::int64_t& value)
{
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && ptr == s.data() + s.size();
}

// Longest tour line: a whole tour of some seven million nodes on one line.
constexpr std::size_t kMaxTourLine = std::size_t{64} << 20;

// One pass over the file, line by line; all state for the error messages.
class TourReader {
public:
    TourReader(const std::string& path, NodeId maxNodes) : m_path(path), m_maxNodes(maxNodes) {}

    Tour Read()
    {
        // Streamed in blocks with a bound on the line length, so that a
        // file without line ends (/dev/zero) costs bounded memory.
        FileSource file(m_path, EscapeControls(m_path), {});
        ReadOptions options;
        options.maxLineBytes = kMaxTourLine;
        LineScanner lines(file, m_path, options);
        std::string_view raw;
        while (lines.Next(raw)) {
            m_line = lines.LineNumber();
            const std::string_view text = Trim(raw);
            if (m_closed)
                AfterSection(text);
            else if (m_inSection)
                Nodes(text);
            else
                Header(text);
        }
        if (!m_inSection) Fail("no TOUR_SECTION");
        if (!m_closed && m_tour.dimension >= 0
            && static_cast<std::int64_t>(m_tour.order.size()) < m_tour.dimension)
            Fail("file ends before the -1 that closes TOUR_SECTION (" + std::to_string(m_tour.order.size())
                 + " of " + std::to_string(m_tour.dimension) + " nodes)");
        return std::move(m_tour);
    }

private:
    [[noreturn]] void Fail(const std::string& problem) const
    {
        throw FormatError(m_path + ":" + std::to_string(m_line) + ": " + problem);
    }

    void Header(std::string_view text)
    {
        if (text.empty()) return;
        const std::size_t colon = text.find(':');
        const std::string_view key = Trim(text.substr(0, colon));
        const std::string_view value = colon == std::string_view::npos ? "" : Trim(text.substr(colon + 1));
        if (key == "TOUR_SECTION") {
            m_inSection = true;
            // A few writers put the first nodes on the keyword's own line.
            if (colon != std::string_view::npos) Nodes(value);
        } else if (key == "EOF") {
            Fail("EOF before TOUR_SECTION");
        } else if (key == "TYPE") {
            if (value != "TOUR") Fail("TYPE is \"" + std::string(value) + "\", not TOUR");
        } else if (key == "DIMENSION") {
            std::int64_t n = 0;
            if (!ParseInt(value, n) || n < 0 || n > std::numeric_limits<NodeId>::max())
                Fail("DIMENSION \"" + std::string(value) + "\" is not a node count");
            m_tour.dimension = n;
        } else if (key == "NAME") {
            m_tour.name = value;
        } else if (key == "COMMENT") {
            m_tour.comment = value;
        } else if (colon == std::string_view::npos) {
            Fail("\"" + std::string(text) + "\" is neither a KEY: value line nor TOUR_SECTION");
        }
        // Other keywords carry nothing a tour needs.
    }

    // After the -1 (or EOF) that closes TOUR_SECTION only blank lines and
    // one EOF may follow: a second section or more nodes would be a tour
    // the file does not state once.
    void AfterSection(std::string_view text)
    {
        if (text.empty()) return;
        if (text == "EOF" && !m_sawEof) {
            m_sawEof = true;
            return;
        }
        const std::string shown = QuoteToken(text);
        if (text.substr(0, 12) == "TOUR_SECTION") Fail("a second TOUR_SECTION");
        if (m_sawEof) Fail("text after EOF: " + shown);
        Fail("text after the -1 that closes TOUR_SECTION: " + shown);
    }

    // The largest node number allowed: DIMENSION and the caller's bound.
    std::int64_t Bound() const
    {
        std::int64_t bound = std::numeric_limits<NodeId>::max();
        if (m_tour.dimension >= 0) bound = m_tour.dimension;
        if (m_maxNodes != 0 && m_maxNodes < bound) bound = m_maxNodes;
        return bound;
    }

    void Nodes(std::string_view text)
    {
        while (!text.empty()) {
            const std::size_t end = text.find_first_of(" \t");
            const std::string_view word = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : Trim(text.substr(end));
            if (word.empty()) continue;
            if (word == "EOF") {
                m_closed = m_sawEof = true;
                if (!text.empty()) Fail("text after EOF: " + QuoteToken(text));
                return;
            }
            std::int64_t v = 0;
            if (!ParseInt(word, v)) Fail("\"" + std::string(word) + "\" is not a node number");
            if (v == -1) {
                m_closed = true;
                if (!text.empty()) AfterSection(text);
                return;
            }
            const std::int64_t bound = Bound();
            if (v < 1 || v > bound) Fail("node " + std::string(word) + " is outside 1.." + std::to_string(bound));
            if (static_cast<std::int64_t>(m_tour.order.size()) >= bound)
                Fail("more than " + std::to_string(bound) + " nodes in TOUR_SECTION");
            m_tour.order.push_back(static_cast<NodeId>(v - 1));
            m_tour.lines.push_back(static_cast<std::uint32_t>(m_line));
        }
    }

    const std::string& m_path;
    NodeId m_maxNodes;
    Tour m_tour;
    long m_line = 0;
    bool m_inSection = false;
    bool m_closed = false;
    bool m_sawEof = false;
};

}  // namespace

Tour ReadTour(const std::string& path, NodeId maxNodes) { return TourReader(path, maxNodes).Read(); }

std::string TourPathFor(const std::string& dir, const std::string& graphPath, std::size_t index)
{
    std::string stem = graphPath == "-" ? std::string("stdin") : fs::path(graphPath).filename().string();
    const std::size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);
    if (index > 0) stem += "_" + std::to_string(index);
    return (fs::path(dir) / (stem + ".tour")).string();
}

}  // namespace hcp
