//{{NO_DEPENDENCIES}}
// Symbols of the picture collector's resource script. The collector runs the browser's code, so
// every resource it shares with the browser keeps the browser's number and name; what is its own
// (the favourites dialog, the second browser of the page, the picture buttons and bars) is added
// here. Control ids repeat across dialogs with different roles; each role has its own name.

// Dialogs
#define IDD_ABOUTBOX                    100
#define IDD_PAGE                        102
#define IDD_FILTER                      103
#define IDD_HISTORY                     149
#define IDD_OPTIONS                     150
#define IDD_EXTRACT                     156
#define IDD_SKIN                        157
#define IDD_FAVORITE_ADD                158

// Icon, document template, main menu and accelerators share 128.
#define IDR_MAINFRAME                   128
#define IDR_FONTSIZE_MENU               132
#define IDR_FILTER_MENU                 148
#define IDR_TAB_MENU                    154
#define IDR_REFRESH_MENU                164

// Bitmaps. Each hover-button bitmap holds two images side by side, normal then hot; the second
// bitmap of a pair begins with the hot image.
#define IDB_GO                          139
#define IDB_GO_HOT                      140
#define IDB_CLOSE_TAB                   141
#define IDB_CLOSE_TAB_HOT               142
#define IDB_FILTER_PAUSED               143
#define IDB_FILTER_ON                   144
#define IDB_TOOLBAR                     157
#define IDB_TOOLBAR_DISABLED            158
#define IDB_TOOLBAR_HOT                 159
#define IDB_MENU_BUTTON                 160
#define IDB_FILTER_BUTTON               161
#define IDB_BUSY                        163
#define IDB_PAGE_SETTINGS               263
#define IDB_PAGE_SETTINGS_HOT           264
#define IDB_MENU_BUTTON_HOT             265
#define IDB_PICTURE_SEARCH              266
#define IDB_PICTURE_SEARCH_HOT          267
#define IDB_PICTURE_URL_GO              268
#define IDB_PICTURE_URL_GO_HOT          269

// Controls of the frame's bars, created at run time. Both picture boxes share one id, as do the
// engine and address boxes.
#define IDC_GO                          1000
#define IDC_CLOSE_TAB                   1001
#define IDC_PAGE_TAB                    1002
#define IDC_FILTER_BUTTON               1003
#define IDC_ADDRESS                     1004
#define IDC_ENGINE                      1004
#define IDC_KEYWORD                     1018
#define IDC_PICTURE_KEYWORD             1019
#define IDC_PICTURE_URL                 1019
#define IDC_PAGE_SETTINGS               1022
#define IDC_SEARCH                      1027
#define IDC_ADDRESS_LABEL               1032
#define IDC_MENU_BUTTON                 1033
#define IDC_FAVORITE_LIST               1044
#define IDC_CLASS_LIST                  1051

// The picture buttons keep the names their handlers were given in the browser's code base.
#define IDC_BUTTON_MUSIC_SEARCH         1028
#define IDC_BUTTON_PICTURE_URL_GO       1052

// About box
#define IDC_VERSION                     1019

// Page
#define IDC_EXPLORER                    1001
#define IDC_SEARCH_PANE                 1054

// Filter dialog
#define IDC_FILTER_ON                   1005
#define IDC_FILTER_PAUSED               1006
#define IDC_RULE_LIST                   1007
#define IDC_PATTERN                     1008
#define IDC_SITE                        1009
#define IDC_SCOPE_ALL                   1010
#define IDC_SCOPE_SITE                  1011
#define IDC_EXCEPT_SITE                 1012
#define IDC_SCOPE_EXCEPT                1013
#define IDC_ADD_RULE                    1014
#define IDC_MODIFY_RULE                 1015
#define IDC_DELETE_RULE                 1016
#define IDC_SAVE_RULES                  1017
#define IDC_PROMPT_MODE                 1018
#define IDC_PAGE_OPTIONS                1019

// History dialog
#define IDC_HISTORY_LIST                1007
#define IDC_OPEN_PAGE                   1021
#define IDC_CLOSE_HISTORY               1022

