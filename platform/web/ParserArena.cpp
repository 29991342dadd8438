#include "platform/web/ParserArena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/web/HugePages.h"

namespace platform::web {

namespace {

constexpr size_t kStep = 8;
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
    // A type aligned to 16 bytes is at least 16 bytes large.
    const size_t alignment = size < 16 ? kStep : alignof(std::max_align_t);
    size = RoundUp(std::max<size_t>(size, 1), kStep);
    size_t padding = (alignment - reinterpret_cast<uintptr_t>(next_) % alignment) % alignment;
    if (padding + size > left_) {
        const size_t standard = nextBlockBytes_ == 0 ? kFirstBlockBytes : nextBlockBytes_;
        if (size > standard / 4) {
            // A large request gets a block of its own, so the current block goes on serving.
            return NewBlock(size);
        }
        next_ = NewBlock(standard);
        left_ = blocks_.back().bytes;
        padding = 0;
        nextBlockBytes_ = std::min(standard * 2, kMaxBlockBytes);
    }
    last_ = next_ + padding;
    next_ = last_ + size;
    left_ -= padding + size;
    return last_;
}

void ParserArena::Give(void* block) {
    if (block != nullptr && block == last_) {
        left_ += static_cast<size_t>(next_ - last_);
        next_ = last_;
        last_ = nullptr;
    }
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
