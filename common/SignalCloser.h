// Ends a run from outside the way a user would: SIGINT or SIGTERM closes the watched window as
// if its close box had been clicked, so the program saves its settings and leaves its message
// loop as usual. Without a display there is no close box, and this is how a headless run ends.
//
// The signals are taken over first thing at start-up, before there is a window to close: a
// signal that comes then is kept, and closes the window as soon as it is given.
#pragma once

#include <mutex>
#include <thread>

#include "platform/base/WinTypes.h"

class SignalCloser {
public:
    SignalCloser() = default;
    ~SignalCloser();
    SignalCloser(const SignalCloser&) = delete;
    SignalCloser& operator=(const SignalCloser&) = delete;

    // Takes over SIGINT and SIGTERM. FALSE when the signals are watched already, here or by
    // another object.
    BOOL Start();
    // Posts WM_CLOSE to `window` whenever a signal arrives, and at once when one came before.
    void Watch(HWND window);
    // Gives the signals their earlier handling back. Safe to call when not started.
    void Stop();

private:
    void Run(int readEnd);

    std::thread watcher_;
    std::mutex mutex_;
    HWND window_ = nullptr;
    bool closeRequested_ = false;
    int readEnd_ = -1;
    int writeEnd_ = -1;
};