// Options dialog
#define IDC_SKIN_LIST                   1007
#define IDC_REFRESH_UNIT                1018
#define IDC_REFRESH_TIME                1023
#define IDC_TAB_MAXIMIZED               1026
#define IDC_TAB_STANDARD                1027
#define IDC_ACTIVATE_NEW                1028
#define IDC_ACTIVATE_CURRENT            1029
#define IDC_TABS_BOTTOM                 1030
#define IDC_TABS_TOP                    1031
#define IDC_NEWS_ON                     1032
#define IDC_NEWS_OFF                    1033
#define IDC_APPLY_SKIN                  1038
#define IDC_START_WELCOME               1039
#define IDC_START_BLANK                 1040
#define IDC_START_ADDRESS               1041
#define IDC_START_URL                   1042
#define IDC_ANNOUNCE_UPDATES            1043

// Extraction dialog
#define IDC_EXTRACT_RESULT              1018
#define IDC_EXTRACT_LINKS               1028
#define IDC_EXTRACT_IMAGES              1029
#define IDC_EXTRACT_TAGS                1030
#define IDC_EXTRACT_OBJECTS             1031
#define IDC_EXTRACT_PICTURES            1032
#define IDC_EXTRACT_SOURCE              1033

// Skin dialog
#define IDC_MAKE_SKIN                   3
#define IDC_PREVIEW_SKIN                1035
#define IDC_SELECT_SKIN                 1036

// Favourites dialog
#define IDC_FAVORITE_VALUE              1018
#define IDC_FAVORITE_OK                 1036
#define IDC_KIND_KEYWORD                1053
#define IDC_KIND_URL                    1054

// Commands below the framework's range
#define ID_PAGE_OPTIONS                 1022
#define ID_SKIN                         1034
#define ID_MENU_BUTTON_ADD              1045
#define ID_MENU_BUTTON_DEL              1046
#define ID_MENU_BUTTON_JM               1047

// Commands
#define ID_STOP                         32778
#define ID_REFRESH                      32779
#define ID_ADD_FAVORITE                 32780
#define ID_ORGANIZE_FAVORITES           32781
#define ID_FONT_LARGEST                 32782
#define ID_FONT_LARGER                  32783
#define ID_FONT_MEDIUM                  32784
#define ID_FONT_SMALLER                 32785
#define ID_FONT_SMALLEST                32786
#define ID_GO_BACK                      32787
#define ID_GO_FORWARD                   32788
#define ID_GO_HOME                      32789
#define ID_GO_SEARCH                    32790
#define ID_FAVORITES                    32792
#define ID_VIEW_ADDRESS_BAR             32793
#define ID_PRINT                        32794
#define ID_PRINT_PREVIEW                32795
#define ID_PAGE_PROPERTIES              32796
#define ID_PAGE_SETUP                   32797
#define ID_SAVE_AS                      32798
#define ID_SAVE_HTML                    32799
#define ID_FILTER_SETTINGS              32800
#define ID_RUNELOOM                     32801
#define ID_FINDLARK                     32802
#define ID_INTERNET_OPTIONS             32803
#define ID_VIEW_BUSY_BAR                32804
#define ID_VIEW_SOURCE                  32805
#define ID_CLEAR_HISTORY                32806
#define ID_REPORT_PROBLEM               32808
#define ID_HISTORY                      32811
#define ID_CLOSE_PAGE                   32813
#define ID_CLOSE_ALL_PAGES              32814
#define ID_EXTRACT                      32815
#define ID_SITE_DIRECTORY               32820
#define ID_START_PAGE                   32821
#define ID_OFFICIAL_SITE                32822
#define ID_AUTO_REFRESH                 32825
#define ID_DESKVANE                     32827
#define ID_NET_FAVORITES                32828
#define ID_CHARSET_WESTERN              32836
#define ID_CHARSET_SIMPLIFIED           32837
#define ID_CHARSET_TRADITIONAL          32838
#define ID_CHARSET_SHIFT_JIS            32839
#define ID_VISIT_SITE                   32875
#define ID_CHARSET_EUC_JP               33001
#define ID_CHARSET_JAPANESE_AUTO        33002
#define ID_CHARSET_AUTO_SELECT          33021

// The status bar's one sized pane takes its width from this string.
#define ID_INDICATOR_PROGRESS           59143

#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE        270
#define _APS_NEXT_COMMAND_VALUE         33022
#define _APS_NEXT_CONTROL_VALUE         1055
#define _APS_NEXT_SYMED_VALUE           101
#endif
#endif
