// Starting programs and documents with the original platform's functions and result codes.
//
// ShellExecuteA with the verb "open" (or none) starts a file that resolves through the path layer
// to an executable as a real child process, with its parameters split like a command line
// (converted from GBK to UTF-8 for the child) and the given folder (or the current one) as its
// working folder. A document, a folder, or an address such as "http://..." or "mailto:..." is
// handed to the desktop's opener (xdg-open). The show mode is not used: a child decides on its own
// windows. Every start is recorded, and a test can intercept starts so that nothing is launched.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"
#include "platform/process/ChildProcess.h"

#ifndef SW_HIDE
#define SW_HIDE 0
#endif
#ifndef SW_SHOWNORMAL
#define SW_SHOWNORMAL 1
#endif
#ifndef SW_SHOW
#define SW_SHOW 5
#endif
#ifndef ERROR_BAD_FORMAT
#define ERROR_BAD_FORMAT 11L
#endif
#ifndef ERROR_BAD_EXE_FORMAT
#define ERROR_BAD_EXE_FORMAT 193L
#endif
#ifndef ERROR_DIRECTORY
#define ERROR_DIRECTORY 267L
#endif
#ifndef ERROR_NOT_SUPPORTED
#define ERROR_NOT_SUPPORTED 50L
#endif
#ifndef CREATE_SUSPENDED
#define CREATE_SUSPENDED 0x4
#endif
#define STARTF_USESHOWWINDOW 0x1
#define STARTF_USESTDHANDLES 0x100
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31

struct STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};
using LPSTARTUPINFOA = STARTUPINFOA*;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

namespace platform {

struct ProcessStart {
    enum class Kind { kProgram, kOpener };
    Kind kind = Kind::kProgram;
    // The Linux program that runs: the executable itself, or the desktop opener.
    std::filesystem::path program;
    // argv[1] onwards, UTF-8: the split parameters, or the one path or address for the opener.
    std::vector<std::string> arguments;
    std::filesystem::path folder;
    // The running child; null when an interceptor took the start.
    std::shared_ptr<ChildProcess> child;
};

// The newest 100 starts made so far (or since the last clear), oldest first.
std::vector<ProcessStart> StartedProcesses();
void ClearStartedProcesses();

// While set, starts are handed to `interceptor` instead of being launched; it returns 0 for a
// start that succeeded, or the errno value of a failure to report (ENOENT, EACCES, ENOEXEC...).
// An empty function launches for real again.
void SetProcessStartInterceptor(std::function<int(const ProcessStart&)> interceptor);

// The program that opens documents and addresses: by default "xdg-open" found on PATH when the
// start happens; an empty path means there is none, so such starts fail with SE_ERR_NOASSOC.
void SetDesktopOpener(std::filesystem::path opener);
void UseDefaultDesktopOpener();

}  // namespace platform

// Greater than 32 on success; otherwise SE_ERR_FNF for a missing file, SE_ERR_PNF for a missing
// folder, ERROR_BAD_FORMAT for a ".exe" or ".com" that is not executable here, SE_ERR_NOASSOC for
// an unknown verb or when no opener is present, SE_ERR_ACCESSDENIED or 0 for other failures.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd);

// Starts the program named first on the command line (looked up as a path, and when it has no
// folder also on PATH) in the current folder. Greater than 31 on success; otherwise
// ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_BAD_FORMAT or 0.
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);

// Starts a program like WinExec (lpApplicationName, when given, is the program and is not
// searched for; lpCommandLine's first item is skipped as the program's own name). The process
// handle and the thread handle both name the child and turn signalled when it ends; the thread
// id is the process id, which is the main thread's id on Linux. A start taken by the interceptor
// succeeds with null handles. Not supported (ERROR_NOT_SUPPORTED): CREATE_SUSPENDED, an
// environment block, standard handles. A missing folder fails with ERROR_DIRECTORY, a file that
// cannot run here with ERROR_BAD_EXE_FORMAT.
BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine,
                    LPSECURITY_ATTRIBUTES lpProcessAttributes,
                    LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles,
                    DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                    LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation);
// STILL_ACTIVE (259) while the child runs.
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);

#define ShellExecute ShellExecuteA
#define CreateProcess CreateProcessA
using STARTUPINFO = STARTUPINFOA;
