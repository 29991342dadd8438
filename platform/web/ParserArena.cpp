#include "platform/web/ParserArena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/web/HugePages.h"

namespace platform::web {

namespace {

constexpr size_t kSlotBytes = 8;
constexpr size_t kFirstBlockBytes = 64u << 10;
constexpr size_t kMaxBlockBytes = 32u << 20;

size_t RoundUp(size_t size, size_t unit) {
    return (size + unit - 1) / unit * unit;
}

}  // namespace

ParserArena::~ParserArena() {
    for (const Block& block : blocks_) {
        if (block.mapped) {
            UnmapHugePages(block.base, block.bytes);
        } else {
            std::free(block.base);
        }
    }
}

void* ParserArena::Allocate(void* arena, size_t size) {
    return static_cast<ParserArena*>(arena)->Take(size);
}

void ParserArena::Release(void* arena, void* block) {
    static_cast<ParserArena*>(arena)->Give(block);
}

void* ParserArena::Take(size_t size) {
    if (size <= kSlotBytes) {
        if (freeSlots_ != nullptr) {
            void* slot = freeSlots_;
            freeSlots_ = *static_cast<void**>(slot);
            return slot;
        }
        if (slots_.left < kSlotBytes) {
            Renew(slots_);
        }
        void* slot = slots_.next;
        slots_.next += kSlotBytes;
        slots_.left -= kSlotBytes;
        return slot;
    }
    // A type aligned to 16 bytes is at least 16 bytes large.
    const size_t alignment = size < 16 ? kSlotBytes : alignof(std::max_align_t);
    size = RoundUp(size, kSlotBytes);
    size_t padding = (alignment - reinterpret_cast<uintptr_t>(large_.next) % alignment) % alignment;
    if (padding + size > large_.left) {
        const size_t standard = nextBlockBytes_ == 0 ? kFirstBlockBytes : nextBlockBytes_;
        if (size > standard / 4) {
            // A large request gets a block of its own, so the current block goes on serving.
            return NewBlock(size);
        }
        Renew(large_);
        padding = 0;
    }
    last_ = large_.next + padding;
    large_.next = last_ + size;
    large_.left -= padding + size;
    return last_;
}

void ParserArena::Give(void* block) {
    if (block == nullptr) {
        return;
    }
    // Slots of earlier slot blocks stay taken: the parser hands most back soon after.
    const auto address = reinterpret_cast<uintptr_t>(block);
    if (address >= reinterpret_cast<uintptr_t>(slots_.base) &&
        address < reinterpret_cast<uintptr_t>(slots_.next)) {
        *static_cast<void**>(block) = freeSlots_;
        freeSlots_ = block;
    } else if (block == last_) {
        large_.left += static_cast<size_t>(large_.next - last_);
        large_.next = last_;
        last_ = nullptr;
    }
}

void ParserArena::Renew(Current& current) {
    const size_t standard = nextBlockBytes_ == 0 ? kFirstBlockBytes : nextBlockBytes_;
    current.base = NewBlock(standard);
    current.next = current.base;
    current.left = blocks_.back().bytes;
    nextBlockBytes_ = std::min(standard * 2, kMaxBlockBytes);
}

char* ParserArena::NewBlock(size_t bytes) {
    Block block{nullptr, bytes, bytes >= kHugePageBytes};
    if (block.mapped) {
        block.bytes = RoundUp(bytes, kHugePageBytes);
        block.base = static_cast<char*>(MapHugePages(block.bytes));
    } else {
        block.base = static_cast<char*>(std::malloc(bytes));
    }
    if (block.base == nullptr) {
        std::abort();
    }
    blocks_.push_back(block);
    return block.base;
}

}  // namespace platform::web
