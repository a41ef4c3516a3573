// Pieces every CaDiCaL model of the complete method shares: a clause from
// a list, "exactly one of these", and the terminator that lets a stop
// request end a call. Included only by sources that link CaDiCaL.
#pragma once

#include <cadical.hpp>

#include <initializer_list>
#include <stop_token>
#include <utility>
#include <vector>

namespace hcp {

// Lets a stop request end a SAT call: CaDiCaL polls it while it searches.
class StopTerminator final : public CaDiCaL::Terminator {
public:
    explicit StopTerminator(std::stop_token stop) : m_stop(std::move(stop)) {}
    bool terminate() override { return m_stop.stop_requested(); }

private:
    std::stop_token m_stop;
};

inline void AddClause(CaDiCaL::Solver& s, std::initializer_list<int> lits)
{
    for (int l : lits) s.add(l);
    s.add(0);
}

// At least one of lits and at most one: pairwise exclusion for a few
// literals, a sequential counter for many (a degree of 800 would give
// 320,000 pairs, the counter 2,400 clauses). The counter's variables are
// taken from next on.
inline void AddExactlyOne(CaDiCaL::Solver& s, const std::vector<int>& lits, int& next)
{
    for (int l : lits) s.add(l);
    s.add(0);
    const std::size_t k = lits.size();
    if (k <= 6) {
        for (std::size_t i = 0; i < k; ++i)
            for (std::size_t j = i + 1; j < k; ++j) AddClause(s, {-lits[i], -lits[j]});
        return;
    }
    int prev = 0;
    for (std::size_t i = 0; i < k; ++i) {
        const int x = lits[i];
        if (i + 1 < k) {
            const int t = next++;
            AddClause(s, {-x, t});
            if (prev != 0) {
                AddClause(s, {-prev, t});
                AddClause(s, {-x, -prev});
            }
            prev = t;
        } else {
            AddClause(s, {-x, -prev});
        }
    }
}

}  // namespace hcp
