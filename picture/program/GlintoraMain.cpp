// The picture collector program: its application object, run by the framework's main.
#include "picture/QuorApp.h"

glintora::CQuorApp theApp;
