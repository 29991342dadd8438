#include "platform/system/DriveTypes.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <string_view>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"

namespace {

class CdromTable {
public:
    static CdromTable& Instance() {
        static CdromTable table;
        return table;
    }

    void Set(char letter, std::string device) {
        std::lock_guard lock(mutex_);
        known_ = true;
        devices_[Upper(letter)] = std::move(device);
    }

    void Clear() {
        std::lock_guard lock(mutex_);
        known_ = true;
        devices_.clear();
    }

    std::optional<std::string> Find(char letter) {
        std::lock_guard lock(mutex_);
        if (!known_)
            Discover();
        auto it = devices_.find(Upper(letter));
        if (it == devices_.end())
            return std::nullopt;
        return it->second;
    }

private:
    static char Upper(char letter) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    }

    static bool IsMapped(char letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        return platform::ResolvePath(root).has_value();
    }

    void Discover() {
        known_ = true;
        if (const char* configured = std::getenv("PLATFORM_CDROMS")) {
            std::string_view rest(configured);
            while (!rest.empty()) {
                size_t end = rest.find(';');
                std::string_view entry = rest.substr(0, end);
                if (entry.size() > 2 && entry[1] == '=' &&
                    std::isalpha(static_cast<unsigned char>(entry[0]))) {
                    devices_[Upper(entry[0])] = std::string(entry.substr(2));
                }
                if (end == std::string_view::npos)
                    break;
                rest.remove_prefix(end + 1);
            }
            return;
        }
        char letter = 'D';
        for (int n = 0; n < 10 && letter < 'Z'; ++n) {
            std::string device = "/dev/sr" + std::to_string(n);
            if (!std::filesystem::exists(device))
                continue;
            while (letter < 'Z' && IsMapped(letter))
                ++letter;
            if (letter == 'Z')
                break;
            devices_[letter++] = device;
        }
    }

    std::mutex mutex_;
    bool known_ = false;
    std::map<char, std::string> devices_;
};

}  // namespace

UINT GetDriveTypeA(LPCSTR lpRootPathName) {
    std::string root;
    if (lpRootPathName == nullptr) {
        char current[MAX_PATH] = {};
        if (GetCurrentDirectoryA(MAX_PATH, current) == 0)
            return DRIVE_UNKNOWN;
        root.assign(current, 2);
    } else {
        root = lpRootPathName;
    }
    bool isRoot = root.size() >= 2 && root.size() <= 3 &&
                  std::isalpha(static_cast<unsigned char>(root[0])) && root[1] == ':' &&
                  (root.size() == 2 || root[2] == '\\' || root[2] == '/');
    if (!isRoot)
        return DRIVE_NO_ROOT_DIR;
    if (CdromTable::Instance().Find(root[0]))
        return DRIVE_CDROM;
    const char path[] = {root[0], ':', '\\', '\0'};
    return platform::ResolvePath(path) ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
}

namespace platform {

void SetCdromDrive(char letter, std::string device) {
    CdromTable::Instance().Set(letter, std::move(device));
}

void ClearCdromDrives() {
    CdromTable::Instance().Clear();
}

std::optional<std::string> CdromDevice(char letter) {
    return CdromTable::Instance().Find(letter);
}

}  // namespace platform
