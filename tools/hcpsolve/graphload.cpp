#include "graphload.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "console.h"
#include "graph/bitgraph.h"

namespace hcpsolve {

namespace {

// The engine's message, or the text it wrote to the error stream, or a
// generic reason: whichever is the most specific.
std::string LoadFailure(const std::string& path, const std::string& captured)
{
    const char* last = hcp::LastLoadError();
    std::string reason = last != nullptr ? last : "";
    if (reason.empty()) {
        reason = captured;
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
            reason.pop_back();
        const std::size_t nl = reason.rfind('\n');
        if (nl != std::string::npos) reason = reason.substr(nl + 1);
    }
    if (reason.empty()) return path + ": not a readable HCP graph file";
    if (reason.find(path) == std::string::npos) return path + ": " + reason;
    return reason;
}

}  // namespace

std::unique_ptr<CBitGraph> LoadGraphFile(const std::string& path, std::string& error)
{
    // Report the common cases in the system's own words before the engine
    // sees the file.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + ": is a directory";
        return nullptr;
    }
    {
        std::ifstream probe(path);
        if (!probe) {
            error = path + ": " + std::strerror(errno);
            return nullptr;
        }
    }

    auto graph = std::make_unique<CBitGraph>();
    std::ostringstream captured;
    bool ok = false;
    {
        // The engine writes its reader messages to the standard error stream;
        // catch them so that the one line printed names the file.
        std::lock_guard<std::mutex> lock(ConsoleMutex());
        std::streambuf* saved = std::cerr.rdbuf(captured.rdbuf());
        ok = graph->Load(path.c_str());
        std::cerr.rdbuf(saved);
    }
    if (!ok) {
        error = LoadFailure(path, captured.str());
        return nullptr;
    }
    return graph;
}

bool DegreeRulesOutCycle(const CBitGraph& graph)
{
    if (graph.GetDim() < 3) return true;
    CBitGraph reduced(graph);
    reduced.CalcDeg();
    if (reduced.GetMinDeg() < 2) return true;
    if (reduced.GetMinDeg() == 2) {
        while (reduced.AnalyzeDegree() > 0) {
        }
        reduced.CalcDeg();
        if (reduced.GetMinDeg() < 2) return true;
    }
    return false;
}

}  // namespace hcpsolve
