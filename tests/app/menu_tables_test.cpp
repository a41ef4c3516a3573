// The menus, toolbar and accelerators: items, order and command ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "menus.h"
#include "resource.h"

using app::MenuEntry;

namespace {

// A pop-up's entries as one line: texts, "-" for separators, "MRU" for the
// recent-file list.
std::string Outline(const MenuEntry& popup)
{
    std::string s;
    for (const MenuEntry& e : popup.entries) {
        if (!s.empty())
            s += " | ";
        if (e.kind == MenuEntry::Separator)
            s += "-";
        else if (e.kind == MenuEntry::RecentFiles)
            s += "MRU";
        else
            s += e.text;
    }
    return s;
}

std::vector<std::string> Titles(const std::vector<MenuEntry>& menu)
{
    std::vector<std::string> t;
    for (const MenuEntry& e : menu)
        t.push_back(e.text);
    return t;
}

}  // namespace

TEST(MenuTables, MenuWithoutDocument)
{
    const auto& m = app::mainFrameMenu();
    EXPECT_EQ(Titles(m), (std::vector<std::string>{"&File", "&View", "&Help"}));
    EXPECT_EQ(Outline(m[0]), "&New\tCtrl+N | &Open...\tCtrl+O | - | P&rint Setup... | - | MRU | - | E&xit");
    EXPECT_EQ(Outline(m[1]), "&Toolbar | &Status Bar");
    EXPECT_EQ(Outline(m[2]), "&Help Topics | - | &About Tourvane32...");
}

TEST(MenuTables, MenuWithDocument)
{
    const auto& m = app::documentMenu();
    EXPECT_EQ(Titles(m), (std::vector<std::string>{"&File", "&Edit", "&View", "&Window", "&Help"}));
    EXPECT_EQ(Outline(m[0]),
              "&New\tCtrl+N | &Open...\tCtrl+O | &Close | &Save\tCtrl+S | Save &As... | - | &Export picture..."
              " | Export &tour... | - | &Print...\tCtrl+P"
              " | Print Pre&view | P&rint Setup... | - | MRU | - | E&xit");
    EXPECT_EQ(Outline(m[1]), "&Undo\tCtrl+Z | - | Cu&t\tCtrl+X | &Copy\tCtrl+C | &Paste\tCtrl+V");
    // The search commands come after the last separator of the given items.
    EXPECT_EQ(Outline(m[2]),
              "&Toolbar | &Status Bar | - | &Log | &Edges | &Node labels | - | Zoom &in\tCtrl++ | Zoom &out\tCtrl+-"
              " | Fit to &window\tCtrl+0 | Fin&d node...\tCtrl+F | - | &Circle layout | &Board layout"
              " | Force l&ayout | - | &Rearrange cycle | - | &Question | &Find cycle\tF5 | S&olve\tCtrl+F5"
              " | &Stop search\tEsc");
    // The question Solve answers sits just above it.
    EXPECT_EQ(Outline(m[2].entries[18]), "Hamiltonian &cycle | Hamiltonian &path | Path &ends...");
    EXPECT_EQ(Outline(m[3]), "&New Window | &Cascade | &Tile | &Arrange Icons");
    EXPECT_EQ(Outline(m[4]), "&Help Topics | - | &About Tourvane32...");
}

TEST(MenuTables, ViewMenuCarriesTheProgramsCommandIds)
{
    const auto& view = app::documentMenu()[2].entries;
    EXPECT_EQ(view[3].id, ID_VIEW_LOG);
    EXPECT_EQ(view[4].id, ID_VIEW_EDGES);
    EXPECT_EQ(view[5].id, ID_VIEW_LABELS);
    EXPECT_EQ(view[7].id, ID_VIEW_ZOOM_IN);
    EXPECT_EQ(view[10].id, ID_VIEW_FIND_NODE);
    EXPECT_EQ(view[12].id, ID_LAYOUT_CIRCLE);
    EXPECT_EQ(view[13].id, ID_LAYOUT_BOARD);
    EXPECT_EQ(view[14].id, ID_LAYOUT_FORCE);
    EXPECT_EQ(view[16].id, ID_REARRANGE_CYCLE);
    ASSERT_EQ(view[18].kind, MenuEntry::Popup);
    EXPECT_EQ(view[18].entries[0].id, ID_QUESTION_CYCLE);
    EXPECT_EQ(view[18].entries[1].id, ID_QUESTION_PATH);
    EXPECT_EQ(view[18].entries[2].id, ID_QUESTION_PATH_ENDS);
    EXPECT_EQ(view[19].id, ID_FIND_CYCLE);
    EXPECT_EQ(view[20].id, ID_SOLVE);
    EXPECT_EQ(view[21].id, ID_CANCEL_SEARCH);
}

