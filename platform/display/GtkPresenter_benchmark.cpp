// The presenter on the X server, each beside a peer doing the same work through GTK alone, in a
// process of its own on the same server. Run under an X server of its own:
//   xvfb-run -a -s "-screen 0 1024x768x24"
//   build/release/platform/display/platform_display_benchmarks
// Input to pixels: a key pressed on the desktop (XTest) until the X server shows the typed
// character, read back with XGetImage; the platform's edit control beside a GTK entry.
// A full-window repaint: a 1024x768 window painted anew in another colour until the X server shows
// it in two opposite corners; the platform's window beside a GTK window painting a cairo image
// of that size. The peers run first, so that their processes are forked before this one has
// threads; each benchmark runs once, for a fixed count of iterations.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/controls/ControlClasses.h"
#include "platform/controls/Edit.h"
#include "platform/display/Display.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

// After the others: Xlib's macros (None, Status...) would spoil their names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

using namespace std::chrono_literals;

constexpr RECT kEditPlace{100, 100, 400, 140};
constexpr char kPeerTitle[] = "Peer entry";
constexpr char kPeerRepaintTitle[] = "Peer repaint";
constexpr int kFullWidth = 1024;
constexpr int kFullHeight = 768;
// The two colours a repainted window takes in turn, as the X server's 24-bit pixels.
constexpr unsigned long kRepaintColours[] = {0x204080, 0xC08020};
// Asks the peer to paint itself in its other colour.
constexpr char kRepaintRequest[] = "_BENCH_REPAINT";

// The pixels of a part of the screen as the X server has them.
std::vector<unsigned long> ScreenPart(Display* display, const RECT& part) {
    std::vector<unsigned long> pixels;
    XImage* image = XGetImage(display, DefaultRootWindow(display), part.left, part.top,
                              static_cast<unsigned>(part.right - part.left),
                              static_cast<unsigned>(part.bottom - part.top), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return pixels;
    }
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            pixels.push_back(XGetPixel(image, x, y));
        }
    }
    XDestroyImage(image);
    return pixels;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Types one key with XTest and waits until the part of the screen changes; the key alternates
// between a letter and BackSpace, so the text never grows.
void TypeUntilShown(benchmark::State& state, Display* display, const RECT& part, bool pump) {
    const KeyCode keys[] = {XKeysymToKeycode(display, XK_a),
                            XKeysymToKeycode(display, XK_BackSpace)};
    int next = 0;
    int typed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A person's keys come at any moment of the desktop's 60 Hz frames, not right after one:
        // each key waits a different part of a frame first.
        const auto pause = std::chrono::steady_clock::now() + 1ms * (typed++ * 7 % 17);
        while (std::chrono::steady_clock::now() < pause) {
            if (pump) {
                PumpMessages();
            }
        }
        const std::vector<unsigned long> before = ScreenPart(display, part);
        state.ResumeTiming();
        XTestFakeKeyEvent(display, keys[next], True, CurrentTime);
        XTestFakeKeyEvent(display, keys[next], False, CurrentTime);
        XFlush(display);
        const auto limit = std::chrono::steady_clock::now() + 2s;
        while (ScreenPart(display, part) == before) {
            if (pump) {
                PumpMessages();
            }
            if (std::chrono::steady_clock::now() > limit) {
                state.SkipWithError("the typed key never showed");
                return;
            }
        }
        next = 1 - next;
    }
}

