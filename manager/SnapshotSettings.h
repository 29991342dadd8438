// The screen-shot settings in data3\snapshot.dat, exactly 280 bytes, little-endian: the hot keys
// for the full screen, one window and an area (4 bytes each), whether a capture goes to the
// clipboard and whether it is saved as a .bmp file (int32 each, 1 or 0), and the folder of the
// saved captures (char[260], NUL-terminated, normally ending in "\"). The tray companion's
// screen capture reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "manager/HotKeyRecord.h"

inline constexpr char kSnapshotFile[] = "data3\\snapshot.dat";

struct SnapshotSettings {
    static constexpr std::size_t kSize = 280;

    // Ctrl+Alt+1, Ctrl+Alt+2 and Ctrl+Alt+3.
    HotKeyRecord fullScreenKey{0x31, 1, 1, 0};
    HotKeyRecord windowKey{0x32, 1, 1, 0};
    HotKeyRecord areaKey{0x33, 1, 1, 0};
    std::int32_t toClipboard = 1;
    std::int32_t toFile = 1;
    char folder[260] = {};

    // The defaults, saving into the program folder's "Snapshot\" (`programFolder` ends in "\").
    static SnapshotSettings Defaults(std::string_view programFolder);

    // Takes the bytes only when they hold the whole record: false, with the settings unchanged,
    // for fewer. The folder always ends in a NUL.
    bool Parse(std::span<const std::uint8_t> bytes);
    std::string Serialize() const;
    // Stores the folder cut to 259 bytes without splitting a two-byte character.
    void SetFolder(std::string_view text);

    // 0 read, 1 the file is missing or short (the defaults for `programFolder` are set).
    int Load(std::string_view programFolder, const char* path = kSnapshotFile);
    // Writes the file whole; when written, tells the tray companion if it runs. False when the
    // file cannot be written.
    bool Save(const char* path = kSnapshotFile) const;
};
