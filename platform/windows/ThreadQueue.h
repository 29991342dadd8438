// The message queue and input state of one thread: posted messages, raw input waiting to be
// turned into mouse and key messages, messages sent from other threads, timers, and the focus,
// active window and key state the thread sees. All fields are guarded by the window manager's
// lock; `wake` is signalled whenever something arrives.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/windows/WindowStructs.h"

namespace platform {

class ThreadQueue;

// A message sent from another thread; the sender waits until `done`.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    std::shared_ptr<ThreadQueue> sender;
    // Set for work the display hands to the window's thread: run instead of the procedure.
    std::function<void()> task;
};

// A mouse or key event on its way to a window. Mouse events become client or non-client
// messages only when the receiving thread takes them, after asking the window where the point
// is (WM_NCHITTEST), as the system does.
struct InputEvent {
    enum class Kind { Mouse, Key };
    Kind kind = Kind::Key;
    HWND hwnd = nullptr;
    // Mouse: WM_MOUSEMOVE, WM_LBUTTONDOWN... as if in the client area; key: WM_KEYDOWN...
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    POINT pt{};
    DWORD time = 0;
    std::uint64_t serial = 0;
    bool doubleClick = false;
    bool captured = false;
    // Set once the hit test has turned a mouse event into its final message.
    bool resolved = false;
    MSG resolvedMessage{};
    UINT hitTest = 0;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    TIMERPROC procedure = nullptr;
    std::chrono::milliseconds due{0};
    std::uint64_t order = 0;
};

class ThreadQueue {
public:
    explicit ThreadQueue(DWORD threadId) : threadId(threadId) {}

    const DWORD threadId;
    bool alive = true;
    std::condition_variable wake;
    // Counts everything that may give a waiting loop work, so that a wait ends only on news.
    std::uint64_t wakeups = 0;
    std::uint64_t nextInputSerial = 1;

    void Wake() {
        ++wakeups;
        wake.notify_all();
    }

    std::deque<MSG> posted;
    std::deque<InputEvent> input;
    std::deque<std::shared_ptr<SentMessage>> incoming;
    bool quitPosted = false;
    int quitCode = 0;

    std::vector<Timer> timers;
    std::uint64_t nextTimerOrder = 1;
    UINT_PTR nextThreadTimerId = 1;

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND mainWindow = nullptr;
    std::function<bool(MSG&)> messageFilter;
    BYTE keyState[256] = {};

    DWORD lastMessageTime = 0;
    POINT lastMessagePos{};
    // How deep this thread is in handling messages sent by other threads.
    int inSendFromOtherThread = 0;
};

}  // namespace platform
