// The save every engine writer uses: the text goes to a temporary file in
// the target's folder, is flushed to the disk, and is renamed over the
// target, so a reader sees the old file or the new one, never half of one,
// and a failed save leaves the old file as it was. Only regular files are
// replaced: a directory, device, FIFO or socket at the target is refused,
// and a symbolic link is written through to the file it names (the link
// stays a link). Standard C++ plus the POSIX calls for durability; no
// engine types, so the legacy writers use it too.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "export.h"

namespace hcp {

enum class AtomicWrite {
    Ok,
    CannotCreate,     // the temporary could not be created (folder missing, no permission)
    CannotWrite,      // writing, flushing or renaming failed; nothing was replaced
    NotRegularFile    // the target (or what its link names) is a directory, device, FIFO or socket
};

// Fills a file: writes everything to the stream and returns false (or
// leaves the stream failed) when it cannot. The stream is buffered; no
// text of the whole file needs to be held.
using FileFiller = std::function<bool(std::ostream&)>;

// Writes what fill produces to path as described above. On failure the
// temporary is removed and reason (when given) holds the system's words,
// or for NotRegularFile what stands there ("Is a FIFO, not a regular
// file"). An exception thrown by fill removes the temporary and goes on.
TOURKERN_API AtomicWrite WriteFileAtomically(const std::string& path, const FileFiller& fill,
                                             std::string* reason = nullptr);
TOURKERN_API AtomicWrite WriteFileAtomically(const std::string& path, std::string_view contents,
                                             std::string* reason = nullptr);

// Removes the temporaries of saves still in progress. Safe in a signal
// handler, for programs that end on a signal while a large file is written.
TOURKERN_API void RemovePendingTemporaries();

}  // namespace hcp
