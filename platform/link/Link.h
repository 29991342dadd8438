// The link between the programs of one user: which top-level windows exist in other processes
// (title, visibility, owner, rectangle, iconic state, z order), and window messages with integer
// parameters posted or sent to them. Each process that publishes a window listens on one local
// socket in the runtime folder (RuntimeFolder.h) and writes one record file per published window;
// readers take records of processes that have ended for stale, skip them and remove them with
// their sockets. A record is rewritten whole on every change, so other processes see a new title
// at once.
//
// The window layer is the only client: it publishes its top-level windows, sets the delivery
// handler that moves arriving messages into its queues, and asks here for windows of other
// processes. A process should not post or send to its own windows through the link: it would
// wait on its own receiving thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/link/WindowRecord.h"

namespace platform::link {

struct RemoteWindow {
    std::uint32_t processId = 0;
    std::uint64_t window = 0;

    friend bool operator==(const RemoteWindow&, const RemoteWindow&) = default;
};

// Called on the receiving thread for every message that arrives for a published window. The
// result is returned to a sender that waits (wantsReply); posted messages ignore it, and the
// handler should only queue them.
using DeliveryHandler = std::function<LRESULT(std::uintptr_t window, UINT message, WPARAM wParam,
                                              LPARAM lParam, bool wantsReply)>;
void SetDeliveryHandler(DeliveryHandler handler);

// Writes the record of a window of this process (its processId and processStart are filled in
// here) and makes sure this process listens. False when the runtime folder or the socket cannot
// be used.
bool Publish(const WindowRecord& record);
// Rewrites the record of a window published before; false when it was not.
bool Update(const WindowRecord& record);
void Withdraw(std::uint64_t window);
// Gives the posts still on their way a moment to arrive, withdraws every window of this process
// and stops listening. Also runs at process exit.
void Shutdown();

// Every live window record of every process of the user (this one included), topmost first.
// Only regular files of the user are read, without ever blocking: anything else in the folder is
// passed over.
std::vector<WindowRecord> ListWindows();
// The topmost window whose title equals `title` ignoring ASCII case (GBK characters compare
// exactly); hidden windows count.
std::optional<RemoteWindow> FindWindowByTitle(std::string_view title);
// The current record of a window; nullopt once it is withdrawn or its process has ended.
std::optional<WindowRecord> ReadWindow(const RemoteWindow& window);

// The time a post waits for the receiving process to take the message.
inline constexpr std::chrono::milliseconds kPostTimeout{5000};

// Queues the message for the window and returns at once: posts travel on a thread of their own,
// in order for each receiving process, so the caller never waits on another process. False when
// the window is gone or too many posts wait for its process; a post that the receiver then does
// not take (it ended, stalled past kPostTimeout, or has no handler) is lost, as a post to a window
// that goes away is. Shutdown and the end of the process wait a little for the posts still on
// their way.
bool PostToWindow(const RemoteWindow& window, UINT message, WPARAM wParam, LPARAM lParam);
// The handler's result; nullopt on the same failures or when no result came within `timeout`.
std::optional<LRESULT> SendToWindow(const RemoteWindow& window, UINT message, WPARAM wParam,
                                    LPARAM lParam, std::chrono::milliseconds timeout);

// Hooks across processes. A process that holds hooks on every thread announces their types (bit
// 1 << type, WH_KEYBOARD and the like) in a small file of the runtime folder; a process that
// input reaches hands it to each holder in turn, over the same sockets as window messages, and
// the holder's answer decides whether the input is eaten. A request for window 0 is a hook
// request: no window has that number.
//
// Called on the receiving thread with the hook type and the input as the sender packed it.
using HookHandler = std::function<LRESULT(int type, WPARAM wParam, LPARAM lParam)>;
void SetHookHandler(HookHandler handler);
// Writes (or, for 0, removes) this process's hook announcement and makes sure it listens. False
// when the runtime folder or the socket cannot be used.
bool AnnounceHooks(std::uint32_t typeMask);
// The other live processes whose announcement includes `type`, in process-id order.
// Announcements of ended processes are removed.
std::vector<std::uint32_t> HookHolders(int type);
// The holder's answer; nullopt when it is gone, has no handler or did not answer in `timeout`.
std::optional<LRESULT> RunRemoteHook(std::uint32_t processId, int type, WPARAM wParam,
                                     LPARAM lParam, std::chrono::milliseconds timeout);

// A z order above every one handed out before, in this process or any other: the window layer
// gives it to a window it brings to the top.
std::int64_t NextZOrder();

}  // namespace platform::link
