// FastPath: the search's cyclic order held as an array read from a front,
// with the index of every node, so that Next, Prev and cyclic offsets cost
// O(1). Reversal and segment moves change the array exactly as they change
// the node list m_path, front included, so that the list can be written
// back at any time and read the same. Internal to the engine.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

namespace hcp {

class FastPath {
public:
    // Takes the order of l. False, leaving this path empty, unless l holds
    // each node 1..n exactly once.
    bool Load(const std::list<short>& l, int n);
    // Writes the order into l from its front, reusing its elements.
    void StoreInto(std::list<short>& l) const;

    int Size() const { return m_n; }
    short At(int index) const { return m_order[index]; }
    int IndexOf(short v) const { return m_index[v]; }
    short Front() const { return m_order[0]; }

    short Next(short v) const {
        int i = m_index[v] + 1;
        return m_order[i == m_n ? 0 : i];
    }
    short Prev(short v) const {
        int i = m_index[v];
        return m_order[i == 0 ? m_n - 1 : i - 1];
    }
    // Number of Next steps from origin to v (0 when they are equal).
    int Offset(short v, short origin) const {
        int d = m_index[v] - m_index[origin];
        return d < 0 ? d + m_n : d;
    }
    // The node k Next steps after origin, 0 <= k < N.
    short AtOffset(short origin, int k) const {
        int i = m_index[origin] + k;
        return m_order[i >= m_n ? i - m_n : i];
    }

    // Reverses the cyclic segment from..to in place: the array slots keep
    // their places and their node numbers are rewritten, as the list's
    // elements are. The whole order (to just before from) is left as is.
    // Costs O(segment length).
    void Reverse(short from, short to);

    // Takes the cyclic segment x..y out and puts it, reversed on request,
    // just before the node `before`, which must lie outside the segment.
    // When `before` is the front, the segment becomes the new front; when
    // the segment holds the front, the node after y becomes the front.
    // Costs O(distance between the segment and `before`), O(N) when the
    // segment wraps past the end of the array.
    void MoveSegment(short x, short y, short before, bool reversed);

private:
    void Rotate(int first, int middle, int last);
    void Reindex(int from, int to);  // m_index for slots [from, to)

    int m_n = 0;
    std::vector<short> m_order;           // node numbers from the front
    std::vector<std::int32_t> m_index;    // slot of each node, by number
    std::vector<short> m_scratch;         // for segment moves, N entries
};

}  // namespace hcp
