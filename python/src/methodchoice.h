// Which registered method a Python call runs for the name it was given.
#pragma once

#include <string>

namespace pyhcp {

// The name itself, except "auto" while no method of that name is
// registered: then the strongest registered stand-in. Unknown names pass
// through, so hcp::Solve reports them with the list of known ones.
std::string ChooseMethod(const std::string& name);

}  // namespace pyhcp
