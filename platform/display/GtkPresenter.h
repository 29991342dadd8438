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
// In step both ways: the desktop's minimise, maximise and restore (the task bar, a window manager's
// keys) reach the program as WM_SYSCOMMAND, as from its own caption buttons; moves and sizes the
// window manager makes are followed with SetWindowPos on the window's thread; the X focus coming
// to a window activates it on its own thread, with the key state taken from the X server
// (modifiers released and locks toggled elsewhere); the focus going to another program
// deactivates it (WM_ACTIVATEAPP to its thread's windows too), and coming back gives the focus
// to the control that had it. While a menu is shown the
// presenter holds the pointer, so that a click anywhere on the desktop reaches the
// platform and closes it; the keys stay with the window that has the X focus.
//
// The input method shows its composition in its own window and places its windows at the caret
// of the focused window, which the presenter asks of that window's thread at every key press.
//
// What a program draws through a screen DC (GetDC(nullptr), CreateDCA("DISPLAY")) is put on the
// root window over every window, as a capture's frame around another program's window; those
// windows repaint it away when they next draw there. Only on a 24-bit TrueColor screen.
//
// Z order: the platform's order is the truth for this process's windows. They keep it among
// themselves on the desktop; a window the platform sends to the bottom goes below other programs'
// windows, and one below another program's window in the platform's order (as the desktop's
// window list puts it) is not raised above it. When another client restacks one of them (a
// pager, a raise by the window manager), the platform follows: the window raised or lowered there
// is moved to the same place in the platform's order, whose rules (topmost windows, owned windows
// above their owner) then apply to the desktop again. So no window ever shows another's pixels
// where they overlap.
//
// The work area follows the window manager's _NET_WORKAREA as it changes. Not yet: changes of the
// monitor while the program runs.
#pragma once

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
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
    // screen size and the work area to the primary monitor's, the lock keys to the desktop's and
    // starts the GTK thread. Null when
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

    // GTK thread only. The layer above the platform's pixels in the GTK window that shows the
    // top-level window `hwnd`, where the web controls' views go (a GtkOverlay whose size asks
    // nothing of the window); null while that window is not shown or is a pop-up.
    GtkWidget* ViewLayer(HWND hwnd);
    // GTK thread only. Called after the windows shown or their pixels changed, so that views
    // follow a GTK window made anew and the child windows they stand for.
    void SetWindowsChanged(void (*listener)()) { windowsChanged_ = listener; }

    void WindowChanged(HWND hwnd) override;
    void ScreenDamaged(const Surface& screen, const RECT& rect) override;
    void ScreenDrawn(const Surface& screen, const std::vector<RECT>& drawn) override;
    // Applies the window changes not yet shown and waits (a moment at most) until the X server
    // has them, so that a capture of the X server's pixels that follows no longer shows a window
    // just closed. Does nothing on the GTK thread.
    void Settle();

private:
    // A top-level window's state as the thread that changed it saw it.
    struct WindowState {
        HWND hwnd = nullptr;
        bool exists = false;
        bool visible = false;
        bool minimized = false;
        bool maximized = false;
        // Menus, drop-down lists and tips (pop-up windows without a caption that never take the
        // activation) bypass the window manager, so they appear exactly where the platform puts
        // them and never take the keyboard. Other captionless pop-ups are managed windows.
        bool popup = false;
        bool topmost = false;
        bool tool = false;
        RECT rect{};
        HWND owner = nullptr;
        std::string title;
    };
    // A visible top-level window in the platform's Z order: this process's, or another
    // program's, which the presenter does not show but must not raise a window above.
    struct Stacked {
        HWND hwnd = nullptr;
        bool ours = false;
        bool operator==(const Stacked&) const = default;
    };
    // What the GTK thread knows of a window it shows.
    struct Shown {
        GtkWidget* widget = nullptr;
        bool popup = false;
        bool mapped = false;
        // As last asked of the desktop or heard from it.
        bool minimized = false;
        bool maximized = false;
        RECT rect{};
        // Places asked of the X server that it has not confirmed yet, oldest first: a configure
        // event for one of them is an old request of ours, not the window manager's move.
        std::vector<RECT> asked;

        void Ask(const RECT& place);
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
    // Puts the pixels drawn through screen DCs on the root window, over every window.
    static int PaintDesktop(void* self);
    static int Flush(void* self);
    void Apply(const WindowState& state);
    void Restack(const std::vector<Stacked>& order);
    // This process's shown windows as the X server stacks them, top first.
    std::vector<HWND> StackedOnTheServer();
    // After another client restacked windows: the platform follows where the desktop's order of
    // this process's windows differs from the one last sent. True when it did.
    bool FollowDesktopOrder();
    static int CheckStacking(void* self);
    static int OnXEvent(void* xevent, GdkEvent* event, void* self);
    void HoldPointer(const std::vector<Stacked>& order);
    void TellOwnWindows();
    void ShowCursor(HCURSOR cursor);
    // Asks the thread of `hwnd` where its caret is on the screen; the answer comes back as caret_.
    void FollowCaret(HWND hwnd);
    void PlaceInputMethod(const RECT& caret);
    // Whether the X focus is in one of this process's windows (with the focus following the
    // pointer: whether the pointer is over one).
    bool FocusIsOurs() const;
    // The control that had the focus when the window lost the activation to another program,
    // kept until the window has it again.
    void KeepLeftFocus(HWND hwnd, HWND focus);
    std::optional<HWND> TakeLeftFocus(HWND hwnd);
    GtkWidget* CreateWidget(const WindowState& state);
    static WindowState Measure(HWND hwnd);

    static int OnDraw(GtkWidget* widget, void* cr, void* self);
    static int OnButton(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnMotion(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnScroll(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnKey(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnFocus(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnDelete(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnWindowState(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnConfigure(GtkWidget* widget, GdkEvent* event, void* self);
    static int OnLeave(GtkWidget* widget, GdkEvent* event, void* self);
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
    std::vector<Stacked> order_;
    HWND foreground_ = nullptr;
    std::vector<RECT> damage_;
    // Drawn through screen DCs and not yet on the desktop: each rectangle with its pixels.
    std::vector<std::pair<RECT, std::vector<Pixel>>> drawn_;
    bool icons_changed_ = true;
    bool cursor_changed_ = false;
    HCURSOR cursor_ = nullptr;
    // The focus window's caret on the screen, for the input method's windows; none when unchanged.
    std::optional<RECT> caret_;
    // By window deactivated for another program: the control that had the focus then.
    std::unordered_map<HWND, HWND> left_focus_;
    bool scheduled_ = false;

    // Only the GTK thread touches these.
    std::unordered_map<HWND, Shown> shown_;
    // The order last sent to the desktop.
    std::vector<Stacked> stacked_;
    std::chrono::steady_clock::time_point restacked_at_{};
    bool stacking_check_ = false;
    HWND presented_ = nullptr;
    // The window that has the X focus (the input method's client).
    HWND focused_ = nullptr;
    GtkIMContext* input_method_ = nullptr;
    GtkNotifyArea* notify_area_ = nullptr;
    // The menu that holds the pointer; null when none does.
    HWND holding_ = nullptr;
    // The pointer shown over this process's windows; null until the program sets a cursor.
    GdkCursor* pointer_ = nullptr;
    bool filtering_ = false;
    std::string committed_;
    void (*windowsChanged_)() = nullptr;
};

}  // namespace platform
