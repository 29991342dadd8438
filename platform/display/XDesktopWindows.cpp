#include "platform/display/XDesktopWindows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/display/XErrors.h"
#include "platform/text/Encoding.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

using namespace std::chrono_literals;

constexpr auto kRefreshInterval = 200ms;
constexpr long kIconicState = 3;
// _NET_WM_STATE's action and the sender as a pager, as a task bar asks.
constexpr long kSourcePager = 2;

// A port that hands every change to the desktop's list.
class XWindowPort final : public ForeignWindowPort {
public:
    XWindowPort(XDesktopWindows* windows, unsigned long window)
        : windows_(windows), window_(window) {}

    bool Post(HWND, UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
            windows_->Close(window_);
            return true;
        }
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
            windows_->Show(window_, SW_MINIMIZE);
            return true;
        }
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
            windows_->Show(window_, SW_RESTORE);
            return true;
        }
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MAXIMIZE) {
            windows_->Show(window_, SW_MAXIMIZE);
            return true;
        }
        return false;
    }
    LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        Post(hwnd, message, wParam, lParam);
        return 0;
    }
    void Show(HWND, int command) override { windows_->Show(window_, command); }
    void Position(HWND, HWND after, int x, int y, int cx, int cy, UINT flags) override {
        windows_->Position(window_, after, x, y, cx, cy, flags);
    }
    void SetForeground(HWND) override { windows_->Activate(window_); }

private:
    XDesktopWindows* windows_;
    unsigned long window_;
};

// A property of 32-bit items (as longs, the way Xlib hands them over).
std::vector<long> LongProperty(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
        const auto* items = reinterpret_cast<const long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

std::string TextProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actual, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && format == 8) {
        text.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return text;
}

// WM_NAME in whatever encoding the program stored it (STRING is Latin-1; COMPOUND_TEXT, which
// older programs use for Chinese, switches between character sets), as UTF-8.
std::string WmName(Display* display, Window window) {
    XTextProperty name{};
    std::string text;
    if (XGetWMName(display, window, &name) && name.value != nullptr) {
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(display, &name, &list, &count) >= Success && count > 0) {
            text = list[0];
        }
        if (list != nullptr) {
            XFreeStringList(list);
        }
    }
    if (name.value != nullptr) {
        XFree(name.value);
    }
    return text;
}

bool Contains(const std::vector<long>& values, Atom wanted) {
    return std::find(values.begin(), values.end(), static_cast<long>(wanted)) != values.end();
}

}  // namespace

std::unique_ptr<XDesktopWindows> XDesktopWindows::Open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return nullptr;
    }
    IgnoreXErrorsOn(display);
    return std::unique_ptr<XDesktopWindows>(new XDesktopWindows(display));
}

XDesktopWindows::~XDesktopWindows() {
    XCloseDisplay(display_);
}

void XDesktopWindows::Forget() {
    std::lock_guard lock(mutex_);
    for (const auto& [window, hwnd] : handles_) {
        RemoveForeignWindow(hwnd);
    }
    handles_.clear();
    hidden_.clear();
    iconic_.clear();
}

std::vector<unsigned long> XDesktopWindows::ClientWindows() {
    const Window root = DefaultRootWindow(display_);
    std::vector<unsigned long> windows;
    for (const char* list : {"_NET_CLIENT_LIST_STACKING", "_NET_CLIENT_LIST"}) {
        if (Supports(list)) {
            for (long window : LongProperty(display_, root, XInternAtom(display_, list, False))) {
                windows.push_back(static_cast<unsigned long>(window));
            }
            return windows;
        }
    }
    Window rootReturn = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_, root, &rootReturn, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display_, children[i], &attributes) &&
                attributes.map_state == IsViewable && !attributes.override_redirect) {
                windows.push_back(children[i]);
            }
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return windows;
}

void XDesktopWindows::ReadSupported() {
    const Window root = DefaultRootWindow(display_);
    supported_.clear();
    if (!LongProperty(display_, root, XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False))
             .empty()) {
        supported_ = LongProperty(display_, root, XInternAtom(display_, "_NET_SUPPORTED", False));
    }
}

bool XDesktopWindows::Supports(const char* hint) {
    return Contains(supported_, XInternAtom(display_, hint, False));
}

