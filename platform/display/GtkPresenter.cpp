#include "platform/display/GtkPresenter.h"

#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/controls/Caret.h"
#include "platform/display/GtkClipboard.h"
#include "platform/display/GtkNotifyArea.h"
#include "platform/display/IconPixbuf.h"
#include "platform/display/KeyStroke.h"
#include "platform/display/RawInputSource.h"
#include "platform/display/XDesktopWindows.h"
#include "platform/display/XWindowTree.h"
#include "platform/drawing/IconApi.h"
#include "platform/screen/VisibleRegions.h"
#include "platform/text/Encoding.h"
#include "platform/threads/ThreadApi.h"
#include "platform/windows/DesktopSync.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

constexpr int kWheelStep = 120;

HWND WindowOf(GtkWidget* widget) {
    return static_cast<HWND>(g_object_get_data(G_OBJECT(widget), "hwnd"));
}

bool IsOurs(HWND hwnd) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    return process == static_cast<DWORD>(getpid());
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

POINT RootPoint(double x, double y) {
    return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

// How long the window manager may take to carry out a restacking asked of it.
constexpr auto kRestackSettling = std::chrono::milliseconds(100);

// Requests not yet confirmed beyond this many are forgotten; the X server confirms in order.
constexpr size_t kAskedLimit = 8;

bool IsTip(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return std::strcmp(name, "tooltips_class32") == 0;
}

bool IsMenuLike(HWND hwnd, DWORD style, DWORD exStyle) {
    if ((style & WS_POPUP) == 0 || (style & WS_CAPTION) == WS_CAPTION) {
        return false;
    }
    return (exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) != 0 || IsTip(hwnd);
}

// The calling thread's key state as the X server has it: modifiers let go of while another window
// had the focus are up, Caps Lock and Num Lock toggled there are toggled here.
void TakeKeyState(unsigned modifiers, bool capsLock, bool numLock) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const struct {
        unsigned mask;
        BYTE keys[3];
    } held[] = {{GDK_SHIFT_MASK, {VK_SHIFT, VK_LSHIFT, VK_RSHIFT}},
                {GDK_CONTROL_MASK, {VK_CONTROL, VK_LCONTROL, VK_RCONTROL}},
                {GDK_MOD1_MASK, {VK_MENU, VK_LMENU, VK_RMENU}}};
    for (const auto& modifier : held) {
        if ((modifiers & modifier.mask) == 0) {
            for (const BYTE key : modifier.keys) {
                keys[key] &= ~0x80;
            }
        }
    }
    keys[VK_CAPITAL] = static_cast<BYTE>((keys[VK_CAPITAL] & ~1) | (capsLock ? 1 : 0));
    keys[VK_NUMLOCK] = static_cast<BYTE>((keys[VK_NUMLOCK] & ~1) | (numLock ? 1 : 0));
    SetKeyboardState(keys);
}

// Sends `message` to the calling thread's top-level windows, as the original system does with
// WM_ACTIVATEAPP when the foreground goes to another program's thread or comes back.
void TellThreadWindows(UINT message, WPARAM wParam) {
    struct Told {
        UINT message;
        WPARAM wParam;
    } told{message, wParam};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            const auto* what = reinterpret_cast<const Told*>(lParam);
            SendMessageA(hwnd, what->message, what->wParam, 0);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&told));
}

}  // namespace

GtkPresenter::GtkPresenter() = default;
GtkPresenter::~GtkPresenter() = default;

GtkPresenter* GtkPresenter::Start() {
    // The source of other programs' input talks to the X server from a thread of its own.
    XInitThreads();
    auto* presenter = new GtkPresenter;
    std::promise<Monitor> opened;
    std::future<Monitor> monitor = opened.get_future();
    presenter->thread_ = std::thread([presenter, &opened] { presenter->Run(&opened); });
    const Monitor found = monitor.get();
    if (found.screen.cx <= 0 || found.screen.cy <= 0) {
        presenter->thread_.join();
        delete presenter;
        return nullptr;
    }
    SetScreenSize(found.screen.cx, found.screen.cy);
    SetWorkArea(found.workArea);
    return presenter;
}

void GtkPresenter::Run(std::promise<Monitor>* opened) {
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) {
        opened->set_value(Monitor{});
        return;
    }
    GdkDisplay* display = gdk_display_get_default();
    // The platform counts in device pixels; a scaled desktop would show its windows enlarged.
    gdk_x11_display_set_window_scale(display, 1);
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    GdkRectangle geometry{0, 0, 0, 0};
    // The work area comes from the window manager's _NET_WORKAREA (the whole monitor without one).
    GdkRectangle work{0, 0, 0, 0};
    if (monitor != nullptr) {
        gdk_monitor_get_geometry(monitor, &geometry);
        gdk_monitor_get_workarea(monitor, &work);
    }
    // Caps Lock may be on already: what the program types and GetKeyState follow the desktop.
    GdkKeymap* keymap = gdk_keymap_get_for_display(display);
    SetLockKeys(gdk_keymap_get_caps_lock_state(keymap) != FALSE,
                gdk_keymap_get_num_lock_state(keymap) != FALSE);
    clipboard_ = new GtkClipboard;
    input_method_ = gtk_im_multicontext_new();
    // The input method shows the text being composed in a window of its own, at the caret: the
    // programs' edit controls know nothing of a composition.
    gtk_im_context_set_use_preedit(input_method_, FALSE);
    g_signal_connect(input_method_, "commit", G_CALLBACK(OnCommit), this);
    notify_area_ = new GtkNotifyArea;
    // Restacking by other clients (the root's children and the window manager's stacking list)
    // and the work area.
    GdkWindow* rootWindow = gdk_get_default_root_window();
    gdk_window_set_events(
        rootWindow, static_cast<GdkEventMask>(gdk_window_get_events(rootWindow) |
                                              GDK_SUBSTRUCTURE_MASK | GDK_PROPERTY_CHANGE_MASK));
    gdk_window_add_filter(
        nullptr,
        [](GdkXEvent* xevent, GdkEvent* event, gpointer self) {
            return static_cast<GdkFilterReturn>(OnXEvent(xevent, event, self));
        },
        this);
    raw_input_ = RawInputSource::Start(gdk_display_get_name(display));
    {
        std::lock_guard lock(mutex_);
        ScheduleLocked();
    }
    opened->set_value(Monitor{SIZE{geometry.x + geometry.width, geometry.y + geometry.height},
                              RECT{work.x, work.y, work.x + work.width, work.y + work.height}});
    gtk_main();
    for (auto& [hwnd, shown] : shown_) {
        gtk_widget_destroy(shown.widget);
    }
    shown_.clear();
    delete notify_area_;
    notify_area_ = nullptr;
    if (pointer_ != nullptr) {
        g_object_unref(pointer_);
        pointer_ = nullptr;
    }
    g_object_unref(input_method_);
    gdk_display_flush(display);
}

