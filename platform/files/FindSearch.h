// A search started by FindFirstFileA: the matching entries, taken when it started, handed out one
// by one.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "platform/base/KernelObject.h"
#include "platform/files/FileApi.h"

namespace platform {

class FindSearch : public KernelObject {
public:
    explicit FindSearch(std::vector<WIN32_FIND_DATAA> entries);

    // False when every entry has been handed out.
    bool Next(WIN32_FIND_DATAA& entry);

private:
    std::mutex mutex_;
    std::vector<WIN32_FIND_DATAA> entries_;
    std::size_t next_ = 0;
};

}  // namespace platform
