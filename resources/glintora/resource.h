//{{NO_DEPENDENCIES}}
// Symbols of the picture collector's resource script. The collector runs the browser's code, so
// every resource it shares with the browser keeps the browser's number and name and comes from
// the browser's header; what is its own (the favourites dialog, the second browser of the page,
// the picture buttons and bars) is added here.
#include "../quorra/resource.h"

#define IDD_FAVORITE_ADD                158
#define IDD_PICTURE_LIST_PANE           159
#define IDB_PICTURE_SEARCH              266
#define IDB_PICTURE_SEARCH_HOT          267
#define IDB_PICTURE_URL_GO              268
#define IDB_PICTURE_URL_GO_HOT          269
#define IDC_PICTURE_KEYWORD             1019
#define IDC_PICTURE_URL                 1019
#define IDC_FAVORITE_LIST               1044
#define IDC_CLASS_LIST                  1051
#define IDC_BUTTON_MUSIC_SEARCH         1028
#define IDC_BUTTON_PICTURE_URL_GO       1052
#define IDC_SEARCH_PANE                 1054
#define IDC_FAVORITE_VALUE              1018
#define IDC_FAVORITE_OK                 1036
#define IDC_KIND_KEYWORD                1053
#define IDC_KIND_URL                    1054
#define ID_MENU_BUTTON_ADD              1045
#define ID_MENU_BUTTON_DEL              1046
#define ID_MENU_BUTTON_JM               1047