void GtkPresenter::Stop() {
    if (stopped_.exchange(true)) {
        return;
    }
    g_idle_add(
        [](void*) -> gboolean {
            gtk_main_quit();
            return G_SOURCE_REMOVE;
        },
        nullptr);
    thread_.join();
    raw_input_.reset();
}

GtkPresenter::WindowState GtkPresenter::Measure(HWND hwnd) {
    WindowState state;
    state.hwnd = hwnd;
    state.exists = IsWindow(hwnd) != FALSE;
    if (!state.exists) {
        return state;
    }
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    state.visible = (style & WS_VISIBLE) != 0;
    state.minimized = (style & WS_MINIMIZE) != 0;
    state.maximized = (style & WS_MAXIMIZE) != 0;
    state.popup = IsMenuLike(hwnd, style, exStyle);
    state.topmost = (exStyle & WS_EX_TOPMOST) != 0;
    state.tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    GetWindowRect(hwnd, &state.rect);
    state.owner = GetWindow(hwnd, GW_OWNER);
    // Read without sending WM_GETTEXT: the owner thread may be busy, and this must not wait.
    char title[512] = {};
    DefWindowProcA(hwnd, WM_GETTEXT, sizeof(title), reinterpret_cast<LPARAM>(title));
    state.title = GbkToUtf8(title);
    return state;
}

void GtkPresenter::WindowChanged(HWND hwnd) {
    if (stopped_ || hwnd == GetDesktopWindow() || !IsOurs(hwnd)) {
        return;
    }
    WindowState state = Measure(hwnd);
    // Other programs' windows take part as places only; the walk brings them up to date.
    std::vector<Stacked> order;
    for (HWND top = GetWindow(GetDesktopWindow(), GW_CHILD); top != nullptr;
         top = GetWindow(top, GW_HWNDNEXT)) {
        if (IsWindowVisible(top)) {
            const bool ours = IsOurs(top);
            if (ours || !IsIconic(top)) {
                order.push_back(Stacked{top, ours});
            }
        }
    }
    const HWND foreground = GetForegroundWindow();
    std::lock_guard lock(mutex_);
    // The icons of a destroyed window go with it.
    icons_changed_ = icons_changed_ || !state.exists;
    if (!state.exists) {
        left_focus_.erase(hwnd);
    }
    changes_.push_back(std::move(state));
    order_ = std::move(order);
    foreground_ = foreground;
    ScheduleLocked();
}

void GtkPresenter::IconsChanged() {
    if (stopped_) {
        return;
    }
    std::lock_guard lock(mutex_);
    icons_changed_ = true;
    ScheduleLocked();
}

void GtkPresenter::CursorChanged(HCURSOR cursor) {
    if (stopped_) {
        return;
    }
    std::lock_guard lock(mutex_);
    cursor_ = cursor;
    cursor_changed_ = true;
    ScheduleLocked();
}

void GtkPresenter::ScreenDamaged(const Surface& screen, const RECT& rect) {
    if (stopped_) {
        return;
    }
    std::lock_guard lock(mutex_);
    if (copy_ == nullptr || cairo_image_surface_get_width(copy_) != screen.width() ||
        cairo_image_surface_get_height(copy_) != screen.height()) {
        if (copy_ != nullptr) {
            cairo_surface_destroy(copy_);
        }
        copy_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, screen.width(), screen.height());
    }
    const RECT part = Region::Overlap(rect, RECT{0, 0, screen.width(), screen.height()});
    if (Region::HasNoArea(part)) {
        return;
    }
    cairo_surface_flush(copy_);
    unsigned char* data = cairo_image_surface_get_data(copy_);
    const int stride = cairo_image_surface_get_stride(copy_);
    const size_t bytes = static_cast<size_t>(part.right - part.left) * sizeof(Pixel);
    for (int y = part.top; y < part.bottom; ++y) {
        std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride + part.left * sizeof(Pixel),
                    screen.Row(y) + part.left, bytes);
    }
    cairo_surface_mark_dirty_rectangle(copy_, part.left, part.top, part.right - part.left,
                                       part.bottom - part.top);
    damage_.push_back(part);
    ScheduleLocked();
}

void GtkPresenter::ScreenDrawn(const Surface& screen, const std::vector<RECT>& drawn) {
    if (stopped_ || drawn.empty()) {
        return;
    }
    RECT box = drawn.front();
    {
        std::lock_guard lock(mutex_);
        if (drawn_.empty()) {
            g_idle_add_full(G_PRIORITY_DEFAULT, PaintDesktop, this, nullptr);
        }
        for (const RECT& rect : drawn) {
            const RECT part = Region::Overlap(rect, RECT{0, 0, screen.width(), screen.height()});
            if (Region::HasNoArea(part)) {
                continue;
            }
            std::vector<Pixel> pixels;
            pixels.reserve(static_cast<size_t>(part.right - part.left) *
                           static_cast<size_t>(part.bottom - part.top));
            for (int y = part.top; y < part.bottom; ++y) {
                pixels.insert(pixels.end(), screen.Row(y) + part.left, screen.Row(y) + part.right);
            }
            drawn_.emplace_back(part, std::move(pixels));
            box = RECT{std::min(box.left, part.left), std::min(box.top, part.top),
                       std::max(box.right, part.right), std::max(box.bottom, part.bottom)};
        }
    }
    // This process's windows show it too, from the copy.
    ScreenDamaged(screen, box);
}