// The X window whose name is `title`, among the root's children; 0 when there is none.
Window FindByTitle(Display* display, const char* title) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name != nullptr) {
            found = std::string(name) == title ? children[i] : 0;
            XFree(name);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

// The window once it shows on the screen.
Window WaitForTitle(Display* display, const char* title) {
    for (int i = 0; i < 500; ++i) {
        XWindowAttributes attributes;
        const Window window = FindByTitle(display, title);
        if (window != 0 && XGetWindowAttributes(display, window, &attributes) &&
            attributes.map_state == IsViewable) {
            return window;
        }
        PumpMessages();
        std::this_thread::sleep_for(10ms);
    }
    return 0;
}

// The peer: a GTK entry of a process of its own, at the same place on the screen.
void BM_KeyIntoGtkEntryToPixelsOnTheServer(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X server (xvfb-run)");
        return;
    }
    const pid_t peer = fork();
    if (peer == 0) {
        gtk_init(nullptr, nullptr);
        GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(window), kPeerTitle);
        gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
        gtk_window_move(GTK_WINDOW(window), kEditPlace.left, kEditPlace.top);
        gtk_window_set_default_size(GTK_WINDOW(window), kEditPlace.right - kEditPlace.left,
                                    kEditPlace.bottom - kEditPlace.top);
        gtk_container_add(GTK_CONTAINER(window), gtk_entry_new());
        gtk_widget_show_all(window);
        gtk_main();
        _exit(0);
    }
    Display* display = XOpenDisplay(nullptr);
    const Window shown = WaitForTitle(display, kPeerTitle);
    XRaiseWindow(display, shown);
    XSetInputFocus(display, shown, RevertToParent, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(300ms);
    TypeUntilShown(state, display, kEditPlace, false);
    XCloseDisplay(display);
    kill(peer, SIGTERM);
    waitpid(peer, nullptr, 0);
}
BENCHMARK(BM_KeyIntoGtkEntryToPixelsOnTheServer)
    ->UseRealTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

// GTK paints at most once a frame of the desktop (60 Hz): a repaint asked for right after a paint
// waits for the next frame. Each repaint comes after a pause longer than a frame, so that what
// is measured is the repaint itself, not that wait.
void WaitOutTheFrame(benchmark::State& state, bool pump) {
    state.PauseTiming();
    const auto end = std::chrono::steady_clock::now() + 20ms;
    while (std::chrono::steady_clock::now() < end) {
        if (pump) {
            PumpMessages();
        }
        std::this_thread::sleep_for(1ms);
    }
    state.ResumeTiming();
}

// Waits until the X server shows `colour` in the screen's top left and bottom right pixels.
bool WaitForCorners(Display* display, unsigned long colour, bool pump) {
    const auto limit = std::chrono::steady_clock::now() + 2s;
    const RECT corners[] = {{0, 0, 1, 1},
                            {kFullWidth - 1, kFullHeight - 1, kFullWidth, kFullHeight}};
    for (;;) {
        bool shown = true;
        for (const RECT& corner : corners) {
            const std::vector<unsigned long> pixel = ScreenPart(display, corner);
            shown = shown && pixel.size() == 1 && (pixel[0] & 0xFFFFFF) == colour;
        }
        if (shown) {
            return true;
        }
        if (pump) {
            PumpMessages();
        }
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
    }
}

// The peer's window: a cairo image of its size, filled with its next colour whenever the
// benchmark changes the request property, and painted whole.
struct PeerRepaint {
    cairo_surface_t* image = nullptr;
    int next = 0;
};

void FillImage(cairo_surface_t* image, unsigned long colour) {
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < kFullHeight; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        std::fill(row, row + kFullWidth, static_cast<uint32_t>(colour));
    }
    cairo_surface_mark_dirty(image);
}

void RunPeerRepaint() {
    gtk_init(nullptr, nullptr);
    PeerRepaint peer;
    peer.image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFullWidth, kFullHeight);
    FillImage(peer.image, kRepaintColours[1]);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), kPeerRepaintTitle);
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    gtk_widget_set_app_paintable(window, TRUE);
    gtk_window_move(GTK_WINDOW(window), 0, 0);
    gtk_window_set_default_size(GTK_WINDOW(window), kFullWidth, kFullHeight);
    gtk_widget_add_events(window, GDK_PROPERTY_CHANGE_MASK);
    g_signal_connect(window, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, PeerRepaint* peer) {
                         cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
                         cairo_set_source_surface(cr, peer->image, 0, 0);
                         cairo_paint(cr);
                         return TRUE;
                     }),
                     &peer);
    g_signal_connect(window, "property-notify-event",
                     G_CALLBACK(+[](GtkWidget* widget, GdkEventProperty* event, PeerRepaint* peer) {
                         if (event->atom == gdk_atom_intern_static_string(kRepaintRequest)) {
                             FillImage(peer->image, kRepaintColours[peer->next]);
                             peer->next = 1 - peer->next;
                             gtk_widget_queue_draw(widget);
                         }
                         return FALSE;
                     }),
                     &peer);
    gtk_widget_show_all(window);
    gtk_main();
}

