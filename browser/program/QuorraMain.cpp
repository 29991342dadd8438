// The browser program: its application object, run by the framework's main.
#include "browser/QuorApp.h"

CQuorApp theApp;
