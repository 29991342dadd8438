// The memory of one HTML parse. The parser makes millions of small allocations for a large page
// and hands few back before it ends, so they come from large blocks that all go at once with the
// arena: freeing them one by one, and the scattered heap that leaves behind, would cost more than
// the parse itself.
//
// What a page costs is mostly the fresh memory it touches, so the arena keeps it small: blocks
// grow with the parse (a small fragment takes little), allocations of less than 16 bytes (most of
// the parser's, and none of them can hold a type aligned to 16) take 8-byte steps, and a block
// handed back right after it was taken, as the parser's scratch buffers often are, is taken again
// by the next allocation. Large blocks are mapped on transparent huge pages where the system
// offers them (HugePages.h).
#pragma once

#include <cstddef>
#include <vector>

namespace platform::web {

class ParserArena {
public:
    ParserArena() = default;
    ~ParserArena();
    ParserArena(const ParserArena&) = delete;
    ParserArena& operator=(const ParserArena&) = delete;

    // Memory aligned for any type that fits in `size` bytes; out of memory ends the program, as
    // a failing operator new would (the parser cannot take a failure, and the page size limits
    // keep it far from that).
    void* Take(size_t size);
    // Only the block taken last goes back; other memory goes with the arena.
    void Give(void* block);

    // The parser's allocator callbacks, with the arena as their user data.
    static void* Allocate(void* arena, size_t size);
    static void Release(void* arena, void* block);

private:
    struct Block {
        char* base;
        size_t bytes;
        bool mapped;
    };

    char* NewBlock(size_t bytes);

    std::vector<Block> blocks_;
    size_t nextBlockBytes_ = 0;
    char* next_ = nullptr;
    size_t left_ = 0;
    char* last_ = nullptr;
};

}  // namespace platform::web
