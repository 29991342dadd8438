#include "platform/link/RuntimeFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace platform::link {

std::optional<std::filesystem::path> RuntimeFolder() {
    std::filesystem::path folder;
    if (const char* moved = std::getenv("PLATFORM_LINK_DIR"); moved != nullptr && *moved != '\0') {
        folder = moved;
    } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
               runtime != nullptr && *runtime != '\0') {
        folder = std::filesystem::path(runtime) / "larchway-link";
    } else {
        folder = "/tmp/larchway-link-" + std::to_string(getuid());
    }
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return std::nullopt;
    }
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != getuid()) {
        return std::nullopt;
    }
    if ((status.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0) {
        return std::nullopt;
    }
    return folder;
}

std::optional<std::uint64_t> ProcessStartTicks(pid_t pid) {
    if (pid <= 0) {
        return std::nullopt;
    }
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(file, line)) {
        return std::nullopt;
    }
    // The command name in parentheses may hold blanks and parentheses; the fields after the
    // last ')' are plain: state is the third field of the line, the start time the 22nd.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(line.substr(close + 1));
    std::string state;
    fields >> state;
    if (state == "Z" || state == "X") {
        return std::nullopt;
    }
    std::string skipped;
    for (int field = 4; field < 22; ++field) {
        fields >> skipped;
    }
    std::uint64_t start = 0;
    if (!(fields >> start)) {
        return std::nullopt;
    }
    return start;
}

}  // namespace platform::link
