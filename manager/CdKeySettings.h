// The CD-tray keys in data3\cdkey.dat, exactly 8 bytes: the hot key that opens the tray, then the
// one that closes it. The tray companion watches both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "manager/HotKeyRecord.h"

inline constexpr char kCdKeyFile[] = "data3\\cdkey.dat";

struct CdKeySettings {
    static constexpr std::size_t kSize = 8;

    // Ctrl+Alt+P and Ctrl+Alt+L.
    HotKeyRecord open{0x50, 1, 1, 0};
    HotKeyRecord close{0x4C, 1, 1, 0};

    // Takes the bytes only when they hold both keys: false, with the settings unchanged, for
    // fewer.
    bool Parse(std::span<const std::uint8_t> bytes);
    std::string Serialize() const;

    // 0 read, 1 the file is missing or short (the defaults are set).
    int Load(const char* path = kCdKeyFile);
    // Writes the file whole; when written, tells the tray companion if it runs. False when the
    // file cannot be written.
    bool Save(const char* path = kCdKeyFile) const;
};
