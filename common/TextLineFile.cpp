#include "common/TextLineFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/files/FileApi.h"
#include "platform/text/Gbk.h"

namespace {

// A NUL ends its line as CR and LF do: a stray NUL in a damaged file must not hide the lines
// after it, which the callers would then write back without.
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

CTextLineFile::CTextLineFile(PrefixCase prefixCase) : prefixCase_(prefixCase) {}

CTextLineFile::~CTextLineFile() {
    Close();
}

int CTextLineFile::Open(const char* path) {
    Close();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE ||
        size >= static_cast<DWORD>(std::numeric_limits<std::int32_t>::max())) {
        CloseHandle(file);
        return 2;
    }
    // Zero-filled and one byte longer, so that a line may always look one byte past the text.
    std::unique_ptr<char[]> text(new (std::nothrow) char[size + 1]());
    DWORD read = 0;
    if (!text || !ReadFile(file, text.get(), size, &read, nullptr)) {
        CloseHandle(file);
        return 3;
    }
    CloseHandle(file);
    text_ = std::move(text);
    size_ = static_cast<std::int32_t>(read);
    cursor_ = text_.get();
    return 0;
}

void CTextLineFile::Close() {
    if (writeHandle_ != nullptr) {
        CloseHandle(writeHandle_);
        writeHandle_ = nullptr;
    }
    text_.reset();
    cursor_ = nullptr;
    size_ = 0;
}

int CTextLineFile::ReadLine(char* line, size_t size) {
    const char* end = text_.get() + size_;
    if (cursor_ == nullptr || cursor_ >= end) {
        return 1;
    }
    size_t length = 0;
    while (cursor_ + length < end && !IsLineEnd(cursor_[length])) {
        ++length;
    }
    if (size > 0) {
        size_t copied = std::min(length, size - 1);
        std::memcpy(line, cursor_, copied);
        line[copied] = '\0';
    }
    cursor_ += length;
    while (cursor_ < end && IsLineEnd(*cursor_)) {
        ++cursor_;
    }
    return 0;
}

int CTextLineFile::ReadValueLine(char* line, size_t size) {
    while (true) {
        // A comment line is judged by the text, not by what fits the caller's buffer.
        const char* start = cursor_;
        if (ReadLine(line, size) != 0) {
            return 1;
        }
        if (!(start[0] == '/' && start[1] == '/')) {
            return 0;
        }
    }
}

int CTextLineFile::FindLine(const char* prefix, char* line, size_t size) {
    const size_t prefixLength = std::strlen(prefix);
    while (true) {
        const char* start = cursor_;
        if (ReadLine(line, size) != 0) {
            return 1;
        }
        bool matches = prefixCase_ == PrefixCase::kIgnore
                           ? platform::CompareNoCaseN(start, prefix, prefixLength) == 0
                           : std::strncmp(start, prefix, prefixLength) == 0;
        if (matches) {
            return 0;
        }
    }
}

void CTextLineFile::Rewind() {
    cursor_ = text_.get();
}

int CTextLineFile::Create(const char* path) {
    if (writeHandle_ != nullptr) {
        CloseHandle(writeHandle_);
        writeHandle_ = nullptr;
    }
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    writeHandle_ = file;
    return 0;
}

int CTextLineFile::WriteLine(const char* text) {
    if (writeHandle_ == nullptr) {
        return 1;
    }
    DWORD written = 0;
    WriteFile(writeHandle_, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    WriteFile(writeHandle_, "\r\n", 2, &written, nullptr);
    return 0;
}
