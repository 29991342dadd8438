// Ids of the framework tests' resources.
#define IDR_MAINFRAME 128
#define IDR_NOICON 129
#define ID_REFRESH 32779
#define ID_ASCII_ALT 32900
