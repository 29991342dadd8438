// Ids of the dialog tests' resources.
#define IDD_SETTINGS 300
#define IDD_PAGE 301
#define IDD_BROKEN 302
#define IDS_SAVED 200
#define IDC_NAME 1001
#define IDC_INTERVAL 1002
#define IDC_UPDATE 1003
#define IDC_BOTTOM 1004
#define IDC_TOP 1005
#define IDC_NOTE 1006
#define IDC_CENTER 1007
#define IDC_HIDDEN 1008
#define IDC_DISABLED 1009
#define IDC_RATIO 1010
#define IDC_OTHER 1011
#define IDC_PAGE_EDIT 1020
