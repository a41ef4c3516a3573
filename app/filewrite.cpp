#include "filewrite.h"

#include <filesystem>
#include <system_error>

#include "io/atomicfile.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// What stands at a target that is no regular file, in words.
const char* KindOf(fs::file_type t)
{
    switch (t) {
    case fs::file_type::directory: return "a folder";
    case fs::file_type::character: return "a character device";
    case fs::file_type::block: return "a block device";
    case fs::file_type::fifo: return "a FIFO";
    case fs::file_type::socket: return "a socket";
    default: return "no regular file";
    }
}

// Follows the chain of links at path to the file it names (which need not
// exist). Empty with *error set on a loop or an unreadable link.
fs::path LinkTarget(const std::string& path, std::string* error)
{
    fs::path p(path);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        const fs::file_status st = fs::symlink_status(p, ec);
        if (ec || st.type() != fs::file_type::symlink)
            return p;
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) {
            *error = path + ": the link cannot be read (" + ec.message() + ")";
            return {};
        }
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    *error = path + ": too many levels of symbolic links";
    return {};
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view data, std::string* error)
{
    std::string why;
    const fs::path target = LinkTarget(path, &why);
    if (target.empty()) {
        if (error)
            *error = why;
        return false;
    }
    std::error_code ec;
    const fs::file_status st = fs::status(target, ec);
    if (!ec && st.type() != fs::file_type::not_found && st.type() != fs::file_type::regular) {
        if (error)
            *error = path + ": the target is " + KindOf(st.type()) + ", not a regular file; nothing was written";
        return false;
    }
    switch (hcp::WriteFileAtomically(target.string(), data, &why)) {
    case hcp::AtomicWrite::Ok:
        return true;
    case hcp::AtomicWrite::CannotCreate:
        if (error)
            *error = path + ": cannot create a file in this folder (" + why + ")";
        return false;
    case hcp::AtomicWrite::CannotWrite:
        break;
    }
    if (error)
        *error = path + ": the file could not be written (" + why + ")";
    return false;
}

}  // namespace app
