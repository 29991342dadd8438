// Libraries loaded by name at run time over the system's dynamic loader. A name such as
// "hookpad.dll" is looked for in the program's folder (that of GetModuleFileNameA) first and then
// in the "lib" folder inside it; a name with a folder is looked for only there. In each folder the
// Linux forms "hookpad.so" and "libhookpad.so" are tried before the name as written, each matched
// ignoring case like every other file name. Loading the same library again returns the same handle
// and counts up; FreeLibrary counts down and unloads at zero. Nothing else is searched, so the
// original system's own libraries (shdocvw.dll and the like) are found only when a program ships
// a stand-in for one; otherwise loading them fails with ERROR_MOD_NOT_FOUND.
#pragma once

#include "platform/base/WinTypes.h"

#ifndef ERROR_MOD_NOT_FOUND
#define ERROR_MOD_NOT_FOUND 126L
#endif
#ifndef ERROR_PROC_NOT_FOUND
#define ERROR_PROC_NOT_FOUND 127L
#endif
#ifndef ERROR_BAD_EXE_FORMAT
#define ERROR_BAD_EXE_FORMAT 193L
#endif

// The generic function pointer type, so that program code casts it to the export's real type
// without a cast-function-type warning.
using FARPROC = void (*)();

// Null with ERROR_MOD_NOT_FOUND when no candidate exists, ERROR_BAD_EXE_FORMAT when candidates
// exist but none loads.
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
// Exports are found by name; ordinals are not supported (ERROR_PROC_NOT_FOUND). The process
// module (GetModuleHandleA(NULL)) finds symbols of the program and the libraries it links.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);
// NULL gives the process module; a name gives a library this process loaded by that name.
HMODULE GetModuleHandleA(LPCSTR lpModuleName);

#define LoadLibrary LoadLibraryA
#define GetModuleHandle GetModuleHandleA
