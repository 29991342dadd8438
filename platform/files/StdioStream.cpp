#include "platform/files/StdioStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "platform/files/FileApi.h"
#include "platform/files/FileInfo.h"
#include "platform/files/Path.h"
#include "platform/files/PathResolution.h"
#include "platform/files/ShareTable.h"

namespace platform {
namespace {

constexpr char kEndOfText = 0x1A;
constexpr std::size_t kReadAhead = 4096;

struct ModeFlags {
    char kind;  // 'r', 'w' or 'a'
    bool update = false;
    bool binary = false;
    bool exclusive = false;
};

std::optional<ModeFlags> ParseMode(const char* mode) {
    if (mode == nullptr || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) {
        return std::nullopt;
    }
    ModeFlags flags{mode[0]};
    for (const char* c = mode + 1; *c != '\0' && *c != ','; ++c) {
        switch (*c) {
            case '+':
                flags.update = true;
                break;
            case 'b':
                flags.binary = true;
                break;
            case 't':
                flags.binary = false;
                break;
            case 'x':
                flags.exclusive = flags.kind == 'w';
                break;
            default:
                break;  // the runtime's caching and commit hints change nothing here
        }
    }
    return flags;
}

int ErrnoFromError(DWORD error) {
    switch (error) {
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_PARAMETER:
            return EINVAL;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return EACCES;
        default:
            return ENOENT;
    }
}

bool WriteAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

FILE* StdioStream::Open(const char* windowsPath, const char* mode) {
    std::optional<ModeFlags> flags = ParseMode(mode);
    if (!flags) {
        errno = EINVAL;
        return nullptr;
    }
    ResolvedPath resolved = ResolveWindowsPath(windowsPath ? windowsPath : "");
    if (!resolved.ok()) {
        errno = ErrnoFromError(resolved.error);
        return nullptr;
    }
    bool reads = flags->kind == 'r' || flags->update;
    bool writes = flags->kind != 'r' || flags->update;
    std::optional<FileInfo> existing = QueryFileInfo(resolved.path, LinkMode::kFollow);
    if (existing && (existing->isDirectory || (existing->isReadOnly && writes))) {
        errno = EACCES;
        return nullptr;
    }
    int open_flags = (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY) | O_CLOEXEC;
    if (flags->kind != 'r') {
        open_flags |= O_CREAT;
    }
    if (flags->kind == 'a') {
        open_flags |= O_APPEND;
    }
    if (flags->exclusive) {
        open_flags |= O_EXCL;
    }
    int fd = open(resolved.path.c_str(), open_flags, 0666);
    if (fd < 0) {
        return nullptr;
    }
    // The runtime's fopen shares reading and writing but not deletion.
    unsigned access = (reads ? ShareTable::kRead : 0u) | (writes ? ShareTable::kWrite : 0u);
    std::optional<FileInfo> opened = QueryOpenFileInfo(fd);
    std::uint64_t entry = opened ? ShareTable::Instance().Open(opened->identity, access,
                                                               FILE_SHARE_READ | FILE_SHARE_WRITE)
                                 : 0;
    if (entry == 0) {
        close(fd);
        errno = EACCES;
        return nullptr;
    }
    // Truncated only now, so that a file held by a handle that refuses sharing keeps its bytes.
    if (flags->kind == 'w' && ftruncate(fd, 0) != 0) {
        int error = errno;
        ShareTable::Instance().Close(entry);
        close(fd);
        errno = error;
        return nullptr;
    }
    auto* stream = new StdioStream(fd, !flags->binary, entry);
    cookie_io_functions_t functions{ReadCallback, WriteCallback, SeekCallback, CloseCallback};
    FILE* file = fopencookie(stream, reads && writes ? "r+" : writes ? "w" : "r", functions);
    if (file == nullptr) {
        int error = errno;
        delete stream;
        errno = error;
        return nullptr;
    }
    if (stream->text_) {
        setvbuf(file, nullptr, _IONBF, 0);
    }
    return file;
}

StdioStream::StdioStream(int fd, bool text, std::uint64_t shareEntry)
    : fd_(fd), text_(text), shareEntry_(shareEntry) {}

StdioStream::~StdioStream() {
    close(fd_);
    ShareTable::Instance().Close(shareEntry_);
}

ssize_t StdioStream::ReadCallback(void* cookie, char* buffer, size_t size) {
    auto* stream = static_cast<StdioStream*>(cookie);
    if (stream->text_) {
        return stream->ReadText(buffer, size);
    }
    while (true) {
        ssize_t count = read(stream->fd_, buffer, size);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

ssize_t StdioStream::WriteCallback(void* cookie, const char* buffer, size_t size) {
    auto* stream = static_cast<StdioStream*>(cookie);
    if (stream->text_) {
        return stream->WriteText(buffer, size);
    }
    // stdio treats a short count as a failure, so everything is written or -1 returned.
    return WriteAll(stream->fd_, buffer, size) ? static_cast<ssize_t>(size) : -1;
}

int StdioStream::SeekCallback(void* cookie, off64_t* offset, int whence) {
    return static_cast<StdioStream*>(cookie)->Seek(offset, whence);
}

int StdioStream::CloseCallback(void* cookie) {
    delete static_cast<StdioStream*>(cookie);
    return 0;
}

bool StdioStream::Refill() {
    rawStart_ += static_cast<off64_t>(rawNext_);
    raw_.erase(raw_.begin(), raw_.begin() + static_cast<std::ptrdiff_t>(rawNext_));
    rawNext_ = 0;
    std::size_t kept = raw_.size();
    raw_.resize(kept + kReadAhead);
    ssize_t count;
    do {
        count = read(fd_, raw_.data() + kept, kReadAhead);
    } while (count < 0 && errno == EINTR);
    raw_.resize(kept + static_cast<std::size_t>(count > 0 ? count : 0));
    readError_ = count < 0;
    return count > 0;
}

ssize_t StdioStream::ReadText(char* buffer, size_t size) {
    std::size_t produced = 0;
    while (produced < size && !sawEndOfText_) {
        if (rawNext_ == raw_.size() && !Refill()) {
            break;
        }
        char c = raw_[rawNext_];
        if (c == kEndOfText) {
            sawEndOfText_ = true;
            break;
        }
        if (c == '\r') {
            // A CR at the end of what was read may still be the first half of CR LF.
            if (rawNext_ + 1 == raw_.size()) {
                Refill();
            }
            if (rawNext_ + 1 < raw_.size() && raw_[rawNext_ + 1] == '\n') {
                buffer[produced++] = '\n';
                rawNext_ += 2;
                continue;
            }
        }
        buffer[produced++] = c;
        ++rawNext_;
    }
    if (produced == 0 && readError_) {
        return -1;
    }
    return static_cast<ssize_t>(produced);
}

bool StdioStream::DropReadAhead() {
    if (raw_.empty()) {
        return true;
    }
    off64_t position = rawStart_ + static_cast<off64_t>(rawNext_);
    raw_.clear();
    rawNext_ = 0;
    rawStart_ = position;
    return lseek(fd_, position, SEEK_SET) >= 0;
}

ssize_t StdioStream::WriteText(const char* buffer, size_t size) {
    if (!DropReadAhead()) {
        return -1;
    }
    std::string translated;
    translated.reserve(size + size / 8);
    for (std::string_view rest(buffer, size); !rest.empty(); rest.remove_prefix(1)) {
        if (rest.front() == '\n') {
            translated += '\r';
        }
        translated += rest.front();
    }
    if (!WriteAll(fd_, translated.data(), translated.size())) {
        return -1;
    }
    rawStart_ = lseek(fd_, 0, SEEK_CUR);
    return static_cast<ssize_t>(size);
}

int StdioStream::Seek(off64_t* offset, int whence) {
    off64_t target;
    if (whence == SEEK_CUR && text_ && !raw_.empty()) {
        target = rawStart_ + static_cast<off64_t>(rawNext_) + *offset;
        target = lseek(fd_, target, SEEK_SET);
    } else {
        target = lseek(fd_, *offset, whence);
    }
    if (target < 0) {
        return -1;
    }
    raw_.clear();
    rawNext_ = 0;
    rawStart_ = target;
    sawEndOfText_ = false;
    *offset = target;
    return 0;
}

FILE* OpenStdioFile(const char* windowsPath, const char* mode) {
    return StdioStream::Open(windowsPath, mode);
}

}  // namespace platform
