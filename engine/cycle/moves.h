// Move records: a move is identified by the sorted node numbers it touches,
// so that a zero-gain move is taken at most once between two improvements.
#pragma once

#include "export.h"

// Five-node move (RelocateNode, InsertNode).
class TOURKERN_API GMove {
public:
    short m_nodes[5];
    GMove(short a, short b, short c, short d, short e);
    ~GMove() {}
    GMove& operator=(const GMove& m);
    GMove(const GMove& m) = default;
    bool operator==(const GMove& m) const;
    bool operator<(const GMove& m) const;
};

// Four-node move (ReverseToLink).
class TOURKERN_API GMove2 {
public:
    short m_nodes[4];
    GMove2(short a, short b, short c, short d);
    ~GMove2() {}
    GMove2& operator=(const GMove2& m);
    GMove2(const GMove2& m) = default;
    bool operator==(const GMove2& m) const;
    bool operator<(const GMove2& m) const;
};

// Four-node chain move; part of the interface, unused by the search.
class TOURKERN_API GChainMove {
public:
    short m_nodes[4];
    GChainMove(short a, short b, short c, short d);
    ~GChainMove() {}
    GChainMove& operator=(const GChainMove& m);
    GChainMove(const GChainMove& m) = default;
    bool operator==(const GChainMove& m) const;
    bool operator<(const GChainMove& m) const;
};
