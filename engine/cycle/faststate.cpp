// State of the fast search: loading a CCycle, the gap count and gap nodes
// kept across order changes, the candidate lists and the choice of the
// first unmarked gap.
#include <algorithm>
#include <cassert>

#include "cycle/fastsearch.h"
#include "graph/pairscan.h"

namespace hcp {

bool FastSearch::Load(const CCycle& c, Mode mode)
{
    m_n = c.m_nDim;
    m_h = 0;
    m_useNeighbours = false;
    ResetMemory();
    if (m_n < 4 || !m_path.Load(c.m_path, m_n)) {
        m_n = 0;
        return false;
    }
    const std::size_t slots = static_cast<std::size_t>(m_n) + 1;
    m_bits = c.m_Bits.m_pData;
    m_rowBase.assign(slots, 0);
    for (short u = 1; u < m_n; ++u)
        m_rowBase[u] = c.PairIndex(u, static_cast<short>(u + 1)) - static_cast<std::uint32_t>(u + 1);
    m_adjFlag.assign(slots, 0);
    m_degree.assign(slots, 0);
    if (c.m_pDeg)
        for (int v = 1; v <= m_n; ++v) m_degree[v] = c.m_pDeg[v - 1];

    // Neighbour arrays, counted and then filled in two scans of the pair
    // store; kept while they take no more room than the store itself, or
    // while the graph is sparse (average degree 16 or less: on fewer than
    // 512 nodes this takes at most 16 KB more than the store).
    // Dense graphs are scanned: there the first candidates soon qualify.
    m_nbrStart.assign(slots + 1, 0);
    ForEachJoinedPair(c, [&](short i, short j) {
        ++m_nbrStart[i + 1];
        ++m_nbrStart[j + 1];
    });
    for (std::size_t v = 1; v <= slots; ++v) m_nbrStart[v] += m_nbrStart[v - 1];
    const std::size_t ends = static_cast<std::size_t>(m_nbrStart[slots]);
    const std::size_t storeBytes = c.m_Bits.Bytes();
    const bool sparse = ends <= 16 * static_cast<std::size_t>(m_n);
    m_useNeighbours = mode == Mode::Neighbours
        || (mode == Mode::Auto && (sparse || ends * sizeof(short) <= storeBytes));
    m_forceLists = mode == Mode::Neighbours;
    m_nbr.clear();
    if (m_useNeighbours) {
        m_nbr.resize(ends);
        std::vector<std::int32_t> fill(m_nbrStart.begin(), m_nbrStart.end() - 1);
        ForEachJoinedPair(c, [&](short i, short j) {
            m_nbr[fill[i]++] = j;
            m_nbr[fill[j]++] = i;
        });
    } else {
        m_nbrStart.clear();
    }

    // Gap degrees, the gap nodes and H.
    m_gapDegree.assign(slots, 0);
    m_gapSlot.assign(slots, -1);
    m_gapNodes.clear();
    int sum = 0;
    for (int i = 0; i < m_n; ++i) {
        const short v = m_path.At(i);
        const int d = Gap(m_path.Prev(v), v) + Gap(v, m_path.Next(v));
        SetGapDegree(v, d);
        sum += d;
    }
    m_h = sum / 2;
    return true;
}

void FastSearch::ResetMemory()
{
    m_marks.Clear();
    if (m_marksSpilled) {
        *m_markStore = true;
        m_marksSpilled = false;
    }
    m_moves.Clear();
    m_moves2.Clear();
}

void FastSearch::SetMarkStore(CBitGraph* store, std::size_t spillBytes)
{
    m_markStore = store;
    m_spillBytes = spillBytes;
}

// A long stretch without improvement can mark a great many links; past the
// set's budget the marks move into the bit matrix, whose reset costs a full
// pass but which never grows.
void FastSearch::Mark(short u, short v)
{
    if (u == v) return;
    if (m_marksSpilled) {
        m_markStore->SetEdge(u, v);
        return;
    }
    m_marks.Insert(PairKey(u, v));
    if (m_markStore && m_marks.Bytes() > m_spillBytes) {
        m_marks.ForEach([&](const FastKey& k) {
            m_markStore->SetEdge(static_cast<short>(k.lo & 0xFFFF), static_cast<short>((k.lo >> 16) & 0xFFFF));
        });
        m_marks.Clear();
        m_marksSpilled = true;
    }
}

void FastSearch::SetGapDegree(short v, int d)
{
    m_gapDegree[v] = static_cast<std::uint8_t>(d);
    const bool listed = m_gapSlot[v] >= 0;
    if (d > 0 && !listed) {
        m_gapSlot[v] = static_cast<std::int32_t>(m_gapNodes.size());
        m_gapNodes.push_back(v);
    } else if (d == 0 && listed) {
        const short last = m_gapNodes.back();
        m_gapNodes[m_gapSlot[v]] = last;
        m_gapSlot[last] = m_gapSlot[v];
        m_gapNodes.pop_back();
        m_gapSlot[v] = -1;
    }
}

// Only the nodes at the ends of removed and created links change their gap
// degree; the links inside a reversed or moved segment stay as pairs.
void FastSearch::BeginChange(const short* nodes, int count)
{
    m_changedCount = 0;
    m_changedGapSum = 0;
    for (int i = 0; i < count; ++i) {
        const short v = nodes[i];
        if (std::find(m_changed, m_changed + m_changedCount, v) != m_changed + m_changedCount)
            continue;
        m_changed[m_changedCount++] = v;
        m_changedGapSum += m_gapDegree[v];
    }
}

void FastSearch::EndChange()
{
    int sum = 0;
    for (int i = 0; i < m_changedCount; ++i) {
        const short v = m_changed[i];
        const int d = Gap(m_path.Prev(v), v) + Gap(v, m_path.Next(v));
        SetGapDegree(v, d);
        sum += d;
    }
    m_h += (sum - m_changedGapSum) / 2;
}

void FastSearch::Reverse(short from, short to)
{
    const short nodes[4] = {m_path.Prev(from), from, to, m_path.Next(to)};
    BeginChange(nodes, 4);
    m_path.Reverse(from, to);
    EndChange();
}

void FastSearch::MoveSegment(short x, short y, short before, bool reversed)
{
    const short nodes[6] = {m_path.Prev(x), x, y, m_path.Next(y), m_path.Prev(before), before};
    BeginChange(nodes, 6);
    m_path.MoveSegment(x, y, before, reversed);
    EndChange();
}

void FastSearch::FlagNeighbours(short v, std::uint8_t bit)
{
    if (!m_useNeighbours) return;
    const std::int32_t end = m_nbrStart[v + 1];
    for (std::int32_t i = m_nbrStart[v]; i < end; ++i) m_adjFlag[m_nbr[i]] |= bit;
}

void FastSearch::ClearFlags(short v, std::uint8_t bit)
{
    if (!m_useNeighbours) return;
    const std::int32_t end = m_nbrStart[v + 1];
    for (std::int32_t i = m_nbrStart[v]; i < end; ++i) m_adjFlag[m_nbr[i]] &= static_cast<std::uint8_t>(~bit);
}

void FastSearch::AddNeighbours(std::vector<int>& out, short v, short origin, int shift, int lo,
                               int hi) const
{
    const std::int32_t end = m_nbrStart[v + 1];
    for (std::int32_t i = m_nbrStart[v]; i < end; ++i) {
        const int k = m_path.Offset(m_nbr[i], origin) + shift;
        if (k >= lo && k <= hi) out.push_back(k);
    }
}

void FastSearch::AddGapNodes(std::vector<int>& out, short origin, int shift, int lo, int hi,
                             bool linkStartsOnly) const
{
    for (short u : m_gapNodes) {
        if (linkStartsOnly && !Gap(u, m_path.Next(u))) continue;
        const int k = m_path.Offset(u, origin) + shift;
        if (k >= lo && k <= hi) out.push_back(k);
    }
}

// A few links from the front are looked at directly, since after a reset
// the first gap is usually near; past them, the gap nodes are searched for
// the one nearest the front when they are few, else the walk goes on.
short FastSearch::FirstUnmarkedGap() const
{
    auto qualifies = [&](int i) {
        const short u = m_path.At(i);
        const short v = m_path.At(i + 1 == m_n ? 0 : i + 1);
        return Gap(u, v) && !IsMarked(u, v);
    };
    const int direct = std::min(m_n, m_forceLists ? 2 : 64);
    for (int i = 0; i < direct; ++i)
        if (qualifies(i)) return m_path.At(i);
    if (direct == m_n) return 0;
    if (GapNodesAreSparse()) {
        int best = m_n;
        for (short u : m_gapNodes) {
            const int i = m_path.IndexOf(u);
            if (i < best && qualifies(i)) best = i;
        }
        return best < m_n ? m_path.At(best) : 0;
    }
    for (int i = direct; i < m_n; ++i)
        if (qualifies(i)) return m_path.At(i);
    return 0;
}

}  // namespace hcp
