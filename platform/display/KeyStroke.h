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
    // The X keycode of the key a program names, for pressing it on the desktop: by the virtual
    // key's place on a US keyboard, the scan code and the extended flag choosing among the keys
    // that type it (the right Ctrl, the keypad's Enter; VK_SHIFT, VK_CONTROL and VK_MENU are the
    // left keys otherwise); by the scan code alone when the virtual key is 0 or has no place.
    // Nothing for a key the keyboard has no place for. Letters keep their US place whatever the
    // desktop's layout.
    static std::optional<unsigned> KeycodeFor(BYTE virtualKey, BYTE scanCode, bool extended);
};

}  // namespace platform
