// The boss key in data3\bosskey.dat, exactly 308 bytes: the hot key (4 bytes), the target index
// (int32, little-endian: 0 shows the desktop by minimising every main window, above 0 brings the
// window titled below to the front) and that window's title (char[300], NUL-terminated; the
// desktop entry's text for index 0). The tray companion watches the key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "manager/HotKeyRecord.h"

inline constexpr char kBossKeyFile[] = "data3\\bosskey.dat";
// The first entry of the page's window list: show the desktop.
inline constexpr char kShowDesktopEntry[] = "<<===显示桌面===>>";

struct BossKeySettings {
    static constexpr std::size_t kSize = 308;

    // Ctrl+Alt+Enter, showing the desktop.
    HotKeyRecord key{0x0D, 1, 1, 0};
    std::int32_t target = 0;
    char title[300] = {};

    // Takes the bytes only when they hold the whole record: false, with the settings unchanged,
    // for fewer. The title always ends in a NUL.
    bool Parse(std::span<const std::uint8_t> bytes);
    std::string Serialize() const;
    // Stores the title cut to 299 bytes without splitting a two-byte character.
    void SetTitle(std::string_view text);

    // 0 read, 1 the file is missing or short (the defaults are set).
    int Load(const char* path = kBossKeyFile);
    // Writes the file whole; when written, tells the tray companion if it runs. False when the
    // file cannot be written.
    bool Save(const char* path = kBossKeyFile) const;
};
