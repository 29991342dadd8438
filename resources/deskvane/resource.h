//{{NO_DEPENDENCIES}}
// Symbols of the desktop manager's resource script. Control ids repeat across dialogs with
// different roles (1012 is the list of nearly every page); each role has its own name.

// The program icon
#define IDR_MAINFRAME                   128

// Main window, its pages and their sub-pages
#define IDD_MAIN                        102
#define IDD_CD_KEYS                     130
#define IDD_CALENDAR                    132
#define IDD_SYSTEM_TOOLS                134
#define IDD_ABOUT                       137
#define IDD_OPTIONS                     142
#define IDD_SHUTDOWN                    143
#define IDD_BACKUP                      144
#define IDD_PROCESSES                   145
#define IDD_HOTKEY_PICKER               146
#define IDD_SCREENSHOT                  147
#define IDD_BOSS_KEY                    148
#define IDD_LEDGER_DETAIL               149
#define IDD_LEDGER_ENTRY                150
#define IDD_LEDGER                      151
#define IDD_DATE_PICKER                 152
#define IDD_LOOKUP                      153
#define IDD_POST_CODE                   154
#define IDD_MOBILE                      155
#define IDD_ID_CARD                     156
#define IDD_IDIOM                       157
#define IDD_DIARY                       158
#define IDD_ADDRESS_BOOK                163

// Modal dialogs
#define IDD_PLAN_EDIT                   129
#define IDD_PLAN_QUERY                  138
#define IDD_MONTH_PICKER                139
#define IDD_NEW_USER                    159
#define IDD_LOGIN                       160
#define IDD_NOTE_EDITOR                 161

// Main window and about page: the web browser controls, created at run time on the main window
#define IDC_BROWSER                     1030

// Calendar page
#define IDC_PREV_MONTH                  1007
#define IDC_NEXT_MONTH                  1008
#define IDC_PREV_YEAR                   1009
#define IDC_PLAN_EDIT                   1010
#define IDC_NEXT_YEAR                   1011
#define IDC_PLAN_QUERY                  1027
#define IDC_CALENDAR_QUERY              1028

// Plan edit, plan query and month chooser
#define IDC_SEARCH_TEXT                 1004
#define IDC_RESULT_LIST                 1012
#define IDC_YEAR                        1013
#define IDC_MONTH                       1014
#define IDC_DAY                         1015
#define IDC_PLAN_TEXT                   1016
#define IDC_HOUR                        1017
#define IDC_MINUTE                      1018
#define IDC_SECOND                      1019
#define IDC_SAVE_PLAN                   1021
#define IDC_COPY_PLAN                   1022
#define IDC_DELETE_PLAN                 1023
#define IDC_QUERY_BY_TEXT               1024
#define IDC_QUERY_BY_DATE               1026
#define IDC_PLAN_TREE                   1050
#define IDC_CLOSE_PLAN                  1079

// Options page
#define IDC_AUTO_START                  1031

// Shutdown timer
#define IDC_SHUTDOWN_HOUR               1017
#define IDC_COUNTDOWN                   1031
#define IDC_SHUTDOWN_MINUTE             1033
#define IDC_DISARM_SHUTDOWN             1045
#define IDC_ARM_SHUTDOWN                1048
#define IDC_SHUTDOWN_STATE              1051

// Backup settings
#define IDC_DESTINATION                 1005
#define IDC_TASK_LIST                   1012
#define IDC_SAVE_TASK                   1021
#define IDC_DELETE_TASK                 1023
#define IDC_BROWSE_SOURCE               1025
#define IDC_BROWSE_DESTINATION          1026
#define IDC_DAILY                       1033
#define IDC_DAILY_HOUR                  1034
#define IDC_DAILY_MINUTE                1035
#define IDC_WEEKLY                      1036
#define IDC_WEEKLY_HOUR                 1037
#define IDC_WEEKLY_MINUTE               1038
#define IDC_WEEKDAY                     1039
#define IDC_MONTHLY                     1040
#define IDC_MONTHLY_HOUR                1041
#define IDC_MONTHLY_MINUTE              1042
#define IDC_MONTH_DAY                   1043
#define IDC_ADD_TASK                    1044
#define IDC_SOURCE                      1046
#define IDC_WRITE_TASKS                 1047

// Process list
#define IDC_MODULE_NOTE                 1004
#define IDC_PROCESS_LIST                1012
#define IDC_MODULE_LIST                 1013
#define IDC_REFRESH_PROCESSES           1025
#define IDC_SEARCH_MODULE               1026

