// Which Linux folder each drive letter stands for. Z: is always the Linux root; other letters
// come from the environment variable PLATFORM_DRIVES ("C=/srv/c;D=/mnt/d", read once at first
// use) and from Map/Unmap calls. Safe to use from several threads.
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>

namespace platform {

class DriveMap {
public:
    static DriveMap& Instance();

    // The letters and roots of a PLATFORM_DRIVES text; malformed entries are skipped.
    static std::map<char, std::filesystem::path> ParseConfiguration(std::string_view text);

    // Throws std::invalid_argument for Z or a character that is not a letter.
    void Map(char letter, const std::filesystem::path& root);
    void Unmap(char letter);

    // The root of an upper-case drive letter; nullopt when it is not mapped.
    std::optional<std::filesystem::path> RootOf(char letter) const;

    struct Placement {
        char drive;
        std::filesystem::path relative;
    };
    // The drive whose root holds the absolute, normal `path` most closely, and the rest of it.
    Placement Place(const std::filesystem::path& path) const;

private:
    DriveMap();

    mutable std::mutex mutex_;
    std::map<char, std::filesystem::path> roots_;
};

}  // namespace platform