int GtkPresenter::PaintDesktop(void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    std::vector<std::pair<RECT, std::vector<Pixel>>> drawn;
    {
        std::lock_guard lock(presenter->mutex_);
        drawn.swap(presenter->drawn_);
    }
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    if (DefaultDepth(display, screen) != 24 || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF) {
        return G_SOURCE_REMOVE;
    }
    const Window root = RootWindow(display, screen);
    // Drawn through the windows on the root, as a screen DC draws over them.
    XGCValues values{};
    values.subwindow_mode = IncludeInferiors;
    GC gc = XCreateGC(display, root, GCSubwindowMode, &values);
    for (auto& [rect, pixels] : drawn) {
        const unsigned width = static_cast<unsigned>(rect.right - rect.left);
        const unsigned height = static_cast<unsigned>(rect.bottom - rect.top);
        XImage* image =
            XCreateImage(display, visual, 24, ZPixmap, 0, reinterpret_cast<char*>(pixels.data()),
                         width, height, 32, static_cast<int>(width * sizeof(Pixel)));
        if (image == nullptr) {
            continue;
        }
        image->byte_order = LSBFirst;
        XPutImage(display, root, gc, image, 0, 0, rect.left, rect.top, width, height);
        // The pixels are the vector's.
        image->data = nullptr;
        XDestroyImage(image);
    }
    XFreeGC(display, gc);
    XFlush(display);
    return G_SOURCE_REMOVE;
}

void GtkPresenter::Settle() {
    if (stopped_ || std::this_thread::get_id() == thread_.get_id()) {
        return;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> settled = done->get_future();
    auto* task = new std::pair<GtkPresenter*, std::shared_ptr<std::promise<void>>>(this, done);
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](void* data) -> gboolean {
            auto* task =
                static_cast<std::pair<GtkPresenter*, std::shared_ptr<std::promise<void>>>*>(data);
            Flush(task->first);
            PaintDesktop(task->first);
            gdk_display_sync(gdk_display_get_default());
            task->second->set_value();
            return G_SOURCE_REMOVE;
        },
        task,
        [](void* data) {
            delete static_cast<std::pair<GtkPresenter*, std::shared_ptr<std::promise<void>>>*>(
                data);
        });
    settled.wait_for(std::chrono::seconds(1));
}

void GtkPresenter::ScheduleLocked() {
    if (!scheduled_) {
        scheduled_ = true;
        g_idle_add_full(G_PRIORITY_DEFAULT, Flush, this, nullptr);
    }
}

int GtkPresenter::Flush(void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    std::vector<WindowState> changes;
    std::vector<Stacked> order;
    std::vector<RECT> damage;
    HWND foreground = nullptr;
    bool iconsChanged = false;
    std::optional<HCURSOR> cursor;
    std::optional<RECT> caret;
    {
        std::lock_guard lock(presenter->mutex_);
        caret = std::exchange(presenter->caret_, std::nullopt);
        if (std::exchange(presenter->cursor_changed_, false)) {
            cursor = presenter->cursor_;
        }
        iconsChanged = std::exchange(presenter->icons_changed_, false);
        changes.swap(presenter->changes_);
        order = presenter->order_;
        damage.swap(presenter->damage_);
        foreground = presenter->foreground_;
        presenter->scheduled_ = false;
    }
    for (const WindowState& state : changes) {
        presenter->Apply(state);
    }
    if (!changes.empty()) {
        presenter->TellOwnWindows();
        presenter->Restack(order);
        auto found = presenter->shown_.find(foreground);
        if (foreground != presenter->presented_ && found != presenter->shown_.end() &&
            !found->second.popup && found->second.mapped) {
            gtk_window_present(GTK_WINDOW(found->second.widget));
        }
        presenter->presented_ = foreground;
    }
    if (!changes.empty()) {
        presenter->HoldPointer(order);
    }
    if ((!changes.empty() || !damage.empty()) && presenter->windowsChanged_ != nullptr) {
        presenter->windowsChanged_();
    }
    if (iconsChanged) {
        presenter->notify_area_->Refresh();
    }
    if (cursor) {
        presenter->ShowCursor(*cursor);
    }
    if (caret) {
        presenter->PlaceInputMethod(*caret);
    }
    for (const RECT& rect : damage) {
        for (auto& [hwnd, shown] : presenter->shown_) {
            const RECT part = Region::Overlap(rect, shown.rect);
            if (shown.mapped && !Region::HasNoArea(part)) {
                gtk_widget_queue_draw_area(shown.widget, part.left - shown.rect.left,
                                           part.top - shown.rect.top, part.right - part.left,
                                           part.bottom - part.top);
            }
        }
    }
    return G_SOURCE_REMOVE;
}

GtkWidget* GtkPresenter::ViewLayer(HWND hwnd) {
    auto found = shown_.find(hwnd);
    if (found == shown_.end() || found->second.popup) {
        return nullptr;
    }
    GtkWidget* layer = gtk_bin_get_child(GTK_BIN(found->second.widget));
    if (layer == nullptr) {
        layer = gtk_overlay_new();
        gtk_container_add(GTK_CONTAINER(found->second.widget), layer);
        gtk_widget_show(layer);
    }
    return layer;
}