TEST(MenuTables, ContextMenuHoldsDeleteNodeOnly)
{
    const auto& m = app::graphContextMenu();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_STREQ(m[0].text, "Graph");
    ASSERT_EQ(m[0].entries.size(), 1u);
    EXPECT_EQ(m[0].entries[0].id, ID_DELETE_NODE);
    EXPECT_STREQ(m[0].entries[0].text, "&Delete node");
}

TEST(MenuTables, ToolbarOrder)
{
    const std::vector<int> expected = {
        ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
        ID_FILE_PRINT, ID_APP_ABOUT, ID_CONTEXT_HELP, 0, ID_REARRANGE_CYCLE, ID_FIND_CYCLE, ID_SOLVE,
        ID_CANCEL_SEARCH, 0, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_FIT,
    };
    EXPECT_EQ(app::toolbarButtons(), expected);
}

TEST(MenuTables, AcceleratorsOfEveryEditCommandAndTheSearch)
{
    auto idOf = [](const std::string& keys) {
        for (const app::Accelerator& a : app::accelerators())
            if (keys == a.keys)
                return a.id;
        return -1;
    };
    EXPECT_EQ(idOf("Ctrl+N"), ID_FILE_NEW);
    EXPECT_EQ(idOf("Ctrl+O"), ID_FILE_OPEN);
    EXPECT_EQ(idOf("Ctrl+S"), ID_FILE_SAVE);
    EXPECT_EQ(idOf("Ctrl+P"), ID_FILE_PRINT);
    EXPECT_EQ(idOf("Ctrl+Z"), ID_EDIT_UNDO);
    EXPECT_EQ(idOf("Alt+Backspace"), ID_EDIT_UNDO);
    EXPECT_EQ(idOf("Ctrl+X"), ID_EDIT_CUT);
    EXPECT_EQ(idOf("Shift+Del"), ID_EDIT_CUT);
    EXPECT_EQ(idOf("Ctrl+C"), ID_EDIT_COPY);
    EXPECT_EQ(idOf("Ctrl+Ins"), ID_EDIT_COPY);
    EXPECT_EQ(idOf("Ctrl+V"), ID_EDIT_PASTE);
    EXPECT_EQ(idOf("Shift+Ins"), ID_EDIT_PASTE);
    EXPECT_EQ(idOf("F6"), ID_NEXT_PANE);
    EXPECT_EQ(idOf("Shift+F6"), ID_PREV_PANE);
    EXPECT_EQ(idOf("F1"), ID_HELP);
    EXPECT_EQ(idOf("Shift+F1"), ID_CONTEXT_HELP);
    EXPECT_EQ(idOf("F5"), ID_FIND_CYCLE);
    EXPECT_EQ(idOf("Esc"), ID_CANCEL_SEARCH);
    EXPECT_EQ(idOf("Ctrl+F5"), ID_SOLVE);
    EXPECT_EQ(idOf("Ctrl+F"), ID_VIEW_FIND_NODE);
    // No key is bound twice.
    std::vector<std::string> keys;
    for (const app::Accelerator& a : app::accelerators())
        keys.push_back(a.keys);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
}

TEST(MenuTables, AllCommandIdsAreUniqueAndIncludeRecentFiles)
{
    const std::vector<int> ids = app::allCommandIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    for (int id : {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE8, ID_DELETE_NODE, ID_VIEW_LOG, ID_NEXT_PANE})
        EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id)) << id;
    EXPECT_FALSE(std::binary_search(ids.begin(), ids.end(), 0));
}
