#include "platform/base/GlobalMemory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GlobalMemory, MovableBlockHasAHandleOfItsOwnAndCountsLocks) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
    ASSERT_NE(block, nullptr);
    auto* first = static_cast<char*>(GlobalLock(block));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(static_cast<void*>(first), block);
    std::memcpy(first, "hello", 6);
    EXPECT_EQ(GlobalLock(block), first);
    EXPECT_EQ(GlobalHandle(first), block);

    EXPECT_TRUE(GlobalUnlock(block));
    SetLastError(ERROR_INVALID_FUNCTION);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));

    EXPECT_EQ(GlobalSize(block), 6u);
    EXPECT_STREQ(static_cast<char*>(GlobalLock(block)), "hello");
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, FixedBlockHandleIsItsAddress) {
    HGLOBAL block = GlobalAlloc(GPTR, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, StaleAndUnknownHandlesFail) {
    const std::size_t before = platform::GlobalBlockCount();
    HGLOBAL block = GlobalAlloc(GHND, 4);
    EXPECT_EQ(platform::GlobalBlockCount(), before + 1);
    ASSERT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(platform::GlobalBlockCount(), before);

    EXPECT_EQ(GlobalFree(block), block);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalReAlloc(block, 8, 0), nullptr);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    int local = 0;
    EXPECT_EQ(GlobalHandle(&local), nullptr);
}

TEST(GlobalMemory, OversizedRequestFailsWithoutAllocating) {
    SetLastError(0);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, platform::kGlobalBlockLimit + 1), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(GlobalMemory, ReAllocKeepsContentsAndZeroesGrowth) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(block), "abc", 3);
    GlobalUnlock(block);

    EXPECT_EQ(GlobalReAlloc(block, 8, GMEM_ZEROINIT), block);
    EXPECT_EQ(GlobalSize(block), 8u);
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    EXPECT_EQ(std::string(bytes, 8), std::string("abc\0\0\0\0\0", 8));
    GlobalUnlock(block);

    EXPECT_EQ(GlobalReAlloc(block, 2, 0), block);
    EXPECT_EQ(GlobalSize(block), 2u);
    GlobalFree(block);
}

TEST(GlobalMemory, BlockWhoseAddressIsInUseMovesOnlyWhenAllowed) {
    HGLOBAL movable = GlobalAlloc(GMEM_MOVEABLE, 4);
    void* address = GlobalLock(movable);
    EXPECT_EQ(GlobalReAlloc(movable, 4096, 0), nullptr);
    EXPECT_EQ(GlobalSize(movable), 4u);
    EXPECT_EQ(GlobalLock(movable), address);
    EXPECT_EQ(GlobalReAlloc(movable, 4096, GMEM_MOVEABLE), movable);
    EXPECT_EQ(GlobalSize(movable), 4096u);
    GlobalFree(movable);

    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 4);
    std::memcpy(fixed, "xyz", 4);
    EXPECT_EQ(GlobalReAlloc(fixed, 4096, 0), nullptr);
    HGLOBAL moved = GlobalReAlloc(fixed, 4096, GMEM_MOVEABLE);
    ASSERT_NE(moved, nullptr);
    EXPECT_STREQ(static_cast<const char*>(moved), "xyz");
    if (moved != fixed) {
        EXPECT_EQ(GlobalSize(fixed), 0u);
    }
    EXPECT_EQ(GlobalFree(moved), nullptr);
}

}  // namespace
