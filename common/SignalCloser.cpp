#include "common/SignalCloser.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

#include "platform/windows/WindowApi.h"

namespace {

// A signal handler may only write to a descriptor, so it hands the signal's number to the
// watcher thread through a pipe; a zero byte asks the watcher to end.
std::atomic<int> signalPipe{-1};
struct sigaction previousInterrupt {};
struct sigaction previousTerminate {};

void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const int pipe = signalPipe.load();
    if (pipe >= 0) {
        const char byte = static_cast<char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(pipe, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

SignalCloser::~SignalCloser() {
    Stop();
}

BOOL SignalCloser::Start() {
    if (watcher_.joinable() || signalPipe.load() >= 0) {
        return FALSE;
    }
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return FALSE;
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    // A full pipe must not block a handler; the signals already queued close the window anyway.
    ::fcntl(writeEnd_, F_SETFL, O_NONBLOCK);
    signalPipe = writeEnd_;
    watcher_ = std::thread(&SignalCloser::Run, this, readEnd_);

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &previousInterrupt);
    ::sigaction(SIGTERM, &action, &previousTerminate);
    return TRUE;
}

void SignalCloser::Stop() {
    if (!watcher_.joinable()) {
        return;
    }
    ::sigaction(SIGINT, &previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &previousTerminate, nullptr);
    signalPipe = -1;
    const char stop = 0;
    while (::write(writeEnd_, &stop, 1) < 0 && errno == EINTR) {
    }
    watcher_.join();
    ::close(readEnd_);
    ::close(writeEnd_);
    readEnd_ = writeEnd_ = -1;
    std::lock_guard lock(mutex_);
    window_ = nullptr;
    closeRequested_ = false;
}

void SignalCloser::Watch(HWND window) {
    std::lock_guard lock(mutex_);
    window_ = window;
    if (closeRequested_ && window_ != nullptr) {
        closeRequested_ = false;
        ::PostMessageA(window_, WM_CLOSE, 0, 0);
    }
}

void SignalCloser::Run(int readEnd) {
    for (;;) {
        char byte = 0;
        const ssize_t count = ::read(readEnd, &byte, 1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0 || byte == 0) {
            return;
        }
        std::lock_guard lock(mutex_);
        if (window_ != nullptr) {
            ::PostMessageA(window_, WM_CLOSE, 0, 0);
        } else {
            closeRequested_ = true;
        }
    }
}
