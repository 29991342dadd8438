#include "manager/LookupDataFile.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/TextLineFile.h"

namespace {

constexpr char kKey[] = "mnC482P;KH7VBRf55+!;";
constexpr std::size_t kKeySize = sizeof(kKey) - 1;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

void XorDataFile(std::span<char> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(bytes[i] ^ kKey[i % kKeySize]);
    }
}

int ReadDataFileLines(const char* path, std::size_t lineSize,
                      const std::function<void(const char* line)>& onLine) {
    CTextLineFile file;
    if (file.Open(path) != 0) {
        return 1;
    }
    XorDataFile(std::span(file.RawText(), static_cast<std::size_t>(file.RawSize())));
    std::unique_ptr<char[]> line(new char[lineSize]);
    while (file.ReadLine(line.get(), lineSize) == 0) {
        onLine(line.get());
    }
    return 0;
}

int ScanWords(const char* line, std::initializer_list<std::span<char>> fields) {
    int words = 0;
    for (std::span<char> field : fields) {
        while (IsSpace(*line)) {
            ++line;
        }
        if (*line == '\0') {
            break;
        }
        std::size_t length = 0;
        while (line[length] != '\0' && !IsSpace(line[length])) {
            ++length;
        }
        if (!field.empty()) {
            const std::size_t copied = std::min(length, field.size() - 1);
            std::memcpy(field.data(), line, copied);
            field[copied] = '\0';
        }
        line += length;
        ++words;
    }
    return words;
}
