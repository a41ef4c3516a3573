// Where progress reports go: a per-thread override first, then the
// process-wide redirection, then the standard output stream.
#include "cycle/report.h"

#include <atomic>
#include <iostream>

namespace hcp {

namespace {
// Atomic so that one thread may redirect while another searches.
std::atomic<std::ostream*> g_processStream{nullptr};
thread_local std::ostream* t_threadStream = nullptr;
}  // namespace

std::ostream& ReportStream()
{
    if (t_threadStream) return *t_threadStream;
    if (std::ostream* os = g_processStream.load(std::memory_order_acquire)) return *os;
    return std::cout;
}

void SetReportStream(std::ostream* os) { g_processStream.store(os, std::memory_order_release); }

void SetThreadReportStream(std::ostream* os) { t_threadStream = os; }

}  // namespace hcp
