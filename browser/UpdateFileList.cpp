#include "browser/UpdateFileList.h"

#include <cstring>
#include <string_view>

#include "browser/SafeRelativePath.h"

namespace {

constexpr char kListBegin[] = "[FILE_LIST_BEGIN]";
constexpr char kListEnd[] = "[FILE_LIST_END]";
constexpr size_t kLineBytes = 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Copies the next white-space separated field of `text` into `field` (at most size - 1
// characters); false when there is none or it does not fit.
bool TakeField(std::string_view& text, char* field, size_t size) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    size_t length = 0;
    while (length < text.size() && !IsBlank(text[length])) {
        ++length;
    }
    if (length == 0 || length >= size) {
        return false;
    }
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
    text.remove_prefix(length);
    return true;
}

}  // namespace

int CUpdateFileList::Begin() {
    page_.Rewind();
    char line[kLineBytes];
    return page_.FindLine(kListBegin, line) == 0 ? 0 : 1;
}

int CUpdateFileList::Next(UpdateFileEntry& entry) {
    char line[kLineBytes];
    while (page_.ReadValueLine(line) == 0) {
        if (std::strcmp(line, kListEnd) == 0) {
            return 1;
        }
        if (ParseLine(line, entry)) {
            return 0;
        }
    }
    return 1;
}

bool CUpdateFileList::ParseLine(const char* line, UpdateFileEntry& entry) {
    std::string_view text(line);
    return TakeField(text, entry.digest, sizeof entry.digest) &&
           TakeField(text, entry.path, sizeof entry.path) &&
           TakeField(text, entry.address, sizeof entry.address) && IsSafeRelativePath(entry.path);
}
