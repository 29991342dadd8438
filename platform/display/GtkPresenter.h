// Shows this process's top-level windows on an X11 desktop through GTK 3 and feeds the desktop's
// mouse, keys and input-method text back through the window manager's input functions, the same
// ones tests use. Each visible top-level window is an undecorated GTK window painted from the
// screen's own pixels, so the desktop shows exactly what the screen pictures show.
//
// Threads: GTK runs on a thread of its own and every GTK call is made there. The platform's
// threads each wait in their own message loops (the nested ones of dialogs and menus included),
// so none of them could run GTK's loop without changing every wait, and a thread of its own keeps
// exposing and input flowing while a program thread is busy. Program threads hand their changes
// over with g_idle_add and never wait for the GTK thread; the GTK thread calls only platform
// functions that any thread may call (input injection, state queries, SetForegroundWindow,
// PostMessageA) and never sends a message, so it cannot deadlock with a program thread.
//
// Pixels: the presenter keeps its own copy of the screen (a cairo image, whose RGB24 layout is the
// screen's pixel layout), which the drawing thread updates from the rectangles the screen reports
// as damaged, under the presenter's lock. The GTK thread paints from that copy only, so it never
// reads the screen while a program thread draws; it repaints only the damaged rectangles.
//
// The notification icons show in the desktop's tray (GtkNotifyArea, on the GTK thread); other
// programs' keys and clicks reach the low-level hooks (RawInputSource, on a thread of its own).
// The display (Display.cpp) adds the X server's screen pixels for screen DCs (XScreenReader),
// XTest input for mouse_event and keybd_event (XTestInput) and other programs' windows
// (XDesktopWindows), each on a connection of its own.
//
// Not yet: moves and sizes made by the window manager (the windows are undecorated and the
// platform places them; a window manager that moves one anyway is not followed), the caret position
// for input method pop-ups, drawing through CreateDCA("DISPLAY"), which the screen does not report
// as damage, and changes of the monitor while the program runs.
#pragma once

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/screen/ScreenPresenter.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkIMContext GtkIMContext;
typedef struct _cairo_surface cairo_surface_t;
typedef union _GdkEvent GdkEvent;
typedef struct _GdkCursor GdkCursor;

namespace platform {

class GtkClipboard;
class GtkNotifyArea;
class RawInputSource;

class GtkPresenter final : public ScreenPresenter {
public:
    // Opens the X display (the X11 backend is forced, so XWayland serves on Wayland), sets the
    // screen size and the work area to the primary monitor's and starts the GTK thread. Null when
    // no display can be opened. The presenter is never destroyed; Stop ends its thread.
    static GtkPresenter* Start();
    // Closes the windows and ends the GTK thread; later calls from the screen do nothing.
    void Stop();
    // The desktop's clipboard, served by the GTK thread.
    GtkClipboard* clipboard() { return clipboard_; }
    // The notification icons changed; the tray follows.
    void IconsChanged();
    // The program set another cursor; this process's windows show it (none: a blank pointer).
    void CursorChanged(HCURSOR cursor);

    void WindowChanged(HWND hwnd) override;
    void ScreenDamaged(const Surface& screen, const RECT& rect) override;

private:
    // A top-level window's state as the thread that changed it saw it.
    struct WindowState {
        HWND hwnd = nullptr;
        bool exists = false;
        bool visible = false;
        bool minimized = false;
        // Pop-up windows without a caption (menus, drop-down lists, tips) bypass the window
        // manager, so they appear exactly where the platform puts them.
        bool popup = false;
        bool topmost = false;
        bool tool = false;
        RECT rect{};
        HWND owner = nullptr;
        std::string title;
    };
    // What the GTK thread knows of a window it shows.
    struct Shown {
        GtkWidget* widget = nullptr;
        bool popup = false;
        bool mapped = false;
        RECT rect{};
    };

    // The primary monitor as the GTK thread found it; no screen when the display did not open.
    struct Monitor {
        SIZE screen{0, 0};
        RECT workArea{};
    };

    GtkPresenter();
    ~GtkPresenter() override;
    void Run(std::promise<Monitor>* opened);
    void ScheduleLocked();
    static int Flush(void* self);
    void Apply(const WindowState& state);
    void Restack(const std::vector<HWND>& order);
    void TellOwnWindows();
    void ShowCursor(HCURSOR cursor);
    GtkWidget* CreateWidget(const WindowState& state);
    static WindowState Measure(HWND hwnd);

    static int OnDraw(GtkWidget* widget, void* cr, void* self);
    static int OnButton(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnMotion(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnScroll(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnKey(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnFocus(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnDelete(GtkWidget* widget, GdkEvent* event, void* self);
    static void OnCommit(GtkIMContext* context, const char* text, void* self);

    std::thread thread_;
    std::atomic<bool> stopped_ = false;
    GtkClipboard* clipboard_ = nullptr;
    // Other programs' keys and clicks for the low-level hooks; none without XInput 2.
    std::unique_ptr<RawInputSource> raw_input_;

    // Guarded by mutex_: handed from the program threads to the GTK thread.
    std::mutex mutex_;
    cairo_surface_t* copy_ = nullptr;
    std::vector<WindowState> changes_;
    std::vector<HWND> order_;
    HWND foreground_ = nullptr;
    std::vector<RECT> damage_;
    bool icons_changed_ = true;
    bool cursor_changed_ = false;
    HCURSOR cursor_ = nullptr;
    bool scheduled_ = false;

    // Only the GTK thread touches these.
    std::unordered_map<HWND, Shown> shown_;
    std::vector<HWND> stacked_;
    HWND presented_ = nullptr;
    GtkIMContext* input_method_ = nullptr;
    GtkNotifyArea* notify_area_ = nullptr;
    // The pointer shown over this process's windows; null until the program sets a cursor.
    GdkCursor* pointer_ = nullptr;
    bool filtering_ = false;
    std::string committed_;
};

}  // namespace platform
