// The one way the desktop program puts a file on disk (saved graphs and
// exported pictures): whole or not at all, through the engine's atomic
// writer, and only over a regular file. A symbolic link is followed to its
// target, which is written when it is a regular file or does not exist yet;
// a device, FIFO, socket or folder there is refused and left alone.
#pragma once

#include <string>
#include <string_view>

namespace app {

// Writes data to path as described above. False with a one-line reason
// naming path in *error otherwise.
bool WriteWholeFile(const std::string& path, std::string_view data, std::string* error);

}  // namespace app
