// The program folder: the folder of the running program file, where every data path
// ("data\...") of the programs is rooted.
#pragma once

#include "platform/text/CString.h"

// The program folder with its trailing backslash; it also becomes the current directory, so that
// relative data paths resolve against it. For the user-interface thread only.
CString GetAppFolder();
// The same text, leaving the current directory alone; safe on any thread.
CString GetAppFolderNoChdir();
