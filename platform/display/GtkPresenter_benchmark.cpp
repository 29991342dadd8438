// Input to pixels on the X server: a key pressed on the desktop (XTest) until the X server shows
// the typed character, read back with XGetImage. Run under an X server of its own:
//   xvfb-run -a -s "-screen 0 1024x768x24"
//   build/release/platform/display/platform_display_benchmarks
// The platform's edit control, shown by the presenter, beside the peer: a GTK entry in a process
// of its own, the toolkit's own path from key to pixels on the same server.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

using namespace std::chrono_literals;

constexpr RECT kEditPlace{100, 100, 400, 140};
constexpr char kPeerTitle[] = "Peer entry";

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

// The peer: a GTK entry of a process of its own, at the same place on the screen. It runs first,
// so that its process is forked before this one has any threads. Each runs once, for a fixed
// count of keys.
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

void BM_KeyIntoEditToPixelsOnTheServer(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X server (xvfb-run)");
        return;
    }
    setenv("PLATFORM_DISPLAY", "desktop", 1);
    platform::InstallScreen();
    platform::StartDisplay();
    platform::RegisterControlClasses();
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
    platform::StopDisplay();
}
BENCHMARK(BM_KeyIntoEditToPixelsOnTheServer)
    ->UseRealTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace
