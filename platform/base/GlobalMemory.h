// Global memory blocks, as the clipboard and older interfaces pass data around: a fixed block's
// handle is its address; a movable block's handle is a number of its own, and its address is
// valid only between GlobalLock and the matching GlobalUnlock.
#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"

using SIZE_T = std::size_t;

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// Null with ERROR_NOT_ENOUGH_MEMORY when the block cannot be had (see kGlobalBlockLimit).
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// The block's address; a movable block counts one more lock. Null with ERROR_INVALID_HANDLE for
// a handle that is not a live block.
LPVOID GlobalLock(HGLOBAL hMem);
// TRUE while a movable block is still locked; FALSE with ERROR_SUCCESS once it is unlocked, and
// FALSE with ERROR_NOT_LOCKED when it was not locked at all.
BOOL GlobalUnlock(HGLOBAL hMem);
// Null on success; the handle itself (ERROR_INVALID_HANDLE) when it names no live block.
HGLOBAL GlobalFree(HGLOBAL hMem);
// The size asked for; 0 (ERROR_INVALID_HANDLE) for an unknown handle.
SIZE_T GlobalSize(HGLOBAL hMem);
// Changes the size, keeping the contents (new bytes are zero with GMEM_ZEROINIT). A movable block
// keeps its handle and may move while unlocked. A block whose address is in use (a fixed block,
// or a locked movable one) moves only when uFlags has GMEM_MOVEABLE (a fixed block then gets a
// new handle, its new address); otherwise it can only shrink. Null on failure.
HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
// The handle of the block at a locked address (or a fixed block's address); null when none.
HGLOBAL GlobalHandle(LPCVOID pMem);

#define ERROR_NOT_LOCKED 158L

namespace platform {

// Larger blocks are refused, so that a size computed from bad input fails cleanly.
inline constexpr std::size_t kGlobalBlockLimit = std::size_t{256} << 20;

// Live blocks, for tests that check nothing leaks.
std::size_t GlobalBlockCount();

}  // namespace platform
