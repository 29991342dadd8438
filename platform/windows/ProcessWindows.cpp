#include "platform/windows/ProcessWindows.h"

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/link/Link.h"
#include "platform/link/RuntimeFolder.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {
namespace {

static_assert(sizeof(WPARAM) == 8 && sizeof(LPARAM) == 8, "positions are packed into 64 bits");

// ShowWindow, SetForegroundWindow and SetWindowPos on a window of another process travel as
// these messages, which the receiving process carries out itself. They lie in the range the
// system keeps for itself, so no program message collides with them.
constexpr UINT kShowRequest = 0x03F0;
constexpr UINT kForegroundRequest = 0x03F1;
constexpr UINT kPositionRequest = 0x03F2;

// A send to a program that hangs must not hang this one for ever.
constexpr std::chrono::milliseconds kSendTimeout{5000};
// Input waits this long for each hook of another process; one that does not answer in time lets
// the input pass, as the original system does with a slow low-level hook.
constexpr std::chrono::milliseconds kHookTimeout{300};

struct ForeignEntry {
    link::RemoteWindow remote;
    std::int64_t zOrder = 0;
};

struct Published {
    link::WindowRecord record;
    std::uint64_t raises = 0;
};

struct LinkedWindows {
    std::mutex mutex;
    bool connected = false;
    // This process's windows as last published.
    std::map<HWND, Published> published;
    std::map<HWND, ForeignEntry> foreign;
};

LinkedWindows& Linked() {
    static auto* linked = new LinkedWindows;
    return *linked;
}

std::uint64_t WindowNumber(HWND hwnd) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(hwnd));
}

std::optional<link::RemoteWindow> RemoteOf(HWND hwnd) {
    LinkedWindows& linked = Linked();
    std::lock_guard lock(linked.mutex);
    auto found = linked.foreign.find(hwnd);
    if (found == linked.foreign.end()) {
        return std::nullopt;
    }
    return found->second.remote;
}

std::uint64_t InsertAfterCode(HWND after) {
    if (after == HWND_BOTTOM) {
        return 1;
    }
    if (after == HWND_TOPMOST) {
        return 2;
    }
    if (after == HWND_NOTOPMOST) {
        return 3;
    }
    return 0;
}

HWND InsertAfterFromCode(std::uint64_t code) {
    switch (code) {
        case 1:
            return HWND_BOTTOM;
        case 2:
            return HWND_TOPMOST;
        case 3:
            return HWND_NOTOPMOST;
        default:
            return HWND_TOP;
    }
}

void RefreshForeign();

// Sends from a helper thread while this thread goes on handling messages that other threads send
// to it, as a thread waiting in SendMessageA does: the window over there may send back to this
// thread's windows (through this process's receiving thread) before it answers.
LRESULT SendHandlingIncoming(const link::RemoteWindow& remote, UINT message, WPARAM wParam,
                             LPARAM lParam) {
    const std::shared_ptr<ThreadQueue> queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    bool done = false;
    LRESULT result = 0;
    std::thread sender([&] {
        const auto answer = link::SendToWindow(remote, message, wParam, lParam, kSendTimeout);
        std::lock_guard lock(system.mutex);
        result = answer.value_or(0);
        done = true;
        queue->Wake();
    });
    {
        std::unique_lock lock(system.mutex);
        while (!done) {
            RunIncomingSent(lock, *queue);
            const std::uint64_t seen = queue->wakeups;
            queue->wake.wait(
                lock, [&] { return done || queue->wakeups != seen || !queue->incoming.empty(); });
        }
    }
    sender.join();
    return result;
}

// Sends and commands may change the window over there (its title, its place, its visibility):
// the state here follows as soon as they return.
class LinkPort : public ForeignWindowPort {
public:
    bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        auto remote = RemoteOf(hwnd);
        return remote && link::PostToWindow(*remote, message, wParam, lParam);
    }
    LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        auto remote = RemoteOf(hwnd);
        if (!remote) {
            return 0;
        }
        const LRESULT result = SendHandlingIncoming(*remote, message, wParam, lParam);
        RefreshForeign();
        return result;
    }
    void Show(HWND hwnd, int command) override {
        Send(hwnd, kShowRequest, static_cast<WPARAM>(command), 0);
    }
    void Position(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) override {
        // A sibling of another process cannot be named over there: such a place keeps the order.
        const bool special = after == HWND_TOP || after == HWND_BOTTOM || after == HWND_TOPMOST ||
                             after == HWND_NOTOPMOST;
        if (!special) {
            flags |= SWP_NOZORDER;
        }
        const WPARAM packedFlags = flags | (InsertAfterCode(after) << 32);
        const auto word = [](int value) {
            return static_cast<std::uint64_t>(static_cast<std::uint16_t>(value));
        };
        const LPARAM packedPlace =
            static_cast<LPARAM>(word(x) | word(y) << 16 | word(cx) << 32 | word(cy) << 48);
        Send(hwnd, kPositionRequest, packedFlags, packedPlace);
    }
    void SetForeground(HWND hwnd) override { Send(hwnd, kForegroundRequest, 0, 0); }
};

