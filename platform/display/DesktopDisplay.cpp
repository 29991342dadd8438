#include "platform/display/DesktopDisplay.h"

#include <memory>

#include "platform/controls/Clipboard.h"
#include "platform/controls/NotifyIcon.h"
#include "platform/display/GtkClipboard.h"
#include "platform/display/GtkPresenter.h"
#include "platform/display/WebKitModule.h"
#include "platform/display/XDesktopWindows.h"
#include "platform/display/XHotKeys.h"
#include "platform/display/XScreenReader.h"
#include "platform/display/XTestInput.h"
#include "platform/drawing/CursorObserver.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/VirtualScreen.h"

namespace {

using namespace platform;

GtkPresenter* running = nullptr;
std::shared_ptr<XScreenReader> screen_reader;
// Kept until the process ends: a program thread may be inside mouse_event or RegisterHotKey as
// the display stops, or hold a port of a foreign window.
std::unique_ptr<XTestInput> desktop_input;
std::unique_ptr<XDesktopWindows> desktop_windows;
std::unique_ptr<XHotKeys> hot_keys;

}  // namespace

extern "C" bool PlatformStartDesktop() {
    if (running != nullptr) {
        return true;
    }
    running = GtkPresenter::Start();
    if (running == nullptr) {
        return false;
    }
    VirtualScreen::Get().SetPresenter(running);
    SetDesktopClipboard(running->clipboard());
    SetNotifyAreaObserver([presenter = running] { presenter->IconsChanged(); });
    SetCursorObserver([presenter = running](HCURSOR cursor) { presenter->CursorChanged(cursor); });
    // Shared with the reader function, which a capture may still hold while the display stops.
    screen_reader = XScreenReader::Open(nullptr);
    if (screen_reader) {
        SetScreenReader(
            [reader = screen_reader, presenter = running](const RECT& area, Surface& into) {
                presenter->Settle();
                return reader->Read(area, into);
            });
    }
    if (!desktop_input) {
        desktop_input = XTestInput::Open(nullptr);
    }
    SetDesktopInput(desktop_input.get());
    if (!desktop_windows) {
        desktop_windows = XDesktopWindows::Open(nullptr);
    }
    if (desktop_windows) {
        SetDesktopWindowRefresher([windows = desktop_windows.get()] { windows->Refresh(); });
    }
    if (!hot_keys) {
        hot_keys = XHotKeys::Start(nullptr);
    }
    SetDesktopHotKeys(hot_keys.get());
    WebKitModule::Offer(running);
    return true;
}

extern "C" void PlatformStopDesktop() {
    if (running == nullptr) {
        return;
    }
    WebKitModule::Withdraw();
    VirtualScreen::Get().SetPresenter(nullptr);
    SetDesktopClipboard(nullptr);
    SetNotifyAreaObserver(nullptr);
    SetCursorObserver(nullptr);
    SetScreenReader(nullptr);
    screen_reader.reset();
    SetDesktopInput(nullptr);
    SetDesktopWindowRefresher(nullptr);
    SetDesktopHotKeys(nullptr);
    if (hot_keys) {
        hot_keys->ReleaseAll();
    }
    if (desktop_windows) {
        desktop_windows->Forget();
    }
    running->clipboard()->Stop();
    running->Stop();
    running = nullptr;
}
