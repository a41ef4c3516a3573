// The end of hcpsolve's pipeline: each result, in input order, becomes an
// error line when the graph could not be read, a tour file with -o, the
// graph's own bytes on standard output when --select picks it, and a
// result line (on standard output, or where --select sends it). Lines are
// flushed in batches, so a
// stream of tens of thousands of tiny graphs does not pay a write per
// graph, while a slow one still shows each result within a fraction of a
// second.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "core/graph.h"
#include "options.h"
#include "resultformat.h"

namespace hcpsolve {

class ResultWriter {
public:
    explicit ResultWriter(const Options& opts);

    // Prints r; graph (may be null) is the graph it belongs to, which an
    // older tour on disk is checked against. tourWanted is DIR/NAME.tour
    // with -o, or empty. graphText is the graph as read, written out when the
    // selection picks r.
    void Emit(const FileResult& r, const hcp::Graph* graph, const std::string& tourWanted,
              const std::string& graphText = {});
    // Flushes what is printed when the last flush is older than a tenth of
    // a second, or always with force.
    void Flush(bool force);
    // True once a result line could not be written: the run must stop.
    bool Failed() const { return m_failed; }

    std::uint64_t Selected() const { return m_selected; }
    int Errors() const { return m_errors; }
    int NotHamiltonian() const { return m_notHamiltonian; }
    std::uint64_t Printed() const { return m_printed; }

private:
    void WriteTour(const FileResult& r, const hcp::Graph* graph, const std::string& wanted, FileResult& shown,
                   const FileResult*& line);

    const Options& m_opts;
    const bool m_keepsBestOrder;   // the method's best order is written like a cycle
    bool m_failed = false;
    int m_errors = 0;
    int m_notHamiltonian = 0;
    std::uint64_t m_printed = 0;
    std::uint64_t m_selected = 0;
    std::chrono::steady_clock::time_point m_lastFlush = std::chrono::steady_clock::now();
};

}  // namespace hcpsolve
