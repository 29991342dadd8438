#include "platform/files/ShareTable.h"

namespace platform {

ShareTable& ShareTable::Instance() {
    static ShareTable* instance = new ShareTable;
    return *instance;
}

std::uint64_t ShareTable::Open(const FileIdentity& file, unsigned access, unsigned share) {
    std::lock_guard lock(mutex_);
    if (ConflictsLocked(file, access, share)) {
        return 0;
    }
    std::uint64_t entry = ++nextEntry_;
    openers_.emplace(entry, Opener{file, access, share});
    return entry;
}

void ShareTable::Close(std::uint64_t entry) {
    std::lock_guard lock(mutex_);
    openers_.erase(entry);
}

bool ShareTable::Allows(const FileIdentity& file, unsigned access) const {
    std::lock_guard lock(mutex_);
    return !ConflictsLocked(file, access, kRead | kWrite | kDelete);
}

bool ShareTable::ConflictsLocked(const FileIdentity& file, unsigned access, unsigned share) const {
    for (const auto& [entry, opener] : openers_) {
        if (opener.file == file &&
            ((access & ~opener.share) != 0 || (opener.access & ~share) != 0)) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
