// Tourvane32: the desktop workbench for Hamiltonian cycles. Starts the
// application object and runs the event loop until the user exits; with
// --export it works without a window and ends when the picture is written.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "hcpapp.h"
#include "scriptexport.h"

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
                        "or by dropping .hcp files on the window.\n\n"
                        "Scripted use, without a window:\n%s",
                        app::ScriptUsage());
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Tourvane32 %s\n", TOURVANE_VERSION);
            return 0;
        }
    }

    const std::vector<std::string> args(argv + 1, argv + argc);
    if (app::WantsScriptedExport(args)) {
        app::ScriptArgs script;
        std::string error;
        if (!app::ParseScriptArgs(args, script, error)) {
            std::cerr << "Tourvane32: " << error << "\nUsage:\n" << app::ScriptUsage();
            return app::kScriptError;
        }
        // No window is opened, so no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        int qtArgc = 1;
        QApplication qapp(qtArgc, argv);
        return app::RunScriptedExport(script, std::cout, std::cerr);
    }

    QApplication qapp(argc, argv);
    CHcpApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
