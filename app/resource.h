// Numeric identifiers of the desktop program: commands, menus, dialogs,
// controls, cursors and strings. Menus, actions and the command routing all
// refer to items by these numbers.
#pragma once

// Application-wide resources: main menu, toolbar, accelerators and icon
// share 128; the document type's menu and type string share 129.
#define IDR_MAINFRAME                   128
#define IDR_TOURVTYPE                   129
#define IDD_GRAPH_PARAMS                131
#define IDR_GRAPH_MENU                  141
#define IDD_REARRANGE                   152
#define IDD_ABOUTBOX                    100
#define IDC_DRAG                        6000

// Strings of the program's own.
#define IDP_OLE_INIT_FAILED             100
#define IDS_TITLE_FONT                  32830
#define IDS_LABEL_FONT                  32831

// Commands of the program.
#define ID_FIND_MIN_CYCLE               32771
#define ID_FIND_CYCLE                   32772
#define ID_VIEW_EDGES                   32791
#define ID_VIEW_LABELS                  32792
#define ID_VIEW_LOG                     32794
#define ID_DELETE_NODE                  32816
#define ID_REARRANGE_CYCLE              32825
// Stops a running search; the order reached is kept.
#define ID_CANCEL_SEARCH                32840
// The picture: zoom, fit, finding a node, layouts.
#define ID_VIEW_ZOOM_IN                 32850
#define ID_VIEW_ZOOM_OUT                32851
#define ID_VIEW_ZOOM_FIT                32852
#define ID_VIEW_FIND_NODE               32853
#define ID_LAYOUT_CIRCLE                32854
#define ID_LAYOUT_BOARD                 32855
#define ID_LAYOUT_FORCE                 32856
// Decides whether the graph has a Hamiltonian cycle, with a proof when not.
#define ID_SOLVE                        32857
#define ID_FILE_EXPORT_PICTURE          32858
#define ID_FILE_EXPORT_TOUR             32859
// The question the document asks: a Hamiltonian cycle, or a path (with
// the path's ends, if any, given in "Path ends").
#define ID_QUESTION_CYCLE               32860
#define ID_QUESTION_PATH                32861
#define ID_QUESTION_PATH_ENDS           32862

// Controls of "Graph parameters".
#define IDC_DIMENSION                   1001
#define IDC_DIMENSION_SPIN              1002
#define IDC_MAX_DEGREE                  1003
#define IDC_MAX_DEGREE_SPIN             1004
#define IDC_RANDOM                      1005
// Controls of "Rearrange cycle".
#define IDC_CYCLE_TEXT                  1023
#define IDC_BROWSE                      3

// Child windows of a document frame.
#define IDC_TAB_WND                     4677
#define IDC_FIRST_TAB_VIEW              13576

// Dialog results and standard buttons.
#define IDOK                            1
#define IDCANCEL                        2
#define IDABORT                         3
#define IDRETRY                         4
#define IDIGNORE                        5
#define IDYES                           6
#define IDNO                            7

// Framework commands.
#define ID_FILE_NEW                     57600
#define ID_FILE_OPEN                    57601
#define ID_FILE_CLOSE                   57602
#define ID_FILE_SAVE                    57603
#define ID_FILE_SAVE_AS                 57604
#define ID_FILE_PAGE_SETUP              57605
#define ID_FILE_PRINT_SETUP             57606
#define ID_FILE_PRINT                   57607
#define ID_FILE_PRINT_DIRECT            57608
#define ID_FILE_PRINT_PREVIEW           57609
#define ID_FILE_MRU_FILE1               57616
#define ID_FILE_MRU_FILE2               57617
#define ID_FILE_MRU_FILE3               57618
#define ID_FILE_MRU_FILE4               57619
#define ID_FILE_MRU_FILE5               57620
#define ID_FILE_MRU_FILE6               57621
#define ID_FILE_MRU_FILE7               57622
#define ID_FILE_MRU_FILE8               57623
#define ID_EDIT_CLEAR                   57632
#define ID_EDIT_COPY                    57634
#define ID_EDIT_CUT                     57635
#define ID_EDIT_PASTE                   57637
#define ID_EDIT_SELECT_ALL              57642
#define ID_EDIT_UNDO                    57643
#define ID_WINDOW_NEW                   57648
#define ID_WINDOW_ARRANGE               57649
#define ID_WINDOW_CASCADE               57650
#define ID_WINDOW_TILE_HORZ             57651
#define ID_APP_ABOUT                    57664
#define ID_APP_EXIT                     57665
#define ID_HELP_INDEX                   57666
#define ID_HELP_FINDER                  57667
#define ID_HELP_USING                   57668
#define ID_CONTEXT_HELP                 57669
#define ID_HELP                         57670
#define ID_DEFAULT_HELP                 57671
#define ID_NEXT_PANE                    57680
#define ID_PREV_PANE                    57681
#define ID_VIEW_TOOLBAR                 59392
#define ID_VIEW_STATUS_BAR              59393
#define ID_SEPARATOR                    0

// Status bar indicators.
#define ID_INDICATOR_CAPS               59137
#define ID_INDICATOR_NUM                59138
#define ID_INDICATOR_SCRL               59139

// Framework strings.
#define AFX_IDS_APP_TITLE               57344
#define AFX_IDS_IDLEMESSAGE             57345
#define AFX_IDP_FAILED_TO_OPEN_DOC      61704
#define AFX_IDP_FAILED_TO_SAVE_DOC      61705
#define AFX_IDP_ASK_TO_SAVE             61706
#define AFX_IDP_FILE_NOT_FOUND          61712
#define AFX_IDP_PARSE_INT               61729
#define AFX_IDP_PARSE_INT_RANGE         61731
