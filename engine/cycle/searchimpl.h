// Internals of the search shared by the move routines and the search
// engines: the gap bound, the start line, the tried-gap marks and the plain
// list-based main loop that any faster engine must reproduce step for step.
#pragma once

#include <iosfwd>

#include "cycle/cycle.h"
#include "cycle/searchcontrol.h"

namespace hcp {

// Lower bound on the gaps of any cyclic order of g, from the numbers of
// nodes of degree 0 and 1 (degrees counted afresh, the cache is not read).
// 0 when every node has degree 2 or more.
int GapBound(const CBitGraph& g);

// Writes "Start time: \t\t" and the local date and time as
// "Www Mmm dd hh:mm:ss yyyy" followed by a line end.
void WriteStartLine(std::ostream& os);

// True when the pair (u, v) counts as marked in m_triedGaps. A pair that
// cannot be marked (one node twice, or a node outside 1..N) counts as
// marked, so that no scan picks it and no zero-gain move moves a gap onto
// it: otherwise an order that holds a node twice could keep the search
// busy forever. For a permutation of 1..N this is exactly the mark bit.
inline bool IsMarked(const CCycle& c, short u, short v) {
    if (u == v || u < 1 || v < 1 || u > c.m_triedGaps.m_nDim || v > c.m_triedGaps.m_nDim)
        return true;
    return c.m_triedGaps.GetEdge(u, v);
}

// Marks the pair (u, v); pairs that cannot be marked are ignored.
inline void Mark(CCycle& c, short u, short v) { c.m_triedGaps.SetEdge(u, v); }

// True when node k has degree 2 or more in the degree cache; nodes outside
// 1..N never do.
inline bool HasDegreeTwo(const CCycle& c, short k) {
    return k >= 1 && k <= c.m_nDim && c.m_pDeg != nullptr && c.m_pDeg[k - 1] >= 2;
}

// Empties the tried-gap marks and both move sets.
void ResetSearchMemory(CCycle& c);

// The first position p of c.m_path, from the front, whose link (p, Next(p))
// is a gap that is not marked; m_path.end() when there is none.
CCycle::Position FirstUnmarkedGap(CCycle& c);

// The main loop over the current link with the nine moves, working on the
// node list itself. Returns the gap count of the order it leaves.
int OptimizeListBased(CCycle& c, int level, std::ostream& os, const SearchControl& ctl);

}  // namespace hcp
