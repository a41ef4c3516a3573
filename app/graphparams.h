// The three values of the "Graph parameters" dialog, kept per document so
// that the dialog opens with them.
#pragma once

#include <cstdint>

struct GraphParams {
    std::int16_t m_nDimension = 8;   // nodes of a new graph, 3..32767
    std::int16_t m_nMaxDegree = 0;   // degree argument of the random graph, 0..N-1
    bool m_bRandom = true;           // random graph (true) or no edges (false)
    // A leaper graph instead: an (a, b)-leaper's moves on an m x n board.
    bool m_bLeaper = false;
    std::int16_t m_nLeapA = 1;
    std::int16_t m_nLeapB = 2;
    std::int16_t m_nRows = 8;
    std::int16_t m_nCols = 8;
};
