// The HCP reader, one line at a time. Lines are taken by what they say, not
// by where they stand; the data sections are read line by line so that a
// line with a token too many or too few is refused instead of shifting
// every later number into another edge.
#include "io/hcpparser.h"

#include <algorithm>
#include <cstdint>

#include "io/linescanner.h"
#include "io/readlimits.h"
#include "io/messagetext.h"

namespace hcp {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The next blank-separated token of line from pos on; empty at the end.
std::string_view NextToken(std::string_view line, std::size_t& pos)
{
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !IsBlank(line[pos])) ++pos;
    return line.substr(start, pos - start);
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A whole decimal number with an optional sign. Values beyond 2^62 in size
// are held at that bound: they are out of every range the reader accepts.
bool ParseInteger(std::string_view token, std::int64_t& value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i == token.size()) return false;
    constexpr std::int64_t kBound = std::int64_t{1} << 62;
    std::int64_t v = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (c < '0' || c > '9') return false;
        // Clamp before multiplying: past the bound the value is only 'too big'.
        v = v > (kBound - 9) / 10 ? kBound : v * 10 + (c - '0');
    }
    if (v > kBound) v = kBound;
    value = negative ? -v : v;
    return true;
}

// A token such as FIXED_EDGES_SECTION: a keyword where data was expected
// means a section was not closed with -1.
bool LooksLikeKeyword(std::string_view token)
{
    if (token.size() < 2) return false;
    for (char c : token)
        if (!((c >= 'A' && c <= 'Z') || c == '_')) return false;
    return true;
}

enum class Section { None, EdgeList, AdjList, Fixed, Skipped, Done };

class HcpParser {
public:
    HcpParser(ByteSource& source, const std::string& label, const ReadOptions& options)
        : m_label(EscapeControls(label)), m_options(options), m_lines(source, m_label, options) {}

    HcpContent Run();

private:
    [[noreturn]] void Fail(const std::string& problem) const
    {
        throw FormatError(m_label + ":" + std::to_string(m_lines.LineNumber()) + ": " + problem);
    }

    void KeywordLine(std::string_view line);
    void Dimension(std::string_view value);
    void EdgeFormat(std::string_view value);
    void Type(std::string_view value);
    void StartSection(std::string_view keyword, std::string_view value, Section section);
    void EdgeLine(std::string_view line, bool fixed);
    void AdjacencyLine(std::string_view line);
    void SkippedLine(std::string_view line);
    bool SectionEnd(std::string_view first, std::string_view second);
    NodeId Node(std::string_view token, std::string_view first, std::string_view second);
    void AddEdge(NodeId u, NodeId v);

    std::string m_label;
    ReadOptions m_options;
    LineScanner m_lines;
    HcpContent m_content;

    Section m_section = Section::None;
    std::string m_sectionName;
    bool m_nameGiven = false;
    bool m_typeGiven = false;
    bool m_dimensionGiven = false;
    std::string m_dimensionText;
    bool m_formatGiven = false;
    bool m_adjacency = false;
    bool m_edgeSectionStarted = false;
    bool m_edgeSectionDone = false;
    std::uint64_t m_skipLeft = 0;
    std::size_t m_compactAt = std::size_t{1} << 24;
};

