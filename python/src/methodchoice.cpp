#include "methodchoice.h"

#include "solve/solver.h"

namespace pyhcp {

// Stand-in for "auto" until the engine registers it: a complete method when
// there is one, so that a proof is still possible, else the legacy search.
// Once "auto" is registered this does nothing.
std::string ChooseMethod(const std::string& name)
{
    if (name != "auto" || hcp::FindMethod("auto") != nullptr) return name;
    if (hcp::FindMethod("exact") != nullptr) return "exact";
    return "exist";
}

}  // namespace pyhcp
