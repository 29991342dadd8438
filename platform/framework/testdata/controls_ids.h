// Ids of the control hosting tests' resources.
#define IDD_BROWSER_PAGE 310
#define IDC_BROWSER 1001
