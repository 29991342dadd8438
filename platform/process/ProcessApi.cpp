#include "platform/process/ProcessApi.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/files/Path.h"
#include "platform/process/CommandLine.h"
#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"

namespace platform {
namespace {

// The value the original platform's shell returns for a successful start.
constexpr INT_PTR kShellStarted = 42;
constexpr UINT kWinExecStarted = 33;

struct StartRegistry {
    std::mutex mutex;
    std::vector<ProcessStart> starts;
    std::function<int(const ProcessStart&)> interceptor;
    std::optional<std::filesystem::path> opener;
};

StartRegistry& Registry() {
    static auto* registry = new StartRegistry;
    return *registry;
}

DWORD ShellCodeOfErrno(int error) {
    switch (error) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
            return SE_ERR_ACCESSDENIED;
        case ENOEXEC:
            return ERROR_BAD_FORMAT;
        default:
            return 0;
    }
}

// 0 when started (the record gets the child), else the errno value of the failure.
int Launch(ProcessStart& start) {
    std::function<int(const ProcessStart&)> interceptor;
    {
        std::lock_guard lock(Registry().mutex);
        interceptor = Registry().interceptor;
    }
    int error = 0;
    if (interceptor) {
        error = interceptor(start);
    } else {
        start.child = ChildProcess::Start(start.program, start.arguments, start.folder, &error);
    }
    if (error == 0) {
        std::lock_guard lock(Registry().mutex);
        // A program that runs for weeks keeps only the newest starts.
        if (Registry().starts.size() >= 100) {
            Registry().starts.erase(Registry().starts.begin());
        }
        Registry().starts.push_back(start);
    }
    return error;
}

DWORD Win32ErrorOfErrno(int error) {
    switch (error) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
            return ERROR_ACCESS_DENIED;
        case ENOEXEC:
            return ERROR_BAD_EXE_FORMAT;
        default:
            return ERROR_NOT_ENOUGH_MEMORY;
    }
}

DWORD LaunchForShell(ProcessStart start) {
    const int error = Launch(start);
    return error == 0 ? 0 : ShellCodeOfErrno(error);
}

bool IsExecutableFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

std::optional<std::filesystem::path> FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty()) {
        return std::nullopt;
    }
    std::string_view folders(path);
    while (true) {
        const size_t end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        if (!folder.empty()) {
            std::filesystem::path candidate = std::filesystem::path(folder) / name;
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        folders.remove_prefix(end + 1);
    }
}

// An address has a scheme of two or more characters before its colon, so that a drive letter
// ("C:\...") is never taken for one.
bool IsAddress(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2) {
        return false;
    }
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isAlpha(text[0])) {
        return false;
    }
    for (char c : text.substr(1, colon - 1)) {
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

// 0 when `path` exists, else whether the file or its folder is missing.
DWORD MissingCode(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return 0;
    }
    return std::filesystem::is_directory(path.parent_path(), error) ? ERROR_FILE_NOT_FOUND
                                                                    : ERROR_PATH_NOT_FOUND;
}

bool HasWindowsProgramExtension(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    return CompareNoCase(extension, ".exe") == 0 || CompareNoCase(extension, ".com") == 0;
}

std::vector<std::string> Utf8Arguments(std::vector<std::string> gbk) {
    for (std::string& argument : gbk) {
        argument = GbkToUtf8(argument);
    }
    return gbk;
}

DWORD OpenWithDesktop(std::string target, const std::filesystem::path& folder) {
    std::optional<std::filesystem::path> opener;
    {
        std::lock_guard lock(Registry().mutex);
        opener = Registry().opener;
    }
    if (!opener) {
        opener = FindOnPath("xdg-open");
    }
    if (!opener || opener->empty()) {
        return SE_ERR_NOASSOC;
    }
    return LaunchForShell(
        {ProcessStart::Kind::kOpener, *opener, {std::move(target)}, folder, nullptr});
}

std::filesystem::path CurrentFolder() {
    std::error_code error;
    return std::filesystem::current_path(error);
}

// The program a command line names: a name with a folder as it is; a bare name in the current
// folder, then with ".exe" added, then on PATH. Sets `*error` to a Win32 error when there is
// none or it cannot run here.
std::optional<std::filesystem::path> LocateProgram(const std::string& name, DWORD* error) {
    std::optional<std::filesystem::path> program = ResolvePath(name);
    if (!program) {
        *error = ERROR_FILE_NOT_FOUND;
        return std::nullopt;
    }
    const bool hasFolder = name.find_first_of("\\/:") != std::string::npos;
    if (!hasFolder && MissingCode(*program) != 0) {
        std::optional<std::filesystem::path> withExtension;
        if (!program->has_extension()) {
            withExtension = ResolvePath(name + ".exe");
        }
        if (withExtension && MissingCode(*withExtension) == 0) {
            program = withExtension;
        } else if (auto onPath = FindOnPath(GbkToUtf8(name))) {
            program = onPath;
        }
    }
    if (DWORD missing = MissingCode(*program); missing != 0) {
        *error = missing;
        return std::nullopt;
    }
    if (!IsExecutableFile(*program)) {
        *error = ERROR_BAD_EXE_FORMAT;
        return std::nullopt;
    }
    return program;
}

}  // namespace

std::vector<ProcessStart> StartedProcesses() {
    std::lock_guard lock(Registry().mutex);
    return Registry().starts;
}

void ClearStartedProcesses() {
    std::lock_guard lock(Registry().mutex);
    Registry().starts.clear();
}

