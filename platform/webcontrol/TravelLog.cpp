#include "platform/webcontrol/TravelLog.h"

#include <algorithm>
#include <cstddef>

namespace platform::webcontrol {

void TravelLog::Add(std::string url, std::string title, std::vector<std::string> frames) {
    if (!entries_.empty()) {
        entries_.resize(current_ + 1);
    }
    entries_.push_back({nextId_++, std::move(url), std::move(title), std::move(frames)});
    if (entries_.size() > kMaxEntries) {
        entries_.erase(entries_.begin());
    }
    current_ = entries_.size() - 1;
}

bool TravelLog::MoveTo(uint64_t id) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].id == id) {
            current_ = i;
            return true;
        }
    }
    return false;
}

void TravelLog::SetCurrentTitle(std::string title) {
    if (!entries_.empty()) {
        entries_[current_].title = std::move(title);
    }
}

void TravelLog::Follow(std::vector<Entry> entries, size_t current) {
    if (entries.empty()) {
        entries_.clear();
        current_ = 0;
        return;
    }
    current = std::min(current, entries.size() - 1);
    // The current entry stays, with as many behind it as fit, then as many ahead.
    if (entries.size() > kMaxEntries) {
        const size_t first = current + 1 > kMaxEntries ? current + 1 - kMaxEntries : 0;
        entries.erase(entries.begin(), entries.begin() + static_cast<ptrdiff_t>(first));
        entries.resize(kMaxEntries);
        current -= first;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const bool same = i < entries_.size() && entries_[i].url == entries[i].url;
        entries[i].id = same ? entries_[i].id : nextId_++;
    }
    entries_ = std::move(entries);
    current_ = current;
}

std::vector<TravelLog::Entry> TravelLog::Back() const {
    std::vector<Entry> back;
    for (size_t i = current_; !entries_.empty() && i > 0; --i) {
        back.push_back(entries_[i - 1]);
    }
    return back;
}

std::vector<TravelLog::Entry> TravelLog::Forward() const {
    std::vector<Entry> forward;
    for (size_t i = current_ + 1; i < entries_.size(); ++i) {
        forward.push_back(entries_[i]);
    }
    return forward;
}

std::optional<TravelLog::Entry> TravelLog::Current() const {
    if (entries_.empty()) {
        return std::nullopt;
    }
    return entries_[current_];
}

std::optional<TravelLog::Entry> TravelLog::Relative(int offset) const {
    if (entries_.empty()) {
        return std::nullopt;
    }
    long long index = static_cast<long long>(current_) + offset;
    if (index < 0 || index >= static_cast<long long>(entries_.size())) {
        return std::nullopt;
    }
    return entries_[static_cast<size_t>(index)];
}

std::optional<TravelLog::Entry> TravelLog::Find(uint64_t id) const {
    for (const Entry& entry : entries_) {
        if (entry.id == id) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace platform::webcontrol