const XDesktopWindows::Fixed* XDesktopWindows::FixedOf(unsigned long window) {
    auto found = fixed_.find(window);
    if (found != fixed_.end()) {
        return &found->second;
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes)) {
        return nullptr;
    }
    Fixed fixed;
    const std::vector<long> marks =
        LongProperty(display_, window, XInternAtom(display_, kPlatformWindowProperty, False));
    fixed.listed = !attributes.override_redirect && marks.empty();
    if (marks.size() == 2 && marks[0] == getpid()) {
        fixed.own = reinterpret_cast<HWND>(static_cast<intptr_t>(marks[1]));
    }
    XClassHint hint{nullptr, nullptr};
    if (XGetClassHint(display_, window, &hint)) {
        fixed.className = hint.res_class != nullptr ? hint.res_class : "";
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    const std::vector<long> pid =
        LongProperty(display_, window, XInternAtom(display_, "_NET_WM_PID", False));
    fixed.processId = pid.empty() ? 0 : static_cast<DWORD>(pid[0]);
    const std::vector<long> types =
        LongProperty(display_, window, XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False));
    fixed.shell = Contains(types, XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DOCK", False)) ||
                  Contains(types, XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DESKTOP", False));
    return &fixed_.emplace(window, std::move(fixed)).first->second;
}

bool XDesktopWindows::Describe(unsigned long window, ForeignWindowState& state) {
    const Fixed* fixed = FixedOf(window);
    XWindowAttributes attributes;
    if (fixed == nullptr || !fixed->listed ||
        !XGetWindowAttributes(display_, window, &attributes)) {
        return false;
    }
    state.className = fixed->className;
    state.processId = fixed->processId;
    const std::vector<long> netState =
        LongProperty(display_, window, XInternAtom(display_, "_NET_WM_STATE", False));
    // Panels, the desktop's own window and windows kept off the task bar are no windows a
    // person switches to: tool windows without a title, which nothing offers to minimise.
    const bool offered =
        !fixed->shell &&
        !Contains(netState, XInternAtom(display_, "_NET_WM_STATE_SKIP_TASKBAR", False));
    if (offered) {
        std::string title =
            TextProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False),
                         XInternAtom(display_, "UTF8_STRING", False));
        state.title = Utf8ToGbk(title.empty() ? WmName(display_, window) : title);
    }
    // The desktop shows them, not this process's screen (which they therefore cover nowhere).
    state.exStyle = WS_EX_LAYERED | (offered ? 0 : WS_EX_TOOLWINDOW);
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    state.rect = RECT{x, y, x + attributes.width, y + attributes.height};
    // The window manager's frame (left, right, top, bottom) is part of the window.
    if (Supports("_NET_FRAME_EXTENTS")) {
        const std::vector<long> frame =
            LongProperty(display_, window, XInternAtom(display_, "_NET_FRAME_EXTENTS", False));
        if (frame.size() == 4) {
            state.rect = RECT{static_cast<LONG>(state.rect.left - frame[0]),
                              static_cast<LONG>(state.rect.top - frame[2]),
                              static_cast<LONG>(state.rect.right + frame[1]),
                              static_cast<LONG>(state.rect.bottom + frame[3])};
        }
    }
    bool iconic = iconic_.count(window) != 0;
    if (Supports("_NET_WM_STATE")) {
        iconic = iconic || Contains(netState, XInternAtom(display_, "_NET_WM_STATE_HIDDEN", False));
    } else {
        const std::vector<long> wmState =
            LongProperty(display_, window, XInternAtom(display_, "WM_STATE", False));
        iconic = iconic || (!wmState.empty() && wmState[0] == kIconicState);
    }
    const bool maximized =
        Contains(netState, XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_VERT", False)) &&
        Contains(netState, XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
    const bool shown = attributes.map_state == IsViewable && hidden_.count(window) == 0;
    state.style = WS_OVERLAPPEDWINDOW | (shown || iconic ? WS_VISIBLE : 0) |
                  (iconic ? WS_MINIMIZE : 0) | (maximized && !iconic ? WS_MAXIMIZE : 0);
    return true;
}

void XDesktopWindows::Refresh() {
    // The list's own changes may ask for the foreground window again.
    static thread_local bool refreshing = false;
    if (refreshing) {
        return;
    }
    refreshing = true;
    std::unique_lock lock(mutex_, std::try_to_lock);
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{refreshing};
    const auto now = std::chrono::steady_clock::now();
    if (!lock.owns_lock() || now - refreshed_ < kRefreshInterval) {
        return;
    }
    refreshed_ = now;
    ReadSupported();
    std::vector<unsigned long> windows = ClientWindows();
    for (const std::set<unsigned long>* unlisted : {&hidden_, &iconic_}) {
        for (unsigned long window : *unlisted) {
            if (std::find(windows.begin(), windows.end(), window) == windows.end()) {
                windows.insert(windows.begin(), window);
            }
        }
    }
    std::map<unsigned long, HWND> seen;
    // Top down, each just below the window above it on the desktop, this process's included, so
    // that WindowFromPoint finds what a person sees there.
    std::optional<HWND> above;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const Fixed* fixed = FixedOf(*it);
        if (fixed != nullptr && fixed->own != nullptr && IsWindow(fixed->own)) {
            // Other programs' windows carry no topmost band: below a topmost window of ours
            // means at the top of the normal band.
            above = (GetWindowLongA(fixed->own, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0
                        ? std::nullopt
                        : std::optional<HWND>(fixed->own);
            continue;
        }
        ForeignWindowState state;
        if (!Describe(*it, state)) {
            continue;
        }
        auto found = handles_.find(*it);
        HWND hwnd = found != handles_.end() && IsWindow(found->second)
                        ? found->second
                        : AddForeignWindow(state, std::make_shared<XWindowPort>(this, *it));
        UpdateForeignWindow(hwnd, state, above.value_or(HWND_TOP));
        above = hwnd;
        seen[*it] = hwnd;
    }
    for (const auto& [window, hwnd] : handles_) {
        if (seen.count(window) == 0) {
            RemoveForeignWindow(hwnd);
        }
    }
    std::erase_if(fixed_, [&](const auto& entry) {
        return std::find(windows.begin(), windows.end(), entry.first) == windows.end();
    });
    std::erase_if(hidden_, [&](unsigned long window) { return seen.count(window) == 0; });
    std::erase_if(iconic_, [&](unsigned long window) { return seen.count(window) == 0; });
    handles_ = std::move(seen);
    auto active = handles_.find(ActiveWindow());
    if (active != handles_.end()) {
        SetForeignForeground(active->second);
    }
}

unsigned long XDesktopWindows::ActiveWindow() {
    const Window root = DefaultRootWindow(display_);
    if (Supports("_NET_ACTIVE_WINDOW")) {
        const std::vector<long> active =
            LongProperty(display_, root, XInternAtom(display_, "_NET_ACTIVE_WINDOW", False));
        return active.empty() ? None : static_cast<unsigned long>(active[0]);
    }
    // Without a window manager: the top-level window that holds the X focus.
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    while (focus != None && focus != PointerRoot && focus != root) {
        Window rootReturn = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, focus, &rootReturn, &parent, &children, &count)) {
            return None;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == root) {
            return focus;
        }
        focus = parent;
    }
    return None;
}