HcpContent HcpParser::Run()
{
    std::string_view line;
    while (m_lines.Next(line)) {
        if (m_lines.LineNumber() == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        switch (m_section) {
        case Section::None: KeywordLine(line); break;
        case Section::EdgeList: EdgeLine(line, false); break;
        case Section::Fixed: EdgeLine(line, true); break;
        case Section::AdjList: AdjacencyLine(line); break;
        case Section::Skipped: SkippedLine(line); break;
        case Section::Done:
            if (!Trim(line).empty()) Fail("text after EOF: " + QuoteToken(Trim(line)));
            break;
        }
    }
    switch (m_section) {
    case Section::EdgeList:
    case Section::AdjList:
        Fail("file ends inside the edge section (no -1 or EOF)");
    case Section::Fixed:
    case Section::Skipped:
        Fail("file ends inside " + m_sectionName);
    case Section::None:
    case Section::Done:
        break;
    }
    if (!m_edgeSectionDone) Fail("file ends before the edge section");
    // Pairs are kept as the file gives them, so that TYPE may stand
    // anywhere; an undirected graph's are put in order once it is known.
    if (!m_content.directed) {
        for (Edge& e : m_content.edges)
            if (e.first > e.second) std::swap(e.first, e.second);
        for (Edge& e : m_content.fixedEdges)
            if (e.first > e.second) std::swap(e.first, e.second);
    }
    const std::string untouched = UntouchedNodesProblem(m_content.dimension, m_content.edges.size());
    if (!untouched.empty())
        throw FormatError(m_label + ":" + std::to_string(m_content.dimensionLine) + ": DIMENSION gives " + untouched);
    return std::move(m_content);
}

void HcpParser::KeywordLine(std::string_view line)
{
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos == line.size()) return;
    const std::size_t start = pos;
    while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != ':') ++pos;
    const std::string_view keyword = line.substr(start, pos - start);
    std::string_view value = Trim(line.substr(pos));
    if (!value.empty() && value.front() == ':') value = Trim(value.substr(1));

    if (keyword == "NAME") {
        if (m_nameGiven && m_content.name != value)
            Fail("NAME given twice: " + QuoteToken(m_content.name) + " and " + QuoteToken(value));
        m_nameGiven = true;
        m_content.name = std::string(value);
    } else if (keyword == "COMMENT") {
    } else if (keyword == "TYPE") {
        Type(value);
    } else if (keyword == "DIMENSION" || keyword == "DIMENTION") {
        Dimension(value);
    } else if (keyword == "EDGE_DATA_FORMAT") {
        EdgeFormat(value);
    } else if (keyword == "CAPACITY" || keyword == "EDGE_WEIGHT_TYPE" || keyword == "EDGE_WEIGHT_FORMAT"
               || keyword == "NODE_COORD_TYPE" || keyword == "DISPLAY_DATA_TYPE") {
        // Meaningless for a graph without weights; harmless.
    } else if (keyword == "EDGE_DATA_SECTION" || keyword == "EDGE_DATA_SELECTION") {
        if (m_edgeSectionStarted) Fail("a second EDGE_DATA_SECTION");
        StartSection(keyword, value, m_adjacency ? Section::AdjList : Section::EdgeList);
        m_edgeSectionStarted = true;
    } else if (keyword == "FIXED_EDGES_SECTION" || keyword == "FIXED_EDGES") {
        StartSection(keyword, value, Section::Fixed);
    } else if (keyword == "NODE_COORD_SECTION" || keyword == "DISPLAY_DATA_SECTION") {
        StartSection(keyword, value, Section::Skipped);
        m_skipLeft = m_content.dimension;
        if (m_skipLeft == 0) m_section = Section::None;
    } else if (keyword == "TOUR_SECTION") {
        Fail("TOUR_SECTION: this is a tour, not a graph");
    } else if (keyword == "EDGE_WEIGHT_SECTION" || keyword == "DEPOT_SECTION" || keyword == "DEMAND_SECTION") {
        Fail(std::string(keyword) + " does not belong in a Hamiltonian cycle problem (TYPE: HCP) file");
    } else if (keyword == "EOF") {
        if (!value.empty()) Fail("text after EOF: " + QuoteToken(value));
        if (!m_edgeSectionDone) Fail("EOF before the edge section");
        m_section = Section::Done;
    } else if (!keyword.empty() && ((keyword[0] >= '0' && keyword[0] <= '9') || keyword[0] == '-' || keyword[0] == '+')) {
        Fail(QuoteToken(Trim(line)) + " outside any data section"
             + (m_edgeSectionDone ? std::string(" (the edge section has ended with -1)") : std::string()));
    } else if (keyword.empty()) {
        Fail("expected a keyword before ':'");
    } else {
        Fail("unknown keyword " + QuoteToken(keyword));
    }
}

// HCP is an undirected graph, DHCP a directed one whose data lists arcs.
void HcpParser::Type(std::string_view value)
{
    if (value.empty()) Fail("TYPE has no value");
    if (value == "TOUR") Fail("TYPE is TOUR: this is a tour, not a graph");
    if (value != "HCP" && value != "DHCP")
        Fail("TYPE is " + QuoteToken(value) + ", not HCP or DHCP: only Hamiltonian cycle problem graphs are read");
    const bool directed = value == "DHCP";
    if (m_typeGiven && directed != m_content.directed)
        Fail(std::string("TYPE given twice: ") + (m_content.directed ? "DHCP" : "HCP") + " and "
             + QuoteToken(value));
    m_typeGiven = true;
    m_content.directed = directed;
    m_content.typeLine = m_lines.LineNumber();
}

