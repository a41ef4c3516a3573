// The program's menus, toolbar and accelerators as data: which command
// sits where, with which text. The main frame builds its menu
// bar, toolbar and shortcuts from these tables.
#pragma once

#include <vector>

namespace app {

// One menu entry: a command, a separator, a pop-up with entries, or the
// place where the recent-file list goes.
struct MenuEntry {
    enum Kind { Command, Separator, Popup, RecentFiles };
    Kind kind = Command;
    int id = 0;                      // command id of a Command entry
    const char* text = "";           // "&New\tCtrl+N": shortcut text after a tab
    std::vector<MenuEntry> entries;  // entries of a Popup
};

// Menu 128, shown while no document is open.
const std::vector<MenuEntry>& mainFrameMenu();
// Menu 129, shown while a document is open.
const std::vector<MenuEntry>& documentMenu();
// Menu 141: the graph view's context menu, one pop-up "Graph".
const std::vector<MenuEntry>& graphContextMenu();

// Toolbar 128 from left to right; 0 stands for a separator.
const std::vector<int>& toolbarButtons();

// One keyboard accelerator, in the portable text form of QKeySequence.
struct Accelerator {
    const char* keys;
    int id;
};
// Accelerators 128.
const std::vector<Accelerator>& accelerators();

// Every command id that any menu, the toolbar or an accelerator carries.
std::vector<int> allCommandIds();

}  // namespace app
