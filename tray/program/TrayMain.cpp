// The tray companion program: its application object, run by the framework's main.
#include "tray/TrayApp.h"

CTrayApp theApp;
