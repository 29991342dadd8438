#include "common/WholeFile.h"

#include <cstdio>
#include <string>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"

bool WriteWholeFile(const char* path, std::string_view bytes) {
    const std::string temporaryPath = std::string(path) + ".tmp";
    SetFileAttributesA(temporaryPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporaryPath.c_str());
    FILE* file = platform::OpenStdioFile(temporaryPath.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
    if (!written || !MoveFileExA(temporaryPath.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporaryPath.c_str());
        return false;
    }
    return true;
}
