// Where the search's progress reports go: the standard output stream unless
// a caller redirects them, for the whole process or for its own thread.
#pragma once

#include <iosfwd>

#include "export.h"

namespace hcp {

// The stream the drivers write progress reports to.
TOURKERN_API std::ostream& ReportStream();
// Redirects reports for the whole process; null restores standard output.
TOURKERN_API void SetReportStream(std::ostream* os);
// Redirects reports of the calling thread only; null clears the override.
TOURKERN_API void SetThreadReportStream(std::ostream* os);

}  // namespace hcp