void XDesktopWindows::SendToRoot(unsigned long window, const char* message, const long (&data)[5]) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, message, False);
    event.xclient.format = 32;
    std::copy(std::begin(data), std::end(data), event.xclient.data.l);
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void XDesktopWindows::Show(unsigned long window, int command) {
    std::lock_guard lock(mutex_);
    ReadSupported();
    const bool managed = Supports("_NET_WM_STATE");
    auto setMaximized = [&](bool maximized) {
        if (managed) {
            SendToRoot(
                window, "_NET_WM_STATE",
                {maximized ? 1 : 0,
                 static_cast<long>(XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_VERT", False)),
                 static_cast<long>(XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_HORZ", False)),
                 kSourcePager, 0});
            return;
        }
        // Without a window manager the window is placed over the work area here, and put back
        // where it was on restoring.
        auto normal = normal_.find(window);
        if (maximized && normal == normal_.end()) {
            Window root = None;
            int x = 0;
            int y = 0;
            unsigned width = 0;
            unsigned height = 0;
            unsigned border = 0;
            unsigned depth = 0;
            if (XGetGeometry(display_, window, &root, &x, &y, &width, &height, &border, &depth)) {
                normal_[window] =
                    RECT{x, y, x + static_cast<LONG>(width), y + static_cast<LONG>(height)};
                RECT work{};
                SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
                XMoveResizeWindow(display_, window, work.left, work.top,
                                  static_cast<unsigned>(std::max<LONG>(work.right - work.left, 1)),
                                  static_cast<unsigned>(std::max<LONG>(work.bottom - work.top, 1)));
            }
        } else if (!maximized && normal != normal_.end()) {
            const RECT& rect = normal->second;
            XMoveResizeWindow(display_, window, rect.left, rect.top,
                              static_cast<unsigned>(rect.right - rect.left),
                              static_cast<unsigned>(rect.bottom - rect.top));
            normal_.erase(normal);
        }
    };
    switch (command) {
        case SW_HIDE:
            XWithdrawWindow(display_, window, DefaultScreen(display_));
            hidden_.insert(window);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            // Without a window manager nothing would turn the request into an icon: the window
            // is taken off the screen here and counts as minimised.
            if (managed) {
                XIconifyWindow(display_, window, DefaultScreen(display_));
            } else {
                XUnmapWindow(display_, window);
                iconic_.insert(window);
            }
            break;
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
            // Shown where it stands in the stacking order, leaving the focus alone.
            XMapWindow(display_, window);
            hidden_.erase(window);
            iconic_.erase(window);
            break;
        case SW_MAXIMIZE:
            setMaximized(true);
            XMapRaised(display_, window);
            hidden_.erase(window);
            iconic_.erase(window);
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL: {
            // A minimised window comes back as it was before; a maximised one becomes normal.
            const std::vector<long> wmState =
                LongProperty(display_, window, XInternAtom(display_, "WM_STATE", False));
            const bool iconic =
                iconic_.count(window) != 0 || (!wmState.empty() && wmState[0] == kIconicState);
            if (!iconic || command == SW_SHOWNORMAL) {
                setMaximized(false);
            }
            XMapRaised(display_, window);
            hidden_.erase(window);
            iconic_.erase(window);
            break;
        }
        default:
            XMapRaised(display_, window);
            hidden_.erase(window);
            iconic_.erase(window);
            break;
    }
    XFlush(display_);
    refreshed_ = {};
}

void XDesktopWindows::Position(unsigned long window, HWND after, int x, int y, int cx, int cy,
                               UINT flags) {
    std::lock_guard lock(mutex_);
    ReadSupported();
    // The size asked for includes the window manager's frame; the place is the frame's already
    // (the window's gravity is the default, north-west).
    if (Supports("_NET_FRAME_EXTENTS")) {
        const std::vector<long> frame =
            LongProperty(display_, window, XInternAtom(display_, "_NET_FRAME_EXTENTS", False));
        if (frame.size() == 4) {
            cx -= static_cast<int>(frame[0] + frame[1]);
            cy -= static_cast<int>(frame[2] + frame[3]);
        }
    }
    if ((flags & SWP_NOMOVE) == 0 && (flags & SWP_NOSIZE) == 0) {
        XMoveResizeWindow(display_, window, x, y, static_cast<unsigned>(std::max(cx, 1)),
                          static_cast<unsigned>(std::max(cy, 1)));
    } else if ((flags & SWP_NOMOVE) == 0) {
        XMoveWindow(display_, window, x, y);
    } else if ((flags & SWP_NOSIZE) == 0) {
        XResizeWindow(display_, window, static_cast<unsigned>(std::max(cx, 1)),
                      static_cast<unsigned>(std::max(cy, 1)));
    }
    if ((flags & SWP_NOZORDER) == 0) {
        if (after == HWND_BOTTOM) {
            XLowerWindow(display_, window);
        } else if (after == HWND_TOP || after == HWND_TOPMOST) {
            XRaiseWindow(display_, window);
        }
    }
    if (flags & SWP_HIDEWINDOW) {
        XWithdrawWindow(display_, window, DefaultScreen(display_));
        hidden_.insert(window);
    } else if (flags & SWP_SHOWWINDOW) {
        XMapWindow(display_, window);
        hidden_.erase(window);
    }
    XFlush(display_);
    refreshed_ = {};
}

void XDesktopWindows::Activate(unsigned long window) {
    std::lock_guard lock(mutex_);
    ReadSupported();
    if (Supports("_NET_ACTIVE_WINDOW")) {
        SendToRoot(window, "_NET_ACTIVE_WINDOW", {kSourcePager, CurrentTime, 0, 0, 0});
    } else {
        XRaiseWindow(display_, window);
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    }
    XFlush(display_);
    refreshed_ = {};
}

void XDesktopWindows::Close(unsigned long window) {
    std::lock_guard lock(mutex_);
    ReadSupported();
    if (Supports("_NET_CLOSE_WINDOW")) {
        SendToRoot(window, "_NET_CLOSE_WINDOW", {CurrentTime, kSourcePager, 0, 0, 0});
    } else {
        // The ICCCM's polite request; a program that does not take it stays open.
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
    }
    XFlush(display_);
    refreshed_ = {};
}

}  // namespace platform
