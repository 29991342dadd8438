#include <string_view>

#include "platform/files/FileApi.h"
#include "platform/files/GbkNames.h"
#include "platform/text/Gbk.h"

namespace {

void CopyPart(std::string_view part, char* output, std::size_t size) {
    if (output == nullptr) {
        return;
    }
    std::size_t length =
        part.size() < size ? part.size() : platform::CutAtCharBoundary(part, size - 1);
    part.copy(output, length);
    output[length] = '\0';
}

}  // namespace

namespace platform {

void SplitPath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    std::string_view rest = path ? path : "";
    std::string_view drive_part;
    if (rest.size() >= 2 && rest[1] == ':') {
        drive_part = rest.substr(0, 2);
        rest.remove_prefix(2);
    }
    // The last separator and the last dot, each a whole character of its own.
    std::size_t name_start = 0;
    std::size_t last_dot = std::string_view::npos;
    for (std::size_t i = 0; i < rest.size();) {
        std::size_t length = CharLengthAt(rest, i);
        if (length == 1 && IsPathSeparator(rest[i])) {
            name_start = i + 1;
            last_dot = std::string_view::npos;
        } else if (length == 1 && rest[i] == '.') {
            last_dot = i;
        }
        i += length;
    }
    std::string_view name = rest.substr(name_start);
    std::size_t dot = last_dot == std::string_view::npos ? name.size() : last_dot - name_start;
    CopyPart(drive_part, drive, _MAX_DRIVE);
    CopyPart(rest.substr(0, name_start), dir, _MAX_DIR);
    CopyPart(name.substr(0, dot), fname, _MAX_FNAME);
    CopyPart(name.substr(dot), ext, _MAX_EXT);
}

}  // namespace platform
