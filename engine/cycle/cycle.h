// CCycle: a graph together with a cyclic order of all its nodes, and the
// search that improves the order until every link is an edge. Exported from
// tourkern; its layout and virtual slots are part of the binary interface.
#pragma once

#include <iosfwd>
#include <list>
#include <set>
#include <string>

#include "export.h"
#include "graph/bitgraph.h"
#include "cycle/moves.h"
#include "cycle/searchcontrol.h"

class TOURKERN_API CCycle : public CBitGraph {
public:
    typedef std::list<short>::iterator Position;

    // Data, in interface order.
    std::list<short> m_path;          // the order, read cyclically
    std::set<GMove> m_usedMoves;      // zero-gain five-node moves taken
    std::set<GMove2> m_usedMoves2;    // zero-gain four-node moves taken
    CBitGraph m_triedGaps;            // pairs worked on (clear bit = marked)

    // Construction, assignment, order primitives, save/restore (cycle.cpp).
    CCycle();
    explicit CCycle(short n);
    explicit CCycle(const CBitGraph& g);
    CCycle(const CCycle& other);
    ~CCycle() override;
    void SetDim(short n) override;
    virtual bool StoreCycle(const char* name);   // touroutput.cpp
    virtual void Store(CBitGraph* g);
    virtual void Store(std::list<short>* l);
    virtual void Restore(CBitGraph* g);
    virtual void Restore(std::list<short>* l);
    using CBitGraph::Store;

    CCycle& operator=(bool b);
    CCycle& operator=(const CBitGraph& g);
    CBitGraph* GetGraph() { return this; }

    Position Find(short v);
    Position Next(Position p) {
        ++p;
        return p == m_path.end() ? m_path.begin() : p;
    }
    Position Prev(Position p) {
        if (p == m_path.begin()) p = m_path.end();
        return --p;
    }
    int Distance(Position a, Position b);
    bool IsBetween(Position a, Position b, Position x, Position y);
    void Swap(Position& a, Position& b);
    int CalcPathLen();
    // True when l holds each node 1..N exactly once; check an order from
    // outside with this before installing it with Restore.
    bool IsPermutation(const std::list<short>& l) const;

    // Starting orders (pathinit.cpp).
    void Init(bool shuffle);
    void PathInit(bool shuffle);
    void PathInit(bool shuffle, const hcp::SearchControl& ctl);

    // Text outputs (touroutput.cpp). MakeString(char*) needs a buffer of at
    // least 6N + 18 bytes; new callers use the std::string form.
    void MakeString(char* text);
    std::string MakeString();
    void PrintReport(int level, std::ostream& os);

    // Search drivers (search.cpp). The forms with a SearchControl accept a
    // stop request and count the work; without one they behave the same.
    int Optimize(int level, std::ostream& os);
    int Optimize(int level, std::ostream& os, const hcp::SearchControl& ctl);
    bool IsCycleExist(std::ostream& os);
    bool IsCycleExist(std::ostream& os, const hcp::SearchControl& ctl);
    int FindMinCycle();
    int FindMinCycle(const hcp::SearchControl& ctl);

    // Node moves (nodemoves.cpp). Used by the search only.
    TOURKERN_LOCAL bool RelocateNode(Position& x, bool allowZeroGain);
    TOURKERN_LOCAL bool RelocateEnd(Position& a, Position& b, bool allowZeroGain);
    TOURKERN_LOCAL bool InsertNode(Position& a, Position& b, bool allowZeroGain);
    TOURKERN_LOCAL bool ReverseToLink(Position& a, Position& b, bool allowZeroGain);

    // Segment moves (segmentmoves.cpp). Used by the search only.
    TOURKERN_LOCAL void MoveSegment(Position x, Position y, Position a, Position b, bool reversed);
    TOURKERN_LOCAL bool CloseGapForward(Position& a, Position& b, bool allowZeroGain);
    TOURKERN_LOCAL bool CloseGapBackward(Position& a, Position& b, bool allowZeroGain);
    TOURKERN_LOCAL bool ShiftGap(Position& a, Position& b, bool allowZeroGain);

    // 1 when the link (u, v) is a gap, else 0.
    int Gap(short u, short v) const { return GetEdge(u, v) ? 0 : 1; }
};
