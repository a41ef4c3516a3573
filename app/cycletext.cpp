#include "cycletext.h"

#include <cctype>
#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace app {

std::string CycleTitle(const hcp::Graph& g, std::span<const hcp::NodeId> order, int h, std::size_t maxLength)
{
    std::string text = "(H=" + std::to_string(h) + "): {";
    text.reserve(std::min(text.size() + 8 * order.size() + 2, maxLength) + 4);
    if (!order.empty()) {
        text += std::to_string(std::uint64_t{order.front()} + 1);
        // A lone node's link to itself has no pair, so it is not a gap.
        const bool single = order.size() == 1;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const hcp::NodeId u = order[i];
            const hcp::NodeId v = order[(i + 1) % order.size()];
            text += !single && !g.HasEdge(u, v) ? '=' : ' ';
            text += std::to_string(std::uint64_t{v} + 1);
            if (text.size() >= maxLength)
                return text + "...";
        }
    }
    return text + "}";
}

std::string PathTitle(const hcp::Graph& g, std::span<const hcp::NodeId> order, int h, std::size_t maxLength)
{
    std::string text = "Path (H=" + std::to_string(h) + "):";
    text.reserve(std::min(text.size() + 8 * order.size() + 2, maxLength) + 4);
    for (std::size_t i = 0; i < order.size(); ++i) {
        text += i > 0 && !g.HasEdge(order[i - 1], order[i]) ? '=' : ' ';
        text += std::to_string(std::uint64_t{order[i]} + 1);
        if (text.size() >= maxLength && i + 1 < order.size())
            return text + "...";
    }
    return text;
}

std::string DimensionTitle(int n)
{
    return "(N=" + std::to_string(n) + ")";
}

namespace {

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

int ParseCycleText(const std::string& text, std::list<short>& list)
{
    const std::size_t open = text.find('{');
    const std::size_t close = text.find('}');
    if (open == std::string::npos || close == std::string::npos || open > close)
        return -1;
    std::string body = text.substr(open + 1, close - open - 1);
    while (!body.empty() && IsBlank(body.back()))
        body.pop_back();

    list.clear();
    int count = 0;
    // Stream extraction: a token such as "7x" yields 7 and then stops, as
    // does an integer outside the 16-bit range.
    std::istringstream in(body);
    short value = 0;
    while (in >> value) {
        if (value > 0) {
            list.push_back(value);
            ++count;
        }
    }
    return count;
}

std::string CycleTextProblem(const std::string& text, int n)
{
    const std::size_t open = text.find('{');
    const std::size_t close = text.find('}');
    if (open == std::string::npos)
        return "the cycle must start with '{'";
    if (close == std::string::npos || close < open)
        return "the cycle must end with '}'";
    std::istringstream in(text.substr(open + 1, close - open - 1));
    std::vector<int> seen(static_cast<std::size_t>(std::max(n, 0)) + 1, 0);
    int count = 0;
    std::string token;
    while (in >> token) {
        std::size_t used = 0;
        long value = 0;
        try {
            value = std::stol(token, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used != token.size())
            return "'" + token + "' is not a node number";
        if (value < 1 || value > n)
            return "node " + token + " is outside 1.." + std::to_string(n);
        if (seen[static_cast<std::size_t>(value)]++)
            return "node " + token + " appears twice";
        ++count;
    }
    if (count != n)
        return std::to_string(count) + " of " + std::to_string(n)
            + " nodes given; the cycle must name every node once";
    return {};
}

std::string CycleText(const std::vector<hcp::NodeId>& order)
{
    std::string text = "{";
    for (hcp::NodeId v : order)
        text += " " + std::to_string(std::uint64_t{v} + 1);
    return text + " }";
}

}  // namespace app
