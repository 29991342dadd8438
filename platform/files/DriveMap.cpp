#include "platform/files/DriveMap.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace platform {
namespace {

constexpr char kLinuxRootDrive = 'Z';

std::optional<char> DriveLetter(char letter) {
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    if (letter < 'A' || letter > 'Z') {
        return std::nullopt;
    }
    return letter;
}

// Roots are kept canonical so that the current folder, which the system reports with links
// resolved, is recognised as lying under them.
std::filesystem::path NormalRoot(const std::filesystem::path& root) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(root, error);
    if (error) {
        absolute = root;
    }
    std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return (error ? absolute : canonical).lexically_normal();
}

// Whether `path` lies in `root` or is `root` itself, comparing whole names; `relative` receives
// the remainder.
bool Contains(const std::filesystem::path& root, const std::filesystem::path& path,
              std::filesystem::path& relative) {
    auto root_name = root.begin();
    auto name = path.begin();
    for (; root_name != root.end(); ++root_name, ++name) {
        if (root_name->empty()) {
            continue;  // the empty last name of a root written with a trailing slash
        }
        if (name == path.end() || *name != *root_name) {
            return false;
        }
    }
    relative.clear();
    for (; name != path.end(); ++name) {
        if (!name->empty()) {
            relative /= *name;
        }
    }
    return true;
}

}  // namespace

DriveMap& DriveMap::Instance() {
    static DriveMap* instance = new DriveMap;
    return *instance;
}

DriveMap::DriveMap() {
    if (const char* configuration = std::getenv("PLATFORM_DRIVES")) {
        for (auto& [letter, root] : ParseConfiguration(configuration)) {
            roots_[letter] = NormalRoot(root);
        }
    }
}

std::map<char, std::filesystem::path> DriveMap::ParseConfiguration(std::string_view text) {
    std::map<char, std::filesystem::path> roots;
    while (!text.empty()) {
        std::size_t end = text.find(';');
        std::string_view entry = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (entry.size() < 3 || entry[1] != '=') {
            continue;
        }
        std::optional<char> letter = DriveLetter(entry[0]);
        if (!letter || *letter == kLinuxRootDrive) {
            continue;
        }
        roots[*letter] = std::filesystem::path(entry.substr(2));
    }
    return roots;
}

void DriveMap::Map(char letter, const std::filesystem::path& root) {
    std::optional<char> drive = DriveLetter(letter);
    if (!drive || *drive == kLinuxRootDrive) {
        throw std::invalid_argument("only the letters A to Y can be mapped");
    }
    std::filesystem::path normal = NormalRoot(root);
    std::lock_guard lock(mutex_);
    roots_[*drive] = std::move(normal);
}

void DriveMap::Unmap(char letter) {
    std::optional<char> drive = DriveLetter(letter);
    if (!drive) {
        return;
    }
    std::lock_guard lock(mutex_);
    roots_.erase(*drive);
}

std::optional<std::filesystem::path> DriveMap::RootOf(char letter) const {
    if (letter == kLinuxRootDrive) {
        return std::filesystem::path("/");
    }
    std::lock_guard lock(mutex_);
    auto found = roots_.find(letter);
    if (found == roots_.end()) {
        return std::nullopt;
    }
    return found->second;
}

DriveMap::Placement DriveMap::Place(const std::filesystem::path& path) const {
    Placement best{kLinuxRootDrive, path.relative_path()};
    std::size_t best_depth = 0;
    std::lock_guard lock(mutex_);
    for (const auto& [letter, root] : roots_) {
        std::filesystem::path relative;
        std::size_t depth = std::distance(root.begin(), root.end());
        if (depth > best_depth && Contains(root, path, relative)) {
            best = {letter, relative};
            best_depth = depth;
        }
    }
    return best;
}

}  // namespace platform
