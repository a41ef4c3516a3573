// Ctrl-C for hcpsolve: the signal only raises a flag; the main thread turns
// it into stop requests, so searches end cleanly and results so far are
// printed. A second Ctrl-C ends the program at once, as a closed pipe
// does; neither leaves the temporary of a file being written.
#pragma once

namespace hcpsolve {

void InstallInterruptHandler();
bool InterruptRequested();

}  // namespace hcpsolve
