// A key of the X keyboard as the programs see it: the virtual-key code, the scan code of the
// same key on a PC keyboard and whether it is one of the extended keys (those whose scan code
// comes after an E0 prefix: the right Ctrl and Alt, the arrows and the block above them...).
#pragma once

#include <optional>

#include "platform/base/WinTypes.h"

namespace platform {

struct KeyStroke {
    BYTE virtualKey = 0;
    BYTE scanCode = 0;
    bool extended = false;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;

    // From an X key event: `keyval` is the keysym the layout gives the key now, `keycode` the
    // hardware code (the Linux input code plus 8, as the X servers of Linux number keys). Letters
    // follow the layout; every other key keeps its place on the keyboard, as virtual keys of
    // the punctuation keys do on a US layout. Keys X makes up (keycodes remapped by tools that
    // type text) get their virtual key from the keysym alone, with no scan code. Nothing for a
    // keysym that no virtual key stands for.
    static std::optional<KeyStroke> FromX(unsigned keyval, unsigned keycode);
    // The X keycode of the key a program names, for pressing it on the desktop: by the scan code
    // when one is given (with the extended flag telling the right Ctrl from the left), else by
    // the virtual key's place on a US keyboard; VK_SHIFT, VK_CONTROL and VK_MENU are the left
    // keys. Nothing for a key the keyboard has no place for.
    static std::optional<unsigned> KeycodeFor(BYTE virtualKey, BYTE scanCode, bool extended);
};

}  // namespace platform
