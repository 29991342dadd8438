#include "platform/web/HugePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform::web {

void* MapHugePages(size_t bytes) {
    // Mapped with a huge page to spare, so that an aligned start lies inside; the rest goes back.
    const size_t mappedBytes = bytes + kHugePageBytes;
    void* mapped =
        mmap(nullptr, mappedBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    auto* start = static_cast<char*>(mapped);
    const uintptr_t address = reinterpret_cast<uintptr_t>(start);
    char* aligned = start + ((kHugePageBytes - address % kHugePageBytes) % kHugePageBytes);
    if (aligned > start) {
        munmap(start, static_cast<size_t>(aligned - start));
    }
    char* end = start + mappedBytes;
    if (end > aligned + bytes) {
        munmap(aligned + bytes, static_cast<size_t>(end - (aligned + bytes)));
    }
    // Advice only: without it, or without huge pages to give, the memory is the same.
    madvise(aligned, bytes, MADV_HUGEPAGE);
    return aligned;
}

void UnmapHugePages(void* memory, size_t bytes) {
    if (memory != nullptr) {
        munmap(memory, bytes);
    }
}

}  // namespace platform::web
