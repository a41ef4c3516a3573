#include "io/graphfile.h"

#include "io/graphsource.h"
#include "io/messagetext.h"

namespace hcp {

Graph ReadGraph(const std::string& path, const ReadOptions& options)
{
    // An .hcp file goes straight to its reader, as it always has; anything
    // else through the source, which tells the format and opens the file
    // once.
    const std::optional<GraphFormat> byName = path == "-" ? std::nullopt : FormatFromExtension(path);
    if (byName == GraphFormat::Hcp) return ReadHcpGraph(path, options);
    GraphSource source(path, options);
    SourceItem item;
    if (!source.Next(item)) throw FormatError(EscapeControls(path) + ": holds no graph");
    if (!item.error.empty()) throw FormatError(item.error);
    if (source.Stream()) {
        SourceItem second;
        if (source.Next(second))
            throw FormatError(EscapeControls(path) + ":" + std::to_string(second.line)
                              + ": a second graph; this reads files of one graph");
    }
    return std::move(item.graph);
}

}  // namespace hcp
