#include "picture/KeyedTextFile.h"

#include <cstdio>
#include <limits>
#include <memory>
#include <string_view>

#include "platform/files/Path.h"

namespace {

// The files are read in blocks of this size, the key position running on across them.
constexpr size_t kBlockSize = 5120;

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// The C white-space bytes. No trail byte of a two-byte character lies below 0x40, so trimming
// byte by byte never cuts a character.
bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

CKeyedTextFile::CKeyedTextFile() = default;

CKeyedTextFile::~CKeyedTextFile() = default;

int CKeyedTextFile::Load(const char* path, const char* key) {
    content_.Empty();
    length_ = 0;
    cursor_ = 0;
    std::unique_ptr<FILE, FileCloser> file(platform::OpenStdioFile(path, "rb"));
    if (!file) {
        return 1;
    }
    const std::string_view keyBytes = key != nullptr ? std::string_view(key) : std::string_view();
    // Cursor and length are int, so a text beyond their range cannot be handed out.
    constexpr size_t kMaxLength = static_cast<size_t>(std::numeric_limits<int>::max());
    char block[kBlockSize];
    size_t count;
    while ((count = std::fread(block, 1, sizeof block, file.get())) > 0) {
        const size_t start = static_cast<size_t>(content_.GetLength());
        if (count > kMaxLength - start) {
            content_.Empty();
            return 1;
        }
        if (!keyBytes.empty()) {
            for (size_t i = 0; i < count; ++i) {
                block[i] ^= keyBytes[(start + i) % keyBytes.size()];
            }
        }
        content_ += CString(std::string_view(block, count));
    }
    if (std::ferror(file.get())) {
        content_.Empty();
        return 1;
    }
    length_ = content_.GetLength();
    return 0;
}

int CKeyedTextFile::ReadLine(CString& line) {
    if (cursor_ >= length_) {
        return 1;
    }
    const std::string_view text = content_.view();
    const size_t start = static_cast<size_t>(cursor_);
    size_t end = start;
    while (end < text.size() && !IsLineBreak(text[end])) {
        ++end;
    }
    size_t next = end;
    while (next < text.size() && IsLineBreak(text[next])) {
        ++next;
    }
    size_t first = start;
    while (first < end && IsWhiteSpace(text[first])) {
        ++first;
    }
    size_t last = end;
    while (last > first && IsWhiteSpace(text[last - 1])) {
        --last;
    }
    line = CString(text.substr(first, last - first));
    cursor_ = static_cast<int>(next);
    return 0;
}
