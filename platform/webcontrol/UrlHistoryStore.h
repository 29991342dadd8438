// The per-user history of visited addresses that the URL history service shows: address, title
// and the last visit as a UTC FILETIME, most recent first. Every browser control of every program
// adds to the same file, so each call reads the file afresh and a change writes it back whole
// (through a temporary file, so that a crash leaves the old file or the new one). A browser's
// visits are written by a writer thread of the process (AddLater), so that neither a program's
// start nor a navigation waits for the disk; the other calls first wait for what the writer still
// holds, and the process writes it before it ends. PLATFORM_URL_HISTORY_FILE moves the file; by
// default it lives beside the registry file in the user's configuration folder.
//
// File format, one entry a line: the FILETIME as a decimal number, a tab, the address, a tab, the
// title; backslash, tab and line breaks in the texts are written as \\, \t, \n and \r. Lines that
// do not parse are skipped.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform::webcontrol {

struct UrlVisit {
    std::string url;  // UTF-8
    std::string title;
    uint64_t lastVisited = 0;  // FILETIME, UTC
};

class UrlHistoryStore {
public:
    // Entries past this count (the oldest) are dropped.
    static constexpr size_t kMaxEntries = 1000;

    static std::filesystem::path DefaultPath();
    explicit UrlHistoryStore(std::filesystem::path path = DefaultPath());

    std::vector<UrlVisit> Entries() const;
    // A visit now: the entry moves to the front with this title (an empty title keeps the one
    // it had).
    bool Add(const std::string& url, const std::string& title);
    // The same visit, timed now and written by the process's writer thread: visits that come
    // while it writes are written together, in the order they came.
    void AddLater(const std::string& url, const std::string& title);
    bool Remove(const std::string& url);
    bool Clear();

    static uint64_t FileTimeNow();

private:
    friend class PendingVisits;

    // Puts the visit at the front, in place of an entry with its address.
    static void Merge(std::vector<UrlVisit>& entries, UrlVisit visit);
    std::vector<UrlVisit> Read() const;
    bool Save(const std::vector<UrlVisit>& entries) const;

    std::filesystem::path path_;
};

}  // namespace platform::webcontrol
