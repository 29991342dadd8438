#include "platform/files/FindSearch.h"

namespace platform {

FindSearch::FindSearch(std::vector<WIN32_FIND_DATAA> entries) : entries_(std::move(entries)) {}

bool FindSearch::Next(WIN32_FIND_DATAA& entry) {
    std::lock_guard lock(mutex_);
    if (next_ >= entries_.size()) {
        return false;
    }
    entry = entries_[next_++];
    return true;
}

}  // namespace platform
