#include "platform/com/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/text/Encoding.h"

namespace {

constexpr size_t kPrefixBytes = sizeof(DWORD);
// The byte count must fit the prefix, with room for the terminating NUL.
constexpr size_t kMaxBytes = std::numeric_limits<DWORD>::max() - kPrefixBytes - sizeof(OLECHAR);

size_t TextLength(const OLECHAR* text) {
    size_t length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return length;
}

// Allocates the prefix, `byteCount` bytes copied from `bytes` (or zeroed) and a two-byte NUL.
BSTR Allocate(const void* bytes, size_t byteCount) {
    if (byteCount > kMaxBytes) {
        return nullptr;
    }
    auto* block = static_cast<BYTE*>(std::malloc(kPrefixBytes + byteCount + sizeof(OLECHAR)));
    if (block == nullptr) {
        return nullptr;
    }
    const DWORD prefix = static_cast<DWORD>(byteCount);
    std::memcpy(block, &prefix, kPrefixBytes);
    BYTE* text = block + kPrefixBytes;
    if (bytes != nullptr) {
        std::memcpy(text, bytes, byteCount);
    } else {
        std::memset(text, 0, byteCount);
    }
    std::memset(text + byteCount, 0, sizeof(OLECHAR));
    return reinterpret_cast<BSTR>(text);
}

BYTE* BlockOf(BSTR text) {
    return reinterpret_cast<BYTE*>(text) - kPrefixBytes;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
    if (text == nullptr) {
        return nullptr;
    }
    return Allocate(text, TextLength(text) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    return Allocate(text, static_cast<size_t>(length) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length) {
    return Allocate(bytes, length);
}

BOOL SysReAllocString(BSTR* target, const OLECHAR* text) {
    if (target == nullptr) {
        return FALSE;
    }
    BSTR copy = SysAllocString(text);
    if (copy == nullptr && text != nullptr) {
        return FALSE;
    }
    SysFreeString(*target);
    *target = copy;
    return TRUE;
}

BOOL SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length) {
    if (target == nullptr) {
        return FALSE;
    }
    BSTR copy = SysAllocStringLen(text, length);
    if (copy == nullptr) {
        return FALSE;
    }
    SysFreeString(*target);
    *target = copy;
    return TRUE;
}

void SysFreeString(BSTR text) {
    if (text != nullptr) {
        std::free(BlockOf(text));
    }
}

UINT SysStringByteLen(BSTR text) {
    if (text == nullptr) {
        return 0;
    }
    DWORD prefix;
    std::memcpy(&prefix, BlockOf(text), kPrefixBytes);
    return prefix;
}

UINT SysStringLen(BSTR text) {
    return SysStringByteLen(text) / sizeof(OLECHAR);
}

namespace platform {

BSTR BstrFromUtf16(std::u16string_view text) {
    if (text.size() > kMaxBytes / sizeof(OLECHAR)) {
        return nullptr;
    }
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

BSTR BstrFromGbk(std::string_view gbk) {
    return BstrFromUtf16(GbkToUtf16(gbk));
}

std::u16string_view ViewOfBstr(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    return std::u16string_view(text, SysStringLen(text));
}

std::string GbkFromBstr(BSTR text) {
    return Utf16ToGbk(ViewOfBstr(text));
}

}  // namespace platform