// Hot-key picker
#define IDC_CTRL                        1012
#define IDC_ALT                         1014
#define IDC_SHIFT                       1015
#define IDC_KEY                         1016

// Screen-shot settings
#define IDC_TO_CLIPBOARD                1005
#define IDC_TO_FILE                     1006
#define IDC_SHOT_FOLDER                 1007
#define IDC_BROWSE_SHOT_FOLDER          1008
#define IDC_CAPTURE_SCREEN              1009
#define IDC_CAPTURE_WINDOW              1010
#define IDC_CAPTURE_AREA                1011
#define IDC_SAVE_SHOT_SETTINGS          1021

// Boss key
#define IDC_TARGET_WINDOW               1006
#define IDC_REFRESH_WINDOWS             1007
#define IDC_TEST_BOSS_KEY               1008

// Income and expense book
#define IDC_SUMMARY                     1004
#define IDC_LEDGER_LIST                 1012
#define IDC_ENTRY_NOTE                  1016
#define IDC_DELETE_ENTRY                1023
#define IDC_ADD_ENTRY                   1044
#define IDC_ENTRY_TYPE                  1053
#define IDC_VIEW_MONTH                  1055
#define IDC_AMOUNT                      1058

// Date picker
#define IDC_PICKER_DAY                  1034
#define IDC_PICKER_YEAR                 1056
#define IDC_PICKER_MONTH                1057

// Lookups
#define IDC_AREA_CODE                   1005
#define IDC_POST_CODE                   1006
#define IDC_LOOKUP_LIST                 1012
#define IDC_PROVINCE_TREE               1050
#define IDC_FIND_CITY                   1059
#define IDC_FIND_AREA_CODE              1060
#define IDC_FIND_POST_CODE              1061
#define IDC_CITY                        1062
#define IDC_FIND_NUMBER                 1063
#define IDC_NUMBER                      1064
#define IDC_ID_RESULT                   1065

// Idiom dictionary
#define IDC_IDIOM_LIST                  1012
#define IDC_COPY_IDIOM                  1022
#define IDC_IDIOM_NAME                  1067
#define IDC_IDIOM_PINYIN                1068
#define IDC_IDIOM_TEXT                  1069
#define IDC_FIND_IDIOM                  1070
#define IDC_IDIOM_INPUT                 1071

// Diary page
#define IDC_DIARY_TEXT                  1004
#define IDC_SAVE_DAY                    1021
#define IDC_LOGIN                       1022
#define IDC_DELETE_DAY                  1023
#define IDC_NEW_USER                    1024
#define IDC_LOGOUT                      1025
#define IDC_DIARY_PREV_MONTH            1076
#define IDC_DIARY_NEXT_MONTH            1077
#define IDC_CHOOSE_FONT                 1078
#define IDC_OPEN_EDITOR                 1079

// Diary accounts
#define IDC_PASSWORD                    1072
#define IDC_CONFIRM_PASSWORD            1073
#define IDC_USER_NAME                   1074

// Note editor
#define IDC_FACE                        1081
#define IDC_SIZE                        1082
#define IDC_NOTE_TEXT                   1083
#define IDC_PREVIOUS_NOTE               1084
#define IDC_NEXT_NOTE                   1085
#define IDC_BOLD                        1086
#define IDC_ITALIC                      1087
#define IDC_UNDERLINE                   1088
#define IDC_ALIGN_LEFT                  1089
#define IDC_ALIGN_CENTER                1090
#define IDC_ALIGN_RIGHT                 1091
#define IDC_TEXT_COLOR                  1092
#define IDC_BACK_COLOR                  1093
#define IDC_CUT                         1094
#define IDC_COPY                        1095
#define IDC_DATE_LINE                   1096
#define IDC_PASTE                       1097
#define IDC_UNDO                        1098
#define IDC_HINT_LINE                   1099

// Address book
#define IDC_OFFICE_PHONE                1006
#define IDC_HOME_PHONE                  1007
#define IDC_NOTE                        1008
#define IDC_EMAIL                       1009
#define IDC_QQ                          1010
#define IDC_CONTACT_LIST                1012
#define IDC_SAVE_CONTACT                1021
#define IDC_SHOW_GROUP                  1022
#define IDC_DELETE_CONTACT              1023
#define IDC_MOBILE                      1064
#define IDC_GROUP                       1088
#define IDC_CALENDAR_KIND               1090
#define IDC_BIRTH_MONTH                 1091
#define IDC_BIRTH_DAY                   1092
#define IDC_NEW_CONTACT                 1093
#define IDC_NAME                        1094
#define IDC_REMIND                      1095
