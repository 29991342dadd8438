#include "manager/MainWindowState.h"

#include <cstdio>
#include <vector>

#include "common/WholeFile.h"

namespace {

std::int32_t ReadWord(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

}  // namespace

bool MainWindowState::Read(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes) || bytes.size() < kFileSize) {
        return false;
    }
    std::int32_t* fields[] = {&left,        &top,         &right,      &bottom,
                              &reserved[0], &reserved[1], &reserved[2]};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        *fields[i] = ReadWord(bytes.data() + 4 * i);
    }
    return true;
}

bool MainWindowState::Write(const char* path) const {
    char bytes[kFileSize];
    const std::int32_t fields[] = {left, top, right, bottom, reserved[0], reserved[1], reserved[2]};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const auto value = static_cast<std::uint32_t>(fields[i]);
        for (int b = 0; b < 4; ++b) {
            bytes[4 * i + b] = static_cast<char>(value >> (8 * b));
        }
    }
    return WriteWholeFile(path, std::string_view(bytes, sizeof(bytes)));
}
