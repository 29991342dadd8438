#include "platform/link/Link.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/link/Receiver.h"
#include "platform/link/RuntimeFolder.h"
#include "platform/text/Gbk.h"

namespace platform::link {
namespace {

constexpr const char* kRecordSuffix = ".win";
constexpr const char* kSocketSuffix = ".sock";
constexpr const char* kTemporarySuffix = ".tmp";
constexpr const char* kHookSuffix = ".hook";

// A hook announcement: "LHOK", u32 process id, u64 process start, u32 type mask.
constexpr std::size_t kHookFileBytes = 20;

struct LinkState {
    std::mutex mutex;
    std::map<std::uint64_t, WindowRecord> published;
    std::filesystem::path folder;
    std::unique_ptr<Receiver> receiver;
    DeliveryHandler handler;
    HookHandler hookHandler;
    std::uint32_t announcedHooks = 0;
    bool exitHookSet = false;
};

// Never destroyed: the receiving thread may deliver while the process exits.
LinkState& State() {
    static auto* state = new LinkState;
    return *state;
}

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
    return text;
}

std::filesystem::path RecordPath(const std::filesystem::path& folder, std::uint32_t pid,
                                 std::uint64_t window) {
    return folder / (std::to_string(pid) + "-" + Hex(window) + kRecordSuffix);
}

std::filesystem::path SocketPath(const std::filesystem::path& folder, std::uint32_t pid) {
    return folder / (std::to_string(pid) + kSocketSuffix);
}

std::filesystem::path HookPath(const std::filesystem::path& folder, std::uint32_t pid) {
    return folder / (std::to_string(pid) + kHookSuffix);
}

void PutLittle(std::string& bytes, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint64_t GetLittle(std::string_view bytes, std::size_t at, int width) {
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

// Whole or not at all: readers never see half a record. `temporary` is named ".<pid>...tmp", so
// that readers remove it when its process has ended.
bool WriteWholeFile(const std::filesystem::path& target, const std::filesystem::path& temporary,
                    const std::string& bytes) {
    // Made afresh: whatever stands under that name (a FIFO would block the open) is not used.
    unlink(temporary.c_str());
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool written =
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (close(fd) != 0 || !written || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool WriteRecordFile(const std::filesystem::path& folder, const WindowRecord& record) {
    return WriteWholeFile(RecordPath(folder, record.processId, record.window),
                          folder / ("." + std::to_string(record.processId) + "-" +
                                    Hex(record.window) + kTemporarySuffix),
                          EncodeWindowRecord(record));
}

// The folder is shared by every process of the user, and any of them may leave something there
// that only looks like a record: a FIFO or a device would block a plain open or read for good,
// on the user-interface thread that lists the windows. So the open never blocks and never
// follows a link, and only a regular file of this user is read.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != getuid()) {
        close(fd);
        return std::nullopt;
    }
    std::string bytes(limit + 1, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    close(fd);
    if (done > limit) {
        return std::nullopt;
    }
    bytes.resize(done);
    return bytes;
}

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::optional<pid_t> LeadingPid(const std::string& name) {
    pid_t pid = 0;
    std::size_t at = 0;
    while (at < name.size() && name[at] >= '0' && name[at] <= '9' && pid < 100000000) {
        pid = pid * 10 + (name[at] - '0');
        ++at;
    }
    const bool moreDigits = at < name.size() && name[at] >= '0' && name[at] <= '9';
    return at == 0 || moreDigits ? std::nullopt : std::optional<pid_t>(pid);
}

LinkReply DeliverToHooks(const LinkRequest& request) {
    HookHandler handler;
    {
        LinkState& state = State();
        std::lock_guard lock(state.mutex);
        if (state.announcedHooks == 0) {
            return {ReplyStatus::kNoWindow, 0};
        }
        handler = state.hookHandler;
    }
    if (!handler) {
        return {ReplyStatus::kNoHandler, 0};
    }
    return {ReplyStatus::kDelivered,
            handler(static_cast<int>(request.message), request.wParam, request.lParam)};
}

LinkReply Deliver(const LinkRequest& request) {
    if (request.window == 0) {
        return DeliverToHooks(request);
    }
    DeliveryHandler handler;
    {
        LinkState& state = State();
        std::lock_guard lock(state.mutex);
        if (state.published.count(request.window) == 0) {
            return {ReplyStatus::kNoWindow, 0};
        }
        handler = state.handler;
    }
    if (!handler) {
        return {ReplyStatus::kNoHandler, 0};
    }
    return {ReplyStatus::kDelivered,
            handler(static_cast<std::uintptr_t>(request.window), request.message, request.wParam,
                    request.lParam, request.wantsReply)};
}

std::optional<LRESULT> Transmit(const RemoteWindow& window, const LinkRequest& request,
                                std::chrono::milliseconds timeout) {
    auto folder = RuntimeFolder();
    if (!folder || !ProcessStartTicks(static_cast<pid_t>(window.processId))) {
        return std::nullopt;
    }
    auto reply =
        Exchange(SocketPath(*folder, window.processId), request,
                 static_cast<int>(std::clamp<std::int64_t>(timeout.count(), 0, INT32_MAX)));
    if (!reply || reply->status != ReplyStatus::kDelivered) {
        return std::nullopt;
    }
    return reply->result;
}

// Posts travel from a sending thread per receiving process, in the order they were posted, so
// that a post never makes the poster wait on another process (which may be stalled or hostile)
// and a slow receiver delays only the posts to itself.
struct Outbox {
    std::mutex mutex;
    std::condition_variable drained;
    // Non-empty while a sending thread works on it; the front is the post being sent.
    std::map<std::uint32_t, std::deque<std::pair<std::filesystem::path, LinkRequest>>> queues;
};

// Never destroyed: sending threads may still run while the process exits.
Outbox& Posts() {
    static auto* outbox = new Outbox;
    return *outbox;
}

// More posts than this waiting for one process fail, as a full message queue does.
constexpr std::size_t kMaxWaitingPosts = 10000;
// How long an ending process waits for its posts to reach their receivers.
constexpr std::chrono::milliseconds kDrainWait{2000};

void SendPosts(std::uint32_t processId) {
    Outbox& outbox = Posts();
    std::unique_lock lock(outbox.mutex);
    for (;;) {
        auto& queue = outbox.queues[processId];
        if (queue.empty()) {
            outbox.queues.erase(processId);
            outbox.drained.notify_all();
            return;
        }
        const auto [receiver, request] = queue.front();
        lock.unlock();
        Exchange(receiver, request, static_cast<int>(kPostTimeout.count()));
        lock.lock();
        outbox.queues[processId].pop_front();
    }
}

void DrainPosts() {
    Outbox& outbox = Posts();
    std::unique_lock lock(outbox.mutex);
    outbox.drained.wait_for(lock, kDrainWait, [&] { return outbox.queues.empty(); });
}

void ShutdownAtExit() {
    Shutdown();
}

// Listens in `folder` unless it does already; a receiver of an earlier folder goes to `retired`.
bool ListenLocked(LinkState& state, const std::filesystem::path& folder,
                  std::unique_ptr<Receiver>& retired) {
    const auto self = static_cast<std::uint32_t>(getpid());
    if (state.receiver && state.folder != folder) {
        // The folder moved (only tests move it): listen and publish in the new one only.
        for (const auto& [window, published] : state.published) {
            unlink(RecordPath(state.folder, self, window).c_str());
        }
        state.published.clear();
        unlink(HookPath(state.folder, self).c_str());
        state.announcedHooks = 0;
        retired = std::move(state.receiver);
    }
    if (!state.receiver) {
        state.receiver = Receiver::Start(SocketPath(folder, self), Deliver);
        if (!state.receiver) {
            return false;
        }
        state.folder = folder;
    }
    if (!state.exitHookSet) {
        std::atexit(ShutdownAtExit);
        state.exitHookSet = true;
    }
    return true;
}

}  // namespace

void SetDeliveryHandler(DeliveryHandler handler) {
    std::lock_guard lock(State().mutex);
    State().handler = std::move(handler);
}

bool Publish(const WindowRecord& record) {
    auto folder = RuntimeFolder();
    if (!folder) {
        return false;
    }
    WindowRecord own = record;
    own.processId = static_cast<std::uint32_t>(getpid());
    own.processStart = ProcessStartTicks(getpid()).value_or(0);

    // Declared before the lock so that a replaced receiver stops after the lock is released: a
    // delivery in progress may be waiting for it.
    std::unique_ptr<Receiver> retired;
    LinkState& state = State();
    std::lock_guard lock(state.mutex);
    if (!ListenLocked(state, *folder, retired)) {
        return false;
    }
    if (!WriteRecordFile(state.folder, own)) {
        return false;
    }
    state.published[own.window] = std::move(own);
    return true;
}

bool Update(const WindowRecord& record) {
    {
        std::lock_guard lock(State().mutex);
        if (State().published.count(record.window) == 0) {
            return false;
        }
    }
    return Publish(record);
}

void Withdraw(std::uint64_t window) {
    LinkState& state = State();
    std::lock_guard lock(state.mutex);
    auto found = state.published.find(window);
    if (found == state.published.end()) {
        return;
    }
    unlink(RecordPath(state.folder, found->second.processId, window).c_str());
    state.published.erase(found);
}

void Shutdown() {
    DrainPosts();
    std::unique_ptr<Receiver> receiver;
    {
        LinkState& state = State();
        std::lock_guard lock(state.mutex);
        for (const auto& [window, record] : state.published) {
            unlink(RecordPath(state.folder, record.processId, window).c_str());
        }
        state.published.clear();
        if (state.announcedHooks != 0) {
            unlink(HookPath(state.folder, static_cast<std::uint32_t>(getpid())).c_str());
            state.announcedHooks = 0;
        }
        receiver = std::move(state.receiver);
    }
    // Stopped outside the lock: a delivery in progress may need it to finish.
    receiver.reset();
}

std::vector<WindowRecord> ListWindows() {
    std::vector<WindowRecord> windows;
    auto folder = RuntimeFolder();
    if (!folder) {
        return windows;
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(*folder, error)) {
        const std::string name = entry.path().filename().string();
        const bool isRecord = EndsWith(name, kRecordSuffix);
        // A record half written by a process that died before renaming it.
        const bool isTemporary = name.starts_with('.') && EndsWith(name, kTemporarySuffix);
        if (!isRecord && !isTemporary && !EndsWith(name, kSocketSuffix) &&
            !EndsWith(name, kHookSuffix)) {
            continue;
        }
        const std::optional<pid_t> namePid = LeadingPid(isTemporary ? name.substr(1) : name);
        if (!namePid) {
            continue;
        }
        const std::optional<std::uint64_t> started = ProcessStartTicks(*namePid);
        if (!started) {
            unlink(entry.path().c_str());
            continue;
        }
        if (!isRecord) {
            continue;
        }
        auto bytes = ReadSmallFile(entry.path(), 64 + kMaxTitleBytes);
        std::optional<WindowRecord> record;
        if (bytes) {
            record = DecodeWindowRecord(*bytes);
        }
        if (!record || record->processId != static_cast<std::uint32_t>(*namePid)) {
            continue;
        }
        if (record->processStart != *started) {
            // A record left by an earlier process whose id is now reused.
            unlink(entry.path().c_str());
            continue;
        }
        windows.push_back(std::move(*record));
    }
    std::sort(windows.begin(), windows.end(), [](const WindowRecord& a, const WindowRecord& b) {
        if (a.zOrder != b.zOrder) {
            return a.zOrder > b.zOrder;
        }
        return a.processId != b.processId ? a.processId < b.processId : a.window < b.window;
    });
    return windows;
}

std::optional<RemoteWindow> FindWindowByTitle(std::string_view title) {
    for (const WindowRecord& record : ListWindows()) {
        if (CompareNoCase(record.title, title) == 0) {
            return RemoteWindow{record.processId, record.window};
        }
    }
    return std::nullopt;
}

std::optional<WindowRecord> ReadWindow(const RemoteWindow& window) {
    for (WindowRecord& record : ListWindows()) {
        if (record.processId == window.processId && record.window == window.window) {
            return std::move(record);
        }
    }
    return std::nullopt;
}

bool PostToWindow(const RemoteWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto folder = RuntimeFolder();
    if (!folder || !ProcessStartTicks(static_cast<pid_t>(window.processId))) {
        return false;
    }
    struct stat status {};
    if (lstat(RecordPath(*folder, window.processId, window.window).c_str(), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return false;
    }
    // A program that posts and ends at once must not lose its posts.
    static const bool drainAtExit = (std::atexit(DrainPosts), true);
    (void)drainAtExit;
    Outbox& outbox = Posts();
    std::lock_guard lock(outbox.mutex);
    auto& queue = outbox.queues[window.processId];
    if (queue.size() >= kMaxWaitingPosts) {
        return false;
    }
    queue.emplace_back(SocketPath(*folder, window.processId),
                       LinkRequest{false, window.window, message, wParam, lParam});
    if (queue.size() == 1) {
        try {
            std::thread(SendPosts, window.processId).detach();
        } catch (const std::system_error&) {
            outbox.queues.erase(window.processId);
            return false;
        }
    }
    return true;
}

std::optional<LRESULT> SendToWindow(const RemoteWindow& window, UINT message, WPARAM wParam,
                                    LPARAM lParam, std::chrono::milliseconds timeout) {
    return Transmit(window, {true, window.window, message, wParam, lParam}, timeout);
}

void SetHookHandler(HookHandler handler) {
    std::lock_guard lock(State().mutex);
    State().hookHandler = std::move(handler);
}

bool AnnounceHooks(std::uint32_t typeMask) {
    auto folder = RuntimeFolder();
    if (!folder) {
        return false;
    }
    const auto self = static_cast<std::uint32_t>(getpid());
    std::unique_ptr<Receiver> retired;
    LinkState& state = State();
    std::lock_guard lock(state.mutex);
    if (typeMask == 0) {
        if (state.receiver) {
            unlink(HookPath(state.folder, self).c_str());
        }
        state.announcedHooks = 0;
        return true;
    }
    if (!ListenLocked(state, *folder, retired)) {
        return false;
    }
    std::string bytes = "LHOK";
    PutLittle(bytes, self, 4);
    PutLittle(bytes, ProcessStartTicks(getpid()).value_or(0), 8);
    PutLittle(bytes, typeMask, 4);
    if (!WriteWholeFile(HookPath(state.folder, self),
                        state.folder / ("." + std::to_string(self) + "-hook" + kTemporarySuffix),
                        bytes)) {
        return false;
    }
    state.announcedHooks = typeMask;
    return true;
}

std::vector<std::uint32_t> HookHolders(int type) {
    std::vector<std::uint32_t> holders;
    auto folder = RuntimeFolder();
    if (!folder || type < 0 || type > 31) {
        return holders;
    }
    const auto self = static_cast<std::uint32_t>(getpid());
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(*folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!EndsWith(name, kHookSuffix)) {
            continue;
        }
        const std::optional<pid_t> pid = LeadingPid(name);
        if (!pid || static_cast<std::uint32_t>(*pid) == self) {
            continue;
        }
        const std::optional<std::uint64_t> started = ProcessStartTicks(*pid);
        auto bytes = ReadSmallFile(entry.path(), kHookFileBytes);
        if (!started || !bytes || bytes->size() != kHookFileBytes || !bytes->starts_with("LHOK") ||
            GetLittle(*bytes, 4, 4) != static_cast<std::uint32_t>(*pid)) {
            if (!started) {
                unlink(entry.path().c_str());
            }
            continue;
        }
        if (GetLittle(*bytes, 8, 8) != *started) {
            // Left by an earlier process whose id is now reused.
            unlink(entry.path().c_str());
            continue;
        }
        if ((GetLittle(*bytes, 16, 4) >> type) & 1) {
            holders.push_back(static_cast<std::uint32_t>(*pid));
        }
    }
    std::sort(holders.begin(), holders.end());
    return holders;
}

std::optional<LRESULT> RunRemoteHook(std::uint32_t processId, int type, WPARAM wParam,
                                     LPARAM lParam, std::chrono::milliseconds timeout) {
    return Transmit({processId, 0}, {true, 0, static_cast<UINT>(type), wParam, lParam}, timeout);
}

std::int64_t NextZOrder() {
    static std::atomic<std::int64_t> last{0};
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::int64_t next = static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    std::int64_t previous = last.load();
    do {
        next = std::max(next, previous + 1);
    } while (!last.compare_exchange_weak(previous, next));
    return next;
}

}  // namespace platform::link
