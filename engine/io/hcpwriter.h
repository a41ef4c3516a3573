// The one layout of the TSPLIB HCP files this system writes: NAME (when
// there is one), COMMENT, TYPE, DIMENSION, EDGE_DATA_FORMAT, the edge lines
// "larger smaller" with each node number right-aligned in six columns (wider
// when longer), -1, a FIXED_EDGES_SECTION when the graph has fixed edges,
// EOF. A directed graph says TYPE: DHCP and its lines are arcs "tail head". The writer streams: lines go out in blocks as they are given, so a
// graph of any size writes in constant extra memory. No engine types, so
// the legacy bit graph writes through it too.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "export.h"

namespace hcp {

// What the header of a written graph says besides its size.
struct HcpWriteInfo {
    std::string name;                                   // NAME; no NAME line when empty
    std::string comment = "Hamiltonian cycle problem";  // COMMENT
    bool directed = false;                              // TYPE: DHCP, the lines are arcs
};

// Writes the header on construction; the caller then gives the edges in
// the order the file lists them (by convention descending by the larger
// node, then by the smaller) and calls Finish.
class TOURKERN_API HcpWriter {
public:
    HcpWriter(std::ostream& os, const HcpWriteInfo& info, std::uint64_t dimension);
    HcpWriter(const HcpWriter&) = delete;
    HcpWriter& operator=(const HcpWriter&) = delete;

    // One line of the open section; nodes are numbered from 1.
    void Edge(std::uint64_t larger, std::uint64_t smaller);
    // One arc of a directed graph's open section.
    void Arc(std::uint64_t tail, std::uint64_t head) { Edge(tail, head); }
    // Closes the edge section: the edges given after this are fixed edges.
    void BeginFixedEdges();
    // Closes the open section and writes EOF; false when the stream failed.
    bool Finish();

private:
    char* Put(char* out, std::uint64_t v) const;
    void Flush();

    std::ostream& m_os;
    std::vector<char> m_block;   // lines not yet handed to the stream
    std::size_t m_used = 0;
    std::vector<char> m_padded;  // "%6d" of 0..dimension, for graphs small enough
    bool m_inFixed = false;
};

}  // namespace hcp