int SignedWord(LPARAM packed, int shift) {
    return static_cast<std::int16_t>(static_cast<std::uint64_t>(packed) >> shift);
}

// A pointer from another process means nothing here and would be followed by the procedure, so
// only the system messages whose parameters are plain numbers (or handles, which are only looked
// up) may come in. Messages from WM_USER on are the programs' own and carry numbers by contract.
bool CarriesOnlyNumbers(UINT message) {
    if (message >= WM_USER) {
        return true;
    }
    if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
        (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)) {
        return true;
    }
    switch (message) {
        case WM_NULL:
        case WM_ACTIVATE:
        case WM_ENABLE:
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
        case WM_QUIT:
        case WM_SHOWWINDOW:
        case WM_ACTIVATEAPP:
        case WM_COMMAND:
        case WM_SYSCOMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_HOTKEY:
        case kShowRequest:
        case kForegroundRequest:
        case kPositionRequest:
            return true;
        default:
            return false;
    }
}

LRESULT Deliver(std::uintptr_t window, UINT message, WPARAM wParam, LPARAM lParam,
                bool wantsReply) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (!CarriesOnlyNumbers(message) || !IsWindow(hwnd) || ForeignPortOf(hwnd)) {
        return 0;
    }
    switch (message) {
        case kShowRequest:
            return ShowWindow(hwnd, static_cast<int>(wParam));
        case kForegroundRequest:
            return SetForegroundWindow(hwnd);
        case kPositionRequest:
            return SetWindowPos(hwnd, InsertAfterFromCode(wParam >> 32), SignedWord(lParam, 0),
                                SignedWord(lParam, 16), SignedWord(lParam, 32),
                                SignedWord(lParam, 48), static_cast<UINT>(wParam));
        default:
            break;
    }
    if (!wantsReply) {
        return PostMessageA(hwnd, message, wParam, lParam);
    }
    return SendMessageA(hwnd, message, wParam, lParam);
}

struct LocalTop {
    HWND hwnd = nullptr;
    link::WindowRecord record;
    std::uint64_t raises = 0;
    bool foreign = false;
};

// Every top-level window in Z order, top first: this process's with the record they should have
// (z order still to be decided), the others only as places in the order.
std::vector<LocalTop> SnapshotTopLevel() {
    std::vector<LocalTop> tops;
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    for (HWND hwnd : system.Find(system.desktop)->children) {
        const Window* window = system.Find(hwnd);
        LocalTop top;
        top.hwnd = hwnd;
        top.foreign = window->foreignPort != nullptr;
        if (!top.foreign) {
            top.record.window = WindowNumber(hwnd);
            top.record.owner = WindowNumber(window->owner);
            top.record.title = window->text;
            top.record.visible = (window->style & WS_VISIBLE) != 0;
            top.record.iconic = (window->style & WS_MINIMIZE) != 0;
            top.record.rect = window->rect;
            top.raises = window->raises;
        }
        tops.push_back(std::move(top));
    }
    return tops;
}

bool SameRecord(const link::WindowRecord& a, const link::WindowRecord& b) {
    return a.window == b.window && a.owner == b.owner && a.title == b.title &&
           a.visible == b.visible && a.iconic == b.iconic && a.rect.left == b.rect.left &&
           a.rect.top == b.rect.top && a.rect.right == b.rect.right &&
           a.rect.bottom == b.rect.bottom && a.zOrder == b.zOrder;
}

// Publishes every window of this process whose record changed and withdraws the gone ones. Z
// orders keep the local order: a new window, or one raised, with nothing above it here gets an
// order above every window of every process; any other window keeps its order while that still
// lies below the window above it, and else gets one just under it.
void PublishAllLocked(LinkedWindows& linked) {
    const std::vector<LocalTop> tops = SnapshotTopLevel();
    std::map<HWND, Published> next;
    std::optional<std::int64_t> above;
    for (const LocalTop& top : tops) {
        if (top.foreign) {
            auto found = linked.foreign.find(top.hwnd);
            if (found != linked.foreign.end()) {
                above = found->second.zOrder;
            }
            continue;
        }
        Published published{top.record, top.raises};
        auto before = linked.published.find(top.hwnd);
        const bool known = before != linked.published.end();
        const bool raised = !known || before->second.raises != top.raises;
        const std::int64_t old = known ? before->second.record.zOrder : 0;
        if (!above) {
            published.record.zOrder = raised ? link::NextZOrder() : old;
        } else {
            published.record.zOrder = known && old < *above ? old : *above - 1;
        }
        above = published.record.zOrder;
        next.emplace(top.hwnd, std::move(published));
    }
    for (const auto& [hwnd, published] : linked.published) {
        if (next.count(hwnd) == 0) {
            link::Withdraw(published.record.window);
        }
    }
    for (auto& [hwnd, published] : next) {
        auto before = linked.published.find(hwnd);
        if (before == linked.published.end() ||
            !SameRecord(before->second.record, published.record)) {
            link::Publish(published.record);
        }
    }
    linked.published = std::move(next);
}

