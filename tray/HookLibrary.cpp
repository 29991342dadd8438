#include "tray/HookLibrary.h"

#include "platform/process/LibraryApi.h"

CHookLibrary& HookLibrary() {
    static CHookLibrary library;
    return library;
}

CHookLibrary::~CHookLibrary() {
    Unload();
}

void CHookLibrary::Load() {
    if (module_ != nullptr) {
        return;
    }
    HMODULE module = ::LoadLibraryA("hookpad.dll");
    if (module == nullptr) {
        return;
    }
    initialEnvironment_ =
        reinterpret_cast<EnvironmentFunction>(::GetProcAddress(module, "InitialEnvironment"));
    setNextHook_ = reinterpret_cast<NextHookFunction>(::GetProcAddress(module, "SetNextHook"));
    keyboardHookProc_ = reinterpret_cast<HOOKPROC>(::GetProcAddress(module, "KeyboardHookProc"));
    keyboardHookProc2_ = reinterpret_cast<HOOKPROC>(::GetProcAddress(module, "KeyboardHookProc2"));
    mouseProc_ = reinterpret_cast<HOOKPROC>(::GetProcAddress(module, "MouseProc"));
    if (initialEnvironment_ == nullptr || setNextHook_ == nullptr || keyboardHookProc_ == nullptr ||
        keyboardHookProc2_ == nullptr || mouseProc_ == nullptr) {
        // A library without every export is not used at all.
        ::FreeLibrary(module);
        initialEnvironment_ = nullptr;
        setNextHook_ = nullptr;
        keyboardHookProc_ = keyboardHookProc2_ = mouseProc_ = nullptr;
        return;
    }
    module_ = module;
}

void CHookLibrary::InstallMainHook(HWND window) {
    if (module_ == nullptr) {
        return;
    }
    UnhookAll();
    initialEnvironment_(window);
    mainKeyboardHook_ = ::SetWindowsHookExA(WH_KEYBOARD, keyboardHookProc_, module_, 0);
    setNextHook_(mainKeyboardHook_);
}

void CHookLibrary::InstallCaptureHooks(HWND window) {
    if (module_ == nullptr) {
        return;
    }
    UnhookAll();
    initialEnvironment_(window);
    captureKeyboardHook_ = ::SetWindowsHookExA(WH_KEYBOARD, keyboardHookProc2_, module_, 0);
    mouseHook_ = ::SetWindowsHookExA(WH_MOUSE, mouseProc_, module_, 0);
}

void CHookLibrary::UnhookAll() {
    if (module_ == nullptr) {
        return;
    }
    if (mouseHook_ != nullptr) {
        ::UnhookWindowsHookEx(mouseHook_);
        mouseHook_ = nullptr;
    }
    if (mainKeyboardHook_ != nullptr) {
        ::UnhookWindowsHookEx(mainKeyboardHook_);
        mainKeyboardHook_ = nullptr;
        setNextHook_(nullptr);
    }
    if (captureKeyboardHook_ != nullptr) {
        ::UnhookWindowsHookEx(captureKeyboardHook_);
        captureKeyboardHook_ = nullptr;
        setNextHook_(nullptr);
    }
}

void CHookLibrary::Unload() {
    if (module_ == nullptr) {
        return;
    }
    UnhookAll();
    ::FreeLibrary(module_);
    module_ = nullptr;
}
