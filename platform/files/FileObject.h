// An open file behind a HANDLE from CreateFileA: the descriptor, the access it was opened for and
// its place in the share table, given back when the handle is closed.
#pragma once

#include <cstdint>

#include "platform/base/KernelObject.h"

namespace platform {

class FileObject : public KernelObject {
public:
    FileObject(int fd, unsigned access, std::uint64_t shareEntry);
    ~FileObject() override;

    int fd() const { return fd_; }
    bool canRead() const;
    bool canWrite() const;

private:
    int fd_;
    unsigned access_;
    std::uint64_t shareEntry_;
};

}  // namespace platform
