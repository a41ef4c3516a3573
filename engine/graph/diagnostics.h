// Where the engine's diagnostic lines go (a rejected file, a failed save):
// the standard error stream unless the calling thread names another sink,
// so a front end that reads files on several threads never has to redirect
// std::cerr, and each thread's messages land where its caller wants them.
#pragma once

#include <iosfwd>

#include "export.h"

namespace hcp {

// The calling thread's diagnostic stream: its own sink when one is set,
// otherwise std::cerr.
TOURKERN_API std::ostream& Diagnostics();
// Sets the calling thread's sink; null restores std::cerr.
TOURKERN_API void SetThreadDiagnostics(std::ostream* os);
// The calling thread's sink, null when it uses std::cerr.
TOURKERN_API std::ostream* ThreadDiagnostics();

// Sends the calling thread's diagnostics to os (null drops them) for the
// lifetime of the object, then restores the sink it found.
class TOURKERN_API DiagnosticsScope {
public:
    explicit DiagnosticsScope(std::ostream* os);
    ~DiagnosticsScope();
    DiagnosticsScope(const DiagnosticsScope&) = delete;
    DiagnosticsScope& operator=(const DiagnosticsScope&) = delete;

private:
    std::ostream* m_previous;
};

}  // namespace hcp