void HcpParser::Dimension(std::string_view value)
{
    if (value.empty()) Fail("DIMENSION has no value");
    std::int64_t n = 0;
    if (value.find_first_of(" \t\v\f") != std::string_view::npos || !ParseInteger(value, n))
        Fail("DIMENSION " + QuoteToken(value) + " is not a whole number");
    if (m_dimensionGiven) {
        if (static_cast<std::int64_t>(m_content.dimension) != n)
            Fail("DIMENSION given twice: " + m_dimensionText + " and " + QuoteToken(value));
        return;
    }
    if (n < 0 || static_cast<std::uint64_t>(n) > m_options.maxDimension || n > 0xFFFFFFFFll) {
        const std::uint64_t max = std::min<std::uint64_t>(m_options.maxDimension, 0xFFFFFFFFu);
        Fail("dimension " + EscapeControls(value) + " is outside 0.." + std::to_string(max));
    }
    if (static_cast<std::uint64_t>(n) > PhysicalMemoryBytes() / kGraphBytesPerNode)
        Fail("dimension " + std::to_string(n) + " needs more memory than this computer has");
    m_dimensionGiven = true;
    m_dimensionText = QuoteToken(value);
    m_content.dimension = static_cast<NodeId>(n);
    m_content.dimensionLine = m_lines.LineNumber();
}

void HcpParser::EdgeFormat(std::string_view value)
{
    bool adjacency = false;
    if (value == "ADJ_LIST") adjacency = true;
    else if (value != "EDGE_LIST")
        Fail("EDGE_DATA_FORMAT " + QuoteToken(value) + " is neither EDGE_LIST nor ADJ_LIST");
    if ((m_formatGiven || m_edgeSectionStarted) && adjacency != m_adjacency)
        Fail(std::string("EDGE_DATA_FORMAT ") + (adjacency ? "ADJ_LIST" : "EDGE_LIST") + " contradicts "
             + (m_adjacency ? "ADJ_LIST" : "EDGE_LIST")
             + (m_formatGiven ? " given before" : " by which the edge section was read"));
    m_formatGiven = true;
    m_adjacency = adjacency;
}

void HcpParser::StartSection(std::string_view keyword, std::string_view value, Section section)
{
    if (!value.empty()) Fail("text after " + std::string(keyword) + ": " + QuoteToken(value));
    if (!m_dimensionGiven) Fail(std::string(keyword) + " before DIMENSION");
    m_section = section;
    m_sectionName = keyword == "FIXED_EDGES" ? "FIXED_EDGES_SECTION" : std::string(keyword);
}

// "-1" ends a section, "EOF" the file; either stands alone on its line.
bool HcpParser::SectionEnd(std::string_view first, std::string_view second)
{
    if (first != "-1" && first != "EOF") return false;
    if (!second.empty())
        Fail(QuoteToken(second) + " after " + std::string(first) + " in " + m_sectionName);
    if (m_section == Section::EdgeList || m_section == Section::AdjList) m_edgeSectionDone = true;
    m_section = first == "EOF" ? Section::Done : Section::None;
    return true;
}

// The 0-based node a token names, or a refusal that quotes the edge
// "first second" it belongs to.
NodeId HcpParser::Node(std::string_view token, std::string_view first, std::string_view second)
{
    std::int64_t v = 0;
    if (!ParseInteger(token, v)) Fail(QuoteToken(token) + " is not a node number");
    if (v < 1 || v > static_cast<std::int64_t>(m_content.dimension)) {
        const std::string range = std::to_string(m_content.dimension);
        if (second.empty()) Fail("node " + EscapeControls(first) + " is outside 1.." + range);
        Fail("edge " + EscapeControls(first) + " " + EscapeControls(second) + " names a node outside 1.." + range);
    }
    return static_cast<NodeId>(v - 1);
}

