#include "io/graphfile.h"

namespace hcp {

Graph ReadGraph(const std::string& path, const ReadOptions& options)
{
    return ReadHcpGraph(path, options);
}

}  // namespace hcp
