// A second program for the window tests between processes. Every line it prints ends with a
// newline and is flushed at once.
//   window_peer serve <title> [visible|owned]
//                                         holds a window with that title (hidden unless asked;
//                                         "owned" adds a visible pop-up "<title> pop-up" that it
//                                         owns),
//                                         prints "ready", then "got <message> <wParam> <lParam>"
//                                         for WM_CLOSE and every message from WM_USER on, and
//                                         "closed" once the window is gone; message 0x464
//                                         renames the window "改名后", 0x465 answers
//                                         wParam + lParam, 0x466 sends 0x465 with its own
//                                         parameters to the window "Asker" and answers its
//                                         answer + 1;
//   window_peer single <title>            a single-instance program: when a window with that
//                                         title exists it restores it, brings it to the front,
//                                         prints "found" and ends with status 3; else serves;
//   window_peer post <title> <m> <w> <l>  posts to the window with that title: "posted" or
//                                         "missing";
//   window_peer send <title> <m> <w> <l>  sends: "result <n>" or "missing";
//   window_peer find <title>              "found visible", "found hidden" or "missing";
//   window_peer hook <title>              installs keyboard, mouse and low-level hooks on every
//                                         thread, prints "ready" and then one line per input
//                                         that its hooks see in any process: "key <vk> <down|up>",
//                                         "mouse <message> <x> <y>", "keyll <message> <vk>
//                                         <flags>", "mousell <message> <x> <y>"; it eats F9 in
//                                         its keyboard hook, and F10 removes every hook
//                                         ("unhooked").
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/process/LibraryApi.h"
#include "platform/windows/ProcessWindows.h"
#include "platform/windows/WindowApi.h"

namespace {

constexpr UINT kRename = 0x464;
constexpr UINT kAdd = 0x465;
constexpr UINT kAskBack = 0x466;

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

LRESULT CALLBACK PeerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message >= WM_USER) {
        Say("got " + std::to_string(message) + " " + std::to_string(wParam) + " " +
            std::to_string(lParam));
    }
    switch (message) {
        case kRename:
            return SetWindowTextA(hwnd, "改名后");
        case kAdd:
            return static_cast<LRESULT>(wParam) + lParam;
        case kAskBack:
            return SendMessageA(FindWindowA(nullptr, "Asker"), kAdd, wParam, lParam) + 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

HHOOK hooks[4] = {};

LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam) {
    const bool down = (static_cast<std::uint64_t>(lParam) & (1u << 31)) == 0;
    Say("key " + std::to_string(wParam) + (down ? " down" : " up"));
    if (wParam == VK_F10 && down) {
        for (HHOOK& hook : hooks) {
            UnhookWindowsHookEx(hook);
            hook = nullptr;
        }
        Say("unhooked");
        return 0;
    }
    return wParam == VK_F9 ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    Say("mouse " + std::to_string(wParam) + " " + std::to_string(info->pt.x) + " " +
        std::to_string(info->pt.y));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyLowLevelHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    Say("keyll " + std::to_string(wParam) + " " + std::to_string(info->vkCode) + " " +
        std::to_string(info->flags));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseLowLevelHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    Say("mousell " + std::to_string(wParam) + " " + std::to_string(info->pt.x) + " " +
        std::to_string(info->pt.y));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int Hook() {
    HINSTANCE module = GetModuleHandleA(nullptr);
    hooks[0] = SetWindowsHookExA(WH_KEYBOARD, KeyHook, module, 0);
    hooks[1] = SetWindowsHookExA(WH_MOUSE, MouseHook, module, 0);
    hooks[2] = SetWindowsHookExA(WH_KEYBOARD_LL, KeyLowLevelHook, module, 0);
    hooks[3] = SetWindowsHookExA(WH_MOUSE_LL, MouseLowLevelHook, module, 0);
    Say("ready");
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    return 0;
}

int Serve(const std::string& title, const std::string& option) {
    const bool visible = option == "visible";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PeerProcedure;
    windowClass.lpszClassName = "WindowPeer";
    if (RegisterClassA(&windowClass) == 0) {
        return 4;
    }
    const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
    HWND main = CreateWindowExA(0, "WindowPeer", title.c_str(), style, 300, 300, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
    if (main == nullptr) {
        return 4;
    }
    if (option == "owned" &&
        CreateWindowExA(0, "WindowPeer", (title + " pop-up").c_str(), WS_POPUP | WS_VISIBLE, 320,
                        320, 50, 50, main, nullptr, nullptr, nullptr) == nullptr) {
        return 4;
    }
    Say("ready");
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Say("closed");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || !platform::ConnectWindowsToLink()) {
        return 2;
    }
    const std::string mode = argv[1];
    const char* title = argv[2];
    if (mode == "hook") {
        return Hook();
    }
    if (mode == "serve") {
        return Serve(title, argc > 3 ? argv[3] : "");
    }
    HWND found = FindWindowA(nullptr, title);
    if (mode == "single") {
        if (found == nullptr) {
            return Serve(title, "visible");
        }
        ShowWindow(found, SW_SHOWNORMAL);
        SetForegroundWindow(found);
        Say("found");
        return 3;
    }
    if (mode == "find") {
        Say(found == nullptr         ? "missing"
            : IsWindowVisible(found) ? "found visible"
                                     : "found hidden");
        return 0;
    }
    if ((mode != "post" && mode != "send") || argc != 6) {
        return 2;
    }
    if (found == nullptr) {
        Say("missing");
        return 0;
    }
    const auto message = static_cast<UINT>(std::strtoul(argv[3], nullptr, 0));
    const auto wParam = static_cast<WPARAM>(std::strtoull(argv[4], nullptr, 0));
    const auto lParam = static_cast<LPARAM>(std::strtoll(argv[5], nullptr, 0));
    if (mode == "post") {
        Say(PostMessageA(found, message, wParam, lParam) ? "posted" : "failed");
    } else {
        Say("result " + std::to_string(SendMessageA(found, message, wParam, lParam)));
    }
    return 0;
}
