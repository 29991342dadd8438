#include "platform/files/FileObject.h"

#include <unistd.h>

#include "platform/files/ShareTable.h"

namespace platform {

FileObject::FileObject(int fd, unsigned access, std::uint64_t shareEntry)
    : fd_(fd), access_(access), shareEntry_(shareEntry) {}

FileObject::~FileObject() {
    close(fd_);
    ShareTable::Instance().Close(shareEntry_);
}

bool FileObject::canRead() const {
    return (access_ & ShareTable::kRead) != 0;
}

bool FileObject::canWrite() const {
    return (access_ & ShareTable::kWrite) != 0;
}

}  // namespace platform
