// Memory mapped for transparent huge pages, for the large, short-lived allocations of a page
// load. Fresh memory is otherwise first touched 4 KiB at a time, and on a large page those page
// faults cost as much as the parse; a huge page takes one fault for 2 MiB. Where the system
// offers no huge pages, the memory works the same in small pages.
#pragma once

#include <cstddef>

namespace platform::web {

inline constexpr size_t kHugePageBytes = 2u << 20;

// `bytes` (a multiple of kHugePageBytes) of zeroed memory aligned to kHugePageBytes; null when
// the system has no memory to map.
void* MapHugePages(size_t bytes);
void UnmapHugePages(void* memory, size_t bytes);

}  // namespace platform::web
