// What a solve can conclude about a graph.
#pragma once

#include <string_view>

namespace hcp {

enum class Verdict {
    Hamiltonian,   // a cycle through every node was found and checked
    NoCycle,       // proved: the graph has no Hamiltonian cycle
    Unknown        // neither: stopped, out of time, or the method is incomplete
};

// "HAMILTONIAN", "NO_CYCLE", "UNKNOWN": the words the tools print.
constexpr std::string_view VerdictName(Verdict v) {
    switch (v) {
    case Verdict::Hamiltonian: return "HAMILTONIAN";
    case Verdict::NoCycle: return "NO_CYCLE";
    case Verdict::Unknown: break;
    }
    return "UNKNOWN";
}

}  // namespace hcp
