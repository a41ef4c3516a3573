// Move records: the node numbers a move touches, kept sorted so that the
// same move is recognised whatever role each node played in it.
#include "cycle/moves.h"

#include <algorithm>
#include <iterator>

namespace {

template <std::size_t K>
void CopyNodes(short (&dst)[K], const short (&src)[K])
{
    std::copy(std::begin(src), std::end(src), std::begin(dst));
}

template <std::size_t K>
bool SameNodes(const short (&a)[K], const short (&b)[K])
{
    return std::equal(std::begin(a), std::end(a), std::begin(b));
}

// Lexicographic order over the sorted node numbers: a strict total order,
// which is all the move sets need.
template <std::size_t K>
bool NodesBefore(const short (&a)[K], const short (&b)[K])
{
    return std::lexicographical_compare(std::begin(a), std::end(a), std::begin(b), std::end(b));
}

}  // namespace

GMove::GMove(short a, short b, short c, short d, short e)
    : m_nodes{a, b, c, d, e}
{
    std::sort(std::begin(m_nodes), std::end(m_nodes));
}

GMove& GMove::operator=(const GMove& m)
{
    CopyNodes(m_nodes, m.m_nodes);
    return *this;
}

bool GMove::operator==(const GMove& m) const { return SameNodes(m_nodes, m.m_nodes); }
bool GMove::operator<(const GMove& m) const { return NodesBefore(m_nodes, m.m_nodes); }

GMove2::GMove2(short a, short b, short c, short d)
    : m_nodes{a, b, c, d}
{
    std::sort(std::begin(m_nodes), std::end(m_nodes));
}

GMove2& GMove2::operator=(const GMove2& m)
{
    CopyNodes(m_nodes, m.m_nodes);
    return *this;
}

bool GMove2::operator==(const GMove2& m) const { return SameNodes(m_nodes, m.m_nodes); }
bool GMove2::operator<(const GMove2& m) const { return NodesBefore(m_nodes, m.m_nodes); }

GChainMove::GChainMove(short a, short b, short c, short d)
    : m_nodes{a, b, c, d}
{
    std::sort(std::begin(m_nodes), std::end(m_nodes));
}

GChainMove& GChainMove::operator=(const GChainMove& m)
{
    CopyNodes(m_nodes, m.m_nodes);
    return *this;
}

bool GChainMove::operator==(const GChainMove& m) const { return SameNodes(m_nodes, m.m_nodes); }
bool GChainMove::operator<(const GChainMove& m) const { return NodesBefore(m_nodes, m.m_nodes); }
