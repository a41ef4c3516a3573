// The exceptions every file reader of the engine throws. Each message is one
// line that names the file: "file: reason" or "file:line: problem".
#pragma once

#include <stdexcept>

#include "export.h"

namespace hcp {

// A file that could not be opened or read (the system's reason).
class TOURKERN_API FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file whose contents are not a valid graph: "file:line: problem".
class TOURKERN_API FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading was given up on a stop request or at the time limit; nothing of
// the file is kept. A FileError, so that a caller unaware of stops still
// reports the file as unread.
class TOURKERN_API ReadStopped : public FileError {
public:
    using FileError::FileError;
};

// A graph that did not fit in memory: nothing of it is kept. A FileError,
// so that a caller unaware of it still reports the file as unread.
class TOURKERN_API ReadOutOfMemory : public FileError {
public:
    using FileError::FileError;
};

}  // namespace hcp
