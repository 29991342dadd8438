#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"

namespace platform {
namespace {

// The classic load address of a program image; any non-null value would do.
const HMODULE kProcessModule = reinterpret_cast<HMODULE>(0x400000);

std::mutex override_mutex;
std::optional<std::string> module_override;

std::string ModuleWindowsPath() {
    {
        std::lock_guard lock(override_mutex);
        if (module_override) {
            return *module_override;
        }
    }
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : ToWindowsPath(program);
}

}  // namespace

HMODULE ProcessModule() {
    return kProcessModule;
}

void OverrideModuleFileName(std::string windowsPath) {
    std::lock_guard lock(override_mutex);
    module_override = std::move(windowsPath);
}

void ClearModuleFileNameOverride() {
    std::lock_guard lock(override_mutex);
    module_override.reset();
}

}  // namespace platform

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule != nullptr && hModule != platform::ProcessModule()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::string name = platform::ModuleWindowsPath();
    if (name.empty()) {
        SetLastError(ERROR_GEN_FAILURE);
        return 0;
    }
    if (nSize == 0 || lpFilename == nullptr) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() < nSize) {
        name.copy(lpFilename, name.size());
        lpFilename[name.size()] = '\0';
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(name.size());
    }
    // Cut to the buffer, terminated, and report the whole buffer as used.
    name.copy(lpFilename, nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}
