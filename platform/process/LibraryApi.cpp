#include "platform/process/LibraryApi.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/text/Gbk.h"

namespace platform {
namespace {

struct LoadedLibrary {
    int references = 0;
    std::vector<std::string> names;
};

struct LibraryTable {
    std::mutex mutex;
    std::map<void*, LoadedLibrary> libraries;
};

LibraryTable& Table() {
    static auto* table = new LibraryTable;
    return *table;
}

// The Windows folder of a path, ending in a separator, and the name after it.
std::pair<std::string, std::string> SplitFolder(const std::string& path) {
    size_t cut = std::string::npos;
    for (size_t at = 0; at < path.size(); at += CharLengthAt(path, at)) {
        if (path[at] == '\\' || path[at] == '/' || path[at] == ':') {
            cut = at;
        }
    }
    if (cut == std::string::npos) {
        return {std::string(), path};
    }
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

std::vector<std::string> SearchFolders(const std::string& folderOfName) {
    if (!folderOfName.empty()) {
        return {folderOfName};
    }
    char module[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module) {
        return {};
    }
    const std::string programFolder = SplitFolder(std::string(module, length)).first;
    return {programFolder, programFolder + "lib\\"};
}

std::vector<std::string> CandidateNames(const std::string& name) {
    std::string stem = name;
    if (stem.size() > 4 &&
        CompareNoCase(std::string_view(stem).substr(stem.size() - 4), ".dll") == 0) {
        stem.resize(stem.size() - 4);
    }
    return {stem + ".so", "lib" + stem + ".so", name};
}

}  // namespace
}  // namespace platform

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
    using namespace platform;
    if (lpLibFileName == nullptr || *lpLibFileName == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto [folderOfName, name] = SplitFolder(lpLibFileName);
    DWORD error = ERROR_MOD_NOT_FOUND;
    for (const std::string& folder : SearchFolders(folderOfName)) {
        for (const std::string& candidate : CandidateNames(name)) {
            std::optional<std::filesystem::path> path = ResolvePath(folder + candidate);
            std::error_code fileError;
            if (!path || !std::filesystem::is_regular_file(*path, fileError)) {
                continue;
            }
            void* handle = dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
            if (handle == nullptr) {
                error = ERROR_BAD_EXE_FORMAT;
                continue;
            }
            std::string lowered = lpLibFileName;
            ToLowerAscii(lowered);
            std::lock_guard lock(Table().mutex);
            LoadedLibrary& library = Table().libraries[handle];
            ++library.references;
            if (std::find(library.names.begin(), library.names.end(), lowered) ==
                library.names.end()) {
                library.names.push_back(std::move(lowered));
            }
            SetLastError(ERROR_SUCCESS);
            return static_cast<HMODULE>(handle);
        }
    }
    SetLastError(error);
    return nullptr;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    using namespace platform;
    // A "name" below 0x10000 is an ordinal on the original platform.
    if (lpProcName == nullptr || reinterpret_cast<std::uintptr_t>(lpProcName) < 0x10000) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* handle = nullptr;
    if (hModule == nullptr || hModule == ProcessModule()) {
        handle = RTLD_DEFAULT;
    } else {
        std::lock_guard lock(Table().mutex);
        if (Table().libraries.count(hModule) == 0) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        handle = hModule;
    }
    void* symbol = dlsym(handle, lpProcName);
    if (symbol == nullptr) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE hLibModule) {
    using namespace platform;
    {
        std::lock_guard lock(Table().mutex);
        auto found = Table().libraries.find(hLibModule);
        if (found == Table().libraries.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        if (--found->second.references == 0) {
            Table().libraries.erase(found);
        }
    }
    dlclose(hLibModule);
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName) {
    using namespace platform;
    if (lpModuleName == nullptr) {
        return ProcessModule();
    }
    std::string lowered = lpModuleName;
    ToLowerAscii(lowered);
    std::lock_guard lock(Table().mutex);
    for (const auto& [handle, library] : Table().libraries) {
        for (const std::string& name : library.names) {
            if (name == lowered) {
                return static_cast<HMODULE>(handle);
            }
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}
