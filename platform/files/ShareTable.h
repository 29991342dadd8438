// The share modes of the files this process holds open. On the original platform a second opener
// is refused when its access is not shared by an earlier opener or its share mode does not allow
// an earlier opener's access; deleting or renaming needs every opener to share deletion.
#pragma once

#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "platform/files/FileInfo.h"

namespace platform {

class ShareTable {
public:
    // Access bits sit where the matching FILE_SHARE_* bits do.
    enum Access : unsigned { kRead = 0x1, kWrite = 0x2, kDelete = 0x4 };

    static ShareTable& Instance();

    // Registers an opener; 0 when it conflicts with one already there.
    std::uint64_t Open(const FileIdentity& file, unsigned access, unsigned share);
    void Close(std::uint64_t entry);

    // Whether a new opener with `access` and every kind of sharing would be let in.
    bool Allows(const FileIdentity& file, unsigned access) const;

private:
    struct Opener {
        FileIdentity file;
        unsigned access;
        unsigned share;
    };

    bool ConflictsLocked(const FileIdentity& file, unsigned access, unsigned share) const;

    mutable std::mutex mutex_;
    std::uint64_t nextEntry_ = 0;
    std::unordered_map<std::uint64_t, Opener> openers_;
};

}  // namespace platform
