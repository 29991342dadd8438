// Thread start, identity and end with the original platform's functions, plus what this platform
// adds: per-thread set-up that every new thread runs first (COM and the database register there),
// and a cooperative stop token in place of killing a thread.
//
// TerminateThread never kills: it asks the thread to stop, records the exit code it was given and
// waits a bounded time (kTerminateJoinMilliseconds) for the thread's code to notice
// platform::StopRequested() and return. Killing a thread that may hold a lock or be half-way
// through writing a file is what this replaces. When the process exits, every worker that still
// runs is asked to stop and waited for (kExitJoinMilliseconds); if one still runs after that, the
// process ends at once with its exit status (stdio flushed) instead of letting the worker run on
// while the program's globals are destroyed.
#pragma once

#include <cstddef>
#include <functional>

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"
#include "platform/threads/Thread.h"

#ifndef WINAPI
#define WINAPI
#endif
#ifndef CREATE_SUSPENDED
#define CREATE_SUSPENDED 0x4
#endif
#ifndef STACK_SIZE_PARAM_IS_A_RESERVATION
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x10000
#endif
#ifndef ERROR_NOT_SUPPORTED
#define ERROR_NOT_SUPPORTED 50L
#endif

using SIZE_T = std::size_t;
using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID);

namespace platform {

inline constexpr DWORD kTerminateJoinMilliseconds = 2000;
inline constexpr DWORD kExitJoinMilliseconds = 3000;

// Every thread that CreateThread starts from now on calls `init` before its start routine and
// `exit` after it (exit functions in the reverse order of registration). Either may be empty.
void AddThreadSetup(std::function<void()> init, std::function<void()> exit);

// True on a thread started by CreateThread once another thread asked it to stop; always false on
// threads this layer did not start, such as the main thread.
bool StopRequested();
// Asks the thread behind `thread` to stop; false when the handle is not a live thread handle.
bool RequestStop(HANDLE thread);

}  // namespace platform

// Thread ids are unique for the life of the process and never 0. The stack size is taken as a
// hint only: threads get the system's default stack, which is larger than any the programs ask
// for. CREATE_SUSPENDED is not supported and fails with ERROR_NOT_SUPPORTED.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                    DWORD dwCreationFlags, LPDWORD lpThreadId);
DWORD GetCurrentThreadId();
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode);