void BM_FullWindowRepaintByGtkToPixelsOnTheServer(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X server (xvfb-run)");
        return;
    }
    const pid_t peer = fork();
    if (peer == 0) {
        RunPeerRepaint();
        _exit(0);
    }
    Display* display = XOpenDisplay(nullptr);
    const Window shown = WaitForTitle(display, kPeerRepaintTitle);
    XRaiseWindow(display, shown);
    XSync(display, False);
    const Atom request = XInternAtom(display, kRepaintRequest, False);
    int next = 0;
    for (auto _ : state) {
        WaitOutTheFrame(state, false);
        const long serial = next;
        XChangeProperty(display, shown, request, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&serial), 1);
        XFlush(display);
        if (!WaitForCorners(display, kRepaintColours[next], false)) {
            state.SkipWithError("the repaint never showed");
            break;
        }
        next = 1 - next;
    }
    XCloseDisplay(display);
    kill(peer, SIGTERM);
    waitpid(peer, nullptr, 0);
}
BENCHMARK(BM_FullWindowRepaintByGtkToPixelsOnTheServer)
    ->UseRealTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

// The presenter runs from the first benchmark that needs it until the last one ends.
void StartPresenter() {
    static const bool started = [] {
        setenv("PLATFORM_DISPLAY", "desktop", 1);
        platform::InstallScreen();
        platform::StartDisplay();
        platform::RegisterControlClasses();
        return true;
    }();
    (void)started;
}

int g_repaint_colour = 0;

LRESULT CALLBACK PaintInColour(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        const unsigned long colour = kRepaintColours[g_repaint_colour];
        HBRUSH brush =
            CreateSolidBrush(RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void BM_FullWindowRepaintByThePresenterToPixelsOnTheServer(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X server (xvfb-run)");
        return;
    }
    StartPresenter();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PaintInColour;
    windowClass.lpszClassName = "RepaintBench";
    RegisterClassA(&windowClass);
    g_repaint_colour = 1;
    HWND window = CreateWindowExA(0, "RepaintBench", "Repaint bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                  kFullWidth, kFullHeight, nullptr, nullptr, nullptr, nullptr);
    Display* display = XOpenDisplay(nullptr);
    WaitForTitle(display, "Repaint bench");
    if (!WaitForCorners(display, kRepaintColours[1], true)) {
        state.SkipWithError("the window never showed");
    }
    for (auto _ : state) {
        WaitOutTheFrame(state, true);
        g_repaint_colour = 1 - g_repaint_colour;
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        if (!WaitForCorners(display, kRepaintColours[g_repaint_colour], true)) {
            state.SkipWithError("the repaint never showed");
            break;
        }
    }
    XCloseDisplay(display);
    DestroyWindow(window);
    PumpMessages();
}
BENCHMARK(BM_FullWindowRepaintByThePresenterToPixelsOnTheServer)
    ->UseRealTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

void BM_KeyIntoEditToPixelsOnTheServer(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X server (xvfb-run)");
        return;
    }
    StartPresenter();
    // A captioned window, which the desktop lets take the focus, with the edit where the peer's
    // entry was.
    HWND frame = CreateWindowExA(0, "STATIC", "Edit bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 500, 200, nullptr, nullptr, nullptr, nullptr);
    POINT origin{kEditPlace.left, kEditPlace.top};
    ScreenToClient(frame, &origin);
    HWND edit =
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_LEFT, origin.x,
                        origin.y, kEditPlace.right - kEditPlace.left,
                        kEditPlace.bottom - kEditPlace.top, frame, nullptr, nullptr, nullptr);
    Display* display = XOpenDisplay(nullptr);
    const Window shown = WaitForTitle(display, "Edit bench");
    SetForegroundWindow(frame);
    SetFocus(edit);
    XSetInputFocus(display, shown, RevertToParent, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(300ms);
    PumpMessages();
    TypeUntilShown(state, display, kEditPlace, true);
    XCloseDisplay(display);
    DestroyWindow(frame);
    // The last benchmark of the presenter.
    platform::StopDisplay();
}
BENCHMARK(BM_KeyIntoEditToPixelsOnTheServer)
    ->UseRealTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace
