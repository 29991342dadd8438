#include "platform/web/NodePool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/web/HugePages.h"

namespace platform::web {
namespace {

TEST(NodePoolTest, SlotsAreDistinctReusedAndEmptyChunksGoBack) {
    NodePool pool(100);
    std::vector<void*> slots;
    // Enough for several chunks.
    for (int i = 0; i < 60000; ++i) {
        slots.push_back(pool.Allocate());
        std::memset(slots.back(), i & 0xFF, 100);
    }
    std::vector<uintptr_t> addresses;
    for (void* slot : slots) {
        addresses.push_back(reinterpret_cast<uintptr_t>(slot));
    }
    std::sort(addresses.begin(), addresses.end());
    for (size_t i = 0; i < addresses.size(); ++i) {
        ASSERT_EQ(addresses[i] % alignof(std::max_align_t), 0u);
        if (i > 0) {
            ASSERT_GE(addresses[i] - addresses[i - 1], 100u);
        }
    }
    for (int i = 0; i < 60000; ++i) {
        ASSERT_EQ(static_cast<unsigned char*>(slots[i])[99], i & 0xFF);
    }
    // Builds with the address sanitizer take every slot from the heap and map nothing.
    const size_t mapped = pool.MappedBytes();
    const bool pooled = mapped > 0;
    if (pooled) {
        EXPECT_GE(mapped, 3 * kHugePageBytes);
    }

    // Freed slots are taken again before any new memory.
    for (size_t i = 0; i < slots.size(); i += 2) {
        pool.Free(slots[i]);
    }
    for (size_t i = 0; i < slots.size(); i += 2) {
        slots[i] = pool.Allocate();
    }
    EXPECT_EQ(pool.MappedBytes(), mapped);

    // Emptied chunks go back to the system but one, kept for the next page.
    for (void* slot : slots) {
        pool.Free(slot);
    }
    EXPECT_EQ(pool.MappedBytes(), pooled ? kHugePageBytes : 0);
    void* again = pool.Allocate();
    EXPECT_EQ(pool.MappedBytes(), pooled ? kHugePageBytes : 0);
    pool.Free(again);
    pool.Free(nullptr);
}

}  // namespace
}  // namespace platform::web
