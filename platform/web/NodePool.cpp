#include "platform/web/NodePool.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include "platform/web/HugePages.h"

namespace platform::web {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// A chunk is one huge page, aligned to its size, so that a slot finds its chunk from its address.
constexpr size_t kChunkBytes = kHugePageBytes;
constexpr size_t kAlignment = alignof(std::max_align_t);

size_t RoundUp(size_t size, size_t unit) {
    return (size + unit - 1) / unit * unit;
}

}  // namespace

struct NodePool::Chunk {
    Chunk* previous = nullptr;
    Chunk* next = nullptr;
    bool linked = false;
    // Slots given back, each holding the address of the next.
    void* freeSlots = nullptr;
    // Slots never taken start here.
    char* untouched = nullptr;
    size_t taken = 0;

    char* begin() { return reinterpret_cast<char*>(this) + RoundUp(sizeof(Chunk), kAlignment); }
    char* end() { return reinterpret_cast<char*>(this) + kChunkBytes; }
};

NodePool::NodePool(size_t slotBytes)
    : slotBytes_(RoundUp(std::max(slotBytes, sizeof(void*)), kAlignment)) {}

NodePool::~NodePool() {
    for (Chunk* chunk : chunks_) {
        UnmapHugePages(chunk, kChunkBytes);
    }
}

void* NodePool::Allocate() {
    if (kSanitized) {
        return ::operator new(slotBytes_);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    Chunk* chunk = withRoom_;
    if (chunk == nullptr) {
        chunk = spare_ != nullptr ? std::exchange(spare_, nullptr) : NewChunk();
        Link(chunk);
    }
    void* slot = chunk->freeSlots;
    if (slot != nullptr) {
        chunk->freeSlots = *static_cast<void**>(slot);
    } else {
        slot = chunk->untouched;
        chunk->untouched += slotBytes_;
    }
    ++chunk->taken;
    if (chunk->freeSlots == nullptr && chunk->untouched + slotBytes_ > chunk->end()) {
        Unlink(chunk);
    }
    return slot;
}

void NodePool::Free(void* slot) {
    if (kSanitized) {
        ::operator delete(slot);
        return;
    }
    if (slot == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    auto* chunk = reinterpret_cast<Chunk*>(reinterpret_cast<uintptr_t>(slot) & ~(kChunkBytes - 1));
    *static_cast<void**>(slot) = chunk->freeSlots;
    chunk->freeSlots = slot;
    --chunk->taken;
    if (!chunk->linked) {
        Link(chunk);
    }
    if (chunk->taken > 0) {
        return;
    }
    Unlink(chunk);
    if (spare_ == nullptr) {
        // Its pages stay in memory, so the next page's nodes fault none in.
        chunk->freeSlots = nullptr;
        chunk->untouched = chunk->begin();
        spare_ = chunk;
    } else {
        Unmap(chunk);
    }
}

size_t NodePool::MappedBytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return chunks_.size() * kChunkBytes;
}

NodePool::Chunk* NodePool::NewChunk() {
    chunks_.push_back(nullptr);
    void* memory = MapHugePages(kChunkBytes);
    if (memory == nullptr) {
        chunks_.pop_back();
        throw std::bad_alloc();
    }
    auto* chunk = new (memory) Chunk;
    chunk->untouched = chunk->begin();
    chunks_.back() = chunk;
    return chunk;
}

void NodePool::Unmap(Chunk* chunk) {
    auto found = std::find(chunks_.begin(), chunks_.end(), chunk);
    *found = chunks_.back();
    chunks_.pop_back();
    UnmapHugePages(chunk, kChunkBytes);
}

void NodePool::Link(Chunk* chunk) {
    chunk->previous = nullptr;
    chunk->next = withRoom_;
    if (withRoom_ != nullptr) {
        withRoom_->previous = chunk;
    }
    withRoom_ = chunk;
    chunk->linked = true;
}

void NodePool::Unlink(Chunk* chunk) {
    if (chunk->previous != nullptr) {
        chunk->previous->next = chunk->next;
    } else {
        withRoom_ = chunk->next;
    }
    if (chunk->next != nullptr) {
        chunk->next->previous = chunk->previous;
    }
    chunk->previous = nullptr;
    chunk->next = nullptr;
    chunk->linked = false;
}

}  // namespace platform::web
