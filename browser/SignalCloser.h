// Ends a run from outside the way a user would: SIGINT or SIGTERM closes the watched window as
// if its close box had been clicked, so the program saves its settings and leaves its message
// loop as usual. Without a display there is no close box, and this is how a headless run ends.
#pragma once

#include <thread>

#include "platform/base/WinTypes.h"

class SignalCloser {
public:
    SignalCloser() = default;
    ~SignalCloser();
    SignalCloser(const SignalCloser&) = delete;
    SignalCloser& operator=(const SignalCloser&) = delete;

    // Takes over SIGINT and SIGTERM and posts WM_CLOSE to `window` whenever one arrives. FALSE
    // when the signals are watched already, here or by another object.
    BOOL Start(HWND window);
    // Gives the signals their earlier handling back. Safe to call when not started.
    void Stop();

private:
    void Watch(HWND window, int readEnd);

    std::thread watcher_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
};
