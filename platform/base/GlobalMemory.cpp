#include "platform/base/GlobalMemory.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct Block {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t size = 0;
    std::size_t capacity = 0;
    bool movable = false;
    int locks = 0;
};

struct Blocks {
    std::mutex mutex;
    std::map<HGLOBAL, Block> byHandle;
    // Movable handles are numbers that no heap address can take.
    std::uintptr_t nextMovable = 0x10000;
};

Blocks& AllBlocks() {
    static Blocks* blocks = new Blocks;
    return *blocks;
}

// Always at least one byte, so that every block has an address of its own.
std::unique_ptr<unsigned char[]> Allocate(std::size_t size, bool zero) {
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[size == 0 ? 1 : size]);
    if (bytes && zero) {
        std::memset(bytes.get(), 0, size == 0 ? 1 : size);
    }
    return bytes;
}

Block* Find(Blocks& blocks, HGLOBAL handle) {
    auto found = blocks.byHandle.find(handle);
    return found == blocks.byHandle.end() ? nullptr : &found->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    if (dwBytes > platform::kGlobalBlockLimit) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Block block;
    block.bytes = Allocate(dwBytes, (uFlags & GMEM_ZEROINIT) != 0);
    if (!block.bytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    block.size = dwBytes;
    block.capacity = dwBytes == 0 ? 1 : dwBytes;
    block.movable = (uFlags & GMEM_MOVEABLE) != 0;
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    HGLOBAL handle = block.bytes.get();
    if (block.movable) {
        handle = reinterpret_cast<HGLOBAL>(blocks.nextMovable);
        blocks.nextMovable += 8;
    }
    blocks.byHandle.emplace(handle, std::move(block));
    return handle;
}

LPVOID GlobalLock(HGLOBAL hMem) {
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    Block* block = Find(blocks, hMem);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (block->movable) {
        ++block->locks;
    }
    return block->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    Block* block = Find(blocks, hMem);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!block->movable || block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--block->locks > 0) {
        return TRUE;
    }
    SetLastError(ERROR_SUCCESS);
    return FALSE;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    if (blocks.byHandle.erase(hMem) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    const Block* block = Find(blocks, hMem);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags) {
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    Block* block = Find(blocks, hMem);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const bool zero = (uFlags & GMEM_ZEROINIT) != 0;
    if (dwBytes <= block->capacity) {
        if (zero && dwBytes > block->size) {
            std::memset(block->bytes.get() + block->size, 0, dwBytes - block->size);
        }
        block->size = dwBytes;
        return hMem;
    }
    const bool addressInUse = !block->movable || block->locks > 0;
    if ((addressInUse && (uFlags & GMEM_MOVEABLE) == 0) || dwBytes > platform::kGlobalBlockLimit) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::unique_ptr<unsigned char[]> bytes = Allocate(dwBytes, zero);
    if (!bytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::memcpy(bytes.get(), block->bytes.get(), block->size);
    block->bytes = std::move(bytes);
    block->size = dwBytes;
    block->capacity = dwBytes;
    if (block->movable) {
        return hMem;
    }
    Block moved = std::move(*block);
    blocks.byHandle.erase(hMem);
    HGLOBAL handle = moved.bytes.get();
    blocks.byHandle.emplace(handle, std::move(moved));
    return handle;
}

HGLOBAL GlobalHandle(LPCVOID pMem) {
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    for (const auto& [handle, block] : blocks.byHandle) {
        if (block.bytes.get() == pMem) {
            return handle;
        }
    }
    return nullptr;
}

namespace platform {

std::size_t GlobalBlockCount() {
    Blocks& blocks = AllBlocks();
    std::lock_guard lock(blocks.mutex);
    return blocks.byHandle.size();
}

}  // namespace platform
