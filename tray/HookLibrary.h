// The holder of the outside hook library "hookpad.dll", which turns keys and mouse events of
// every program into messages to one window of the tray companion: 1325 for keys (wParam the
// virtual key, lParam bit 3 a press that may fire a hot key, bit 2 Alt, bit 1 Ctrl, bit 0 Shift)
// and 1324 for mouse events (wParam & 7: 1 left, 4 right). Without the library, or without one of
// its exports, nothing is hooked and nothing calls into it.
#pragma once

#include "platform/windows/WindowApi.h"

inline constexpr UINT WM_HOOK_MOUSE = 1324;
inline constexpr UINT WM_HOOK_KEY = 1325;

class CHookLibrary {
public:
    virtual ~CHookLibrary();

    void Load();
    // The main keyboard hook, reporting to `window`.
    void InstallMainHook(HWND window);
    // The capture's keyboard and mouse hooks, reporting to `window`.
    void InstallCaptureHooks(HWND window);
    void UnhookAll();
    void Unload();

    bool IsLoaded() const { return module_ != nullptr; }

private:
    using EnvironmentFunction = void (*)(HWND);
    using NextHookFunction = void (*)(HHOOK);

    EnvironmentFunction initialEnvironment_ = nullptr;
    NextHookFunction setNextHook_ = nullptr;
    HOOKPROC keyboardHookProc_ = nullptr;
    HOOKPROC keyboardHookProc2_ = nullptr;
    HOOKPROC mouseProc_ = nullptr;
    HMODULE module_ = nullptr;
    HHOOK mouseHook_ = nullptr;
    HHOOK mainKeyboardHook_ = nullptr;
    HHOOK captureKeyboardHook_ = nullptr;
};

// The program's one holder.
CHookLibrary& HookLibrary();
