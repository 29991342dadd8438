// The registry file of this process and its contents in memory. Reads re-load the file when it
// changed; changes run under an exclusive lock on "<file>.lock" against fresh contents and replace
// the whole file through "<file>.tmp" and a rename, so processes sharing the file lose no change.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include <sys/stat.h>
#include <sys/types.h>

#include "platform/base/WinTypes.h"
#include "platform/registry/RegistryNode.h"

namespace platform {

class RegistryStore {
public:
    static RegistryStore& Instance();

    std::filesystem::path file();
    void SetFile(const std::filesystem::path& file);

    // `read` sees the current contents (the top node, whose children are the roots).
    LONG Read(const std::function<LONG(const RegistryNode& top)>& read);
    // `change` edits the current contents and sets `changed` when it did; the file is then
    // rewritten. A file that cannot be written gives ERROR_ACCESS_DENIED and the change is lost.
    LONG Change(const std::function<LONG(RegistryNode& top, bool& changed)>& change);
    // Makes the file durable on disk.
    LONG Flush();

private:
    // Which file version the contents came from. A rename always brings another inode, but inode
    // numbers are reused, so the size and time are compared too.
    struct FileIdentity {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified = {};

        bool operator==(const FileIdentity& other) const;
    };

    RegistryStore() = default;
    static FileIdentity IdentityOf(const struct stat& status);
    std::filesystem::path FileLocked();
    void Refresh();
    bool WriteFile(const std::string& text);

    std::mutex mutex_;
    std::filesystem::path file_;
    std::unique_ptr<RegistryNode> top_;
    // The file's bytes that `top_` was read from or written as.
    std::string text_;
    FileIdentity identity_;
    // The clock when the file was last read or written.
    timespec loadedAt_ = {};
};

}  // namespace platform
