// Menu, toolbar, accelerator and prompt tables of the program.
#include "menus.h"

#include <algorithm>

#include "resource.h"

namespace app {
namespace {

MenuEntry cmd(int id, const char* text) { return MenuEntry{MenuEntry::Command, id, text, {}}; }
MenuEntry sep() { return MenuEntry{MenuEntry::Separator, 0, "", {}}; }
MenuEntry recent() { return MenuEntry{MenuEntry::RecentFiles, ID_FILE_MRU_FILE1, "Recent File", {}}; }
MenuEntry popup(const char* text, std::vector<MenuEntry> entries)
{
    return MenuEntry{MenuEntry::Popup, 0, text, std::move(entries)};
}

MenuEntry helpPopup()
{
    return popup("&Help", {cmd(ID_HELP_FINDER, "&Help Topics"), sep(), cmd(ID_APP_ABOUT, "&About Tourvane32...")});
}

void collect(const std::vector<MenuEntry>& entries, std::vector<int>& ids)
{
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Command)
            ids.push_back(e.id);
        else if (e.kind == MenuEntry::RecentFiles)
            for (int i = 0; i < 8; ++i)
                ids.push_back(ID_FILE_MRU_FILE1 + i);
        else if (e.kind == MenuEntry::Popup)
            collect(e.entries, ids);
    }
}

}  // namespace

const std::vector<MenuEntry>& mainFrameMenu()
{
    static const std::vector<MenuEntry> menu = {
        popup("&File", {cmd(ID_FILE_NEW, "&New\tCtrl+N"), cmd(ID_FILE_OPEN, "&Open...\tCtrl+O"), sep(),
                        cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."), sep(), recent(), sep(),
                        cmd(ID_APP_EXIT, "E&xit")}),
        popup("&View", {cmd(ID_VIEW_TOOLBAR, "&Toolbar"), cmd(ID_VIEW_STATUS_BAR, "&Status Bar")}),
        helpPopup(),
    };
    return menu;
}

