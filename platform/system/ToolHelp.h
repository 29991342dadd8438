// Snapshots of the running processes and of the files mapped into one process, read from /proc.
// A snapshot is taken whole when it is created, so walking it never sees a process come or go.
// Names are GBK; a module's path is its Windows form (under Z: unless a mapped drive holds it).
#pragma once

#include "platform/base/WinTypes.h"

#define TH32CS_SNAPHEAPLIST 0x00000001
#define TH32CS_SNAPPROCESS 0x00000002
#define TH32CS_SNAPTHREAD 0x00000004
#define TH32CS_SNAPMODULE 0x00000008
#define MAX_MODULE_NAME32 255

struct PROCESSENTRY32 {
    DWORD dwSize;
    DWORD cntUsage;
    DWORD th32ProcessID;
    ULONG_PTR th32DefaultHeapID;
    DWORD th32ModuleID;
    DWORD cntThreads;
    DWORD th32ParentProcessID;
    LONG pcPriClassBase;
    DWORD dwFlags;
    CHAR szExeFile[MAX_PATH];
};
using LPPROCESSENTRY32 = PROCESSENTRY32*;

struct MODULEENTRY32 {
    DWORD dwSize;
    DWORD th32ModuleID;
    DWORD th32ProcessID;
    DWORD GlblcntUsage;
    DWORD ProccntUsage;
    BYTE* modBaseAddr;
    DWORD modBaseSize;
    HMODULE hModule;
    char szModule[MAX_MODULE_NAME32 + 1];
    char szExePath[MAX_PATH];
};
using LPMODULEENTRY32 = MODULEENTRY32*;

// TH32CS_SNAPPROCESS lists every process; TH32CS_SNAPMODULE lists the files mapped into process
// `th32ProcessID` (0: this process). INVALID_HANDLE_VALUE when the process does not exist
// (ERROR_INVALID_PARAMETER) or its mappings cannot be read (ERROR_ACCESS_DENIED).
HANDLE CreateToolhelp32Snapshot(DWORD dwFlags, DWORD th32ProcessID);
// The First/Next walks fail with ERROR_BAD_LENGTH when dwSize is not the structure's size and
// with ERROR_NO_MORE_FILES at the end.
BOOL Process32First(HANDLE hSnapshot, LPPROCESSENTRY32 lppe);
BOOL Process32Next(HANDLE hSnapshot, LPPROCESSENTRY32 lppe);
BOOL Module32First(HANDLE hSnapshot, LPMODULEENTRY32 lpme);
BOOL Module32Next(HANDLE hSnapshot, LPMODULEENTRY32 lpme);
