#include "platform/display/KeyStroke.h"

#include <gdk/gdkkeysyms.h>

#include "platform/windows/WindowConstants.h"

namespace platform {

namespace {

constexpr unsigned kEvdevOffset = 8;

struct Place {
    BYTE virtualKey;
    BYTE scanCode;
    bool extended;
};

// The keys whose virtual key follows their place, by Linux input code. For the codes up to 88
// the PC scan code is the input code itself; Num Lock, one of them, is an extended key besides,
// which tells it from Pause (the same scan code without the prefix).
std::optional<Place> PlaceOf(unsigned code) {
    static constexpr BYTE kMainBlock[89] = {
        0,           VK_ESCAPE,    '1',           '2',         '3',
        '4',         '5',          '6',           '7',         '8',
        '9',         '0',          VK_OEM_MINUS,  VK_OEM_PLUS, VK_BACK,
        VK_TAB,      'Q',          'W',           'E',         'R',
        'T',         'Y',          'U',           'I',         'O',
        'P',         VK_OEM_4,     VK_OEM_6,      VK_RETURN,   VK_LCONTROL,
        'A',         'S',          'D',           'F',         'G',
        'H',         'J',          'K',           'L',         VK_OEM_1,
        VK_OEM_7,    VK_OEM_3,     VK_LSHIFT,     VK_OEM_5,    'Z',
        'X',         'C',          'V',           'B',         'N',
        'M',         VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2,    VK_RSHIFT,
        VK_MULTIPLY, VK_LMENU,     VK_SPACE,      VK_CAPITAL,  VK_F1,
        VK_F2,       VK_F3,        VK_F4,         VK_F5,       VK_F6,
        VK_F7,       VK_F8,        VK_F9,         VK_F10,      VK_NUMLOCK,
        VK_SCROLL,   VK_NUMPAD7,   VK_NUMPAD8,    VK_NUMPAD9,  VK_SUBTRACT,
        VK_NUMPAD4,  VK_NUMPAD5,   VK_NUMPAD6,    VK_ADD,      VK_NUMPAD1,
        VK_NUMPAD2,  VK_NUMPAD3,   VK_NUMPAD0,    VK_DECIMAL,  0,
        0,           VK_OEM_102,   VK_F11,        VK_F12,
    };
    if (code < sizeof(kMainBlock) && kMainBlock[code] != 0) {
        return Place{kMainBlock[code], static_cast<BYTE>(code), kMainBlock[code] == VK_NUMLOCK};
    }
    switch (code) {
        case 96:
            return Place{VK_RETURN, 0x1C, true};
        case 97:
            return Place{VK_RCONTROL, 0x1D, true};
        case 98:
            return Place{VK_DIVIDE, 0x35, true};
        case 99:
            return Place{VK_SNAPSHOT, 0x37, true};
        case 100:
            return Place{VK_RMENU, 0x38, true};
        case 102:
            return Place{VK_HOME, 0x47, true};
        case 103:
            return Place{VK_UP, 0x48, true};
        case 104:
            return Place{VK_PRIOR, 0x49, true};
        case 105:
            return Place{VK_LEFT, 0x4B, true};
        case 106:
            return Place{VK_RIGHT, 0x4D, true};
        case 107:
            return Place{VK_END, 0x4F, true};
        case 108:
            return Place{VK_DOWN, 0x50, true};
        case 109:
            return Place{VK_NEXT, 0x51, true};
        case 110:
            return Place{VK_INSERT, 0x52, true};
        case 111:
            return Place{VK_DELETE, 0x53, true};
        case 119:
            return Place{VK_PAUSE, 0x45, false};
        case 125:
            return Place{VK_LWIN, 0x5B, true};
        case 126:
            return Place{VK_RWIN, 0x5C, true};
        case 127:
            return Place{VK_APPS, 0x5D, true};
        default:
            return std::nullopt;
    }
}

// The keypad's keys change with Num Lock; X already says which meaning they have now.
std::optional<BYTE> KeypadKey(unsigned keyval) {
    switch (keyval) {
        case GDK_KEY_KP_Home:
            return VK_HOME;
        case GDK_KEY_KP_Up:
            return VK_UP;
        case GDK_KEY_KP_Page_Up:
            return VK_PRIOR;
        case GDK_KEY_KP_Left:
            return VK_LEFT;
        case GDK_KEY_KP_Begin:
            return VK_CLEAR;
        case GDK_KEY_KP_Right:
            return VK_RIGHT;
        case GDK_KEY_KP_End:
            return VK_END;
        case GDK_KEY_KP_Down:
            return VK_DOWN;
        case GDK_KEY_KP_Page_Down:
            return VK_NEXT;
        case GDK_KEY_KP_Insert:
            return VK_INSERT;
        case GDK_KEY_KP_Delete:
            return VK_DELETE;
        default:
            return std::nullopt;
    }
}

std::optional<BYTE> KeyOfKeysym(unsigned keyval) {
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) {
        return static_cast<BYTE>('A' + (keyval - GDK_KEY_a));
    }
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) {
        return static_cast<BYTE>(keyval);
    }
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) {
        return static_cast<BYTE>(keyval);
    }
    switch (keyval) {
        case GDK_KEY_space:
            return VK_SPACE;
        case GDK_KEY_Return:
            return VK_RETURN;
        case GDK_KEY_BackSpace:
            return VK_BACK;
        case GDK_KEY_Tab:
            return VK_TAB;
        case GDK_KEY_Escape:
            return VK_ESCAPE;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<KeyStroke> KeyStroke::FromX(unsigned keyval, unsigned keycode) {
    const unsigned code = keycode >= kEvdevOffset ? keycode - kEvdevOffset : 0;
    if (const std::optional<Place> place = PlaceOf(code)) {
        KeyStroke stroke{place->virtualKey, place->scanCode, place->extended};
        if (const std::optional<BYTE> letter = KeyOfKeysym(keyval);
            letter && *letter >= 'A' && *letter <= 'Z') {
            stroke.virtualKey = *letter;
        } else if (const std::optional<BYTE> keypad = KeypadKey(keyval)) {
            stroke.virtualKey = *keypad;
        }
        return stroke;
    }
    if (const std::optional<BYTE> key = KeyOfKeysym(keyval)) {
        return KeyStroke{*key, 0, false};
    }
    return std::nullopt;
}

std::optional<unsigned> KeyStroke::KeycodeFor(BYTE virtualKey, BYTE scanCode, bool extended) {
    constexpr unsigned kHighestCode = 255 - kEvdevOffset;
    // The generic modifiers stand for either of their two keys.
    auto types = [virtualKey](BYTE placed) {
        switch (virtualKey) {
            case VK_SHIFT:
                return placed == VK_LSHIFT || placed == VK_RSHIFT;
            case VK_CONTROL:
                return placed == VK_LCONTROL || placed == VK_RCONTROL;
            case VK_MENU:
                return placed == VK_LMENU || placed == VK_RMENU;
            default:
                return placed == virtualKey;
        }
    };
    // The virtual key decides; the scan code only chooses among the keys that type it (the right
    // Ctrl, the keypad's Enter), or names the key when no virtual key is given.
    std::optional<unsigned> typing;
    std::optional<unsigned> scanned;
    for (unsigned code = 0; code <= kHighestCode; ++code) {
        const std::optional<Place> place = PlaceOf(code);
        if (!place) {
            continue;
        }
        const bool sameScan =
            scanCode != 0 && place->scanCode == scanCode && place->extended == extended;
        if (virtualKey != 0 && types(place->virtualKey)) {
            if (sameScan) {
                return code + kEvdevOffset;
            }
            typing = typing ? typing : code + kEvdevOffset;
        }
        if (sameScan && !scanned) {
            scanned = code + kEvdevOffset;
        }
    }
    return typing ? typing : scanned;
}

}  // namespace platform
