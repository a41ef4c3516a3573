// CRandSrc: the engine's pseudo-random integers. Every instance draws from
// one process-wide additive feedback generator (x^31 + x^3 + 1, 31 words);
// an instance only shapes the raw draws (mask, range or fraction).
#pragma once

#include <cstdint>

#include "export.h"

class TOURKERN_API CRandSrc {
public:
    std::uint32_t m_nMask;   // applied to every raw draw
    std::int32_t m_nLow;     // lower end of the range (range mode)
    std::int32_t m_nSpan;    // width of the range, compared as unsigned
    bool m_bPrecision;       // true: masked draw is the result

    // Each constructor reseeds the shared generator from the clock (seconds).
    CRandSrc();
    explicit CRandSrc(int bits);
    CRandSrc(int lo, int hi);

    void set_seed(int x);
    void set_range(int lo, int hi);
    void set_precision(int bits);

    unsigned int get();              // raw draw, 0 .. 2^31-1
    int operator()();                // shaped draw
    int operator()(int bits);        // raw draw mod 2^bits - 1
    int operator()(int lo, int hi);  // one draw from lo..hi, settings kept

    CRandSrc& operator>>(char& v);
    CRandSrc& operator>>(unsigned char& v);
    CRandSrc& operator>>(int& v);
    CRandSrc& operator>>(unsigned int& v);
    CRandSrc& operator>>(long& v);
    CRandSrc& operator>>(unsigned long& v);
    CRandSrc& operator>>(float& v);
    CRandSrc& operator>>(double& v);
};

// The library's global source, constructed (and so seeding the generator)
// when the library is loaded.
extern TOURKERN_API CRandSrc rand_int;
