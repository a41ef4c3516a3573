// The save every engine writer uses: the whole text goes to a temporary
// file in the target's folder, is flushed to the disk, and is renamed over
// the target, so a reader sees the old file or the new one, never half of
// one, and a failed save leaves the old file as it was. Standard C++ plus
// the POSIX calls for durability; no engine types, so the legacy writers
// use it too.
#pragma once

#include <string>
#include <string_view>

#include "export.h"

namespace hcp {

enum class AtomicWrite {
    Ok,
    CannotCreate,   // the temporary could not be created (folder missing, no permission)
    CannotWrite     // writing, flushing or renaming failed; nothing was replaced
};

// Writes contents to path as described above. On failure the temporary is
// removed and reason (when given) holds the system's words.
TOURKERN_API AtomicWrite WriteFileAtomically(const std::string& path, std::string_view contents,
                                             std::string* reason = nullptr);

}  // namespace hcp