void OnTopLevelChange(HWND) {
    LinkedWindows& linked = Linked();
    std::lock_guard lock(linked.mutex);
    if (linked.connected) {
        PublishAllLocked(linked);
    }
}

ForeignWindowState StateOf(const link::WindowRecord& record, HWND owner) {
    ForeignWindowState state;
    state.processId = record.processId;
    state.title = record.title;
    state.style = (record.visible ? WS_VISIBLE : 0) | (record.iconic ? WS_MINIMIZE : 0);
    state.rect = record.rect;
    state.owner = owner;
    return state;
}

void RefreshForeign() {
    const std::vector<link::WindowRecord> records = link::ListWindows();
    const auto self = static_cast<std::uint32_t>(getpid());
    LinkedWindows& linked = Linked();
    std::lock_guard lock(linked.mutex);
    if (!linked.connected) {
        return;
    }
    std::map<std::pair<std::uint32_t, std::uint64_t>, HWND> handles;
    for (const auto& [hwnd, entry] : linked.foreign) {
        handles[{entry.remote.processId, entry.remote.window}] = hwnd;
    }
    std::map<HWND, ForeignEntry> seen;
    for (const link::WindowRecord& record : records) {
        if (record.processId == self) {
            continue;
        }
        const std::pair key{record.processId, record.window};
        auto found = handles.find(key);
        // A handle may be gone when the window manager was reset behind the link's back.
        HWND hwnd = found != handles.end() && IsWindow(found->second)
                        ? found->second
                        : AddForeignWindow(StateOf(record, nullptr), std::make_shared<LinkPort>());
        handles[key] = hwnd;
        seen[hwnd] = {{record.processId, record.window}, record.zOrder};
    }
    for (const auto& [hwnd, entry] : linked.foreign) {
        if (seen.count(hwnd) == 0) {
            RemoveForeignWindow(hwnd);
        }
    }
    // Top down, each window goes just below the one before it, so that the order here is the
    // order of the records.
    std::optional<HWND> previous;
    for (const link::WindowRecord& record : records) {
        if (record.processId == self) {
            HWND own = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(record.window));
            // Windows of other processes carry no topmost band: below a topmost window of this
            // process means at the top of the normal band.
            if (linked.published.count(own) != 0) {
                previous = (GetWindowLongA(own, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0
                               ? std::nullopt
                               : std::optional<HWND>(own);
            }
            continue;
        }
        HWND owner = nullptr;
        if (record.owner != 0) {
            auto found = handles.find({record.processId, record.owner});
            owner = found == handles.end() ? nullptr : found->second;
        }
        HWND hwnd = handles[{record.processId, record.window}];
        UpdateForeignWindow(hwnd, StateOf(record, owner), previous.value_or(HWND_TOP));
        previous = hwnd;
    }
    linked.foreign = std::move(seen);
}

LRESULT ForwardToHooks(int type, WPARAM wParam, LPARAM lParam) {
    for (std::uint32_t holder : link::HookHolders(type)) {
        const std::optional<LRESULT> answer =
            link::RunRemoteHook(holder, type, wParam, lParam, kHookTimeout);
        if (answer.value_or(0) != 0) {
            return *answer;
        }
    }
    return 0;
}

}  // namespace

bool ConnectWindowsToLink() {
    if (!link::RuntimeFolder()) {
        return false;
    }
    {
        LinkedWindows& linked = Linked();
        std::lock_guard lock(linked.mutex);
        linked.connected = true;
    }
    link::SetDeliveryHandler(Deliver);
    SetTopLevelObserver(OnTopLevelChange);
    SetForeignWindowRefresher(RefreshForeign);
    link::SetHookHandler(RunForeignInputHooks);
    SetHookRelay({[](std::uint32_t mask) { link::AnnounceHooks(mask); }, ForwardToHooks});
    OnTopLevelChange(nullptr);
    return true;
}

void DisconnectWindowsFromLink() {
    SetTopLevelObserver(nullptr);
    SetForeignWindowRefresher(nullptr);
    SetHookRelay({});
    link::SetHookHandler(nullptr);
    link::SetDeliveryHandler(nullptr);
    std::map<HWND, ForeignEntry> foreign;
    {
        LinkedWindows& linked = Linked();
        std::lock_guard lock(linked.mutex);
        linked.connected = false;
        linked.published.clear();
        foreign = std::move(linked.foreign);
        linked.foreign.clear();
    }
    for (const auto& [hwnd, entry] : foreign) {
        RemoveForeignWindow(hwnd);
    }
    link::Shutdown();
}

}  // namespace platform