void HcpParser::EdgeLine(std::string_view line, bool fixed)
{
    std::size_t pos = 0;
    const std::string_view a = NextToken(line, pos);
    if (a.empty()) return;
    const std::string_view b = NextToken(line, pos);
    const std::string_view rest = NextToken(line, pos);
    if (SectionEnd(a, b)) return;
    if (LooksLikeKeyword(a)) Fail(QuoteToken(a) + " inside " + m_sectionName + " (a section ends with -1)");
    if (b.empty()) {
        std::int64_t v = 0;
        if (ParseInteger(a, v)) Fail("edge line " + QuoteToken(a) + " holds one number; an edge needs two");
        Node(a, a, b);
    }
    const NodeId u = Node(a, a, b);
    const NodeId v = Node(b, a, b);
    if (!rest.empty())
        Fail(QuoteToken(rest) + " after the edge " + EscapeControls(a) + " " + EscapeControls(b)
             + ": an edge line holds two node numbers");
    if (u == v) Fail("edge " + EscapeControls(a) + " " + EscapeControls(b) + " joins a node to itself");
    if (fixed) {
        m_content.fixedEdges.emplace_back(u, v);
        m_content.fixedLines.push_back(m_lines.LineNumber());
    } else {
        AddEdge(u, v);
    }
}

void HcpParser::AdjacencyLine(std::string_view line)
{
    std::size_t pos = 0;
    const std::string_view head = NextToken(line, pos);
    if (head.empty()) return;
    std::size_t peek = pos;
    const std::string_view second = NextToken(line, peek);
    if (SectionEnd(head, second)) return;
    if (LooksLikeKeyword(head)) Fail(QuoteToken(head) + " inside " + m_sectionName + " (a section ends with -1)");
    const NodeId u = Node(head, head, "");
    for (;;) {
        const std::string_view token = NextToken(line, pos);
        if (token.empty())
            Fail("the adjacency list of node " + EscapeControls(head) + " does not end with -1");
        if (token == "-1") {
            const std::string_view extra = NextToken(line, pos);
            if (!extra.empty())
                Fail(QuoteToken(extra) + " after the -1 that ends the list of node " + EscapeControls(head));
            return;
        }
        const NodeId v = Node(token, head, token);
        if (u == v) Fail("edge " + EscapeControls(head) + " " + EscapeControls(token) + " joins a node to itself");
        AddEdge(u, v);
    }
}

// Coordinates are not part of the graph: one line per node, checked only
// for the node number that starts it.
void HcpParser::SkippedLine(std::string_view line)
{
    std::size_t pos = 0;
    const std::string_view node = NextToken(line, pos);
    if (node.empty()) return;
    std::size_t count = 1;
    while (!NextToken(line, pos).empty()) ++count;
    std::int64_t v = 0;
    if (!ParseInteger(node, v) || v < 1 || v > static_cast<std::int64_t>(m_content.dimension) || count < 3
        || count > 4)
        Fail(m_sectionName + " line " + QuoteToken(Trim(line)) + " is not a node number and two or three coordinates");
    if (--m_skipLeft == 0) m_section = Section::None;
}

// Repeated pairs are merged when the list grows large, so that a file that
// lists the same few edges without end does not exhaust memory. Until TYPE
// has said HCP the pairs stay as the file gives them (an arc's direction
// matters), so an edge listed both ways counts twice till the end.
void HcpParser::AddEdge(NodeId u, NodeId v)
{
    if (m_typeGiven && !m_content.directed && u > v) std::swap(u, v);
    m_content.edges.emplace_back(u, v);
    if (m_content.edges.size() < m_compactAt) return;
    auto& edges = m_content.edges;
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    m_compactAt = std::max(m_compactAt, edges.size() * 2);
}

}  // namespace

HcpContent ParseHcp(ByteSource& source, const std::string& label, const ReadOptions& options)
{
    HcpParser parser(source, label, options);
    return parser.Run();
}

std::string FixedEdgeNotInGraph(const std::string& label, long long line, Edge edge, bool directed)
{
    return EscapeControls(label) + ":" + std::to_string(line) + (directed ? ": fixed arc " : ": fixed edge ")
         + std::to_string(std::uint64_t{edge.first} + 1) + " " + std::to_string(std::uint64_t{edge.second} + 1)
         + (directed ? " is not an arc of the graph" : " is not an edge of the graph");
}

}  // namespace hcp
