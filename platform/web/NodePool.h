// Slots of one size for the nodes of document trees. A large page has a million nodes; taken one
// by one from the general heap, their fresh memory costs a page fault every 4 KiB, more than
// building the tree does. Here they come from chunks of huge pages (HugePages.h) instead. A chunk
// goes back to the system once its last slot is free; one empty chunk stays for the next page.
//
// Thread-safe. Builds with the address sanitizer take every slot from the general heap instead,
// so that a node used after it was freed is still caught.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace platform::web {

class NodePool {
public:
    explicit NodePool(size_t slotBytes);
    // Unmaps every chunk, with any slots still taken from them.
    ~NodePool();
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;

    // One slot, aligned for any type; throws std::bad_alloc when there is no memory for it.
    void* Allocate();
    void Free(void* slot);
    // The memory held from the system.
    size_t MappedBytes() const;

private:
    struct Chunk;

    Chunk* NewChunk();
    void Unmap(Chunk* chunk);
    void Link(Chunk* chunk);
    void Unlink(Chunk* chunk);

    const size_t slotBytes_;
    mutable std::mutex mutex_;
    // The chunks with a free slot, the one to take from first.
    Chunk* withRoom_ = nullptr;
    Chunk* spare_ = nullptr;
    std::vector<Chunk*> chunks_;
};

}  // namespace platform::web
