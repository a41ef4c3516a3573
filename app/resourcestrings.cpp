// The string table of the desktop program.
#include "framework/resstrings.h"

#include <map>

#include "resource.h"

namespace app {
namespace {

const std::map<int, const char*>& Table()
{
    static const std::map<int, const char*> table = {
        {IDP_OLE_INIT_FAILED,
         "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
        {IDR_MAINFRAME, "Tourvane32"},
        {IDR_TOURVTYPE,
         "\nTourvane\nTourvane\nTourvane Files (*.hcp)\n.hcp\nTourvane32.Document\nTourvane Document"},
        {AFX_IDS_APP_TITLE, "Tourvane32"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {IDS_TITLE_FONT, "Times New Roman"},
        {IDS_LABEL_FONT, "Times New Roman"},
        // Prompts of the program's commands.
        {ID_VIEW_EDGES, "View edges\nView edges"},
        {ID_VIEW_LABELS, "View node labels\nView node labels"},
        {ID_VIEW_LOG, "View log\nView log"},
        {ID_REARRANGE_CYCLE, "Rearrange cycle\nRearrange cycle"},
        {ID_FIND_MIN_CYCLE, "Find Hamiltonian cycle\nFind minimal cycle"},
        {ID_FIND_CYCLE, "Find Hamiltonian cycle\nFind Hamiltonian cycle"},
        {ID_DELETE_NODE, "Remove all edges of the node\nDelete node"},
        {ID_CANCEL_SEARCH, "Stop the running search\nCancel search"},
        {ID_VIEW_ZOOM_IN, "Enlarge the picture\nZoom in"},
        {ID_VIEW_ZOOM_OUT, "Shrink the picture\nZoom out"},
        {ID_VIEW_ZOOM_FIT, "Show the whole graph\nFit to window"},
        {ID_VIEW_FIND_NODE, "Find a node by its number\nFind node"},
        {ID_LAYOUT_CIRCLE, "Place the nodes on a circle, in cycle order\nCircle layout"},
        {ID_LAYOUT_BOARD, "Place every node on its square of the board\nBoard layout"},
        {ID_LAYOUT_FORCE, "Place the nodes by a force-directed layout\nForce layout"},
        {ID_SOLVE, "Decide whether the graph has a Hamiltonian cycle or path, as the document asks; proves it when there is none\nSolve"},
        {ID_FILE_EXPORT_PICTURE, "Save the picture as a PNG or SVG file\nExport picture"},
        {ID_FILE_EXPORT_TOUR, "Save the cycle or path as a TSPLIB tour file\nExport tour"},
        {ID_QUESTION_CYCLE, "Ask for a Hamiltonian cycle (Solve, Find cycle)\nHamiltonian cycle"},
        {ID_QUESTION_PATH, "Ask for a Hamiltonian path with free ends (Solve)\nHamiltonian path"},
        {ID_QUESTION_PATH_ENDS, "Ask for a Hamiltonian path from a given node, or between two\nPath ends"},
        // Standard prompts of the framework's commands.
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_CLOSE, "Close the active document\nClose"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_PAGE_SETUP, "Change the printing options\nPage Setup"},
        {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
        {ID_FILE_PRINT, "Print the active document\nPrint"},
        {ID_FILE_PRINT_DIRECT, "Print the active document using current options\nQuick Print"},
        {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_FILE_MRU_FILE1, "Open this document"},
        {ID_FILE_MRU_FILE2, "Open this document"},
        {ID_FILE_MRU_FILE3, "Open this document"},
        {ID_FILE_MRU_FILE4, "Open this document"},
        {ID_FILE_MRU_FILE5, "Open this document"},
        {ID_FILE_MRU_FILE6, "Open this document"},
        {ID_FILE_MRU_FILE7, "Open this document"},
        {ID_FILE_MRU_FILE8, "Open this document"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
        {ID_WINDOW_NEW, "Open another window for the active document\nNew Window"},
        {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},
        {ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows"},
        {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Windows"},
        {ID_EDIT_CLEAR, "Erase the selection\nErase"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_HELP_INDEX, "Opens Help\nHelp Topics"},
        {ID_HELP_FINDER, "List Help topics\nHelp Topics"},
        {ID_HELP_USING, "Display instructions about how to use help\nHelp"},
        {ID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows\nHelp"},
        {ID_HELP, "Display help for current task or command\nHelp"},
        {ID_INDICATOR_CAPS, "CAP"},
        {ID_INDICATOR_NUM, "NUM"},
        {ID_INDICATOR_SCRL, "SCRL"},
        // Framework messages.
        {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
        {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
        {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
        {AFX_IDP_FILE_NOT_FOUND,
         "%1\nCannot find this file.\nPlease verify that the correct path and file name are given."},
        {AFX_IDP_PARSE_INT, "Please enter an integer."},
        {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
    };
    return table;
}

}  // namespace

QString LoadResString(int id)
{
    auto it = Table().find(id);
    return it == Table().end() ? QString() : QString::fromUtf8(it->second);
}

QString CommandPrompt(int id)
{
    return LoadResString(id).section('\n', 0, 0);
}

QString CommandTip(int id)
{
    return LoadResString(id).section('\n', 1, 1);
}

}  // namespace app
