#include "manager/RecordBytes.h"

#include <algorithm>
#include <cstdio>

#include "common/WholeFile.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/text/Gbk.h"

RecordBytes::FileRead RecordBytes::ReadFile(const char* path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    FILE* file = platform::OpenStdioFile(path, "rb");
    if (file == nullptr) {
        return ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ? FileRead::kMissing
                                                                     : FileRead::kPartial;
    }
    std::uint8_t buffer[64 * 1024];
    FileRead read = FileRead::kWhole;
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof(buffer), file);
        const std::size_t kept = std::min(got, kMaxWholeFileSize - bytes.size());
        bytes.insert(bytes.end(), buffer, buffer + kept);
        if (kept < got) {
            read = FileRead::kPartial;
            break;
        }
        if (got < sizeof(buffer)) {
            read = std::ferror(file) == 0 ? FileRead::kWhole : FileRead::kPartial;
            break;
        }
    }
    std::fclose(file);
    return read;
}

void RecordBytes::StoreText(char* field, std::size_t size, std::string_view text) {
    std::memset(field, 0, size);
    if (size == 0) {
        return;
    }
    const std::string_view kept = text.substr(0, text.find('\0'));
    const std::size_t length = platform::CutAtCharBoundary(kept, size - 1);
    std::memcpy(field, kept.data(), length);
}
