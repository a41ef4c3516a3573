#include "graph/diagnostics.h"

#include <iostream>
#include <ostream>

namespace hcp {

namespace {

thread_local std::ostream* t_sink = nullptr;

// A stream without a buffer: every write fails quietly and is dropped.
std::ostream& DropStream()
{
    thread_local std::ostream drop(nullptr);
    drop.clear();
    return drop;
}

}  // namespace

std::ostream& Diagnostics() { return t_sink != nullptr ? *t_sink : std::cerr; }

void SetThreadDiagnostics(std::ostream* os) { t_sink = os; }

std::ostream* ThreadDiagnostics() { return t_sink; }

DiagnosticsScope::DiagnosticsScope(std::ostream* os) : m_previous(t_sink)
{
    t_sink = os != nullptr ? os : &DropStream();
}

DiagnosticsScope::~DiagnosticsScope() { t_sink = m_previous; }

}  // namespace hcp
