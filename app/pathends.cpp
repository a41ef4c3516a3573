#include "pathends.h"

#include <cctype>
#include <vector>

namespace app {

std::string ParsePathEnds(const std::string& text, int n, hcp::Question& q)
{
    std::vector<hcp::NodeId> ends;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isspace(c) || c == ',') {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && !std::isspace(static_cast<unsigned char>(text[j])) && text[j] != ',')
            ++j;
        const std::string token = text.substr(i, j - i);
        i = j;
        std::uint64_t value = 0;
        bool number = token.size() <= 18;
        for (char d : token) {
            if (!std::isdigit(static_cast<unsigned char>(d)))
                number = false;
            else
                value = value * 10 + static_cast<unsigned>(d - '0');
        }
        if (!number)
            return "'" + token + "' is not a node number";
        if (value < 1 || value > static_cast<std::uint64_t>(n < 0 ? 0 : n))
            return "node " + token + " is outside 1.." + std::to_string(n);
        if (ends.size() == 2)
            return "a path has two ends; give at most two nodes";
        ends.push_back(static_cast<hcp::NodeId>(value - 1));
    }
    if (ends.size() == 2 && ends[0] == ends[1])
        return "a path needs two different ends";
    q = ends.empty()       ? hcp::Question::Path()
      : ends.size() == 1 ? hcp::Question::PathFrom(ends[0])
                         : hcp::Question::PathBetween(ends[0], ends[1]);
    return {};
}

std::string PathEndsText(const hcp::Question& q)
{
    std::string text;
    if (q.IsPath() && q.from)
        text = std::to_string(std::uint64_t{*q.from} + 1);
    if (q.IsPath() && q.from && q.to)
        text += " " + std::to_string(std::uint64_t{*q.to} + 1);
    return text;
}

std::string QuestionLine(const hcp::Question& q)
{
    return "Question: " + hcp::QuestionText(q);
}

}  // namespace app
