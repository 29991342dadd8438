#include "platform/registry/RegistryStore.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/registry/RegistryText.h"

namespace platform {
namespace {

// File systems stamp times from a coarse clock, so a file rewritten within the same tick (with an
// inode number reused and the same size) would look unchanged. Contents whose file was stamped
// less than this long before they were loaded are therefore compared byte by byte.
constexpr long long kTimestampDoubtNanoseconds = 1'000'000'000;

long long Nanoseconds(const timespec& time) {
    return static_cast<long long>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

timespec Now() {
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

std::filesystem::path DefaultRegistryFile() {
    const char* chosen = std::getenv("PLATFORM_REGISTRY_FILE");
    if (chosen != nullptr && chosen[0] != '\0') {
        return chosen;
    }
    std::filesystem::path config;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        config = configHome;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* user = getpwuid(getuid());
            home = user != nullptr ? user->pw_dir : ".";
        }
        config = std::filesystem::path(home) / ".config";
    }
    return config / "larchway" / "registry.dat";
}

bool ReadAll(int fd, std::string& bytes) {
    char buffer[65536];
    while (true) {
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count == 0) {
            return true;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(count);
    }
    return true;
}

}  // namespace

bool RegistryStore::FileIdentity::operator==(const FileIdentity& other) const {
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && Nanoseconds(modified) == Nanoseconds(other.modified);
}

RegistryStore::FileIdentity RegistryStore::IdentityOf(const struct stat& status) {
    FileIdentity identity;
    identity.exists = true;
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    identity.size = status.st_size;
    identity.modified = status.st_mtim;
    return identity;
}

RegistryStore& RegistryStore::Instance() {
    // Never destroyed, so that code running at exit may still use the registry.
    static RegistryStore* store = new RegistryStore();
    return *store;
}

std::filesystem::path RegistryStore::file() {
    std::lock_guard lock(mutex_);
    return FileLocked();
}

void RegistryStore::SetFile(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    file_ = file;
    top_.reset();
    text_.clear();
    identity_ = {};
}

std::filesystem::path RegistryStore::FileLocked() {
    if (file_.empty()) {
        file_ = DefaultRegistryFile();
    }
    return file_;
}

void RegistryStore::Refresh() {
    timespec now = Now();
    int fd = open(FileLocked().c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status = {};
    if (fd < 0 || fstat(fd, &status) != 0) {
        if (fd >= 0) {
            close(fd);
        }
        if (!top_ || identity_.exists) {
            top_ = NewRegistry();
            text_.clear();
            identity_ = {};
        }
        loadedAt_ = now;
        return;
    }
    FileIdentity identity = IdentityOf(status);
    bool doubtful =
        Nanoseconds(identity_.modified) + kTimestampDoubtNanoseconds > Nanoseconds(loadedAt_);
    if (top_ && identity == identity_ && !doubtful) {
        close(fd);
        return;
    }
    std::string bytes;
    bool whole = ReadAll(fd, bytes);
    close(fd);
    if (!whole) {
        bytes.clear();
    }
    if (!top_ || bytes != text_) {
        top_ = ParseRegistryText(bytes);
        if (!top_) {
            top_ = NewRegistry();
        }
        text_ = std::move(bytes);
    }
    identity_ = identity;
    loadedAt_ = now;
}

bool RegistryStore::WriteFile(const std::string& text) {
    timespec now = Now();
    std::string target = FileLocked().string();
    std::string temporary = target + ".tmp";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    bool written = WriteAll(fd, text);
    written = close(fd) == 0 && written;
    struct stat status = {};
    if (!written || rename(temporary.c_str(), target.c_str()) != 0 ||
        stat(target.c_str(), &status) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    text_ = text;
    identity_ = IdentityOf(status);
    loadedAt_ = now;
    return true;
}

LONG RegistryStore::Read(const std::function<LONG(const RegistryNode& top)>& read) {
    std::lock_guard lock(mutex_);
    Refresh();
    return read(*top_);
}

LONG RegistryStore::Change(const std::function<LONG(RegistryNode& top, bool& changed)>& change) {
    std::lock_guard lock(mutex_);
    std::filesystem::path target = FileLocked();
    std::error_code ignored;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ignored);
    }
    int lockFd = open((target.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0) {
        return ERROR_ACCESS_DENIED;
    }
    while (flock(lockFd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            close(lockFd);
            return ERROR_ACCESS_DENIED;
        }
    }
    Refresh();
    bool changed = false;
    LONG status = change(*top_, changed);
    if (changed && !WriteFile(FormatRegistryText(*top_))) {
        // The contents in memory hold a change the file does not; read the file again next time.
        top_.reset();
        status = ERROR_ACCESS_DENIED;
    }
    close(lockFd);
    return status;
}

LONG RegistryStore::Flush() {
    std::lock_guard lock(mutex_);
    std::filesystem::path target = FileLocked();
    int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // Nothing was ever written.
        return ERROR_SUCCESS;
    }
    bool synced = fsync(fd) == 0;
    close(fd);
    // The rename that put the file in place lives in its folder.
    int folder = open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                      O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        synced = fsync(folder) == 0 && synced;
        close(folder);
    }
    return synced ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

}  // namespace platform
