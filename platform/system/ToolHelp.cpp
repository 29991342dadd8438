#include "platform/system/ToolHelp.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/KernelObject.h"
#include "platform/files/Path.h"
#include "platform/text/Encoding.h"

namespace {

struct ProcessRecord {
    DWORD id = 0;
    DWORD parentId = 0;
    DWORD threads = 0;
    LONG basePriority = 8;
    std::string exeFile;
};

struct ModuleRecord {
    std::uintptr_t base = 0;
    std::uintptr_t end = 0;
    std::string name;
    std::string path;
};

class Snapshot : public platform::KernelObject {
public:
    std::vector<ProcessRecord> processes;
    std::vector<ModuleRecord> modules;
    DWORD moduleProcessId = 0;
    size_t nextProcess = 0;
    size_t nextModule = 0;
};

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The priority class base a Windows user would see for a Linux nice value: normal is 8, idle 4,
// below normal 6, above normal 10, high 13.
LONG BasePriorityFromNice(long nice) {
    if (nice >= 10)
        return 4;
    if (nice > 0)
        return 6;
    if (nice == 0)
        return 8;
    if (nice > -10)
        return 10;
    return 13;
}

// /proc/<pid>/stat: "pid (comm) state ppid ..."; comm may itself hold spaces and parentheses,
// so the fields after it are found from the last ')'.
bool ReadProcessRecord(const std::filesystem::path& folder, DWORD id, ProcessRecord& record) {
    std::string stat = ReadWholeFile(folder / "stat");
    size_t open = stat.find('(');
    size_t close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return false;
    std::istringstream fields(stat.substr(close + 1));
    std::vector<std::string> values;
    for (std::string value; fields >> value;)
        values.push_back(value);
    // After ')': state(0) ppid(1) ... nice(16) num_threads(17).
    if (values.size() < 18)
        return false;
    record.id = id;
    record.parentId = static_cast<DWORD>(std::strtoul(values[1].c_str(), nullptr, 10));
    record.basePriority = BasePriorityFromNice(std::strtol(values[16].c_str(), nullptr, 10));
    record.threads = static_cast<DWORD>(std::strtoul(values[17].c_str(), nullptr, 10));
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink(folder / "exe", error);
    std::string name = error ? stat.substr(open + 1, close - open - 1) : exe.filename().string();
    record.exeFile = platform::Utf8ToGbk(name);
    return true;
}

std::vector<ProcessRecord> ListProcesses() {
    std::vector<ProcessRecord> processes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::string name = entry.path().filename().string();
        DWORD id = 0;
        auto [end, result] = std::from_chars(name.data(), name.data() + name.size(), id);
        if (result != std::errc() || end != name.data() + name.size())
            continue;
        ProcessRecord record;
        if (ReadProcessRecord(entry.path(), id, record))
            processes.push_back(std::move(record));
    }
    std::sort(processes.begin(), processes.end(),
              [](const ProcessRecord& a, const ProcessRecord& b) { return a.id < b.id; });
    return processes;
}

// Every file mapped into the process, once, in the order of its first mapping; the module spans
// from its first mapping to the end of its last.
bool ListModules(DWORD processId, std::vector<ModuleRecord>& modules, DWORD& error) {
    std::filesystem::path folder = "/proc/" + std::to_string(processId);
    if (!std::filesystem::exists(folder)) {
        error = ERROR_INVALID_PARAMETER;
        return false;
    }
    std::ifstream maps(folder / "maps");
    if (!maps) {
        error = ERROR_ACCESS_DENIED;
        return false;
    }
    std::map<std::string, size_t> indexByPath;
    for (std::string line; std::getline(maps, line);) {
        size_t slash = line.find('/');
        if (slash == std::string::npos)
            continue;
        std::string path = line.substr(slash);
        if (path.ends_with(" (deleted)"))
            continue;
        std::uintptr_t start = 0;
        std::uintptr_t end = 0;
        size_t dash = line.find('-');
        size_t space = line.find(' ');
        if (dash == std::string::npos || space == std::string::npos || dash > space)
            continue;
        std::from_chars(line.data(), line.data() + dash, start, 16);
        std::from_chars(line.data() + dash + 1, line.data() + space, end, 16);
        auto [it, added] = indexByPath.try_emplace(path, modules.size());
        if (added) {
            std::filesystem::path file(path);
            modules.push_back({start, end, platform::Utf8ToGbk(file.filename().string()),
                               platform::ToWindowsPath(file)});
        } else {
            modules[it->second].end = std::max(modules[it->second].end, end);
        }
    }
    // A process whose mappings are hidden from us reads as an empty file.
    if (modules.empty()) {
        error = ERROR_ACCESS_DENIED;
        return false;
    }
    return true;
}

