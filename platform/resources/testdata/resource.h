//{{NO_DEPENDENCIES}}
// Symbols of the resource compiler's test script.
#define IDR_MAINFRAME                   128
#define IDR_TRAY                        129
#define IDD_OPTIONS                     150
#define IDD_SKIN                        157
#define IDB_SKIN                        157
#define IDR_RAW                         300
#define IDS_TABBED                      1000
#define IDS_QUOTE                       1001
#define IDC_BROWSER                     1001
#define IDC_HISTORY                     1007
#define IDC_SKINS                       1008
#define IDC_UNIT                        1018
#define IDC_INTERVAL                    1023
#define IDC_CENTER_TEXT                 1024
#define IDC_RIGHT_TEXT                  1025
#define IDC_NOTIFY                      1026
#define IDC_BOTTOM                      1030
#define IDC_TOP                         1031
#define IDC_HIDDEN                      1032
#define IDC_UPDATE                      1043
#define IDC_SCROLL                      1044
#define IDC_SKIN_LIST                   1007
#define ID_OPEN_CENTER                  32778
#define ID_REFRESH                      (WM_USER + 31755)
#define ID_SELECT_ALL_ASCII             (ID_REFRESH + 1)
#define ID_PRINT                        32794
#define ID_EXIT_TRAY                    32796

#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE        301
#define _APS_NEXT_COMMAND_VALUE         32800
#endif
#endif
