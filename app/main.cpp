// Tourvane32: the desktop workbench for Hamiltonian cycles. Starts the
// application object and runs the event loop until the user exits.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "hcpapp.h"

#ifndef TOURVANE_VERSION
#define TOURVANE_VERSION "1.0"
#endif

int main(int argc, char* argv[])
{
    // Answer --help and --version without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Usage: Tourvane32 [--open FILE.hcp...] [Qt options]\n"
                        "Opens the Tourvane32 window, empty unless --open names graph files.\n"
                        "Graphs are also opened from the File menu, from the recent-file list\n"
                        "or by dropping .hcp files on the window.\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Tourvane32 %s\n", TOURVANE_VERSION);
            return 0;
        }
    }

    QApplication qapp(argc, argv);
    CHcpApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
