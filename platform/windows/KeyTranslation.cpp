// Turning key messages into character messages, as a US keyboard layout gives them.
#include <mutex>

#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {
namespace {

// The character a key gives on a US layout, or 0.
char CharacterOf(BYTE key, const BYTE* state) {
    const bool shift = (state[VK_SHIFT] & 0x80) != 0;
    const bool control = (state[VK_CONTROL] & 0x80) != 0;
    const bool capsLock = (state[VK_CAPITAL] & 0x01) != 0;
    if (key >= 'A' && key <= 'Z') {
        if (control) {
            return static_cast<char>(key - 'A' + 1);
        }
        return static_cast<char>((shift != capsLock) ? key : key - 'A' + 'a');
    }
    if (key >= '0' && key <= '9') {
        if (control) {
            return 0;
        }
        return shift ? ")!@#$%^&*("[key - '0'] : static_cast<char>(key);
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        return static_cast<char>('0' + key - VK_NUMPAD0);
    }
    switch (key) {
        case VK_SPACE:
            return ' ';
        case VK_RETURN:
            return control ? '\n' : '\r';
        case VK_BACK:
            return control ? 0x7F : 0x08;
        case VK_TAB:
            return control ? 0 : '\t';
        case VK_ESCAPE:
            return 0x1B;
        case VK_MULTIPLY:
            return '*';
        case VK_ADD:
            return '+';
        case VK_SUBTRACT:
            return '-';
        case VK_DECIMAL:
            return '.';
        case VK_DIVIDE:
            return '/';
        default:
            break;
    }
    if (control) {
        return 0;
    }
    struct Pair {
        BYTE key;
        char plain;
        char shifted;
    };
    static constexpr Pair kPunctuation[] = {
        {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
        {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
        {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
        {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
    };
    for (const Pair& pair : kPunctuation) {
        if (pair.key == key) {
            return shift ? pair.shifted : pair.plain;
        }
    }
    return 0;
}

}  // namespace
}  // namespace platform

using platform::WindowSystem;

BOOL TranslateMessage(const MSG* lpMsg) {
    if (lpMsg == nullptr) {
        return FALSE;
    }
    const UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_KEYUP &&
        message != WM_SYSKEYUP) {
        return FALSE;
    }
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        return TRUE;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const char character = platform::CharacterOf(static_cast<BYTE>(lpMsg->wParam), queue->keyState);
    if (character != 0) {
        // The character is the next message the thread takes.
        queue->posted.push_front(
            MSG{lpMsg->hwnd, static_cast<UINT>(message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR),
                static_cast<WPARAM>(static_cast<unsigned char>(character)), lpMsg->lParam,
                lpMsg->time, lpMsg->pt});
        queue->Wake();
    }
    return TRUE;
}
