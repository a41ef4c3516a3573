// The result of one graph file and its line in the three output formats:
// text for people, CSV for spreadsheets, JSON Lines for scripts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/graph.h"
#include "core/question.h"
#include "options.h"

namespace hcpsolve {

enum class Verdict { Hamiltonian, NoCycle, NotFound, Error };

const char* VerdictName(Verdict v);
// The word a result line shows for v when q was asked: the cycle words
// above, or HAMILTONIAN_PATH, NO_PATH, UNKNOWN and ERROR for a path.
std::string VerdictWord(Verdict v, const hcp::Question& q);

struct FileResult {
    std::string file;
    Verdict verdict = Verdict::Error;
    int n = 0;
    unsigned edges = 0;             // arcs, in a directed graph
    bool directed = false;
    hcp::Question question;         // what was asked (0-based ends)
    int gaps = -1;                  // H of the reported order; -1 when none
    std::uint64_t calls = 0;        // Optimize calls of the restarts counted
    double seconds = 0;
    int restart = -1;               // restart reported; -1 when none ran
    std::uint32_t seed = 0;         // its seed
    std::string error;              // the reason, for ERROR
    std::string reason;             // why there is no cycle, for NO_CYCLE
    std::string method;             // the method that decided (or was asked for)
    std::vector<hcp::NodeId> order; // the order reported (0-based), to be written
    // With -o, the tour path actually written when it is to be reported
    // (another input had the usual name).
    std::string tourShown;
};

// The header line of a format (CSV only), or an empty string. A path
// question adds the columns question, from and to after the usual ones, so
// a cycle run's columns stay as they were.
std::string ResultHeader(Format format, const hcp::Question& q = {});
// One result line, without its line end.
std::string FormatResult(Format format, const FileResult& r);

// The result of --verify.
struct VerifyResult {
    std::string graph;
    std::string tour;
    int n = 0;
    // HAMILTONIAN, NOT_HAMILTONIAN, NOT_PERMUTATION; for a path question
    // HAMILTONIAN_PATH, NOT_HAMILTONIAN_PATH, NOT_PERMUTATION.
    std::string verdict;
    int gaps = -1;
    std::string detail;             // first gap or why it is no permutation
};

std::string VerifyHeader(Format format);
std::string FormatVerify(Format format, const VerifyResult& r);

}  // namespace hcpsolve
