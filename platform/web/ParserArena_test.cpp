#include "platform/web/ParserArena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace platform::web {
namespace {

uintptr_t Address(void* block) {
    return reinterpret_cast<uintptr_t>(block);
}

TEST(ParserArenaTest, SmallBlocksPackAndLargeOnesAlignForAnyType) {
    ParserArena arena;
    char* first = static_cast<char*>(arena.Take(5));
    char* second = static_cast<char*>(arena.Take(2));
    EXPECT_EQ(Address(first) % 8, 0u);
    EXPECT_EQ(second - first, 8);
    void* node = arena.Take(128);
    EXPECT_EQ(Address(node) % alignof(std::max_align_t), 0u);
    // Every byte taken is the caller's: writing them all disturbs no other block.
    std::memset(first, 'a', 5);
    std::memset(second, 'b', 2);
    std::memset(node, 'c', 128);
    EXPECT_EQ(first[4], 'a');
    EXPECT_EQ(second[1], 'b');
}

TEST(ParserArenaTest, SlotsAndTheLastLargerBlockComeBack) {
    ParserArena arena;
    // Slots handed back, in any order, are taken again before fresh ones.
    void* a = arena.Take(5);
    void* b = arena.Take(8);
    void* c = arena.Take(1);
    arena.Give(a);
    arena.Give(c);
    EXPECT_EQ(arena.Take(2), c);
    EXPECT_EQ(arena.Take(8), a);
    void* fresh = arena.Take(8);
    EXPECT_NE(fresh, a);
    EXPECT_NE(fresh, b);
    EXPECT_NE(fresh, c);
    // Of larger blocks, only the one taken last comes back.
    void* kept = arena.Take(16);
    void* scratch = arena.Take(40);
    arena.Give(scratch);
    EXPECT_EQ(arena.Take(24), scratch);
    arena.Give(kept);
    EXPECT_NE(arena.Take(16), kept);
    arena.Give(nullptr);
}

TEST(ParserArenaTest, ALargeRequestLeavesTheCurrentBlockServing) {
    ParserArena arena;
    char* before = static_cast<char*>(arena.Take(8));
    // Larger than a quarter of the first block, and than a huge page.
    char* large = static_cast<char*>(arena.Take(3u << 20));
    std::memset(large, 'x', 3u << 20);
    char* after = static_cast<char*>(arena.Take(8));
    EXPECT_EQ(after - before, 8);
    // The large block is not the last one taken from the current block, so it stays.
    arena.Give(large);
    EXPECT_EQ(static_cast<char*>(arena.Take(8)) - after, 8);
    // Slots and larger blocks fill one arena block after another, none overlapping another.
    std::vector<uint64_t*> slots;
    std::vector<uint64_t*> triples;
    for (uint64_t i = 0; i < 200000; ++i) {
        slots.push_back(static_cast<uint64_t*>(arena.Take(sizeof(uint64_t))));
        *slots.back() = i;
        triples.push_back(static_cast<uint64_t*>(arena.Take(3 * sizeof(uint64_t))));
        std::fill(triples.back(), triples.back() + 3, ~i);
    }
    for (uint64_t i = 0; i < slots.size(); ++i) {
        ASSERT_EQ(*slots[i], i);
        ASSERT_EQ(triples[i][0], ~i);
        ASSERT_EQ(triples[i][2], ~i);
    }
}

}  // namespace
}  // namespace platform::web
