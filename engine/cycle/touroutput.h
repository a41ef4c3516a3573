// Name rule of the tour files that CCycle::StoreCycle writes, for callers
// that need to know which file a save went to.
#pragma once

#include <string>

#include "export.h"

namespace hcp {

// The tour file name for a graph name: cut at the last '.' anywhere in the
// name (if any) and append ".tou"; "graph.hcp" gives "graph.tou".
TOURKERN_API std::string TourFileName(const std::string& name);

}  // namespace hcp
