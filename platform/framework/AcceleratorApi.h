// Accelerator tables with the original platform's functions, over the program's compiled
// accelerator resources. TranslateAcceleratorA turns a key message that matches an entry into
// WM_COMMAND (notification code 1) sent to the window.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/windows/WindowStructs.h"

// Null (with ERROR_RESOURCE_NAME_NOT_FOUND) when the program has no such table. Every load gives
// a table of its own, which DestroyAcceleratorTable frees.
HACCEL LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName);
BOOL DestroyAcceleratorTable(HACCEL hAccel);
// Virtual-key entries match WM_KEYDOWN and WM_SYSKEYDOWN with exactly their Shift, Ctrl and Alt
// state; character entries match WM_CHAR (WM_SYSCHAR with Alt). 1 when a command was sent.
int TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);

#define LoadAccelerators LoadAcceleratorsA
#define TranslateAccelerator TranslateAcceleratorA
