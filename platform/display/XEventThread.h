// A connection of its own to the X server with a thread that waits on it: the clients beside
// the presenter that listen to the server (global keys, raw input) each own one. The thread
// hands each event that arrives to the owner under the connection's lock, then calls the owner
// once more without the lock, for work that may wait on other threads, and waits for the next.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace platform {

class XEventThread {
public:
    // Null when the display cannot be opened or the thread's wake-up pipe cannot be made.
    static std::unique_ptr<XEventThread> Open(const char* displayName);
    // Stops the thread, then closes the connection.
    ~XEventThread();
    XEventThread(const XEventThread&) = delete;
    XEventThread& operator=(const XEventThread&) = delete;

    Display* display() const { return display_; }
    // Guards the connection while the thread reads events; other threads using the connection
    // take it too.
    std::mutex& mutex() { return mutex_; }

    // Starts the thread; call once, after setting the connection up.
    void Start(std::function<void(XEvent&)> onEvent, std::function<void()> afterEvents);

private:
    XEventThread() = default;
    void Run();

    Display* display_ = nullptr;
    int wake_[2] = {-1, -1};
    std::mutex mutex_;
    std::function<void(XEvent&)> on_event_;
    std::function<void()> after_events_;
    std::thread thread_;
};

}  // namespace platform
