#include "platform/display/XEventThread.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include "platform/display/XErrors.h"

namespace platform {

std::unique_ptr<XEventThread> XEventThread::Open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return nullptr;
    }
    std::unique_ptr<XEventThread> events(new XEventThread);
    events->display_ = display;
    if (pipe(events->wake_) != 0) {
        return nullptr;
    }
    IgnoreXErrorsOn(display);
    return events;
}

XEventThread::~XEventThread() {
    if (thread_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = write(wake_[1], &stop, 1);
        thread_.join();
    }
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    for (int end : wake_) {
        if (end >= 0) {
            close(end);
        }
    }
}

void XEventThread::Start(std::function<void(XEvent&)> onEvent, std::function<void()> afterEvents) {
    on_event_ = std::move(onEvent);
    after_events_ = std::move(afterEvents);
    thread_ = std::thread([this] { Run(); });
}

void XEventThread::Run() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                on_event_(event);
            }
        }
        if (after_events_) {
            after_events_();
        }
        pollfd waits[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(waits, 2, -1) < 0 || (waits[1].revents & POLLIN) != 0) {
            return;
        }
    }
}

}  // namespace platform
