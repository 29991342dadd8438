// The desktop manager program: its application object, run by the framework's main.
#include "manager/ManagerApp.h"

CManagerApp theApp;
