#include "platform/files/Path.h"

#include "platform/files/DriveMap.h"
#include "platform/files/PathResolution.h"

namespace platform {

std::optional<std::filesystem::path> ResolvePath(std::string_view windowsPath) {
    ResolvedPath resolved = ResolveWindowsPath(windowsPath);
    if (!resolved.ok()) {
        return std::nullopt;
    }
    return resolved.path;
}

std::string ToWindowsPath(const std::filesystem::path& linuxPath) {
    return WindowsPathOf(linuxPath).ToString();
}

void MapDrive(char letter, std::filesystem::path root) {
    DriveMap::Instance().Map(letter, root);
}

void UnmapDrive(char letter) {
    DriveMap::Instance().Unmap(letter);
}

}  // namespace platform
