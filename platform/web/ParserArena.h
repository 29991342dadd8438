// The memory of one HTML parse. The parser makes millions of small allocations for a large page
// and hands few back before it ends, so they come from large blocks that all go at once with the
// arena: freeing them one by one, and the scattered heap that leaves behind, would cost more than
// the parse itself.
//
// What a page costs is mostly the fresh memory it touches, so the arena keeps it small: blocks
// grow with the parse (a small fragment takes little), and memory handed back early is taken
// again. Most of the parser's allocations are of 8 bytes or less (short strings, vectors of one);
// they take 8-byte slots from blocks of their own, and a slot handed back goes to the next such
// allocation. Of larger ones, a block handed back right after it was taken, as the parser's
// scratch buffers often are, is taken again by the next allocation. Large blocks are mapped on
// transparent huge pages where the system offers them (HugePages.h).
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
    // A slot, or the larger block taken last, is taken again; other memory goes with the arena.
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
    // The block allocations are being cut from, from `next` on.
    struct Current {
        char* base = nullptr;
        char* next = nullptr;
        size_t left = 0;
    };

    char* NewBlock(size_t bytes);
    // Makes `current` a new block of the next standard size.
    void Renew(Current& current);

    std::vector<Block> blocks_;
    size_t nextBlockBytes_ = 0;
    Current slots_;
    // Slots handed back, each holding the address of the next.
    void* freeSlots_ = nullptr;
    Current large_;
    char* last_ = nullptr;
};

}  // namespace platform::web
