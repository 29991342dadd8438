// The state the window manager keeps for one window. Only the window manager touches it, always
// under its lock; programs see it through handles.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows/WindowClass.h"
#include "platform/windows/WindowStructs.h"

namespace platform {

class ThreadQueue;
class ForeignWindowPort;

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HINSTANCE instance = nullptr;
    // Every window has a parent in the tree: top-level windows hang under the desktop.
    HWND parent = nullptr;
    HWND owner = nullptr;
    UINT_PTR id = 0;
    HMENU menu = nullptr;
    std::string text;
    // Relative to the parent's client area (the screen for top-level windows).
    RECT rect{};
    // The client rectangle in the parent's client coordinates as last reported by WM_MOVE and
    // WM_SIZE, so that a frame change after a style change still reports the new client size.
    RECT reportedClient{};
    // The rectangle a minimised or maximised window returns to.
    RECT normalRect{};
    bool restoreToMaximized = false;
    LONG_PTR userData = 0;
    std::vector<unsigned char> extraBytes;
    // Top of the Z order first.
    std::vector<HWND> children;
    DWORD threadId = 0;
    std::shared_ptr<ThreadQueue> queue;

    // The update area is kept as one rectangle in client coordinates, the union of everything
    // invalidated since the last paint.
    bool needsPaint = false;
    RECT updateRect{};
    bool needsErase = false;

    // Set for a window of another process; it then has no queue here.
    std::shared_ptr<ForeignWindowPort> foreignPort;
    DWORD processId = 0;

    // Counts moves to the top of its band, so that the link can tell a raise (which puts the
    // window above every other process's windows) from other changes.
    std::uint64_t raises = 0;

    bool destroying = false;
    std::function<bool(MSG&)> preTranslate;
};

}  // namespace platform
