#include "io/graphfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "graph/bitgraph.h"

namespace hcp {

Graph ReadGraph(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileError(path + ": is a directory");
    {
        std::ifstream probe(path);
        if (!probe) throw FileError(path + ": " + std::strerror(errno));
    }
    CBitGraph g;
    if (!g.Load(path.c_str())) {
        std::string reason = LastLoadError();
        if (reason.empty()) reason = path + ": not a readable HCP graph file";
        else if (reason.find(path) == std::string::npos) reason = path + ": " + reason;
        throw FormatError(reason);
    }
    Graph out = Graph::FromBitGraph(g);
    return out;
}

}  // namespace hcp
