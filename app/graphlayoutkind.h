// The ways the graph view can place the nodes: the circle (in node or cycle
// order), the board of a leaper graph, and a force-directed picture.
#pragma once

#include <optional>
#include <string_view>

namespace app {

enum class LayoutKind { Circle, Board, Force };

inline const char* LayoutKindName(LayoutKind k)
{
    switch (k) {
    case LayoutKind::Board:
        return "board";
    case LayoutKind::Force:
        return "force";
    default:
        return "circle";
    }
}

inline std::optional<LayoutKind> ParseLayoutKind(std::string_view s)
{
    if (s == "circle")
        return LayoutKind::Circle;
    if (s == "board")
        return LayoutKind::Board;
    if (s == "force")
        return LayoutKind::Force;
    return std::nullopt;
}

}  // namespace app