const std::vector<MenuEntry>& documentMenu()
{
    static const std::vector<MenuEntry> menu = {
        popup("&File", {cmd(ID_FILE_NEW, "&New\tCtrl+N"), cmd(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                        cmd(ID_FILE_CLOSE, "&Close"), cmd(ID_FILE_SAVE, "&Save\tCtrl+S"),
                        cmd(ID_FILE_SAVE_AS, "Save &As..."), sep(), cmd(ID_FILE_EXPORT_PICTURE, "&Export picture..."),
                        cmd(ID_FILE_EXPORT_TOUR, "Export &tour..."), sep(), cmd(ID_FILE_PRINT, "&Print...\tCtrl+P"),
                        cmd(ID_FILE_PRINT_PREVIEW, "Print Pre&view"), cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."),
                        sep(), recent(), sep(), cmd(ID_APP_EXIT, "E&xit")}),
        popup("&Edit", {cmd(ID_EDIT_UNDO, "&Undo\tCtrl+Z"), sep(), cmd(ID_EDIT_CUT, "Cu&t\tCtrl+X"),
                        cmd(ID_EDIT_COPY, "&Copy\tCtrl+C"), cmd(ID_EDIT_PASTE, "&Paste\tCtrl+V")}),
        // The search commands follow the last separator of "&View".
        popup("&View", {cmd(ID_VIEW_TOOLBAR, "&Toolbar"), cmd(ID_VIEW_STATUS_BAR, "&Status Bar"), sep(),
                        cmd(ID_VIEW_LOG, "&Log"), cmd(ID_VIEW_EDGES, "&Edges"), cmd(ID_VIEW_LABELS, "&Node labels"),
                        sep(), cmd(ID_VIEW_ZOOM_IN, "Zoom &in\tCtrl++"), cmd(ID_VIEW_ZOOM_OUT, "Zoom &out\tCtrl+-"),
                        cmd(ID_VIEW_ZOOM_FIT, "Fit to &window\tCtrl+0"), cmd(ID_VIEW_FIND_NODE, "Fin&d node...\tCtrl+F"),
                        sep(), cmd(ID_LAYOUT_CIRCLE, "&Circle layout"), cmd(ID_LAYOUT_BOARD, "&Board layout"),
                        cmd(ID_LAYOUT_FORCE, "Force l&ayout"), sep(), cmd(ID_REARRANGE_CYCLE, "&Rearrange cycle"), sep(),
                        popup("&Question", {cmd(ID_QUESTION_CYCLE, "Hamiltonian &cycle"),
                                            cmd(ID_QUESTION_PATH, "Hamiltonian &path"),
                                            cmd(ID_QUESTION_PATH_ENDS, "Path &ends...")}),
                        cmd(ID_FIND_CYCLE, "&Find cycle\tF5"), cmd(ID_SOLVE, "S&olve\tCtrl+F5"),
                        cmd(ID_CANCEL_SEARCH, "&Stop search\tEsc")}),
        popup("&Window", {cmd(ID_WINDOW_NEW, "&New Window"), cmd(ID_WINDOW_CASCADE, "&Cascade"),
                          cmd(ID_WINDOW_TILE_HORZ, "&Tile"), cmd(ID_WINDOW_ARRANGE, "&Arrange Icons")}),
        helpPopup(),
    };
    return menu;
}

const std::vector<MenuEntry>& graphContextMenu()
{
    static const std::vector<MenuEntry> menu = {popup("Graph", {cmd(ID_DELETE_NODE, "&Delete node")})};
    return menu;
}

const std::vector<int>& toolbarButtons()
{
    static const std::vector<int> buttons = {
        ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
        ID_FILE_PRINT, ID_APP_ABOUT, ID_CONTEXT_HELP, 0, ID_REARRANGE_CYCLE, ID_FIND_CYCLE, ID_SOLVE,
        ID_CANCEL_SEARCH, 0, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_FIT,
    };
    return buttons;
}

const std::vector<Accelerator>& accelerators()
{
    static const std::vector<Accelerator> table = {
        {"Ctrl+N", ID_FILE_NEW},       {"Ctrl+O", ID_FILE_OPEN},        {"Ctrl+S", ID_FILE_SAVE},
        {"Ctrl+P", ID_FILE_PRINT},     {"Ctrl+Z", ID_EDIT_UNDO},        {"Alt+Backspace", ID_EDIT_UNDO},
        {"Ctrl+X", ID_EDIT_CUT},       {"Shift+Del", ID_EDIT_CUT},      {"Ctrl+C", ID_EDIT_COPY},
        {"Ctrl+Ins", ID_EDIT_COPY},    {"Ctrl+V", ID_EDIT_PASTE},       {"Shift+Ins", ID_EDIT_PASTE},
        {"F6", ID_NEXT_PANE},          {"Shift+F6", ID_PREV_PANE},      {"F1", ID_HELP},
        {"Shift+F1", ID_CONTEXT_HELP}, {"F5", ID_FIND_CYCLE},           {"Esc", ID_CANCEL_SEARCH},
        {"Ctrl+F5", ID_SOLVE},         {"Ctrl+F", ID_VIEW_FIND_NODE},   {"Ctrl++", ID_VIEW_ZOOM_IN},
        {"Ctrl+=", ID_VIEW_ZOOM_IN},   {"Ctrl+-", ID_VIEW_ZOOM_OUT},    {"Ctrl+0", ID_VIEW_ZOOM_FIT},
    };
    return table;
}

std::vector<int> allCommandIds()
{
    std::vector<int> ids;
    collect(mainFrameMenu(), ids);
    collect(documentMenu(), ids);
    collect(graphContextMenu(), ids);
    for (int id : toolbarButtons())
        if (id != 0)
            ids.push_back(id);
    for (const Accelerator& a : accelerators())
        ids.push_back(a.id);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

}  // namespace app