void CopyBounded(char* target, size_t size, const std::string& text) {
    size_t length = std::min(text.size(), size - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

bool FillProcess(HANDLE snapshotHandle, LPPROCESSENTRY32 entry, bool first) {
    auto snapshot = platform::KernelObject::LookupAs<Snapshot>(snapshotHandle);
    if (!snapshot) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (entry == nullptr || entry->dwSize != sizeof(PROCESSENTRY32)) {
        SetLastError(ERROR_BAD_LENGTH);
        return false;
    }
    if (first)
        snapshot->nextProcess = 0;
    if (snapshot->nextProcess >= snapshot->processes.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    const ProcessRecord& record = snapshot->processes[snapshot->nextProcess++];
    DWORD size = entry->dwSize;
    std::memset(entry, 0, sizeof(*entry));
    entry->dwSize = size;
    entry->th32ProcessID = record.id;
    entry->cntThreads = record.threads;
    entry->th32ParentProcessID = record.parentId;
    entry->pcPriClassBase = record.basePriority;
    CopyBounded(entry->szExeFile, sizeof(entry->szExeFile), record.exeFile);
    return true;
}

bool FillModule(HANDLE snapshotHandle, LPMODULEENTRY32 entry, bool first) {
    auto snapshot = platform::KernelObject::LookupAs<Snapshot>(snapshotHandle);
    if (!snapshot) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (entry == nullptr || entry->dwSize != sizeof(MODULEENTRY32)) {
        SetLastError(ERROR_BAD_LENGTH);
        return false;
    }
    if (first)
        snapshot->nextModule = 0;
    if (snapshot->nextModule >= snapshot->modules.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    const ModuleRecord& record = snapshot->modules[snapshot->nextModule++];
    DWORD size = entry->dwSize;
    std::memset(entry, 0, sizeof(*entry));
    entry->dwSize = size;
    entry->th32ModuleID = 1;
    entry->th32ProcessID = snapshot->moduleProcessId;
    entry->GlblcntUsage = 0xFFFF;
    entry->ProccntUsage = 0xFFFF;
    entry->modBaseAddr = reinterpret_cast<BYTE*>(record.base);
    entry->modBaseSize = static_cast<DWORD>(record.end - record.base);
    entry->hModule = reinterpret_cast<HMODULE>(record.base);
    CopyBounded(entry->szModule, sizeof(entry->szModule), record.name);
    CopyBounded(entry->szExePath, sizeof(entry->szExePath), record.path);
    return true;
}

}  // namespace

HANDLE CreateToolhelp32Snapshot(DWORD dwFlags, DWORD th32ProcessID) {
    auto snapshot = std::make_shared<Snapshot>();
    if (dwFlags & TH32CS_SNAPPROCESS)
        snapshot->processes = ListProcesses();
    if (dwFlags & TH32CS_SNAPMODULE) {
        DWORD processId = th32ProcessID != 0 ? th32ProcessID : static_cast<DWORD>(getpid());
        DWORD error = 0;
        if (!ListModules(processId, snapshot->modules, error)) {
            SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
        snapshot->moduleProcessId = processId;
    }
    return platform::KernelObject::Insert(std::move(snapshot));
}

BOOL Process32First(HANDLE hSnapshot, LPPROCESSENTRY32 lppe) {
    return FillProcess(hSnapshot, lppe, true);
}

BOOL Process32Next(HANDLE hSnapshot, LPPROCESSENTRY32 lppe) {
    return FillProcess(hSnapshot, lppe, false);
}

BOOL Module32First(HANDLE hSnapshot, LPMODULEENTRY32 lpme) {
    return FillModule(hSnapshot, lpme, true);
}

BOOL Module32Next(HANDLE hSnapshot, LPMODULEENTRY32 lpme) {
    return FillModule(hSnapshot, lpme, false);
}
