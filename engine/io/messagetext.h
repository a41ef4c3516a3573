// Text from files and file names shown inside one-line messages. A name or
// token may hold any byte; a message must stay one readable line.
#pragma once

#include <string>
#include <string_view>

#include "export.h"

namespace hcp {

// s with control characters (bytes below 0x20 and 0x7F) written as \n, \r,
// \t or \xNN; everything else unchanged.
TOURKERN_API std::string EscapeControls(std::string_view s);

// A token from a file for a message: escaped, in single quotes, and cut to
// its first 40 bytes with "..." when longer.
TOURKERN_API std::string QuoteToken(std::string_view token);

}  // namespace hcp
