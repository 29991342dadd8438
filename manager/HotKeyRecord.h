// A global hot key as the settings files hold it: four bytes, the virtual-key code (0 for no key)
// and then 1 or 0 for Ctrl, Alt and Shift, in that order. The boss-key, CD-tray and screen-shot
// settings embed it; the tray companion matches it against the keys it sees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "manager/RecordBytes.h"

struct HotKeyRecord {
    std::uint8_t code = 0;
    std::uint8_t ctrl = 0;
    std::uint8_t alt = 0;
    std::uint8_t shift = 0;

    static constexpr std::size_t kSize = 4;

    // The next four bytes; the caller has checked in.Has(kSize).
    static HotKeyRecord Read(RecordBytes& in) {
        HotKeyRecord key;
        const std::uint32_t word = in.Word();
        key.code = static_cast<std::uint8_t>(word & 0xFF);
        key.ctrl = static_cast<std::uint8_t>((word >> 8) & 0xFF);
        key.alt = static_cast<std::uint8_t>((word >> 16) & 0xFF);
        key.shift = static_cast<std::uint8_t>((word >> 24) & 0xFF);
        return key;
    }
    void Append(std::string& out) const {
        out.push_back(static_cast<char>(code));
        out.push_back(static_cast<char>(ctrl));
        out.push_back(static_cast<char>(alt));
        out.push_back(static_cast<char>(shift));
    }

    bool operator==(const HotKeyRecord&) const = default;
};
