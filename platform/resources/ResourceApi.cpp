#include "platform/resources/ResourceApi.h"

#include <algorithm>
#include <cstring>

#include "platform/process/LibraryApi.h"
#include "platform/resources/ResourceKey.h"
#include "platform/resources/ResourceTable.h"
#include "platform/resources/StringBlock.h"
#include "platform/text/Gbk.h"

namespace {

using platform::ResourceTable;

std::string KeyOf(LPCSTR nameOrNumber) {
    if (IS_INTRESOURCE(nameOrNumber)) {
        return platform::ResourceKey(
            static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(nameOrNumber)));
    }
    return platform::ResourceKey(std::string_view(nameOrNumber));
}

bool IsProgramModule(HMODULE module) {
    return module == nullptr || module == GetModuleHandleA(nullptr);
}

const ResourceTable::Entry* EntryOf(HRSRC handle) {
    return reinterpret_cast<const ResourceTable::Entry*>(handle);
}

}  // namespace

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    if (lpName == nullptr || lpType == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!IsProgramModule(hModule)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    const ResourceTable::Entry* entry = ResourceTable::Program().Find(KeyOf(lpType), KeyOf(lpName));
    if (entry == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<ResourceTable::Entry*>(entry));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
    if (hResInfo == nullptr || !IsProgramModule(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    static const std::uint8_t kNoBytes = 0;
    const std::vector<std::uint8_t>& bytes = EntryOf(hResInfo)->bytes;
    return const_cast<std::uint8_t*>(bytes.empty() ? &kNoBytes : bytes.data());
}

LPVOID LockResource(HGLOBAL hResData) {
    return hResData;
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    if (hResInfo == nullptr || !IsProgramModule(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(EntryOf(hResInfo)->bytes.size());
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (lpBuffer == nullptr || cchBufferMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::optional<std::string> text = platform::LoadResourceString(hInstance, uID);
    if (!text) {
        lpBuffer[0] = '\0';
        return 0;
    }
    size_t count = platform::CutAtCharBoundary(*text, static_cast<size_t>(cchBufferMax) - 1);
    std::memcpy(lpBuffer, text->data(), count);
    lpBuffer[count] = '\0';
    return static_cast<int>(count);
}

namespace platform {

std::optional<std::span<const std::uint8_t>> FindResourceBytes(HMODULE module, LPCSTR name,
                                                               LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(EntryOf(found)->bytes);
}

std::optional<std::string> LoadResourceString(HINSTANCE instance, UINT id) {
    if (id > 0xFFFF) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return std::nullopt;
    }
    auto block = FindResourceBytes(instance, MAKEINTRESOURCE(StringBlockId(id)), RT_STRING);
    if (!block) {
        return std::nullopt;
    }
    std::optional<std::string_view> text = FindInStringBlock(*block, id % kStringsPerBlock);
    if (!text) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return std::nullopt;
    }
    return std::string(*text);
}

std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE instance, LPCSTR name) {
    auto bytes = FindResourceBytes(instance, name, RT_DIALOG);
    return bytes ? DecodeDialogTemplate(*bytes) : std::nullopt;
}

std::optional<MenuTemplate> LoadMenuTemplate(HINSTANCE instance, LPCSTR name) {
    auto bytes = FindResourceBytes(instance, name, RT_MENU);
    return bytes ? DecodeMenuTemplate(*bytes) : std::nullopt;
}

std::optional<std::vector<AcceleratorEntry>> LoadAcceleratorEntries(HINSTANCE instance,
                                                                    LPCSTR name) {
    auto bytes = FindResourceBytes(instance, name, RT_ACCELERATOR);
    return bytes ? DecodeAcceleratorTable(*bytes) : std::nullopt;
}

std::optional<ToolBarTemplate> LoadToolBarTemplate(HINSTANCE instance, LPCSTR name) {
    auto bytes = FindResourceBytes(instance, name, RT_TOOLBAR);
    return bytes ? DecodeToolBarTemplate(*bytes) : std::nullopt;
}

std::optional<std::vector<DialogInitEntry>> LoadDialogInit(HINSTANCE instance, LPCSTR name) {
    auto bytes = FindResourceBytes(instance, name, RT_DLGINIT);
    return bytes ? DecodeDialogInit(*bytes) : std::nullopt;
}

}  // namespace platform
