// The back and forward history of one browser control: the top-level pages it showed, with their
// titles and the addresses their frames showed, and the one it shows now. A navigation of the
// page or of one of its frames drops the entries ahead of the current one and adds one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::webcontrol {

class TravelLog {
public:
    // Older entries go once there are more than this.
    static constexpr size_t kMaxEntries = 100;

    struct Entry {
        // Unique within the log, so that an entry handed out earlier can be found again.
        uint64_t id = 0;
        std::string url;
        std::string title;
        // Every frame's address, the frames inside a frame right after it, in document order.
        std::vector<std::string> frames;
    };

    // A page reached by a new navigation becomes the current entry.
    void Add(std::string url, std::string title, std::vector<std::string> frames = {});
    // A page reached by travelling: the entry `id` becomes the current one. False when it is gone.
    bool MoveTo(uint64_t id);
    void SetCurrentTitle(std::string title);
    // Takes the entries as another history keeps them (the desktop's engine), `current` the one
    // shown; their ids are ignored. An entry at the same place with the same address as before
    // keeps its id, so that an entry handed out earlier still names it. The newest kMaxEntries
    // are kept.
    void Follow(std::vector<Entry> entries, size_t current);

    // Entries behind and ahead of the current one, nearest first.
    std::vector<Entry> Back() const;
    std::vector<Entry> Forward() const;
    std::optional<Entry> Current() const;
    // The entry `offset` steps away (negative: back); nothing past either end.
    std::optional<Entry> Relative(int offset) const;
    std::optional<Entry> Find(uint64_t id) const;

private:
    std::vector<Entry> entries_;
    // Index of the current entry; meaningless while there is none.
    size_t current_ = 0;
    uint64_t nextId_ = 1;
};

}  // namespace platform::webcontrol