GtkWidget* GtkPresenter::CreateWidget(const WindowState& state) {
    GtkWidget* widget = gtk_window_new(state.popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    g_object_set_data(G_OBJECT(widget), "hwnd", state.hwnd);
    gtk_window_set_decorated(GTK_WINDOW(widget), FALSE);
    gtk_widget_set_app_paintable(widget, TRUE);
    gtk_widget_set_can_focus(widget, TRUE);
    gtk_widget_add_events(
        widget, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                    GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                    GDK_FOCUS_CHANGE_MASK | GDK_LEAVE_NOTIFY_MASK | GDK_STRUCTURE_MASK);
    g_signal_connect(widget, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(widget, "button-press-event", G_CALLBACK(OnButton), this);
    g_signal_connect(widget, "button-release-event", G_CALLBACK(OnButton), this);
    g_signal_connect(widget, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(widget, "scroll-event", G_CALLBACK(OnScroll), this);
    g_signal_connect(widget, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(widget, "key-release-event", G_CALLBACK(OnKey), this);
    g_signal_connect(widget, "focus-in-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(widget, "focus-out-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(widget, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(widget, "window-state-event", G_CALLBACK(OnWindowState), this);
    g_signal_connect(widget, "configure-event", G_CALLBACK(OnConfigure), this);
    g_signal_connect(widget, "leave-notify-event", G_CALLBACK(OnLeave), this);
    // Marked as a window of the platform's programs, which the desktop's window list leaves out.
    gtk_widget_realize(widget);
    if (GdkWindow* window = gtk_widget_get_window(widget)) {
        gdk_window_set_cursor(window, pointer_);
        Display* display = GDK_WINDOW_XDISPLAY(window);
        const long marks[] = {getpid(), static_cast<long>(reinterpret_cast<intptr_t>(state.hwnd))};
        XChangeProperty(display, gdk_x11_window_get_xid(window),
                        XInternAtom(display, XDesktopWindows::kPlatformWindowProperty, False),
                        XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(marks), 2);
    }
    return widget;
}

void GtkPresenter::Shown::Ask(const RECT& place) {
    if (asked.size() == kAskedLimit) {
        asked.erase(asked.begin());
    }
    asked.push_back(place);
}

void GtkPresenter::Apply(const WindowState& state) {
    auto found = shown_.find(state.hwnd);
    // A window that changes between pop-up and managed needs an X window of the other kind.
    if (found != shown_.end() && (!state.exists || found->second.popup != state.popup ||
                                  (!state.visible && found->second.popup))) {
        if (holding_ == state.hwnd) {
            holding_ = nullptr;
        }
        gtk_widget_destroy(found->second.widget);
        shown_.erase(found);
        found = shown_.end();
    }
    if (!state.exists) {
        return;
    }
    if (found == shown_.end()) {
        if (!state.visible) {
            return;
        }
        Shown fresh;
        fresh.widget = CreateWidget(state);
        fresh.popup = state.popup;
        found = shown_.emplace(state.hwnd, std::move(fresh)).first;
    }
    Shown& shown = found->second;
    GtkWindow* window = GTK_WINDOW(shown.widget);
    if (!state.visible) {
        gtk_widget_hide(shown.widget);
        shown.mapped = false;
        return;
    }
    if (!shown.popup) {
        gtk_window_set_title(window, state.title.c_str());
        gtk_window_set_keep_above(window, state.topmost);
        gtk_window_set_skip_taskbar_hint(window, state.tool);
        auto owner = shown_.find(state.owner);
        gtk_window_set_transient_for(window, owner != shown_.end() && !owner->second.popup
                                                 ? GTK_WINDOW(owner->second.widget)
                                                 : nullptr);
    }
    // Only changes are passed on, so that any other change (a new title) leaves a window the
    // desktop minimised alone.
    if (state.minimized) {
        // A minimised window keeps its old place on the desktop; the platform parks it off
        // every screen, which only the platform needs to know.
        if (!shown.minimized) {
            shown.minimized = true;
            gtk_window_iconify(window);
        }
        return;
    }
    if (shown.minimized) {
        shown.minimized = false;
        gtk_window_deiconify(window);
    }
    if (shown.maximized != state.maximized) {
        shown.maximized = state.maximized;
        if (state.maximized) {
            gtk_window_maximize(window);
        } else {
            gtk_window_unmaximize(window);
        }
    }
    if (!SameRect(shown.rect, state.rect)) {
        // GTK moves a mapped window at once and resizes it later, so the X server first reports
        // the new place with the old size.
        const RECT& old = shown.rect;
        if (shown.mapped && (old.left != state.rect.left || old.top != state.rect.top) &&
            (old.right - old.left != state.rect.right - state.rect.left ||
             old.bottom - old.top != state.rect.bottom - state.rect.top)) {
            shown.Ask(RECT{state.rect.left, state.rect.top,
                           state.rect.left + (old.right - old.left),
                           state.rect.top + (old.bottom - old.top)});
        }
        shown.Ask(state.rect);
        shown.rect = state.rect;
        gtk_window_move(window, state.rect.left, state.rect.top);
        gtk_window_resize(window, std::max<int>(1, state.rect.right - state.rect.left),
                          std::max<int>(1, state.rect.bottom - state.rect.top));
        gtk_widget_queue_draw(shown.widget);
    }
    if (!shown.mapped) {
        gtk_widget_show(shown.widget);
        shown.mapped = true;
    }
}

void GtkPresenter::Restack(const std::vector<Stacked>& order) {
    // A restacking by the desktop not yet followed goes first; the platform's order that follows
    // from it comes back here.
    if (order == stacked_ || FollowDesktopOrder()) {
        return;
    }
    // Top first. A window of ours right below another of ours goes right below it there too. The
    // top of the order is raised, unless the desktop gave it the focus itself (or it was
    // presented) and the platform did not move it up: a desktop whose focus follows the pointer
    // does not raise the window it focuses. Below the last of other programs' windows, ours go to
    // the bottom of the desktop. A window right below another program's window elsewhere stays
    // where the desktop has it: the desktop's window list put it there.
    const auto lastForeign = std::find_if(order.rbegin(), order.rend(),
                                          [](const Stacked& entry) { return !entry.ours; });
    const auto bottom = lastForeign.base();
    // Whether the platform moved `hwnd` up: above a window of ours that was above it in the order
    // sent last and still is shown (a menu closing above it moves nothing).
    const auto movedUp = [&](HWND hwnd) {
        const auto was = std::find_if(stacked_.begin(), stacked_.end(),
                                      [&](const Stacked& entry) { return entry.hwnd == hwnd; });
        return was == stacked_.end() ||
               std::any_of(stacked_.begin(), was, [&](const Stacked& entry) {
                   return entry.ours && std::find(order.begin(), order.end(), entry) != order.end();
               });
    };
    GdkWindow* above = nullptr;
    bool first = true;
    for (auto it = order.begin(); it != order.end(); ++it) {
        GdkWindow* window = nullptr;
        if (it->ours) {
            auto found = shown_.find(it->hwnd);
            if (found != shown_.end() && found->second.mapped) {
                window = gtk_widget_get_window(found->second.widget);
            }
            if (window == nullptr) {
                continue;
            }
        }
        if (window == nullptr) {
            above = nullptr;
        } else if (above != nullptr) {
            gdk_window_restack(window, above, FALSE);
        } else if (first) {
            if (it->hwnd != presented_ || movedUp(it->hwnd)) {
                gdk_window_raise(window);
            }
        } else if (it >= bottom) {
            gdk_window_lower(window);
        }
        above = window;
        first = false;
    }
    stacked_ = order;
    restacked_at_ = std::chrono::steady_clock::now();
}

std::vector<HWND> GtkPresenter::StackedOnTheServer() {
    Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
    const Window root = DefaultRootWindow(display);
    // Each shown window's child of the root: the window itself, or the window manager's frame.
    std::unordered_map<Window, HWND> tops;
    for (const auto& [hwnd, shown] : shown_) {
        GdkWindow* gdkWindow = gtk_widget_get_window(shown.widget);
        if (!shown.mapped || shown.minimized || gdkWindow == nullptr) {
            continue;
        }
        Window window = gdk_x11_window_get_xid(gdkWindow);
        while (window != None) {
            Window rootReturn = None;
            Window parent = None;
            Window* children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count)) {
                break;
            }
            if (children != nullptr) {
                XFree(children);
            }
            if (parent == root) {
                tops[window] = hwnd;
                break;
            }
            window = parent;
        }
    }
    std::vector<HWND> stacked;
    Window rootReturn = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count)) {
        // The root's children come bottom first.
        for (unsigned i = count; i-- > 0;) {
            auto found = tops.find(children[i]);
            if (found != tops.end()) {
                stacked.push_back(found->second);
            }
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return stacked;
}

int GtkPresenter::OnXEvent(void* xevent, GdkEvent*, void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    const XEvent& event = *static_cast<const XEvent*>(xevent);
    const Window root = DefaultRootWindow(event.xany.display);
    const bool restacked =
        (event.type == ConfigureNotify && event.xconfigure.event == root) ||
        (event.type == PropertyNotify && event.xproperty.window == root &&
         event.xproperty.atom ==
             XInternAtom(event.xany.display, "_NET_CLIENT_LIST_STACKING", False));
    if (event.type == PropertyNotify && event.xproperty.window == root &&
        event.xproperty.atom == XInternAtom(event.xany.display, "_NET_WORKAREA", False)) {
        // A panel came, went or moved: windows maximised from now on and new places follow.
        GdkMonitor* monitor = gdk_display_get_primary_monitor(gdk_display_get_default());
        if (monitor == nullptr) {
            monitor = gdk_display_get_monitor(gdk_display_get_default(), 0);
        }
        if (monitor != nullptr) {
            GdkRectangle work{0, 0, 0, 0};
            gdk_monitor_get_workarea(monitor, &work);
            SetWorkArea(RECT{work.x, work.y, work.x + work.width, work.y + work.height});
        }
    }
    if (restacked && !presenter->stacking_check_) {
        presenter->stacking_check_ = true;
        // The desktop's restacking comes in several steps; the order is read once they are done.
        g_timeout_add(50, CheckStacking, presenter);
    }
    return GDK_FILTER_CONTINUE;
}

int GtkPresenter::CheckStacking(void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    {
        std::lock_guard lock(presenter->mutex_);
        // Changes of the platform's own not yet sent are sent first.
        if (presenter->scheduled_) {
            return G_SOURCE_CONTINUE;
        }
    }
    if (std::chrono::steady_clock::now() - presenter->restacked_at_ < kRestackSettling) {
        return G_SOURCE_CONTINUE;
    }
    presenter->stacking_check_ = false;
    presenter->FollowDesktopOrder();
    return G_SOURCE_REMOVE;
}

bool GtkPresenter::FollowDesktopOrder() {
    // An order sent a moment ago that the window manager has not carried out yet is no
    // restacking by the desktop.
    if (std::chrono::steady_clock::now() - restacked_at_ < kRestackSettling) {
        return false;
    }
    const std::vector<HWND> desktop = StackedOnTheServer();
    std::vector<HWND> sent;
    for (const Stacked& entry : stacked_) {
        if (std::find(desktop.begin(), desktop.end(), entry.hwnd) != desktop.end()) {
            sent.push_back(entry.hwnd);
        }
    }
    if (sent.size() != desktop.size() || sent == desktop) {
        return false;
    }
    // Each window that has another one right above it than in the order sent is moved there in
    // the platform's order, on its own thread; the desktop's new top goes to the top.
    for (size_t i = 0; i < desktop.size(); ++i) {
        const HWND hwnd = desktop[i];
        const auto place = std::find(sent.begin(), sent.end(), hwnd);
        const HWND above = i == 0 ? HWND_TOP : desktop[i - 1];
        const HWND sentAbove = place == sent.begin() ? HWND_TOP : *(place - 1);
        if (above != sentAbove) {
            RunOnWindowThread(hwnd, [hwnd, above] {
                SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            });
        }
    }
    // What was followed is the order sent now, so that it is not followed twice.
    std::vector<Stacked> followed;
    for (HWND hwnd : desktop) {
        followed.push_back(Stacked{hwnd, true});
    }
    for (const Stacked& entry : stacked_) {
        if (std::find(desktop.begin(), desktop.end(), entry.hwnd) == desktop.end()) {
            followed.push_back(entry);
        }
    }
    stacked_ = std::move(followed);
    return true;
}

void GtkPresenter::HoldPointer(const std::vector<Stacked>& order) {
    // The newest menu holds the pointer: a submenu above its parent, the parent again once the
    // submenu closes. Drop-down lists do not: a list an edit box opens while the user types
    // must leave the pointer alone.
    HWND menu = nullptr;
    for (const Stacked& entry : order) {
        const HWND hwnd = entry.hwnd;
        auto found = shown_.find(hwnd);
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof(name));
        if (found != shown_.end() && found->second.mapped && std::strcmp(name, "#32768") == 0) {
            menu = hwnd;
            break;
        }
    }
    if (menu == holding_) {
        return;
    }
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    holding_ = nullptr;
    if (menu == nullptr) {
        gdk_seat_ungrab(seat);
        return;
    }
    // Events over this process's other windows still go to them; the rest come to the menu's
    // window with their place on the screen.
    GdkWindow* window = gtk_widget_get_window(shown_[menu].widget);
    if (window != nullptr &&
        gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL_POINTING, TRUE, nullptr, nullptr,
                      nullptr, nullptr) == GDK_GRAB_SUCCESS) {
        holding_ = menu;
    }
}

void GtkPresenter::FollowCaret(HWND hwnd) {
    RunOnWindowThread(hwnd, [this] {
        const HWND focus = GetFocus();
        const std::optional<RECT> caret = VisibleCaret(focus);
        if (!caret) {
            return;
        }
        POINT corner{caret->left, caret->top};
        ClientToScreen(focus, &corner);
        std::lock_guard lock(mutex_);
        caret_ = RECT{corner.x, corner.y, corner.x + caret->right - caret->left,
                      corner.y + caret->bottom - caret->top};
        ScheduleLocked();
    });
}

void GtkPresenter::PlaceInputMethod(const RECT& caret) {
    auto found = shown_.find(focused_);
    if (found == shown_.end()) {
        return;
    }
    const RECT& window = found->second.rect;
    GdkRectangle place{caret.left - window.left, caret.top - window.top, caret.right - caret.left,
                       caret.bottom - caret.top};
    gtk_im_context_set_cursor_location(input_method_, &place);
}

void GtkPresenter::ShowCursor(HCURSOR cursor) {
    GdkDisplay* display = gdk_display_get_default();
    GdkCursor* pointer = nullptr;
    if (GdkPixbuf* picture = cursor != nullptr ? PixbufOfIcon(cursor) : nullptr) {
        ICONINFO info{};
        if (GetIconInfo(cursor, &info)) {
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        pointer = gdk_cursor_new_from_pixbuf(display, picture, static_cast<gint>(info.xHotspot),
                                             static_cast<gint>(info.yHotspot));
        g_object_unref(picture);
    } else {
        pointer = gdk_cursor_new_for_display(display, GDK_BLANK_CURSOR);
    }
    if (pointer_ != nullptr) {
        g_object_unref(pointer_);
    }
    pointer_ = pointer;
    for (const auto& [hwnd, shown] : shown_) {
        if (GdkWindow* window = gtk_widget_get_window(shown.widget)) {
            gdk_window_set_cursor(window, pointer_);
        }
    }
}

void GtkPresenter::TellOwnWindows() {
    if (!raw_input_) {
        return;
    }
    std::vector<unsigned long> windows;
    for (const auto& [hwnd, shown] : shown_) {
        if (GdkWindow* window = gtk_widget_get_window(shown.widget)) {
            windows.push_back(gdk_x11_window_get_xid(window));
        }
    }
    raw_input_->SetOwnWindows(std::move(windows));
}

int GtkPresenter::OnDraw(GtkWidget* widget, void* cr, void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    auto found = presenter->shown_.find(WindowOf(widget));
    if (found == presenter->shown_.end()) {
        return FALSE;
    }
    auto* context = static_cast<cairo_t*>(cr);
    const RECT& place = found->second.rect;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    cairo_clip_extents(context, &left, &top, &right, &bottom);
    RECT part{place.left + static_cast<LONG>(std::floor(left)),
              place.top + static_cast<LONG>(std::floor(top)),
              place.left + static_cast<LONG>(std::ceil(right)),
              place.top + static_cast<LONG>(std::ceil(bottom))};
    // Only the part to paint is copied under the lock; the paint to the X server, which may take
    // long for a big window, runs without it, so that drawing threads reporting damage never
    // wait for it.
    cairo_surface_t* piece = nullptr;
    {
        std::lock_guard lock(presenter->mutex_);
        if (presenter->copy_ == nullptr) {
            return FALSE;
        }
        part = Region::Overlap(part, RECT{0, 0, cairo_image_surface_get_width(presenter->copy_),
                                          cairo_image_surface_get_height(presenter->copy_)});
        if (Region::HasNoArea(part)) {
            return FALSE;
        }
        piece = cairo_image_surface_create(CAIRO_FORMAT_RGB24, part.right - part.left,
                                           part.bottom - part.top);
        if (cairo_surface_status(piece) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(piece);
            return FALSE;
        }
        cairo_surface_flush(presenter->copy_);
        const unsigned char* from = cairo_image_surface_get_data(presenter->copy_);
        const int fromStride = cairo_image_surface_get_stride(presenter->copy_);
        unsigned char* to = cairo_image_surface_get_data(piece);
        const int toStride = cairo_image_surface_get_stride(piece);
        const size_t bytes = static_cast<size_t>(part.right - part.left) * sizeof(Pixel);
        for (int y = part.top; y < part.bottom; ++y) {
            std::memcpy(
                to + static_cast<std::ptrdiff_t>(y - part.top) * toStride,
                from + static_cast<std::ptrdiff_t>(y) * fromStride + part.left * sizeof(Pixel),
                bytes);
        }
    }
    cairo_surface_mark_dirty(piece);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(context, piece, part.left - place.left, part.top - place.top);
    cairo_paint(context);
    cairo_surface_destroy(piece);
    // The window's own drawing adds the views in it, above these pixels.
    return FALSE;
}

int GtkPresenter::OnButton(GtkWidget* widget, GdkEvent* event, void*) {
    const GdkEventButton& button = event->button;
    // A click on the platform's pixels takes the keyboard back from a view in the window.
    if (button.window == gtk_widget_get_window(widget)) {
        gtk_window_set_focus(GTK_WINDOW(widget), nullptr);
    }
    // Double clicks are the platform's to find, from the presses themselves.
    if (button.type != GDK_BUTTON_PRESS && button.type != GDK_BUTTON_RELEASE) {
        return TRUE;
    }
    const bool down = button.type == GDK_BUTTON_PRESS;
    DWORD flags = 0;
    switch (button.button) {
        case 1:
            flags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
            break;
        case 2:
            flags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
            break;
        case 3:
            flags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
            break;
        default:
            return TRUE;
    }
    InjectMouse(flags, RootPoint(button.x_root, button.y_root));
    return TRUE;
}

int GtkPresenter::OnMotion(GtkWidget*, GdkEvent* event, void*) {
    InjectMouse(0, RootPoint(event->motion.x_root, event->motion.y_root));
    return TRUE;
}

int GtkPresenter::OnScroll(GtkWidget*, GdkEvent* event, void*) {
    const GdkEventScroll& scroll = event->scroll;
    if (scroll.direction == GDK_SCROLL_UP || scroll.direction == GDK_SCROLL_DOWN) {
        InjectMouse(MOUSEEVENTF_WHEEL, RootPoint(scroll.x_root, scroll.y_root),
                    scroll.direction == GDK_SCROLL_UP ? kWheelStep : -kWheelStep);
    }
    return TRUE;
}

int GtkPresenter::OnKey(GtkWidget* widget, GdkEvent* event, void* self) {
    // A view in the window has the keyboard: GTK hands it the key.
    if (gtk_window_get_focus(GTK_WINDOW(widget)) != nullptr) {
        return FALSE;
    }
    auto* presenter = static_cast<GtkPresenter*>(self);
    const GdkEventKey& key = event->key;
    const std::optional<KeyStroke> stroke = KeyStroke::FromX(key.keyval, key.hardware_keycode);
    const bool down = key.type == GDK_KEY_PRESS;
    if (down) {
        // Where the key leaves the caret is where the input method's windows go next.
        presenter->FollowCaret(presenter->focused_);
    }
    presenter->committed_.clear();
    presenter->filtering_ = true;
    const bool taken = gtk_im_context_filter_keypress(presenter->input_method_, &event->key);
    presenter->filtering_ = false;
    const std::string text = std::move(presenter->committed_);
    presenter->committed_.clear();
    // A key that simply types its own ASCII character goes in as a key, and TranslateMessage
    // makes the character, as it does for a key pressed on the original system. A key the input
    // method keeps for a composition goes in as VK_PROCESSKEY; what it composes arrives as text.
    const bool plainKey =
        !taken || (text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80);
    if (stroke) {
        const BYTE virtualKey = plainKey || !down ? stroke->virtualKey : VK_PROCESSKEY;
        InjectKey(virtualKey, down, stroke->scanCode, stroke->extended);
    }
    if (!plainKey || (!stroke && !text.empty())) {
        for (const char byte : Utf8ToGbk(text)) {
            InjectCharacter(static_cast<BYTE>(byte));
        }
    }
    return TRUE;
}

void GtkPresenter::OnCommit(GtkIMContext*, const char* text, void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    if (presenter->filtering_) {
        presenter->committed_ += text;
        return;
    }
    for (const char byte : Utf8ToGbk(text)) {
        InjectCharacter(static_cast<BYTE>(byte));
    }
}

int GtkPresenter::OnFocus(GtkWidget* widget, GdkEvent* event, void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    const HWND hwnd = WindowOf(widget);
    // Menus, drop-down lists and tips never take the activation. With the focus following the
    // pointer, one that holds the pointer seems to take the focus from the window below it.
    auto found = presenter->shown_.find(hwnd);
    if (found == presenter->shown_.end() || found->second.popup) {
        return FALSE;
    }
    // Activation runs on the window's own thread, which sends the activation and focus messages
    // and moves that thread's focus, where typed keys go.
    if (event->focus_change.in) {
        gtk_im_context_set_client_window(presenter->input_method_, gtk_widget_get_window(widget));
        gtk_im_context_focus_in(presenter->input_method_);
        // The desktop gave this window the focus (a click, the task bar, the window manager's
        // switcher); a raise that came with it is followed as any restacking by the desktop.
        presenter->presented_ = hwnd;
        presenter->focused_ = hwnd;
        presenter->FollowCaret(hwnd);
        GdkKeymap* keymap = gdk_keymap_get_for_display(gtk_widget_get_display(widget));
        const unsigned modifiers = gdk_keymap_get_modifier_state(keymap);
        const bool capsLock = gdk_keymap_get_caps_lock_state(keymap) != FALSE;
        const bool numLock = gdk_keymap_get_num_lock_state(keymap) != FALSE;
        RunOnWindowThread(hwnd, [presenter, hwnd, modifiers, capsLock, numLock] {
            TakeKeyState(modifiers, capsLock, numLock);
            const std::optional<HWND> left = presenter->TakeLeftFocus(hwnd);
            // The foreground may have gone to another program's window meanwhile, which left
            // this thread's active window as it was.
            if (IsWindowEnabled(hwnd) &&
                (GetActiveWindow() != hwnd || GetForegroundWindow() != hwnd)) {
                if (left) {
                    TellThreadWindows(WM_ACTIVATEAPP, TRUE);
                }
                SetForegroundWindow(hwnd);
            }
            // Back from another program, the control that had the focus has it again.
            if (left && *left != nullptr && GetActiveWindow() == hwnd && IsChild(hwnd, *left) &&
                IsWindowVisible(*left) && IsWindowEnabled(*left)) {
                SetFocus(*left);
            }
        });
    } else {
        gtk_im_context_focus_out(presenter->input_method_);
        // The focus went to another program (or to nothing): the window is deactivated as on
        // the original system when another application takes the foreground. Within this
        // process the activation of the other window does that on its own.
        if (!presenter->FocusIsOurs()) {
            RunOnWindowThread(hwnd, [presenter, hwnd] {
                if (GetActiveWindow() != hwnd) {
                    return;
                }
                presenter->KeepLeftFocus(hwnd, GetFocus());
                SetActiveWindow(nullptr);
                TellThreadWindows(WM_ACTIVATEAPP, FALSE);
            });
        }
    }
    return FALSE;
}

bool GtkPresenter::FocusIsOurs() const {
    Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
    const Window root = DefaultRootWindow(display);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == PointerRoot) {
        // The focus follows the pointer: the top-level window under it has it.
        Window rootReturn = None;
        int rootX = 0;
        int rootY = 0;
        int x = 0;
        int y = 0;
        unsigned buttons = 0;
        focus = None;
        XQueryPointer(display, root, &rootReturn, &focus, &rootX, &rootY, &x, &y, &buttons);
    }
    return WindowOrAncestorMatches(display, focus, [this](Window window) {
        for (const auto& [hwnd, shown] : shown_) {
            GdkWindow* gdkWindow = gtk_widget_get_window(shown.widget);
            if (gdkWindow != nullptr && gdk_x11_window_get_xid(gdkWindow) == window) {
                return true;
            }
        }
        return false;
    });
}

void GtkPresenter::KeepLeftFocus(HWND hwnd, HWND focus) {
    std::lock_guard lock(mutex_);
    left_focus_[hwnd] = focus;
}

std::optional<HWND> GtkPresenter::TakeLeftFocus(HWND hwnd) {
    std::lock_guard lock(mutex_);
    auto found = left_focus_.find(hwnd);
    if (found == left_focus_.end()) {
        return std::nullopt;
    }
    const HWND focus = found->second;
    left_focus_.erase(found);
    return focus;
}

int GtkPresenter::OnDelete(GtkWidget* widget, GdkEvent*, void*) {
    PostMessageA(WindowOf(widget), WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

int GtkPresenter::OnWindowState(GtkWidget* widget, GdkEvent* event, void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    const HWND hwnd = WindowOf(widget);
    auto found = presenter->shown_.find(hwnd);
    if (found == presenter->shown_.end() || found->second.popup) {
        return FALSE;
    }
    Shown& shown = found->second;
    const GdkEventWindowState& change = event->window_state;
    const bool minimized = (change.new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    const bool maximized = (change.new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    // The desktop's own minimise, maximise and restore reach the program as its caption buttons'
    // do; the echo of a change the program made itself is left alone.
    if (change.changed_mask & GDK_WINDOW_STATE_ICONIFIED) {
        shown.minimized = minimized;
        if (minimized != (IsIconic(hwnd) != FALSE)) {
            PostMessageA(hwnd, WM_SYSCOMMAND, minimized ? SC_MINIMIZE : SC_RESTORE, 0);
            return FALSE;
        }
    }
    if ((change.changed_mask & GDK_WINDOW_STATE_MAXIMIZED) && !minimized) {
        shown.maximized = maximized;
        if (maximized != (IsZoomed(hwnd) != FALSE)) {
            PostMessageA(hwnd, WM_SYSCOMMAND, maximized ? SC_MAXIMIZE : SC_RESTORE, 0);
        }
    }
    return FALSE;
}

int GtkPresenter::OnConfigure(GtkWidget* widget, GdkEvent* event, void* self) {
    auto* presenter = static_cast<GtkPresenter*>(self);
    const HWND hwnd = WindowOf(widget);
    auto found = presenter->shown_.find(hwnd);
    if (found == presenter->shown_.end() || found->second.popup || found->second.minimized ||
        !found->second.mapped) {
        return FALSE;
    }
    Shown& shown = found->second;
    const GdkEventConfigure& configure = event->configure;
    const RECT now{configure.x, configure.y, configure.x + configure.width,
                   configure.y + configure.height};
    if (SameRect(now, shown.rect)) {
        shown.asked.clear();
        return FALSE;
    }
    auto asked = std::find_if(shown.asked.begin(), shown.asked.end(),
                              [&](const RECT& rect) { return SameRect(rect, now); });
    if (asked != shown.asked.end()) {
        shown.asked.erase(shown.asked.begin(), asked + 1);
        return FALSE;
    }
    // The window manager placed or sized the window itself (a panel it keeps clear, a border it
    // dragged): the platform follows, so that pixels and clicks land where the window is.
    shown.rect = now;
    shown.asked.clear();
    RunOnWindowThread(hwnd, [hwnd, now] {
        SetWindowPos(hwnd, nullptr, now.left, now.top, now.right - now.left, now.bottom - now.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    });
    gtk_widget_queue_draw(widget);
    return FALSE;
}

int GtkPresenter::OnLeave(GtkWidget*, GdkEvent* event, void*) {
    const GdkEventCrossing& crossing = event->crossing;
    // The pointer went to another program or to the desktop, where no motion of ours follows it:
    // the platform's cursor goes there too, so hot-tracking ends as the pointer leaves.
    if (crossing.mode == GDK_CROSSING_NORMAL && crossing.detail != GDK_NOTIFY_INFERIOR) {
        InjectMouse(0, RootPoint(crossing.x_root, crossing.y_root));
    }
    return FALSE;
}

}  // namespace platform
