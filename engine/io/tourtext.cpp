#include "io/tourtext.h"

#include <charconv>

#include "io/messagetext.h"

namespace hcp {

namespace {

void AppendNumber(std::string& s, std::uint64_t v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

}  // namespace

std::string TourText(std::string_view name, std::string_view comment, std::size_t dimension,
                     std::span<const std::uint32_t> nodes, std::uint32_t offset)
{
    std::string s;
    s.reserve(96 + name.size() + comment.size() + 9 * nodes.size());
    // A name or comment with a line end would break the header apart (and
    // the tour could not be read back): control characters are escaped.
    s += "NAME: ";
    s += EscapeControls(name);
    s += "\nTYPE: TOUR\nCOMMENT: ";
    s += EscapeControls(comment);
    s += "\nDIMENSION: ";
    AppendNumber(s, dimension);
    s += "\nTOUR_SECTION\n";
    for (std::uint32_t v : nodes) {
        s += "  ";
        AppendNumber(s, std::uint64_t{v} + offset);
        s += '\n';
    }
    s += "-1\nEOF\n";
    return s;
}

}  // namespace hcp
