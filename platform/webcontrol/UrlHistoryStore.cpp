#include "platform/webcontrol/UrlHistoryStore.h"

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <span>
#include <thread>

#include "platform/drawing/FileReplace.h"
#include "platform/time/Clock.h"

namespace platform::webcontrol {

namespace {

// Seconds from 1601-01-01 (FILETIME's start) to 1970-01-01.
constexpr uint64_t kUnixEpochSeconds = 11644473600ull;
// A line longer than this is not one the store wrote.
constexpr size_t kMaxLineBytes = 64 * 1024;

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

bool Unescaped(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return false;
        }
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return false;
        }
    }
    return true;
}

bool ParseLine(std::string_view line, UrlVisit& visit) {
    size_t first = line.find('\t');
    size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    if (second == std::string_view::npos || first == 0 || first > 20) {
        return false;
    }
    uint64_t time = 0;
    for (char c : line.substr(0, first)) {
        if (c < '0' || c > '9' || time > (UINT64_MAX - 9) / 10) {
            return false;
        }
        time = time * 10 + static_cast<uint64_t>(c - '0');
    }
    visit.lastVisited = time;
    return Unescaped(line.substr(first + 1, second - first - 1), visit.url) && !visit.url.empty() &&
           Unescaped(line.substr(second + 1), visit.title);
}

}  // namespace

// The visits added for later, written by one thread of the process. Its destructor, as the
// process ends, writes what is left.
class PendingVisits {
public:
    static PendingVisits& Get() {
        static PendingVisits instance;
        return instance;
    }
    // Waits until every visit added so far is in its file, when any ever was.
    static void Flush() {
        if (started_) {
            Get().WaitUntilWritten();
        }
    }

    void Add(const std::filesystem::path& path, UrlVisit visit) {
        std::lock_guard lock(mutex_);
        queue_.push_back({path, std::move(visit)});
        if (!writer_.joinable()) {
            writer_ = std::thread([this] { Write(); });
            started_ = true;
        }
        changed_.notify_all();
    }

    ~PendingVisits() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            changed_.notify_all();
        }
        if (writer_.joinable()) {
            writer_.join();
        }
    }

private:
    struct Visit {
        std::filesystem::path path;
        UrlVisit visit;
    };

    void WaitUntilWritten() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return queue_.empty() && !writing_; });
    }

    void Write() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) {
                return;
            }
            // Every visit to the first one's file, read and written once.
            const std::filesystem::path path = queue_.front().path;
            std::vector<UrlVisit> visits;
            std::erase_if(queue_, [&](Visit& queued) {
                if (queued.path != path) {
                    return false;
                }
                visits.push_back(std::move(queued.visit));
                return true;
            });
            writing_ = true;
            lock.unlock();
            const UrlHistoryStore store(path);
            std::vector<UrlVisit> entries = store.Read();
            for (UrlVisit& visit : visits) {
                UrlHistoryStore::Merge(entries, std::move(visit));
            }
            store.Save(entries);
            lock.lock();
            writing_ = false;
            changed_.notify_all();
        }
    }

    static inline std::atomic<bool> started_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Visit> queue_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread writer_;
};

std::filesystem::path UrlHistoryStore::DefaultPath() {
    const char* chosen = std::getenv("PLATFORM_URL_HISTORY_FILE");
    if (chosen != nullptr && chosen[0] != '\0') {
        return chosen;
    }
    std::filesystem::path config;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        config = configHome;
    } else {
        config = std::filesystem::path(home != nullptr && home[0] != '\0' ? home : ".") / ".config";
    }
    return config / "larchway" / "url-history.dat";
}

UrlHistoryStore::UrlHistoryStore(std::filesystem::path path) : path_(std::move(path)) {}

uint64_t UrlHistoryStore::FileTimeNow() {
    return (static_cast<uint64_t>(CurrentUnixTime()) + kUnixEpochSeconds) * 10000000ull;
}

std::vector<UrlVisit> UrlHistoryStore::Entries() const {
    PendingVisits::Flush();
    return Read();
}

std::vector<UrlVisit> UrlHistoryStore::Read() const {
    std::vector<UrlVisit> entries;
    std::ifstream file(path_, std::ios::binary);
    std::string line;
    while (entries.size() < kMaxEntries && std::getline(file, line)) {
        UrlVisit visit;
        if (line.size() <= kMaxLineBytes && ParseLine(line, visit)) {
            entries.push_back(std::move(visit));
        }
    }
    return entries;
}

bool UrlHistoryStore::Save(const std::vector<UrlVisit>& entries) const {
    std::string text;
    for (const UrlVisit& visit : entries) {
        text += std::to_string(visit.lastVisited) + '\t' + Escaped(visit.url) + '\t' +
                Escaped(visit.title) + '\n';
    }
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    return ReplaceFileContents(
        path_, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void UrlHistoryStore::Merge(std::vector<UrlVisit>& entries, UrlVisit visit) {
    for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
        if (entry->url == visit.url) {
            if (visit.title.empty()) {
                visit.title = entry->title;
            }
            entries.erase(entry);
            break;
        }
    }
    entries.insert(entries.begin(), std::move(visit));
    if (entries.size() > kMaxEntries) {
        entries.resize(kMaxEntries);
    }
}

bool UrlHistoryStore::Add(const std::string& url, const std::string& title) {
    std::vector<UrlVisit> entries = Entries();
    Merge(entries, UrlVisit{url, title, FileTimeNow()});
    return Save(entries);
}

void UrlHistoryStore::AddLater(const std::string& url, const std::string& title) {
    PendingVisits::Get().Add(path_, UrlVisit{url, title, FileTimeNow()});
}

bool UrlHistoryStore::Remove(const std::string& url) {
    std::vector<UrlVisit> entries = Entries();
    return std::erase_if(entries, [&](const UrlVisit& visit) { return visit.url == url; }) > 0 &&
           Save(entries);
}

bool UrlHistoryStore::Clear() {
    PendingVisits::Flush();
    return Save({});
}

}  // namespace platform::webcontrol
