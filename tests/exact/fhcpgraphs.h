// FHCP graphs of the benchmark set for the SAT search's tests, which skip
// themselves where the set is not at hand.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "exact/reduction.h"
#include "exact/workgraph.h"
#include "io/graphfile.h"

namespace fhcptest {

inline std::string FhcpPath(const char* name)
{
    return std::string(TOURVANE_SHARED_DIR) + "/bench/fhcpcs-more/" + name;
}

// The working graph the proofs leave of g.
inline void BuildWorking(const hcp::Graph& g, hcp::WorkGraph& w)
{
    hcp::Reduction reduction;
    ASSERT_EQ(reduction.Run(g), hcp::ProofOutcome::Open);
    w.Build(reduction);
}

// The working graph the proofs leave of the graph at path.
inline void BuildWorking(const std::string& path, hcp::WorkGraph& w)
{
    BuildWorking(hcp::ReadGraph(path), w);
}

}  // namespace fhcptest
