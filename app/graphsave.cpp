#include "graphsave.h"

#include <charconv>

#include "filewrite.h"

namespace app {
namespace {

// n right-aligned in six columns (wider numbers take what they need).
void AppendPadded(std::string& out, std::uint64_t n)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    const std::size_t len = static_cast<std::size_t>(end - digits);
    if (len < 6)
        out.append(6 - len, ' ');
    out.append(digits, len);
}

}  // namespace

std::string GraphFileText(const hcp::Graph& g, const std::string& name)
{
    std::string text = "NAME: " + name + "\n";
    text += "COMMENT: Hamiltonian cycle problem\nTYPE: HCP\nDIMENSION: " + std::to_string(g.NodeCount())
          + "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n";
    text.reserve(text.size() + 14 * g.EdgeCount() + 14 * g.FixedEdges().size() + 64);
    for (hcp::NodeId i = g.NodeCount(); i-- > 0;) {
        const auto row = g.Neighbors(i);
        for (auto it = row.rbegin(); it != row.rend(); ++it) {
            if (*it >= i)
                continue;
            AppendPadded(text, std::uint64_t{i} + 1);
            text += ' ';
            AppendPadded(text, std::uint64_t{*it} + 1);
            text += '\n';
        }
    }
    text += "-1\n";
    if (!g.FixedEdges().empty()) {
        text += "FIXED_EDGES_SECTION\n";
        for (const auto& [u, v] : g.FixedEdges()) {
            AppendPadded(text, std::uint64_t{u} + 1);
            text += ' ';
            AppendPadded(text, std::uint64_t{v} + 1);
            text += '\n';
        }
        text += "-1\n";
    }
    return text + "EOF\n";
}

bool SaveGraphFile(const std::string& path, const hcp::Graph& g, const std::string& name, std::string* error)
{
    return WriteWholeFile(path, GraphFileText(g, name), error);
}

}  // namespace app
