// The top-level windows of other programs on the desktop, as foreign windows of the window
// manager: FindWindowA, EnumWindows, the top-level walk and WindowFromPoint see them, and
// ShowWindow (hide, minimise, maximise, show with or without raising, restore), SetWindowPos,
// SetForegroundWindow, WM_CLOSE and the minimise, maximise and restore system commands act on
// them through the window manager's standard properties and messages (or directly on the X
// window without one), so that the boss key can hide any window.
//
// The list comes from _NET_CLIENT_LIST_STACKING (or _NET_CLIENT_LIST, or without a window
// manager the mapped children of the root window), at most five times a second, whenever a walk
// of the top-level windows begins. Windows of the platform's programs are left out: this
// process's are its own and the link shows the others. A window's rectangle includes the window
// manager's frame (_NET_FRAME_EXTENTS). Its title is _NET_WM_NAME, else WM_NAME in any of X's
// encodings. Panels, the desktop's own window and windows kept off the task bar are listed as
// tool windows without a title, so nothing offers them to a person or minimises them. The
// windows take their places in the Z order as on the desktop, among this process's windows, and
// are layered (WS_EX_LAYERED): the desktop composes them, so they hide no part of this process's
// windows from the screen's picture. Other messages to them are dropped. When the window manager's
// active window (the X focus without one) is one of them, it is the foreground window; the list
// is refreshed before GetForegroundWindow answers.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/windows/WindowPlatform.h"

typedef struct _XDisplay Display;

namespace platform {

class XDesktopWindows {
public:
    // Null when the display cannot be opened. The object must outlive every foreign window it
    // adds, whose ports refer to it.
    static std::unique_ptr<XDesktopWindows> Open(const char* displayName);
    ~XDesktopWindows();
    XDesktopWindows(const XDesktopWindows&) = delete;
    XDesktopWindows& operator=(const XDesktopWindows&) = delete;

    // Brings the foreign windows in step with the desktop (skipped when asked again too soon, or
    // while another thread refreshes).
    void Refresh();
    // Removes the foreign windows it added, as the display stops.
    void Forget();

    void Show(unsigned long window, int command);
    void Position(unsigned long window, HWND after, int x, int y, int cx, int cy, UINT flags);
    void Activate(unsigned long window);
    void Close(unsigned long window);

    // The property that marks the X windows of the platform's programs: the process id and the
    // window's handle in that process.
    static constexpr char kPlatformWindowProperty[] = "_PLATFORM_WINDOW";

private:
    explicit XDesktopWindows(Display* display) : display_(display) {}
    std::vector<unsigned long> ClientWindows();
    // What is asked of a window once, when it is first listed.
    struct Fixed {
        // Neither a window of the platform's programs nor override-redirect.
        bool listed = false;
        // The handle of this process's window shown in it; null for others.
        HWND own = nullptr;
        // A panel or the desktop's own window.
        bool shell = false;
        std::string className;
        DWORD processId = 0;
    };
    const Fixed* FixedOf(unsigned long window);
    bool Describe(unsigned long window, ForeignWindowState& state);
    // The X window the desktop has made active; None when there is none.
    unsigned long ActiveWindow();
    // Reads which hints the window manager supports, for Supports; none without one.
    void ReadSupported();
    bool Supports(const char* hint);
    void SendToRoot(unsigned long window, const char* message, const long (&data)[5]);

    std::mutex mutex_;
    Display* display_;
    std::chrono::steady_clock::time_point refreshed_{};
    // Guarded by mutex_: the foreign handle of each X window, and the windows hidden or, without
    // a window manager, minimised here, which leave the window manager's list but must still be
    // found to be shown again.
    std::map<unsigned long, HWND> handles_;
    std::set<unsigned long> hidden_;
    std::set<unsigned long> iconic_;
    // Guarded by mutex_: the hints read last, what each listed window keeps, and without a window
    // manager the place of each window maximised here.
    std::vector<long> supported_;
    std::map<unsigned long, Fixed> fixed_;
    std::map<unsigned long, RECT> normal_;
};

}  // namespace platform
