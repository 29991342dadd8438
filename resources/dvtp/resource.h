//{{NO_DEPENDENCIES}}
// Symbols of the tray companion's resource script. Its numbers are its own: dialogs 137 and 145
// mean something else in the desktop manager.

// Icon, document template and tray menu share 128.
#define IDR_MAINFRAME                   128

// Dialogs
#define IDD_REMINDER_POPUP              131
#define IDD_SHUTDOWN_COUNTDOWN          135
#define IDD_CAPTURE_OVERLAY             136
#define IDD_CAPTURE_RESULT              137
#define IDD_PREVIEW_PANE                145

// Reminder pop-up
#define IDC_APPLY_SNOOZE                1000
#define IDC_SNOOZE_LIST                 1001

// Shutdown countdown
#define IDC_COUNTDOWN_TEXT              1002

// Capture overlay
#define IDC_OVERLAY_TEXT                1004

// Capture result
#define IDC_CAPTURE_FULL                1009
#define IDC_CAPTURE_WINDOW              1010
#define IDC_CAPTURE_AREA                1011
#define IDC_CAPTURE_DESCRIPTION         1013
#define IDC_CLOSE_RESULT                1017

// Tray menu commands
#define ID_OPEN_MANAGER                 32778
#define ID_SHOW_NEXT_PLAN               32783
#define ID_CAPTURE_WINDOW               32786
#define ID_CAPTURE_FULL_SCREEN          32787
#define ID_CAPTURE_AREA                 32788
#define ID_BOSS_KEY                     32791
#define ID_TRAY_EXIT                    32796

#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE        146
#define _APS_NEXT_COMMAND_VALUE         32797
#define _APS_NEXT_CONTROL_VALUE         1018
#define _APS_NEXT_SYMED_VALUE           101
#endif
#endif
