// TSPLIB TOUR files: the writer every front end uses, and a reader for the
// tours of this system and of other programs (keywords in any order, "KEY :
// value" with any spacing, several nodes to a line, CR LF line ends, the
// closing -1 and EOF optional; .tour and .tou names alike).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/graph.h"
#include "core/question.h"
#include "export.h"
#include "io/graphfile.h"

namespace hcp {

// What the header of a written tour says besides its order.
struct TourInfo {
    std::string name;      // NAME
    std::string comment;   // COMMENT
};

// Writes order (0-based, written from 1) to path through a temporary file
// in the same folder that is flushed and then renamed over path. Only a
// regular file is replaced (a link is written through to it); a directory,
// device or FIFO there is refused. Throws FileError ("cannot write PATH:
// reason") when it cannot; the old file at path is then untouched. A path
// is written the same way, its nodes first to last: nothing in the order
// closes it, and only its comment (TourComment(gaps, Goal::Path)) says so.
TOURKERN_API void WriteTour(const std::string& path, std::span<const NodeId> order, const TourInfo& info);

// "HCP solution (H=2)": the comment of the tours this system writes.
TOURKERN_API std::string TourComment(int gaps);
// The same for the cycle question, and for a path "Hamiltonian path, no
// closing edge (H=0)": the order is a path from its first node to its last.
TOURKERN_API std::string TourComment(int gaps, Goal goal);
// True when a tour's comment says it is a path (as TourComment writes it).
TOURKERN_API bool TourCommentSaysPath(std::string_view comment);

struct Tour {
    std::string name;              // NAME, or empty
    std::string comment;           // COMMENT, or empty
    std::int64_t dimension = -1;   // DIMENSION, -1 when the file has none
    std::vector<NodeId> order;     // TOUR_SECTION up to -1 or the end (0-based)
    std::vector<std::uint32_t> lines;   // the file line of each node
};

// Reads a tour. Node numbers must lie within 1..DIMENSION when the file
// gives one and within 1..maxNodes when that is not 0 (the graph the tour
// belongs to); a tour with more nodes than that is refused at the first
// node too many, so a wrong or hostile file never costs more memory than
// the graph. After the -1 or EOF that closes TOUR_SECTION only blank lines
// and one EOF may follow; anything else, a second TOUR_SECTION included, is
// refused. Throws FileError or FormatError as "file:line: problem".
TOURKERN_API Tour ReadTour(const std::string& path, NodeId maxNodes = 0);

// Where a tour of a graph goes: DIR/NAME.tour, NAME the graph file's name up
// to the last dot ("stdin" for "-"), or DIR/NAME_INDEX.tour for graph INDEX
// (1-based) of a file that holds many (graph6, sparse6).
TOURKERN_API std::string TourPathFor(const std::string& dir, const std::string& graphPath,
                                     std::size_t index = 0);

}  // namespace hcp
