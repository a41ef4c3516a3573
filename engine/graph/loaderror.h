// Where CBitGraph::Load leaves the reason it failed: LastLoadError on the
// calling thread, and one line on its diagnostics sink (graph/diagnostics.h). Internal to the engine.
#pragma once

#include <string>

namespace hcp {

void ClearLoadError();
// recorded is what LastLoadError returns ("file:line: problem"), printed the
// line written to the error stream (the legacy wording where there is one).
void ReportLoadFailure(const std::string& recorded, const std::string& printed);

}  // namespace hcp