void SetProcessStartInterceptor(std::function<int(const ProcessStart&)> interceptor) {
    std::lock_guard lock(Registry().mutex);
    Registry().interceptor = std::move(interceptor);
}

void SetDesktopOpener(std::filesystem::path opener) {
    std::lock_guard lock(Registry().mutex);
    Registry().opener = std::move(opener);
}

void UseDefaultDesktopOpener() {
    std::lock_guard lock(Registry().mutex);
    Registry().opener.reset();
}

}  // namespace platform

HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT) {
    using namespace platform;
    auto result = [](DWORD code) {
        return reinterpret_cast<HINSTANCE>(code == 0 ? kShellStarted : static_cast<INT_PTR>(code));
    };
    if (lpFile == nullptr || *lpFile == '\0') {
        return result(SE_ERR_FNF);
    }
    if (lpOperation != nullptr && *lpOperation != '\0' && CompareNoCase(lpOperation, "open") != 0) {
        return result(SE_ERR_NOASSOC);
    }
    std::filesystem::path folder = CurrentFolder();
    if (lpDirectory != nullptr && *lpDirectory != '\0') {
        auto resolved = ResolvePath(lpDirectory);
        std::error_code error;
        if (!resolved || !std::filesystem::is_directory(*resolved, error)) {
            return result(SE_ERR_PNF);
        }
        folder = *resolved;
    }
    if (IsAddress(lpFile)) {
        return result(OpenWithDesktop(GbkToUtf8(lpFile), folder));
    }
    auto target = ResolvePath(lpFile);
    if (!target) {
        return result(SE_ERR_FNF);
    }
    if (DWORD missing = MissingCode(*target); missing != 0) {
        return result(missing);
    }
    if (IsExecutableFile(*target)) {
        std::vector<std::string> arguments;
        if (lpParameters != nullptr) {
            arguments = Utf8Arguments(SplitCommandLine(lpParameters));
        }
        return result(LaunchForShell(
            {ProcessStart::Kind::kProgram, *target, std::move(arguments), folder, nullptr}));
    }
    if (HasWindowsProgramExtension(*target)) {
        return result(ERROR_BAD_FORMAT);
    }
    return result(OpenWithDesktop(target->string(), folder));
}

UINT WinExec(LPCSTR lpCmdLine, UINT) {
    using namespace platform;
    std::vector<std::string> parts;
    if (lpCmdLine != nullptr) {
        parts = SplitProgramCommandLine(lpCmdLine);
    }
    if (parts.empty() || parts[0].empty()) {
        return ERROR_FILE_NOT_FOUND;
    }
    DWORD error = 0;
    auto program = LocateProgram(parts[0], &error);
    if (!program) {
        return error == ERROR_BAD_EXE_FORMAT ? ERROR_BAD_FORMAT : error;
    }
    parts.erase(parts.begin());
    const DWORD code = LaunchForShell({ProcessStart::Kind::kProgram, *program,
                                       Utf8Arguments(std::move(parts)), CurrentFolder(), nullptr});
    return code == 0 ? kWinExecStarted : code;
}

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                    LPSECURITY_ATTRIBUTES, BOOL, DWORD dwCreationFlags, LPVOID lpEnvironment,
                    LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                    LPPROCESS_INFORMATION lpProcessInformation) {
    using namespace platform;
    if (lpProcessInformation == nullptr ||
        (lpApplicationName == nullptr && lpCommandLine == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((dwCreationFlags & CREATE_SUSPENDED) != 0 || lpEnvironment != nullptr ||
        (lpStartupInfo != nullptr && (lpStartupInfo->dwFlags & STARTF_USESTDHANDLES) != 0)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    std::vector<std::string> parts;
    if (lpCommandLine != nullptr) {
        parts = SplitProgramCommandLine(lpCommandLine);
    }
    std::string name = lpApplicationName != nullptr ? lpApplicationName
                       : parts.empty()              ? std::string()
                                                    : parts[0];
    DWORD error = ERROR_FILE_NOT_FOUND;
    std::optional<std::filesystem::path> program;
    if (!name.empty()) {
        program = LocateProgram(name, &error);
    }
    if (!program) {
        SetLastError(error);
        return FALSE;
    }
    std::filesystem::path folder = CurrentFolder();
    if (lpCurrentDirectory != nullptr) {
        auto resolved = ResolvePath(lpCurrentDirectory);
        std::error_code folderError;
        if (!resolved || !std::filesystem::is_directory(*resolved, folderError)) {
            SetLastError(ERROR_DIRECTORY);
            return FALSE;
        }
        folder = *resolved;
    }
    if (!parts.empty()) {
        parts.erase(parts.begin());
    }
    ProcessStart start{ProcessStart::Kind::kProgram, *program, Utf8Arguments(std::move(parts)),
                       folder, nullptr};
    if (const int launchError = Launch(start); launchError != 0) {
        SetLastError(Win32ErrorOfErrno(launchError));
        return FALSE;
    }
    *lpProcessInformation = {};
    if (start.child) {
        // On Linux the main thread's id is the process id, and the main thread lives as long
        // as the process: both handles name the child.
        lpProcessInformation->hProcess = KernelObject::Insert(start.child);
        lpProcessInformation->hThread = KernelObject::Insert(start.child);
        lpProcessInformation->dwProcessId = static_cast<DWORD>(start.child->pid());
        lpProcessInformation->dwThreadId = static_cast<DWORD>(start.child->pid());
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    auto child = platform::KernelObject::LookupAs<platform::ChildProcess>(hProcess);
    if (!child || lpExitCode == nullptr) {
        SetLastError(child ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *lpExitCode = child->ExitCode();
    return TRUE;
}
